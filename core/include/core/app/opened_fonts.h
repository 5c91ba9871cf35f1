#pragma once
// Font files the user opens without installing them: which of the given paths are files to try,
// why a file could not be opened, how the failures read in one message, and where the families
// the files added go in the font list.
//
// The dialog, a drop, the command line and a copy handing its files to the running one all end in
// one list of paths; the window side loads each file for this process and asks the platform which
// families appeared.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/font_family_list.h"

namespace core {

// The files the open dialog chose: one full path, or the folder followed by the names, each
// ending in NUL and the whole list in a second NUL.
std::vector<std::wstring> FilesFromOpenDialog(std::wstring_view buffer);

// Whether a process's command line holds anything after the program's name (quoted up to the
// next quote, otherwise up to a space or tab), so that a plain start need not split it.
bool HasArgumentsAfterProgramName(std::wstring_view commandLine);

// The paths a copy hands to the running one, as one block of NUL-ended paths; reading it back
// skips empty entries and ignores a missing last NUL.
std::wstring PackFileList(std::span<const std::wstring> paths);
std::vector<std::wstring> UnpackFileList(std::wstring_view block);

enum class FontFileProblem {
    None,
    Missing,
    Folder,
    Unreadable,
    Empty,
    NotFont,
    Damaged,
    // Taken by the platform, but every family it holds was listed before and cannot be told apart.
    AlreadyListed,
};

// What the window side learned about one file before and while loading it.
struct FontFileProbe {
    bool exists = true;
    bool folder = false;
    bool readable = true;
    std::uint64_t size = 0;
    std::span<const std::uint8_t> head;  // the file's first bytes
    bool loaded = false;                 // the platform took it
    bool familiesFound = false;          // new or already listed families came with it
};

// True when the bytes begin as one of the font files the platform loads: TrueType, OpenType and
// their collections, and the bitmap .fon and .fnt files.
bool LooksLikeFontFile(std::span<const std::uint8_t> head);
FontFileProblem ClassifyFontFile(const FontFileProbe& probe);

struct FontFileFailure {
    std::wstring path;
    FontFileProblem problem = FontFileProblem::None;
};

// "файл не найден" and the like: what the message says after a file's path.
std::wstring_view FontFileProblemText(FontFileProblem problem);
// "файл", "файла" or "файлов" after a count, as Russian agrees a noun with a number.
std::wstring_view FilesWord(std::size_t count);
// One message for every file that failed of `tried`; a long list is cut after kListedFailures.
inline constexpr std::size_t kListedFailures = 15;
std::wstring FontFileFailureText(std::span<const FontFileFailure> failures, std::size_t tried);

// The families in `after` that `before` did not hold, in `after`'s order.
std::vector<std::wstring> NewFamilies(std::span<const FontFamily> before, std::span<const FontFamily> after);

// The opened families first, in the order they were opened and marked as opened; the rest after
// them as they came. An opened family the platform did not report is listed all the same.
std::vector<FontFamily> PutOpenedFirst(std::vector<FontFamily> families, std::span<const std::wstring> opened);

}  // namespace core
