#pragma once
// The icons of a command bar, drawn in the states its painters need. Normal icons come straight
// from the source image list; disabled, dimmed and highlighted renderings are computed once per
// (icon, state) into a 32-bit cache strip with per-pixel alpha and blended from there.

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <vector>

#include "core/colour_math.h"
#include "core/commandbar/icon_states.h"
#include "win/dib_surface.h"
#include "win/handles.h"

namespace commandbar {

using core::Colour;

class CommandBarImageList {
public:
    CommandBarImageList() = default;
    ~CommandBarImageList() { Destroy(); }
    CommandBarImageList(const CommandBarImageList&) = delete;
    CommandBarImageList& operator=(const CommandBarImageList&) = delete;

    // The source list is not owned: it must outlive this object. A null or unreadable handle gives
    // an empty list that draws nothing.
    void InitialiseFromHandle(HIMAGELIST imageList);
    // Same source and icon size as `other`, with a cache of its own.
    void InitialiseFromInstance(const CommandBarImageList& other);

    // Draws icon iconIndex at (x, y); width and height below 0 mean the icon size and never exceed it.
    void Draw(HDC hdc, int iconIndex, core::IconState drawState, int x, int y, int width = -1, int height = -1);

    // 1-based entry of (icon, state) in the cache, 0 when it has not been rendered.
    int IndexOf(int iconIndex, core::IconState drawState) const noexcept;
    // Icon index of a 1-based entry; error 9 outside 1..Count().
    int IconIndexOf(int entry) const;
    int Count() const noexcept { return static_cast<int>(entries_.size()); }

    // Setting a different colour re-renders the cached entries of that state in place.
    Colour DisabledColour() const noexcept { return disabledColour_; }
    void SetDisabledColour(Colour colour);
    Colour HighlightColour() const noexcept { return highlightColour_; }
    void SetHighlightColour(Colour colour);

    // Copies the whole cache strip to hdc (a diagnostic view).
    void DrawStrip(HDC hdc, int x, int y) const;

    // Drops the cache; the source and the icon size stay, and later draws render afresh.
    void Destroy();

    HIMAGELIST Handle() const noexcept { return source_; }
    int IconWidth() const noexcept { return iconWidth_; }
    int IconHeight() const noexcept { return iconHeight_; }
    int Capacity() const noexcept { return capacity_; }
    // x offset of a 1-based entry's cell in the strip.
    int EntryOffset(int entry) const { return entries_.at(static_cast<std::size_t>(entry - 1)).offset; }
    // The strip's device context and its premultiplied 0xAARRGGBB pixels, rows top to bottom.
    HDC StripDc() const noexcept { return strip_.Dc(); }
    int StripWidth() const noexcept { return strip_.Width(); }
    const std::uint32_t* StripPixels() const noexcept { return strip_.Pixels().data(); }

private:
    struct Entry {
        int iconIndex = 0;
        int offset = 0;
        core::IconState state = core::IconState::Normal;
    };

    void CreateStrip();
    void GrowStrip();
    int AddEntry(int iconIndex, core::IconState drawState);
    void RenderEntry(const Entry& entry);
    void BlendCell(HDC hdc, int offset, int x, int y, int width, int height);

    HIMAGELIST source_ = nullptr;
    int iconWidth_ = 0;
    int iconHeight_ = 0;

    win::DibSurface strip_;
    int capacity_ = 0;
    std::vector<Entry> entries_;

    Colour disabledColour_ = core::SystemColourRef(COLOR_BTNSHADOW);
    Colour highlightColour_ = core::SystemColourRef(COLOR_HIGHLIGHT);
};

}  // namespace commandbar
