#include "core/app/font_filter.h"

#include <algorithm>
#include <array>
#include <utility>

namespace core {

namespace {

constexpr std::array<std::wstring_view, 4> kScriptTexts = {L"All", L"Cyrillic", L"Monospaced", L"Opened"};

constexpr wchar_t kYo = L'\u0451';
constexpr wchar_t kCapitalYo = L'\u0401';
constexpr wchar_t kYe = L'\u0435';
constexpr wchar_t kCapitalYe = L'\u0415';
constexpr wchar_t kCyrillicA = L'\u0410';
constexpr wchar_t kCyrillicYa = L'\u044F';

// What font names are mostly made of; the platform says which of them are simple.
std::wstring Candidates() {
    std::wstring candidates = L"0123456789 abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ-_.,&()'+";
    for (wchar_t c = kCyrillicA; c <= kCyrillicYa; ++c) candidates += c;
    return candidates;
}

std::size_t CharIndex(wchar_t c) { return static_cast<std::size_t>(static_cast<std::uint32_t>(c)); }

}  // namespace

FontScript FontScriptFromText(const std::optional<std::wstring>& stored) {
    for (std::size_t i = 0; stored && i < kScriptTexts.size(); ++i) {
        if (*stored == kScriptTexts[i]) return static_cast<FontScript>(i);
    }
    return FontScript::All;
}

std::wstring_view FontScriptText(FontScript script) { return kScriptTexts.at(static_cast<std::size_t>(script)); }

std::wstring ReadYoAsYe(std::wstring_view text) {
    std::wstring read(text);
    for (wchar_t& c : read) {
        if (c == kYo) c = kYe;
        if (c == kCapitalYo) c = kCapitalYe;
    }
    return read;
}

SimpleLetters SimpleLetters::Learn(const TextComparer& comparer) {
    const auto contains = [&](std::initializer_list<wchar_t> text, std::initializer_list<wchar_t> pattern) {
        return comparer.Contains({text.begin(), text.size()}, {pattern.begin(), pattern.size()});
    };
    SimpleLetters letters;
    letters.folds_.assign(CharIndex(kCyrillicYa) + 1, L'\0');
    // One character of each case pair stands for both.
    std::vector<wchar_t> representatives;
    for (wchar_t c : Candidates()) {
        // An ignored character vanishes between two digits.
        const wchar_t digit = c == L'0' ? L'1' : L'0';
        if (contains({digit, c, digit}, {digit, digit})) continue;
        auto same = std::find_if(representatives.begin(), representatives.end(),
                                 [&](wchar_t known) { return contains({c}, {known}); });
        if (same == representatives.end()) same = representatives.insert(representatives.end(), c);
        letters.folds_[CharIndex(c)] = *same;
    }
    // Two characters the platform reads as one letter are left to the platform, in any company.
    std::vector<bool> joined(letters.folds_.size(), false);
    for (wchar_t first : representatives) {
        for (wchar_t second : representatives) {
            if (!contains({first, second}, {first}) || !contains({first, second}, {second})) {
                joined[CharIndex(first)] = joined[CharIndex(second)] = true;
            }
        }
    }
    for (wchar_t& fold : letters.folds_) {
        if (fold != L'\0' && joined[CharIndex(fold)]) fold = L'\0';
    }
    return letters;
}

std::optional<std::wstring> SimpleLetters::Fold(std::wstring_view text) const {
    std::wstring folded(text.size(), L'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t at = CharIndex(text[i]);
        if (at >= folds_.size() || folds_[at] == L'\0') return std::nullopt;
        folded[i] = folds_[at];
    }
    return folded;
}

bool FontFilter::SetFamilies(std::vector<FontFamily> families) {
    families_ = std::move(families);
    keys_.clear();
    // Once the user has searched, the next search is as quick as the first was.
    if (!pattern_.empty() || letters_) Prepare();
    Refresh();
    return true;
}

bool FontFilter::SetText(std::wstring_view typed) {
    std::wstring pattern = ReadYoAsYe(typed.substr(0, kMaxTextLength));
    if (pattern == pattern_) return false;
    pattern_ = std::move(pattern);
    patternKey_.reset();
    if (!pattern_.empty()) {
        Prepare();
        patternKey_ = letters_->Fold(pattern_);
    }
    return Refresh();
}

bool FontFilter::SetScript(FontScript script) {
    if (script == script_) return false;
    script_ = script;
    return Refresh();
}

void FontFilter::Prepare() {
    if (!letters_) letters_ = SimpleLetters::Learn(comparer_);
    if (keys_.size() == families_.size()) return;
    keys_.clear();
    keys_.reserve(families_.size());
    for (const FontFamily& family : families_) keys_.push_back(letters_->Fold(ReadYoAsYe(family.name)));
}

std::vector<std::wstring> FontFilter::ShownNames() const {
    std::vector<std::wstring> names;
    names.reserve(shown_.size());
    for (std::size_t position = 0; position < shown_.size(); ++position) names.push_back(ShownName(position));
    return names;
}

bool FontFilter::Refresh() {
    std::vector<std::size_t> shown;
    shown.reserve(families_.size());
    for (std::size_t i = 0; i < families_.size(); ++i) {
        if (Matches(i)) shown.push_back(i);
    }
    if (shown == shown_) return false;
    shown_ = std::move(shown);
    return true;
}

bool FontFilter::Matches(std::size_t family) const {
    const FontFamily& entry = families_[family];
    if (script_ == FontScript::Opened && !entry.traits.opened) return false;
    if (!entry.traits.opened) {
        if (script_ == FontScript::Cyrillic && !entry.traits.cyrillic) return false;
        if (script_ == FontScript::Monospaced && !entry.traits.monospaced) return false;
    }
    if (pattern_.empty()) return true;
    if (patternKey_ && keys_[family]) return keys_[family]->find(*patternKey_) != std::wstring::npos;
    return comparer_.Contains(ReadYoAsYe(entry.name), pattern_);
}

std::optional<std::size_t> FontFilter::SelectionFor(std::wstring_view selectedBefore) const {
    if (shown_.empty()) return std::nullopt;
    for (std::size_t position = 0; position < shown_.size(); ++position) {
        if (families_[shown_[position]].name == selectedBefore) return position;
    }
    return 0;
}

std::wstring GroupDigits(std::uint64_t value, const DigitGrouping& grouping) {
    std::wstring digits = std::to_wstring(value);
    std::vector<std::size_t> sizes{0};
    for (wchar_t c : grouping.sizes) {
        if (c == L';') {
            sizes.push_back(0);
        } else if (c >= L'0' && c <= L'9' && sizes.back() < digits.size()) {
            sizes.back() = sizes.back() * 10 + static_cast<std::size_t>(c - L'0');
        } else if (c < L'0' || c > L'9') {
            return digits;  // not a grouping the locale could write
        }
    }
    // A closing 0 repeats the group before it; without it the digits beyond the groups stay as one.
    const bool repeat = sizes.size() > 1 && sizes.back() == 0;
    if (repeat) sizes.pop_back();
    std::wstring grouped;
    for (std::size_t end = digits.size(), group = 0; end > 0; ++group) {
        std::size_t take = group < sizes.size() ? sizes[group] : (repeat ? sizes.back() : 0);
        if (take == 0 || take > end) take = end;
        grouped.insert(0, digits, end - take, take);
        end -= take;
        if (end > 0) grouped.insert(0, grouping.separator);
    }
    return grouped;
}

std::wstring FontListCaption(const FontFilter& filter, const DigitGrouping& grouping) {
    if (!filter.Active()) return kFontListCaption;
    return std::wstring(kCountedFontListCaption) + L" " + GroupDigits(filter.Shown().size(), grouping) + L" из " +
           GroupDigits(filter.Families().size(), grouping);
}

}  // namespace core
