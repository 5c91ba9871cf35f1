#pragma once
// Named values a control saves with its container and reads back: text under a property name,
// with typed readers that fall back to the caller's default for a missing or unreadable value.

#include <cstdint>
#include <map>
#include <string>

#include "core/font_description.h"

namespace core {

class PropertyBag {
public:
    void WriteText(const std::wstring& name, std::wstring value) { values_[name] = std::move(value); }
    void WriteBool(const std::wstring& name, bool value);
    void WriteInt(const std::wstring& name, std::int64_t value);
    void WriteDouble(const std::wstring& name, double value);
    void WriteFont(const std::wstring& name, const FontDescription& font);

    bool Contains(const std::wstring& name) const { return values_.count(name) != 0; }
    std::wstring ReadText(const std::wstring& name, const std::wstring& fallback) const;
    bool ReadBool(const std::wstring& name, bool fallback) const;
    std::int64_t ReadInt(const std::wstring& name, std::int64_t fallback) const;
    double ReadDouble(const std::wstring& name, double fallback) const;
    FontDescription ReadFont(const std::wstring& name, const FontDescription& fallback) const;

    const std::map<std::wstring, std::wstring>& Values() const noexcept { return values_; }

private:
    std::map<std::wstring, std::wstring> values_;
};

// "Tahoma;8.25;bold;italic;underline;204": name, points, the set style words, character set.
std::wstring FontDescriptionToText(const FontDescription& font);
bool ParseFontDescription(const std::wstring& text, FontDescription& font);

}  // namespace core
