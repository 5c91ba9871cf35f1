#include "core/app/opened_fonts.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace core {
namespace {

using Paths = std::vector<std::wstring>;
using namespace std::string_view_literals;

TEST(OpenedFonts, PathListsFromTheDialogAndFromAnotherCopy) {
    const std::pair<std::wstring_view, Paths> dialog[] = {
        {L"C:\\Fonts\\a.ttf\0\0"sv, {L"C:\\Fonts\\a.ttf"}},
        {L"C:\\Шрифты\0a.ttf\0b.otf\0\0"sv, {L"C:\\Шрифты\\a.ttf", L"C:\\Шрифты\\b.otf"}},
        {L"D:\\\0a.ttf\0b.ttf\0\0"sv, {L"D:\\a.ttf", L"D:\\b.ttf"}},
        {L"\0"sv, {}},
        {L""sv, {}},
    };
    for (const auto& [buffer, files] : dialog) EXPECT_EQ(FilesFromOpenDialog(buffer), files);

    const Paths sent = {L"C:\\a.ttf", L"", L"\\\\?\\C:\\очень\\длинный.ttf"};
    const std::wstring block = PackFileList(sent);
    EXPECT_EQ(UnpackFileList(block), (Paths{sent[0], sent[2]}));
    // A sender's block cut short, or empty, still reads as the whole paths it holds.
    EXPECT_EQ(UnpackFileList(std::wstring_view(block).substr(0, 8)), Paths{L"C:\\a.ttf"});
    EXPECT_EQ(UnpackFileList(L"\0\0a\0"sv), Paths{L"a"});
    EXPECT_TRUE(UnpackFileList({}).empty());
}

TEST(OpenedFonts, CommandLinesWithArgumentsAfterTheProgramName) {
    const std::pair<std::wstring_view, bool> rows[] = {
        {L"", false},
        {L"Glyphoscope.exe", false},
        {L"Glyphoscope.exe \t ", false},
        {L"\"C:\\Program Files\\Glyphoscope.exe\"  ", false},
        {L"\"C:\\Program Files\\Glyphoscope.exe", false},
        {L"\"C:\\Program Files\\Glyphoscope.exe\" a.ttf", true},
        {L"\"C:\\Program Files\\Glyphoscope.exe\"a.ttf", true},
        {L"Glyphoscope.exe\ta.ttf", true},
        {L"Glyphoscope.exe \"\"", true},
    };
    for (const auto& [line, expected] : rows) EXPECT_EQ(HasArgumentsAfterProgramName(line), expected) << line.size();
}

TEST(OpenedFonts, EachFailureHasItsCause) {
    const std::vector<std::uint8_t> truetype = {0, 1, 0, 0}, otf = {'O', 'T', 'T', 'O'}, ttc = {'t', 't', 'c', 'f'},
                                    fon = {'M', 'Z', 0x90}, fnt = {0x00, 0x03}, text = {'h', 'e', 'l', 'l', 'o'},
                                    shortHead = {0};
    const struct {
        FontFileProbe probe;
        FontFileProblem problem;
    } rows[] = {
        {{.exists = false}, FontFileProblem::Missing},
        {{.folder = true}, FontFileProblem::Folder},
        {{.readable = false, .size = 10}, FontFileProblem::Unreadable},
        {{.size = 0, .head = truetype, .loaded = true}, FontFileProblem::Empty},
        {{.size = 5, .head = text}, FontFileProblem::NotFont},
        {{.size = 1, .head = shortHead}, FontFileProblem::NotFont},
        {{.size = 9, .head = truetype}, FontFileProblem::Damaged},
        {{.size = 9, .head = otf}, FontFileProblem::Damaged},
        {{.size = 9, .head = ttc}, FontFileProblem::Damaged},
        {{.size = 9, .head = fon}, FontFileProblem::Damaged},
        {{.size = 9, .head = fnt}, FontFileProblem::Damaged},
        {{.size = 5, .head = truetype, .loaded = true}, FontFileProblem::AlreadyListed},
        {{.size = 9, .head = text, .loaded = true, .familiesFound = true}, FontFileProblem::None},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ClassifyFontFile(row.probe), row.problem) << static_cast<int>(row.problem);
        EXPECT_EQ(FontFileProblemText(row.problem).empty(), row.problem == FontFileProblem::None);
    }
}

TEST(OpenedFonts, OneMessageNamesEveryFileUpToALimit) {
    const std::vector<FontFileFailure> one = {{L"C:\\Шрифты\\пусто.ttf", FontFileProblem::Empty}};
    EXPECT_EQ(FontFileFailureText(one, 1),
              L"Не удалось открыть файл шрифта\r\nC:\\Шрифты\\пусто.ttf\r\n\r\nПричина: файл пуст.");
    EXPECT_EQ(FontFileFailureText({}, 3), L"");

    std::vector<FontFileFailure> many;
    for (int i = 0; i < 200; ++i) many.push_back({L"C:\\f" + std::to_wstring(i), FontFileProblem::NotFont});
    const std::wstring text = FontFileFailureText(many, 201);
    EXPECT_TRUE(text.starts_with(L"Не удалось открыть 200 файлов из 201:\r\n\r\nC:\\f0 \u2014 это не файл шрифта\r\n"));
    EXPECT_NE(text.find(L"C:\\f14 \u2014"), std::wstring::npos);
    EXPECT_EQ(text.find(L"C:\\f15 \u2014"), std::wstring::npos);
    EXPECT_TRUE(text.ends_with(L"\u2026 и ещё 185 файлов"));
    EXPECT_TRUE(FontFileFailureText(std::span(many).first(2), 2).starts_with(L"Не удалось открыть 2 файла из 2:"));

    const std::pair<std::size_t, std::wstring_view> words[] = {
        {1, L"файл"},   {2, L"файла"},   {4, L"файла"},  {5, L"файлов"},  {11, L"файлов"},
        {14, L"файлов"}, {21, L"файл"},  {22, L"файла"}, {111, L"файлов"}, {0, L"файлов"}};
    for (const auto& [count, word] : words) EXPECT_EQ(FilesWord(count), word) << count;
}

TEST(OpenedFonts, OpenedFamiliesComeFirstAndAreMarked) {
    const std::vector<FontFamily> before = {{L"Arial", {}}, {L"Tahoma", {}}};
    const std::vector<FontFamily> after = {{L"Arial", {}}, {L"Proba", {}}, {L"Tahoma", {}}, {L"Proba Sans", {}}};
    EXPECT_EQ(NewFamilies(before, after), (Paths{L"Proba", L"Proba Sans"}));
    EXPECT_TRUE(NewFamilies(after, before).empty());

    std::vector<FontFamily> listed = after;
    listed[1].traits.cyrillic = true;
    const std::vector<FontFamily> ordered = PutOpenedFirst(listed, Paths{L"Proba Sans", L"Proba", L"Gone", L"Proba"});
    std::vector<std::wstring> names;
    for (const FontFamily& family : ordered) names.push_back(family.name + (family.traits.opened ? L"*" : L""));
    EXPECT_EQ(names, (Paths{L"Proba Sans*", L"Proba*", L"Gone*", L"Arial", L"Tahoma"}));
    EXPECT_TRUE(ordered[1].traits.cyrillic);
}

}  // namespace
}  // namespace core
