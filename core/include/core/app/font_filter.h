#pragma once
// Narrowing the font list to what the user looks for: a part of the family's name and a script.
//
// A family matches the typed text when its name contains it, ignoring case as the user's language
// does. That comparison is the platform's (TextComparer); Russian readers take "ё" and "е" for one
// letter, so both sides read "ё" as "е" before it. Matches keep the list's order, and with nothing
// typed and every script chosen the list is the whole list.
//
// Asking the platform about every family at every key press is too slow for thousands of families
// on some platforms, so the filter first learns from the platform which letters it compares one by
// one (SimpleLetters). Names and texts made only of those are compared as folded strings; anything
// else goes to the platform. Both ways give the platform's answer.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/font_family_list.h"

namespace core {

// Opened lists only the families of opened files; the other choices list those too, as the user
// asked to see them.
enum class FontScript { All, Cyrillic, Monospaced, Opened };

// The stored text of the script filter; anything else, or nothing, reads as All.
FontScript FontScriptFromText(const std::optional<std::wstring>& stored);
std::wstring_view FontScriptText(FontScript script);

// The platform's linguistic comparison.
class TextComparer {
public:
    // True when text contains pattern (never empty), ignoring case as the user's language does.
    virtual bool Contains(std::wstring_view text, std::wstring_view pattern) const = 0;

protected:
    ~TextComparer() = default;
};

// "ё" read as "е", in either case.
std::wstring ReadYoAsYe(std::wstring_view text);

// The digits, Latin and Cyrillic letters, blank and common punctuation that the platform compares
// one at a time: none is ignored, none forms one letter with a neighbour, and each is equal only
// to its own upper and lower case. Locales differ ("ch" is one letter in Czech), so it is learned.
class SimpleLetters {
public:
    static SimpleLetters Learn(const TextComparer& comparer);
    // The text with each letter replaced by one chosen of its case pair; nullopt when a letter is
    // not simple.
    std::optional<std::wstring> Fold(std::wstring_view text) const;

private:
    std::vector<wchar_t> folds_;  // by character; 0 where the character is not simple
};

class FontFilter {
public:
    // Longer typed texts are cut: no family name comes near it.
    static constexpr std::size_t kMaxTextLength = 256;

    explicit FontFilter(const TextComparer& comparer) : comparer_(comparer) {}

    // Each returns true when the families shown have changed.
    bool SetFamilies(std::vector<FontFamily> families);
    bool SetText(std::wstring_view typed);
    bool SetScript(FontScript script);
    // Learns the simple letters and folds the names now instead of at the first typed text.
    void Prepare();

    const std::vector<FontFamily>& Families() const noexcept { return families_; }
    // Positions in Families() of the families shown, in their order.
    const std::vector<std::size_t>& Shown() const noexcept { return shown_; }
    // The name of the family at a position of Shown(), without copying it.
    const std::wstring& ShownName(std::size_t position) const { return families_.at(shown_.at(position)).name; }
    std::vector<std::wstring> ShownNames() const;
    FontScript Script() const noexcept { return script_; }
    // True while something narrows the list (even when everything still matches).
    bool Active() const noexcept { return !pattern_.empty() || script_ != FontScript::All; }

    // Where the selection goes in the shown list: the family selected before while it is shown,
    // else the first; nothing when nothing is shown.
    std::optional<std::size_t> SelectionFor(std::wstring_view selectedBefore) const;

private:
    bool Refresh();
    bool Matches(std::size_t family) const;

    const TextComparer& comparer_;
    std::vector<FontFamily> families_;
    std::vector<std::size_t> shown_;
    std::wstring pattern_;  // as compared: "ё" read as "е"
    std::optional<std::wstring> patternKey_;
    FontScript script_ = FontScript::All;
    std::optional<SimpleLetters> letters_;
    std::vector<std::optional<std::wstring>> keys_;  // by family, once letters_ is known
};

// How the user's locale groups digits: the separator and the group sizes as the locale writes
// them ("3;0": threes throughout; "3;2;0": three, then twos; "3": the first three only).
struct DigitGrouping {
    std::wstring separator = L",";
    std::wstring sizes = L"3;0";
};
std::wstring GroupDigits(std::uint64_t value, const DigitGrouping& grouping);

inline constexpr wchar_t kFontListCaption[] = L"Установленные шрифты:";
// While a filter is on, the caption counts how many families are shown of all. The frame's own
// words and two five-digit counts would not fit its width, so the count follows a shorter word.
inline constexpr wchar_t kCountedFontListCaption[] = L"Шрифты:";
// "Шрифты: 37 из 10 021" while a filter is on, the frame's own caption otherwise.
std::wstring FontListCaption(const FontFilter& filter, const DigitGrouping& grouping);

}  // namespace core
