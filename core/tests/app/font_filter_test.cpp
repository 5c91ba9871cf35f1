#include "core/app/font_filter.h"

#include <gtest/gtest.h>

namespace core {
namespace {

// A platform of a language where "ch" is one letter and "-" is ignored, as some are.
class FakePlatform : public TextComparer {
public:
    bool Contains(std::wstring_view text, std::wstring_view pattern) const override {
        ++calls;
        return Read(text).find(Read(pattern)) != std::wstring::npos;
    }
    mutable int calls = 0;

private:
    static std::wstring Read(std::wstring_view text) {
        std::wstring read;
        for (wchar_t c : text) {
            if (c == L'-') continue;
            if (c >= L'A' && c <= L'Z') c += L'a' - L'A';
            if (c >= L'\u0410' && c <= L'\u042F') c += 0x20;
            if (c == L'h' && !read.empty() && read.back() == L'c') {
                read.back() = L'\uE000';
                continue;
            }
            read += c;
        }
        return read;
    }
};

std::vector<FontFamily> Families(std::initializer_list<const wchar_t*> names) {
    std::vector<FontFamily> families;
    for (const wchar_t* name : names) families.push_back({name, {}});
    return families;
}

TEST(FontFilter, NameContainsTypedTextAsThePlatformComparesIt) {
    const struct {
        const wchar_t* name;
        const wchar_t* typed;
        bool matches;
    } cases[] = {
        {L"Arial", L"aRI", true},         {L"Times New Roman", L"NEW R", true}, {L"Шрифт Гост", L"гОСТ", true},
        {L"Ёлочка", L"елоч", true},       {L"Еловый", L"ЁЛ", true},             {L"Arial", L"", true},
        {L"Arial", L"xyz", false},        {L"Arial", L"Arial Black", false},    {L"Chancery", L"h", false},
        {L"Helvetica", L"H", true},       {L"Noto-Sans", L"tosa", true},        {L"Nötö Sans", L"ötö s", true},
        {L"Arial", L"\U0001F600", false}, {L"Ari\tal", L"i\ta", true},
    };
    FakePlatform platform;
    for (const auto& row : cases) {
        FontFilter filter(platform);
        filter.SetFamilies(Families({row.name}));
        filter.SetText(row.typed);
        EXPECT_EQ(filter.Shown().size(), row.matches ? 1u : 0u) << row.name << L" / " << row.typed;
    }
    // Simple names never reach the platform once its letters are learned.
    FontFilter filter(platform);
    filter.SetFamilies(Families({L"Arial", L"Times", L"Verdana", L"Шрифт"}));
    filter.Prepare();
    platform.calls = 0;
    for (const wchar_t* typed : {L"a", L"ar", L"o", L"шр", L"xyz"}) filter.SetText(typed);
    EXPECT_EQ(platform.calls, 0);
}

TEST(FontFilter, ScriptCountAndSelectionFollowTheFilter) {
    FakePlatform platform;
    FontFilter filter(platform);
    std::vector<FontFamily> families = Families({L"Arial", L"Courier New", L"Symbol", L"Lucida Console"});
    families[0].traits.cyrillic = families[1].traits.cyrillic = true;
    families[1].traits.monospaced = families[3].traits.monospaced = true;
    filter.SetFamilies(families);
    const DigitGrouping grouping{L"\u00A0", L"3;0"};
    EXPECT_EQ(FontListCaption(filter, grouping), kFontListCaption);

    EXPECT_TRUE(filter.SetScript(FontScriptFromText(L"Monospaced")));
    EXPECT_EQ(filter.ShownNames(), (std::vector<std::wstring>{L"Courier New", L"Lucida Console"}));
    EXPECT_EQ(filter.SelectionFor(L"Lucida Console"), 1u);
    EXPECT_EQ(filter.SelectionFor(L"Arial"), 0u);
    EXPECT_TRUE(filter.SetText(L"CON"));
    EXPECT_FALSE(filter.SetText(L"CON"));
    EXPECT_EQ(FontListCaption(filter, grouping), L"Шрифты: 1 из 4");
    EXPECT_TRUE(filter.SetScript(FontScript::Cyrillic));
    EXPECT_EQ(filter.SelectionFor(L"Lucida Console"), std::nullopt);
    filter.SetText(L"");
    filter.SetScript(FontScriptFromText(L"cyrillic"));  // not a stored script: every family
    EXPECT_FALSE(filter.Active());

    // An opened family stays in sight whatever the script; "Opened" shows those alone.
    families[2].traits.opened = true;
    filter.SetFamilies(families);
    for (const auto& [script, shown] : {std::pair{L"Opened", std::vector<std::wstring>{L"Symbol"}},
                                        {L"Cyrillic", {L"Arial", L"Courier New", L"Symbol"}},
                                        {L"Monospaced", {L"Courier New", L"Symbol", L"Lucida Console"}}}) {
        filter.SetScript(FontScriptFromText(script));
        EXPECT_EQ(filter.ShownNames(), shown) << script;
    }

    const std::pair<const wchar_t*, const wchar_t*> groupings[] = {
        {L"3;0", L"1\u00A0000\u00A0000"}, {L"3;2;0", L"10\u00A000\u00A0000"}, {L"3", L"1000\u00A0000"},
        {L"0", L"1000000"},               {L"", L"1000000"},                 {L"3;x", L"1000000"}};
    for (const auto& [sizes, text] : groupings) EXPECT_EQ(GroupDigits(1000000, {L"\u00A0", sizes}), text) << sizes;
}

}  // namespace
}  // namespace core
