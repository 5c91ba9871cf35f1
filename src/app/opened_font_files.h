#pragma once
// Font files opened for this process only: each is added with FR_PRIVATE, never installed for the
// system, and removed again when the program ends. The families a file brings are the ones the
// platform lists after adding it that it did not list before; a file whose families are installed
// already brings nothing new, and its family is just selected.
//
// Ctrl+O, a drop, the command line or another copy -> MainWindow::OpenFontFiles -> Open here ->
// the list reloaded with PutFirst's order -> the first family selected and previewed.

#include <windows.h>

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "app/font_file_locator.h"
#include "core/app/font_family_list.h"

namespace app {

class OpenedFontFiles {
public:
    // Shows the one message that lists the files that failed.
    using Reporter = std::function<void(HWND owner, const std::wstring& text)>;

    explicit OpenedFontFiles(FontFileLocator& locator) : locator_(locator) {}
    ~OpenedFontFiles();
    OpenedFontFiles(const OpenedFontFiles&) = delete;
    OpenedFontFiles& operator=(const OpenedFontFiles&) = delete;

    // Adds every file it can and reports the others at once. The family to select comes back: the
    // first a file added, or an installed one a file holds; nothing when no file gave a family.
    std::optional<std::wstring> Open(HWND owner, std::span<const std::wstring> paths);
    // The opened families first and marked, as the list shows them.
    std::vector<core::FontFamily> PutFirst(std::vector<core::FontFamily> families) const;
    const std::vector<std::wstring>& Families() const noexcept { return families_; }
    void SetReporter(Reporter reporter) { reporter_ = std::move(reporter); }

private:
    // One file added for this process; removed when it goes.
    class Resource {
    public:
        explicit Resource(std::wstring path) : path_(std::move(path)) {}
        Resource(Resource&& other) noexcept : path_(std::exchange(other.path_, {})) {}
        Resource& operator=(Resource&&) = delete;
        ~Resource();
        bool Add();

    private:
        std::wstring path_;
    };

    struct Outcome;
    Outcome OpenOne(const std::wstring& path, std::vector<core::FontFamily>& listed);

    FontFileLocator& locator_;
    std::vector<Resource> resources_;
    std::vector<std::wstring> families_;
    Reporter reporter_;
};

// The path as the file functions take it: full, and past MAX_PATH with the \\?\ prefix.
std::wstring FileFunctionPath(const std::wstring& path);

}  // namespace app
