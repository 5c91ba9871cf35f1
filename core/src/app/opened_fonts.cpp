#include "core/app/opened_fonts.h"

#include <algorithm>
#include <array>
#include <unordered_set>
#include <utility>

#include "core/fonts/sfnt_file.h"

namespace core {

namespace {

std::vector<std::wstring> SplitAtNul(std::wstring_view block) {
    std::vector<std::wstring> parts;
    for (std::size_t start = 0; start < block.size();) {
        std::size_t end = block.find(L'\0', start);
        if (end == std::wstring_view::npos) end = block.size();
        if (end == start) break;  // the closing NUL of the list
        parts.emplace_back(block.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::uint32_t BigEndian32(std::span<const std::uint8_t> bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | bytes[i];
    return value;
}

}  // namespace

std::vector<std::wstring> FilesFromOpenDialog(std::wstring_view buffer) {
    std::vector<std::wstring> parts = SplitAtNul(buffer);
    if (parts.size() < 2) return parts;
    std::wstring folder = std::move(parts.front());
    // A root folder ends in its own backslash.
    if (!folder.ends_with(L'\\')) folder += L'\\';
    std::vector<std::wstring> files;
    for (std::size_t i = 1; i < parts.size(); ++i) files.push_back(folder + parts[i]);
    return files;
}

bool HasArgumentsAfterProgramName(std::wstring_view commandLine) {
    std::size_t end = 0;
    if (commandLine.starts_with(L'"')) {
        end = commandLine.find(L'"', 1);
        end = end == std::wstring_view::npos ? commandLine.size() : end + 1;
    } else {
        end = std::min(commandLine.find_first_of(L" \t"), commandLine.size());
    }
    return commandLine.find_first_not_of(L" \t", end) != std::wstring_view::npos;
}

std::wstring PackFileList(std::span<const std::wstring> paths) {
    std::wstring block;
    for (const std::wstring& path : paths) {
        if (path.empty()) continue;
        block += path;
        block += L'\0';
    }
    block += L'\0';
    return block;
}

std::vector<std::wstring> UnpackFileList(std::wstring_view block) {
    std::vector<std::wstring> paths;
    for (std::size_t start = 0; start < block.size();) {
        std::size_t end = block.find(L'\0', start);
        if (end == std::wstring_view::npos) end = block.size();
        if (end > start) paths.emplace_back(block.substr(start, end - start));
        start = end + 1;
    }
    return paths;
}

bool LooksLikeFontFile(std::span<const std::uint8_t> head) {
    if (head.size() >= 4) {
        constexpr std::array<std::uint32_t, 5> kSfntVersions = {
            0x00010000, fonts::Tag('O', 'T', 'T', 'O'), fonts::Tag('t', 'r', 'u', 'e'), fonts::Tag('t', 'y', 'p', '1'),
            fonts::kCollectionTag};
        const std::uint32_t version = BigEndian32(head);
        if (std::find(kSfntVersions.begin(), kSfntVersions.end(), version) != kSfntVersions.end()) return true;
    }
    if (head.size() < 2) return false;
    // A .fon is an executable holding .fnt resources; a bare .fnt starts with its version 2 or 3.
    if (head[0] == 'M' && head[1] == 'Z') return true;
    return head[0] == 0x00 && (head[1] == 0x02 || head[1] == 0x03);
}

FontFileProblem ClassifyFontFile(const FontFileProbe& probe) {
    if (!probe.exists) return FontFileProblem::Missing;
    if (probe.folder) return FontFileProblem::Folder;
    if (!probe.readable) return FontFileProblem::Unreadable;
    if (probe.size == 0) return FontFileProblem::Empty;
    if (probe.loaded) return probe.familiesFound ? FontFileProblem::None : FontFileProblem::AlreadyListed;
    // Refused although it starts as a font: it is broken.
    return LooksLikeFontFile(probe.head) ? FontFileProblem::Damaged : FontFileProblem::NotFont;
}

std::wstring_view FontFileProblemText(FontFileProblem problem) {
    switch (problem) {
        case FontFileProblem::None:
            return {};
        case FontFileProblem::Missing:
            return L"файл не найден";
        case FontFileProblem::Folder:
            return L"это папка, а не файл";
        case FontFileProblem::Unreadable:
            return L"файл не удаётся прочитать";
        case FontFileProblem::Empty:
            return L"файл пуст";
        case FontFileProblem::NotFont:
            return L"это не файл шрифта";
        case FontFileProblem::Damaged:
            return L"файл шрифта повреждён";
        case FontFileProblem::AlreadyListed:
            return L"его шрифты уже установлены";
    }
    return {};
}

std::wstring_view FilesWord(std::size_t count) {
    const std::size_t lastTwo = count % 100;
    const std::size_t last = count % 10;
    if (lastTwo >= 11 && lastTwo <= 14) return L"файлов";
    if (last == 1) return L"файл";
    if (last >= 2 && last <= 4) return L"файла";
    return L"файлов";
}

std::wstring FontFileFailureText(std::span<const FontFileFailure> failures, std::size_t tried) {
    if (failures.empty()) return {};
    if (failures.size() == 1 && tried == 1) {
        return L"Не удалось открыть файл шрифта\r\n" + failures.front().path + L"\r\n\r\nПричина: " +
               std::wstring(FontFileProblemText(failures.front().problem)) + L".";
    }
    std::wstring text = L"Не удалось открыть " + std::to_wstring(failures.size()) + L" " +
                        std::wstring(FilesWord(failures.size())) + L" из " + std::to_wstring(tried) + L":\r\n";
    const std::size_t listed = std::min(failures.size(), kListedFailures);
    for (std::size_t i = 0; i < listed; ++i) {
        text += L"\r\n" + failures[i].path + L" \u2014 " + std::wstring(FontFileProblemText(failures[i].problem));
    }
    if (listed < failures.size()) {
        const std::size_t rest = failures.size() - listed;
        text += L"\r\n\u2026 и ещё " + std::to_wstring(rest) + L" " + std::wstring(FilesWord(rest));
    }
    return text;
}

std::vector<std::wstring> NewFamilies(std::span<const FontFamily> before, std::span<const FontFamily> after) {
    std::unordered_set<std::wstring> known;
    for (const FontFamily& family : before) known.insert(family.name);
    std::vector<std::wstring> added;
    for (const FontFamily& family : after) {
        if (known.insert(family.name).second) added.push_back(family.name);
    }
    return added;
}

std::vector<FontFamily> PutOpenedFirst(std::vector<FontFamily> families, std::span<const std::wstring> opened) {
    if (opened.empty()) return families;
    std::vector<FontFamily> ordered;
    ordered.reserve(families.size() + opened.size());
    std::unordered_set<std::wstring> openedNames;
    for (const std::wstring& name : opened) {
        if (!openedNames.insert(name).second) continue;
        auto found = std::find_if(families.begin(), families.end(),
                                  [&](const FontFamily& family) { return family.name == name; });
        FontFamily entry = found != families.end() ? *found : FontFamily{name, {}};
        entry.traits.opened = true;
        ordered.push_back(std::move(entry));
    }
    for (FontFamily& family : families) {
        if (!openedNames.contains(family.name)) ordered.push_back(std::move(family));
    }
    return ordered;
}

}  // namespace core
