#include "commandbar/command_bar_image_list.h"

#include <algorithm>

#include "commandbar/platform_detection.h"
#include "core/commandbar/command_bar_error.h"
#include "core/commandbar/icon_states.h"
#include "win/bitmap_info.h"
#include "win/gdi.h"

namespace commandbar {

namespace {

constexpr int kGrowthStep = 10;

// The bitmap's pixels as 32-bit 0xAARRGGBB values, top row first; empty when it cannot be read.
std::vector<std::uint32_t> ReadPixels(HBITMAP bitmap, int width, int height) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    BITMAPINFO info = win::TopDown32BitmapInfo(width, height);
    win::WindowDc screen(nullptr);
    if (::GetDIBits(screen.get(), bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS) != height) return {};
    return pixels;
}

// The icon's pixels with their alpha: a 32-bit icon's own alpha where it has any, else the mask.
std::vector<core::IconPixel> ReadIconPixels(HIMAGELIST source, int iconIndex, int width, int height) {
    win::UniqueIcon icon(::ImageList_GetIcon(source, iconIndex, ILD_NORMAL));
    if (!icon) return {};
    ICONINFO info{};
    if (!::GetIconInfo(icon.get(), &info)) return {};
    win::UniqueBitmap colourBitmap(info.hbmColor);
    win::UniqueBitmap maskBitmap(info.hbmMask);
    if (!colourBitmap) return {};
    const auto colour = ReadPixels(colourBitmap.get(), width, height);
    const auto mask = ReadPixels(maskBitmap.get(), width, height);
    if (colour.empty() || mask.empty()) return {};
    const bool hasAlpha = std::any_of(colour.begin(), colour.end(), [](std::uint32_t p) { return (p >> 24) != 0; });
    std::vector<core::IconPixel> pixels(colour.size());
    for (std::size_t i = 0; i < colour.size(); ++i) {
        const std::uint32_t p = colour[i];
        const bool masked = (mask[i] & 0x00FFFFFF) != 0;
        std::uint8_t alpha = masked ? 0 : 255;
        if (hasAlpha) alpha = static_cast<std::uint8_t>(p >> 24);
        pixels[i] = {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                     static_cast<std::uint8_t>(p), alpha};
    }
    return pixels;
}

}  // namespace

void CommandBarImageList::InitialiseFromHandle(HIMAGELIST imageList) {
    Destroy();
    source_ = nullptr;
    iconWidth_ = iconHeight_ = 0;
    if (!imageList) return;
    int width = 0, height = 0;
    IMAGEINFO info{};
    if (::ImageList_GetImageInfo(imageList, 0, &info)) {
        width = info.rcImage.right - info.rcImage.left;
        height = info.rcImage.bottom - info.rcImage.top;
    } else if (!::ImageList_GetIconSize(imageList, &width, &height)) {
        return;
    }
    if (width <= 0 || height <= 0) return;
    source_ = imageList;
    iconWidth_ = width;
    iconHeight_ = height;
    CreateStrip();
}

void CommandBarImageList::InitialiseFromInstance(const CommandBarImageList& other) {
    if (&other == this) return;
    Destroy();
    source_ = other.source_;
    iconWidth_ = other.iconWidth_;
    iconHeight_ = other.iconHeight_;
    if (source_) CreateStrip();
}

void CommandBarImageList::Destroy() {
    strip_.Reset();
    capacity_ = 0;
    entries_.clear();
}

void CommandBarImageList::CreateStrip() { GrowStrip(); }

void CommandBarImageList::GrowStrip() {
    const long long newCapacity = static_cast<long long>(capacity_) + kGrowthStep;
    win::DibSurface grown;
    // On failure the cache stays as it was; cells beyond it stay unrendered.
    if (!grown.Create(core::CheckedInt32(newCapacity * iconWidth_), iconHeight_)) return;
    if (strip_) {
        const auto from = strip_.Pixels();
        const auto to = grown.Pixels();
        for (int row = 0; row < strip_.Height(); ++row) {
            std::copy_n(from.begin() + static_cast<std::ptrdiff_t>(row) * strip_.Width(), strip_.Width(),
                        to.begin() + static_cast<std::ptrdiff_t>(row) * grown.Width());
        }
    }
    strip_ = std::move(grown);
    capacity_ = static_cast<int>(newCapacity);
}

