#pragma once
// "Свойства шрифта": what a family's faces say about themselves. The faces of the family in a
// list, the previewed face chosen; for the chosen face every field read from its tables, each a
// label followed by its value (read-only text, or a link for web addresses). Ctrl+C and
// "Копировать" put every field on the clipboard as "label: value" lines. Modal over the main
// window; Escape closes it.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/font_faces.h"
#include "app/font_file_locator.h"
#include "win/modal_window.h"
#include "controls/hyperlink.h"
#include "core/fonts/font_facts.h"
#include "win/controls.h"

namespace app {

class FontDetailsWindow : public win::ModalWindow {
public:
    static constexpr wchar_t kCaption[] = L"Свойства шрифта";

    explicit FontDetailsWindow(const FontFileLocator& files) : files_(files) {}
    ~FontDetailsWindow() override;

    // Opens the window for the family, owned by owner, and returns at once.
    void Open(HWND owner, const std::wstring& family);
    void ShowModal(HWND owner, const std::wstring& family);

    // Every field as the clipboard gets it.
    std::wstring Text() const;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // A field's label and the control that shows its value.
    struct Row {
        win::Label label;
        win::ReadOnlyText text;
        controls::HyperLink link;
    };

    void CreateControls();
    void ShowFace(std::size_t index);
    bool PreTranslate(const MSG& msg);
    void CopyAll() const;

    const FontFileLocator& files_;
    std::wstring family_;
    std::vector<FontFace> faces_;
    std::vector<core::fonts::DetailField> fields_;
    win::Label familyLabel_;
    win::ReadOnlyText familyText_;
    win::Label facesLabel_;
    win::ListBox faceList_;
    std::vector<std::unique_ptr<Row>> rows_;
    win::PushButton copy_;
    win::PushButton close_;
};

// The details command: the window for `family`, modal over the main window.
void ShowFontDetails(HWND owner, const std::wstring& family, const FontFileLocator& files);

}  // namespace app
