// Font files opened without installing them, dropped on the main window as the shell drops them:
// a real DROPFILES block in global memory, sent as WM_DROPFILES.

#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/preferences.h"
#include "app/screen_fonts.h"
#include "app/tests/registry_fixture.h"
#include "core/app/font_filter.h"
#include "support/pump.h"
#include "win/module.h"

namespace app {
namespace {

using testing_support::PumpUntil;

struct NoProgress : FontLoadProgress {
    void Begin(HWND) override {}
    void SetPercent(float) override {}
    void End() override {}
};

HGLOBAL DropBlock(const std::vector<std::wstring>& paths) {
    std::wstring names;
    for (const std::wstring& path : paths) names += path + L'\0';
    names += L'\0';
    HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->pt = {20, 20};
    drop->fWide = TRUE;
    std::copy(names.begin(), names.end(), reinterpret_cast<wchar_t*>(drop + 1));
    ::GlobalUnlock(memory);
    return memory;
}

bool Listed(const std::wstring& family) {
    for (const core::FontFamily& screen : ScreenFontFamilies()) {
        if (screen.name == family) return true;
    }
    return false;
}

void WriteFile(const std::wstring& path, const std::string& bytes) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

// With the long-path prefix: the shell's own removal stops at MAX_PATH.
void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(folder + L"\\" + name);
            } else {
                ::DeleteFileW((folder + L"\\" + name).c_str());
            }
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryW(folder.c_str());
}

class OpenedFontFilesTest : public testing_support::CleanPreferences {
protected:
    void SetUp() override {
        CleanPreferences::SetUp();
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"Открытые шрифты " + std::to_wstring(::GetCurrentProcessId());
        ::SHCreateDirectoryExW(nullptr, folder_.c_str(), nullptr);
        window_ = std::make_unique<MainWindow>();
        window_->SetProgress(std::make_unique<NoProgress>());
        window_->OpenedFiles().SetReporter([this](HWND, const std::wstring& text) { reports_.push_back(text); });
        window_->Show();
    }
    void TearDown() override {
        window_.reset();
        RemoveTree(L"\\\\?\\" + folder_);
        CleanPreferences::TearDown();
    }

    static std::wstring Generated(const wchar_t* name) { return win::ExecutableDirectory() + L"\\open-fonts\\" + name; }
    std::vector<std::wstring> ListNames() const {
        std::vector<std::wstring> names;
        for (int i = 0; i < window_->FontList().Count(); ++i) names.push_back(window_->FontList().ItemText(i));
        return names;
    }

    std::wstring folder_;
    std::unique_ptr<MainWindow> window_;
    std::vector<std::wstring> reports_;
};

// One drop of good, installed and bad files: the new families come first, the first is previewed
// at once, the installed one is only found, every bad file is named with its cause in one message,
// and the families go when the program does.
TEST_F(OpenedFontFilesTest, DroppedFilesAreListedFirstAndFailuresReportedOnce) {
    const std::wstring cyrillic = folder_ + L"\\Пробный шрифт.ttf";
    ASSERT_TRUE(::CopyFileW(Generated(L"proba.ttf").c_str(), cyrillic.c_str(), FALSE));
    // A folder chain that takes the path past MAX_PATH.
    std::wstring deep = L"\\\\?\\" + folder_;
    while (deep.size() < MAX_PATH + 20) {
        deep += L"\\очень длинное имя папки";
        ASSERT_TRUE(::CreateDirectoryW(deep.c_str(), nullptr));
    }
    deep += L"\\tertia.ttf";
    ASSERT_TRUE(::CopyFileW(Generated(L"tertia.ttf").c_str(), deep.c_str(), FALSE));
    const std::wstring longPath = deep.substr(4);
    const std::wstring empty = folder_ + L"\\пусто.ttf", text = folder_ + L"\\текст.ttf",
                       damaged = Generated(L"damaged.ttf"), missing = folder_ + L"\\нет такого.ttf",
                       folder = folder_ + L"\\папка.ttf";
    WriteFile(empty, "");
    WriteFile(text, "hello, world");
    ::CreateDirectoryW(folder.c_str(), nullptr);
    std::vector<std::wstring> files = {cyrillic, damaged, L"Z:\\usr\\share\\fonts\\truetype\\liberation\\LiberationSans-Regular.ttf",
                                       longPath, empty, text, missing, folder};
    // Two hundred at once: the rest are not fonts.
    for (int i = 0; files.size() < 200; ++i) {
        files.push_back(folder_ + L"\\" + std::to_wstring(i) + L".fon");
        WriteFile(files.back(), "not a font");
    }
    window_->Filter().SetScript(core::FontScript::Cyrillic);
    ::SetWindowTextW(window_->Filter().Box(), L"нет такого шрифта");

    ::SendMessageW(window_->hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropBlock(files)), 0);
    ASSERT_TRUE(PumpUntil([&] { return window_->PreviewFontName() == L"Glyphoscope Proba"; }));
    std::vector<std::wstring> names = ListNames();
    names.resize(std::min<std::size_t>(names.size(), 2));
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Glyphoscope Proba", L"Glyphoscope Tertia"}));
    EXPECT_EQ(window_->FontList().Selected(), 0);
    EXPECT_EQ(window_->OpenedFiles().Families(), names);
    EXPECT_EQ(window_->Filter().Box() ? ::GetWindowTextLengthW(window_->Filter().Box()) : -1, 0);

    ASSERT_EQ(reports_.size(), 1u);
    const std::wstring& report = reports_.front();
    EXPECT_TRUE(report.starts_with(L"Не удалось открыть 197 файлов из 200:")) << report;
    for (const auto& [path, cause] : {std::pair{damaged, L"файл шрифта повреждён"}, {empty, L"файл пуст"},
                                      {text, L"это не файл шрифта"}, {missing, L"файл не найден"},
                                      {folder, L"это папка, а не файл"}}) {
        EXPECT_NE(report.find(path + L" \u2014 " + cause), std::wstring::npos) << path;
    }
    EXPECT_EQ(report.find(L"Liberation"), std::wstring::npos);

    // A reload keeps them first, the filter can show them alone, and the details find their files.
    window_->LoadFonts(nullptr);
    EXPECT_EQ(ListNames().front(), L"Glyphoscope Proba");
    window_->Filter().SetScript(core::FontScript::Opened);
    EXPECT_EQ(ListNames(), names);
    HDC screen = ::GetDC(nullptr);
    EXPECT_EQ(window_->FontFiles().FileOf(screen, L"Glyphoscope Proba", {}), cyrillic);
    ::ReleaseDC(nullptr, screen);

    // An installed family is just selected.
    window_->Filter().SetScript(core::FontScript::All);
    window_->OpenFontFiles({files[2]});
    EXPECT_EQ(window_->PreviewFontName(), L"Liberation Sans");
    EXPECT_EQ(window_->OpenedFiles().Families(), names);

    EXPECT_TRUE(Listed(L"Glyphoscope Tertia"));
    window_.reset();
    EXPECT_FALSE(Listed(L"Glyphoscope Proba"));
    EXPECT_FALSE(Listed(L"Glyphoscope Tertia"));
}

}  // namespace
}  // namespace app
