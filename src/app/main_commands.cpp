#include "app/main_commands.h"

#include <shellapi.h>

#include <array>

#include "app/about_window.h"
#include "app/font_details_window.h"
#include "app/font_file_sources.h"
#include "app/main_menu.h"
#include "app/main_view.h"
#include "app/preferences.h"
#include "core/app/contacts.h"
#include "core/app/main_menu_table.h"
#include "core/app/sample_text.h"
#include "win/clipboard.h"
#include "win/library.h"

namespace app {

namespace {

// Indexed by core::SamplePreset.
constexpr std::array<const wchar_t*, core::kSamplePresetCount> kPresetPreferences = {
    pref::kTextFigures,      pref::kTextSymbols,      pref::kTextRussianSmall,
    pref::kTextRussianBig,   pref::kTextEnglishSmall, pref::kTextEnglishBig,
};

core::SamplePreset PresetAt(std::size_t index) { return static_cast<core::SamplePreset>(index); }

}  // namespace

void OpenWithShell(HWND parent, const std::wstring& target, const std::wstring& folder) {
    // A target the shell cannot open is the user's to notice; nothing is reported.
    static const auto execute = win::LibraryFunction<decltype(::ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    if (execute) execute(parent, L"open", target.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL);
}

void MainCommands::Run(const std::wstring& key) {
    const core::MenuAction action = core::ActionFor(key);
    switch (action.command) {
        case core::MenuCommand::None:
            break;
        case core::MenuCommand::OpenFontFiles:
            view_.OpenFontFiles(ChooseFontFiles(view_.Owner()));
            break;
        case core::MenuCommand::LoadFonts:
            view_.ReloadFonts();
            break;
        case core::MenuCommand::Find:
            view_.FocusFontSearch();
            break;
        case core::MenuCommand::FontScript:
            prefs::Set(pref::kFontFilter, std::wstring(core::FontScriptText(action.script)));
            view_.ShowScript(action.script);
            break;
        case core::MenuCommand::Exit:
            // The control that raised the click goes with the window: unload once it has returned.
            ::PostMessageW(view_.Owner(), WM_CLOSE, 0, 0);
            break;
        case core::MenuCommand::OnTop: {
            const bool on = menu_.Checked(core::kOnTopEntry);
            prefs::SetOn(pref::kTopMost, on);
            view_.SetTopMost(on);
            break;
        }
        case core::MenuCommand::ToolBar: {
            const bool on = menu_.Checked(core::kToolbarEntry);
            prefs::SetOn(pref::kShowToolBar, on);
            view_.SetToolBarVisible(on);
            break;
        }
        case core::MenuCommand::TextPreset:
            prefs::SetOn(kPresetPreferences.at(static_cast<std::size_t>(action.preset)),
                         menu_.Checked(core::PresetEntryKey(action.preset)));
            RebuildSampleText();
            break;
        case core::MenuCommand::FontSize:
            prefs::Set(pref::kFontSize, std::to_wstring(action.fontSize));
            view_.ShowPreviewSize(action.fontSize);
            break;
        case core::MenuCommand::Settings:
            view_.ShowSettings();
            break;
        case core::MenuCommand::CharacterMap:
            view_.ShowCharacterMap();
            break;
        case core::MenuCommand::License:
            Open(view_.ProgramFolder() + L"\\License.rtf");
            break;
        case core::MenuCommand::HomePage:
            Open(core::kHomePageUrl);
            break;
        case core::MenuCommand::SendMail:
            Open(core::kSupportMailWithSubject);
            break;
        case core::MenuCommand::About: {
            AboutWindow about;
            about.ShowModal(view_.Owner());
            break;
        }
        case core::MenuCommand::FontProperties:
        case core::MenuCommand::CopyFontName: {
            const std::wstring family = view_.SelectedFamily();
            if (family.empty()) break;  // no fonts loaded
            if (action.command == core::MenuCommand::CopyFontName) {
                win::SetClipboardText(view_.Owner(), family);
            } else {
                ShowFontDetails(view_.Owner(), family, view_.FontFiles());
            }
            break;
        }
    }
}

void MainCommands::Open(const std::wstring& target) const { shell_(view_.Owner(), target, view_.ProgramFolder()); }

void MainCommands::CheckFromPreferences() const {
    if (auto sizeEntry = core::FontSizeEntryKey(prefs::Get(pref::kFontSize).value_or(L""))) {
        menu_.SetChecked(*sizeEntry, true);
    }
    for (std::size_t i = 0; i < kPresetPreferences.size(); ++i) {
        if (prefs::IsOn(kPresetPreferences[i])) menu_.SetChecked(core::PresetEntryKey(PresetAt(i)), true);
    }
    const core::FontScript script = core::FontScriptFromText(prefs::Get(pref::kFontFilter));
    menu_.SetChecked(core::FontScriptEntryKey(script), true);
    view_.ShowScript(script);
}

void MainCommands::RebuildSampleText() const {
    core::SamplePresetChoice chosen{};
    for (std::size_t i = 0; i < chosen.size(); ++i) chosen[i] = menu_.Checked(core::PresetEntryKey(PresetAt(i)));
    prefs::Set(pref::kViewerText, core::ComposeSampleText(chosen));
    view_.ApplyPreview();
}

}  // namespace app
