#include "app/opened_font_files.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "app/screen_fonts.h"
#include "app/startup.h"
#include "core/app/opened_fonts.h"
#include "core/fonts/name_table.h"
#include "core/fonts/sfnt_file.h"
#include "win/handles.h"

namespace app {

namespace {

constexpr wchar_t kLongPathPrefix[] = L"\\\\?\\";
constexpr wchar_t kLongUncPrefix[] = L"\\\\?\\UNC\\";

void ShowFailures(HWND owner, const std::wstring& text) {
    ::MessageBoxW(owner, text.c_str(), kProgramTitle, MB_OK | MB_ICONWARNING);
}

// GDI takes no \\?\ paths; a long one goes by its short name, which the platform keeps under
// MAX_PATH where it can.
std::wstring GdiPath(const std::wstring& path) {
    if (path.size() < MAX_PATH) return path;
    const std::wstring longForm = FileFunctionPath(path);
    std::wstring shortPath(::GetShortPathNameW(longForm.c_str(), nullptr, 0), L'\0');
    if (shortPath.empty()) return longForm;
    shortPath.resize(::GetShortPathNameW(longForm.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size())));
    if (shortPath.starts_with(kLongUncPrefix)) return L"\\\\" + shortPath.substr(std::size(kLongUncPrefix) - 1);
    if (shortPath.starts_with(kLongPathPrefix)) shortPath.erase(0, std::size(kLongPathPrefix) - 1);
    return shortPath.size() < MAX_PATH ? shortPath : longForm;
}

std::vector<std::uint8_t> ReadWhole(HANDLE file, std::uint64_t size) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    DWORD read = 0;
    if (!::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) read = 0;
    bytes.resize(read);
    return bytes;
}

// The family names the file's faces give, in the user's language and in English.
std::vector<std::wstring> FamiliesNamedIn(std::span<const std::uint8_t> file) {
    std::vector<std::wstring> names;
    for (std::uint32_t face = 0; face < core::fonts::FaceCount(file); ++face) {
        const auto tables = core::fonts::TablesFromFile(file, face);
        if (!tables) continue;
        for (auto language : {core::fonts::NameLanguage::Preferred, core::fonts::NameLanguage::English}) {
            names.push_back(core::fonts::ReadNameTable(tables->name, language).Get(core::fonts::NameId::Family));
        }
    }
    return names;
}

}  // namespace

struct OpenedFontFiles::Outcome {
    core::FontFileProblem problem = core::FontFileProblem::None;
    std::optional<std::wstring> family;
};

std::wstring FileFunctionPath(const std::wstring& path) {
    std::wstring full(::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr), L'\0');
    if (full.empty()) return path;
    full.resize(::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr));
    if (full.size() < MAX_PATH || full.starts_with(kLongPathPrefix)) return full;
    if (full.starts_with(L"\\\\")) return kLongUncPrefix + full.substr(2);
    return kLongPathPrefix + full;
}

OpenedFontFiles::Resource::~Resource() {
    if (!path_.empty()) ::RemoveFontResourceExW(GdiPath(path_).c_str(), FR_PRIVATE, nullptr);
}

bool OpenedFontFiles::Resource::Add() {
    if (::AddFontResourceExW(GdiPath(path_).c_str(), FR_PRIVATE, nullptr) > 0) return true;
    path_.clear();
    return false;
}

OpenedFontFiles::~OpenedFontFiles() {
    // Newest first, as they were added.
    while (!resources_.empty()) resources_.pop_back();
}

std::optional<std::wstring> OpenedFontFiles::Open(HWND owner, std::span<const std::wstring> paths) {
    std::vector<core::FontFamily> listed;
    std::vector<core::FontFileFailure> failures;
    std::optional<std::wstring> first;
    for (const std::wstring& path : paths) {
        Outcome outcome = OpenOne(path, listed);
        if (outcome.problem != core::FontFileProblem::None) {
            failures.push_back({path, outcome.problem});
        } else if (!first) {
            first = std::move(outcome.family);
        }
    }
    if (!failures.empty()) {
        const std::wstring text = core::FontFileFailureText(failures, paths.size());
        reporter_ ? reporter_(owner, text) : ShowFailures(owner, text);
    }
    return first;
}

OpenedFontFiles::Outcome OpenedFontFiles::OpenOne(const std::wstring& path, std::vector<core::FontFamily>& listed) {
    const std::wstring filePath = FileFunctionPath(path);
    core::FontFileProbe probe;
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (!::GetFileAttributesExW(filePath.c_str(), GetFileExInfoStandard, &attributes)) {
        const DWORD error = ::GetLastError();
        probe.exists = error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND && error != ERROR_INVALID_NAME &&
                       error != ERROR_BAD_NETPATH;
        probe.readable = false;
        return {core::ClassifyFontFile(probe), {}};
    }
    probe.folder = (attributes.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    probe.size = (static_cast<std::uint64_t>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
    win::UniqueKernelHandle file;
    if (!probe.folder) {
        HANDLE opened = ::CreateFileW(filePath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (opened != INVALID_HANDLE_VALUE) file.reset(opened);
        probe.readable = static_cast<bool>(file);
    }
    std::array<std::uint8_t, 16> head{};
    DWORD headSize = 0;
    if (probe.readable && !probe.folder && !::ReadFile(file.get(), head.data(), head.size(), &headSize, nullptr)) {
        probe.readable = false;
    }
    probe.head = std::span(head).first(headSize);
    if (!probe.readable || probe.folder || probe.size == 0) return {core::ClassifyFontFile(probe), {}};

    if (listed.empty()) listed = ScreenFontFamilies();
    Resource resource(path);
    probe.loaded = resource.Add();
    Outcome outcome;
    if (probe.loaded) {
        std::vector<core::FontFamily> after = ScreenFontFamilies();
        const std::vector<std::wstring> added = core::NewFamilies(listed, after);
        listed = std::move(after);
        for (const std::wstring& family : added) {
            families_.push_back(family);
            locator_.AddKnownFile(family, path);
        }
        if (!added.empty()) {
            outcome.family = added.front();
        } else {
            // Nothing new: the file's families may be installed already, or it holds none at all.
            ::SetFilePointer(file.get(), 0, nullptr, FILE_BEGIN);
            for (const std::wstring& name : FamiliesNamedIn(ReadWhole(file.get(), probe.size))) {
                const bool shown = std::any_of(listed.begin(), listed.end(),
                                               [&](const core::FontFamily& family) { return family.name == name; });
                if (shown && !name.empty()) {
                    outcome.family = name;
                    break;
                }
            }
        }
        probe.familiesFound = outcome.family.has_value();
        if (probe.familiesFound) resources_.push_back(std::move(resource));
    }
    outcome.problem = core::ClassifyFontFile(probe);
    return outcome;
}

std::vector<core::FontFamily> OpenedFontFiles::PutFirst(std::vector<core::FontFamily> families) const {
    return core::PutOpenedFirst(std::move(families), families_);
}

}  // namespace app
