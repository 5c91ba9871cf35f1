#pragma once
// "Таблица символов": the characters of one font family. The blocks the font touches on the left,
// the grid in the middle, the selected character enlarged with its code point, block and name on
// the right above the cell size slider, and at the bottom a text field the user collects
// characters in, to copy or to hand to the main window's preview. Owned by the main window and
// following its selection while open; Escape closes it.

#include <windows.h>

#include <functional>
#include <string>

#include "app/character_grid_view.h"
#include "subclass/subclass.h"
#include "win/controls.h"
#include "win/handles.h"
#include "win/window.h"

namespace app {

// The selected character, large, centred in a white box.
class CharacterSample : public win::Window {
public:
    ~CharacterSample() override { Destroy(); }
    void Create(HWND parent, UINT_PTR id);
    void Show(const std::wstring& family, char32_t codePoint);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override {
        font_.reset();
        family_.clear();
    }

private:
    std::wstring family_;
    char32_t codePoint_ = 0;
    win::UniqueFont font_;
    int fontHeight_ = 0;
};

class CharacterMapWindow : public win::Window {
public:
    static constexpr wchar_t kCaption[] = L"Таблица символов";
    using PreviewSink = std::function<void(const std::wstring& text)>;

    // toPreview receives the collected text when "В просмотр" is pressed.
    explicit CharacterMapWindow(PreviewSink toPreview) : toPreview_(std::move(toPreview)) {}
    ~CharacterMapWindow() override { Destroy(); }

    // Opens the window owned by owner for the family, or brings it forward showing the family.
    void Open(HWND owner, const std::wstring& family);
    bool IsOpen() const noexcept { return hwnd() != nullptr; }
    // Shows another family while open; nothing happens while closed.
    void ShowFamily(const std::wstring& family);

    // The parts tests look at.
    const std::wstring& Family() const noexcept { return family_; }
    CharacterGridView& Grid() noexcept { return grid_; }
    const win::ListBox& Blocks() const noexcept { return blocks_; }
    const win::SingleLineEdit& Collected() const noexcept { return collected_; }
    std::wstring SelectionText() const;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Escape closes the window and Tab moves on from whichever control has the focus, without the
    // message loop's help: the window is modeless and the program's loop knows only the main window.
    // The windows it is attached to let it go when they are destroyed.
    class ChildKeys final : public subclass::SubclassClient {
    public:
        core::MessageResponse MsgResponse() override { return core::MessageResponse::Consume; }
        LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    };

    class Slider : public win::ChildControl {
    public:
        void Create(HWND parent, UINT_PTR id, int minimum, int maximum, int position);
        int Position() const;
    };

    void CreateControls();
    RECT GridBounds() const;
    void LayOut();
    void FillBlocks();
    void OnSelection(char32_t codePoint);
    void Copy(const std::wstring& text) const;
    void Collect(char32_t codePoint);
    void OnCommand(WPARAM wParam);
    int CellSizeFromSlider() const;

    PreviewSink toPreview_;
    ChildKeys childKeys_;
    SIZE laidOut_{};  // the client size the controls were last placed for
    std::wstring family_;
    win::Label fontLabel_;
    win::Label blocksLabel_;
    win::ListBox blocks_;
    CharacterGridView grid_;
    CharacterSample sample_;
    win::Label codeLabel_;
    win::Label blockLabel_;
    win::Label nameLabel_;
    win::Label sizeLabel_;
    Slider size_;
    win::Label collectedLabel_;
    win::SingleLineEdit collected_;
    win::PushButton copyButton_;
    win::PushButton previewButton_;
};

}  // namespace app
