// Font files dropped on the main window as the shell drops them: a DROPFILES block in global
// memory, sent as WM_DROPFILES.

#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/screen_fonts.h"
#include "app/tests/registry_fixture.h"
#include "support/pump.h"
#include "win/handles.h"
#include "win/module.h"

namespace app {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::wstring>;

HGLOBAL DropBlock(const Names& paths) {
    std::wstring names;
    for (const std::wstring& path : paths) names += path + L'\0';
    HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + (names.size() + 1) * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::copy(names.begin(), names.end(), reinterpret_cast<wchar_t*>(drop + 1));
    ::GlobalUnlock(memory);
    return memory;
}

bool Listed(const std::wstring& family) {
    const std::vector<core::FontFamily> screen = ScreenFontFamilies();
    return std::any_of(screen.begin(), screen.end(), [&](const auto& listed) { return listed.name == family; });
}

Names ListNames(const MainWindow& window) {
    Names names;
    for (int i = 0; i < window.FontList().Count(); ++i) names.push_back(window.FontList().ItemText(i));
    return names;
}

// One drop of new, installed and bad files, two hundred in all, from Cyrillic and overlong paths:
// the new families come first, the first is previewed at once, the installed one is only selected
// later, every bad file is named with its cause in one message, and the families go with the
// program.
TEST(OpenedFontFiles, DroppedFilesAreListedFirstAndFailuresReportedOnce) {
    testing_support::DeleteProgramPreferences();
    const fs::path generated = win::ExecutableDirectory() + L"\\open-fonts";
    const fs::path folder = fs::temp_directory_path() / (L"Открытые шрифты " + std::to_wstring(::GetCurrentProcessId()));
    fs::path deep = L"\\\\?\\" + folder.wstring();
    while (deep.native().size() < MAX_PATH + 20) deep /= L"очень длинное имя папки";
    fs::create_directories(deep);
    fs::create_directory(folder / L"папка.ttf");
    const fs::path proba = folder / L"Пробный шрифт.ttf", longPath = deep / L"tertia.ttf", locked = folder / L"занят.ttf";
    fs::copy_file(generated / L"proba.ttf", proba, fs::copy_options::overwrite_existing);
    fs::copy_file(generated / L"tertia.ttf", longPath, fs::copy_options::overwrite_existing);
    fs::copy_file(generated / L"secunda.ttf", locked, fs::copy_options::overwrite_existing);
    std::ofstream(folder / L"пусто.ttf").close();
    std::ofstream(folder / L"текст.ttf") << "hello, world";
    // Held open without sharing: nobody else can read it meanwhile.
    win::UniqueKernelHandle lock(::CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    const std::wstring liberation = L"Z:\\usr\\share\\fonts\\truetype\\liberation\\LiberationSans-Regular.ttf";
    const std::pair<std::wstring, const wchar_t*> bad[] = {
        {(generated / L"damaged.ttf").wstring(), L"файл шрифта повреждён"},
        {(folder / L"пусто.ttf").wstring(), L"файл пуст"},
        {(folder / L"текст.ttf").wstring(), L"это не файл шрифта"},
        {(folder / L"нет такого.ttf").wstring(), L"файл не найден"},
        {(folder / L"папка.ttf").wstring(), L"это папка, а не файл"},
        {locked.wstring(), L"файл не удаётся прочитать"}};
    Names files = {proba.wstring(), liberation, longPath.wstring().substr(4)};
    for (const auto& [path, cause] : bad) files.push_back(path);
    for (int i = 0; files.size() < 200; ++i) {
        files.push_back((folder / (std::to_wstring(i) + L".fon")).wstring());
        std::ofstream(fs::path(files.back())) << "not a font";
    }

    Names reports;
    {
        MainWindow window;
        window.OpenedFiles().SetReporter([&](HWND, const std::wstring& text) { reports.push_back(text); });
        window.Show();
        window.Filter().SetScript(core::FontScript::Cyrillic);
        ::SetWindowTextW(window.Filter().Box(), L"нет такого шрифта");
        ::SendMessageW(window.hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropBlock(files)), 0);
        ASSERT_TRUE(testing_support::PumpUntil([&] { return window.PreviewFontName() == L"Glyphoscope Proba"; }));
        const Names opened = {L"Glyphoscope Proba", L"Glyphoscope Tertia"};
        const Names listed = ListNames(window);
        EXPECT_EQ(Names(listed.begin(), listed.begin() + std::min<std::size_t>(listed.size(), 2)), opened);
        EXPECT_EQ(window.FontList().Selected(), 0);
        EXPECT_EQ(window.OpenedFiles().Families(), opened);
        EXPECT_EQ(::GetWindowTextLengthW(window.Filter().Box()), 0);

        ASSERT_EQ(reports.size(), 1u);
        EXPECT_TRUE(reports[0].starts_with(L"Не удалось открыть 197 файлов из 200:")) << reports[0];
        for (const auto& [path, cause] : bad) {
            EXPECT_NE(reports[0].find(path + L" \u2014 " + cause), std::wstring::npos) << path;
        }

        // A reload keeps them first, the filter shows them alone, the details find their files.
        window.LoadFonts(nullptr);
        EXPECT_EQ(ListNames(window).front(), opened[0]);
        window.Filter().SetScript(core::FontScript::Opened);
        EXPECT_EQ(ListNames(window), opened);
        win::WindowDc screen(nullptr);
        EXPECT_EQ(window.FontFiles().FileOf(screen.get(), opened[0], {}), proba.wstring());

        // An installed family is selected, not opened again.
        window.Filter().SetScript(core::FontScript::All);
        window.OpenFontFiles({liberation});
        EXPECT_EQ(window.PreviewFontName(), L"Liberation Sans");
        EXPECT_EQ(window.OpenedFiles().Families(), opened);
        EXPECT_TRUE(Listed(opened[1]));
    }
    EXPECT_FALSE(Listed(L"Glyphoscope Proba"));
    EXPECT_FALSE(Listed(L"Glyphoscope Tertia"));
    lock.reset();
    // The library's removal does not reach past MAX_PATH: the long chain goes first, deepest first.
    fs::remove(longPath);
    for (fs::path part = deep; part.native().size() > folder.native().size() + 4; part = part.parent_path()) {
        ::RemoveDirectoryW(part.c_str());
    }
    fs::remove_all(folder);
    testing_support::DeleteProgramPreferences();
}

}  // namespace
}  // namespace app