int CommandBarImageList::AddEntry(int iconIndex, core::IconState drawState) {
    // One spare cell always follows the last entry: the manual blend works there.
    if (capacity_ < Count() + 2) GrowStrip();
    if (capacity_ < Count() + 2) return 0;
    Entry entry{iconIndex, Count() * iconWidth_, drawState};
    entries_.push_back(entry);
    RenderEntry(entry);
    return Count();
}

void CommandBarImageList::RenderEntry(const Entry& entry) {
    if (!strip_) return;
    const auto source = ReadIconPixels(source_, entry.iconIndex, iconWidth_, iconHeight_);
    std::vector<std::uint32_t> cell(static_cast<std::size_t>(iconWidth_) * iconHeight_, 0);
    if (!source.empty()) {
        cell = core::RenderIconState(source, entry.state, win::TranslateColour(disabledColour_),
                                     win::TranslateColour(highlightColour_));
    }
    const auto strip = strip_.Pixels();
    for (int row = 0; row < iconHeight_; ++row) {
        std::copy_n(cell.begin() + static_cast<std::ptrdiff_t>(row) * iconWidth_, iconWidth_,
                    strip.begin() + static_cast<std::ptrdiff_t>(row) * strip_.Width() + entry.offset);
    }
}

void CommandBarImageList::Draw(HDC hdc, int iconIndex, core::IconState drawState, int x, int y, int width, int height) {
    if (!source_ || iconIndex < 0) return;
    width = width < 0 ? iconWidth_ : std::min(width, iconWidth_);
    height = height < 0 ? iconHeight_ : std::min(height, iconHeight_);
    if (drawState == core::IconState::Normal) {
        ::ImageList_DrawEx(source_, iconIndex, hdc, x, y, width, height, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
        return;
    }
    int entry = IndexOf(iconIndex, drawState);
    if (entry == 0) entry = AddEntry(iconIndex, drawState);
    if (entry == 0) return;
    BlendCell(hdc, entries_[entry - 1].offset, x, y, width, height);
}

void CommandBarImageList::BlendCell(HDC hdc, int offset, int x, int y, int width, int height) {
    if (Platform().is2000OrLater) {
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        ::GdiAlphaBlend(hdc, x, y, width, height, strip_.Dc(), offset, 0, width, height, blend);
        return;
    }
    // Without the system blend: bring the destination into the spare cell, blend it there, put it back.
    const int spare = Count() * iconWidth_;
    ::BitBlt(strip_.Dc(), spare, 0, width, height, hdc, x, y, SRCCOPY);
    const auto strip = strip_.Pixels();
    for (int row = 0; row < height; ++row) {
        std::uint32_t* line = strip.data() + static_cast<std::size_t>(row) * strip_.Width();
        for (int column = 0; column < width; ++column) {
            const std::uint32_t source = line[offset + column];
            const std::uint32_t destination = line[spare + column];
            const std::uint32_t inverse = 255 - (source >> 24);
            std::uint32_t result = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                const std::uint32_t channel =
                    ((source >> shift) & 0xFF) + ((destination >> shift) & 0xFF) * inverse / 255;
                result |= std::min<std::uint32_t>(channel, 255) << shift;
            }
            line[spare + column] = result;
        }
    }
    ::BitBlt(hdc, x, y, width, height, strip_.Dc(), spare, 0, SRCCOPY);
}

int CommandBarImageList::IndexOf(int iconIndex, core::IconState drawState) const noexcept {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].iconIndex == iconIndex && entries_[i].state == drawState) return static_cast<int>(i) + 1;
    }
    return 0;
}

int CommandBarImageList::IconIndexOf(int entry) const {
    if (entry < 1 || entry > Count()) core::RaiseCommandBarError(core::command_bar_error::kSubscriptOutOfRange);
    return entries_[entry - 1].iconIndex;
}

void CommandBarImageList::SetDisabledColour(Colour colour) {
    if (colour == disabledColour_) return;
    disabledColour_ = colour;
    for (const Entry& entry : entries_) {
        if (entry.state == core::IconState::Disabled) RenderEntry(entry);
    }
}

void CommandBarImageList::SetHighlightColour(Colour colour) {
    if (colour == highlightColour_) return;
    highlightColour_ = colour;
    for (const Entry& entry : entries_) {
        if (entry.state == core::IconState::Highlighted) RenderEntry(entry);
    }
}

void CommandBarImageList::DrawStrip(HDC hdc, int x, int y) const {
    strip_.CopyTo(hdc, x, y);
}

}  // namespace commandbar
