#pragma once
// A COMCTL32 image list with what the platform list lacks: a string key per image, lookup by key
// or by 1-based number, insertion after a given image, and drawing selected, cut or disabled.
// The keys and their errors are core::ImageKeys'.

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>

#include "core/colour_math.h"
#include "core/imaging/image_keys.h"
#include "core/item_ref.h"
#include "imaging/picture.h"
#include "win/handles.h"

namespace imaging {

enum class ImageType : int { Bitmap = 0, Icon = 1, Cursor = 2 };

class ImageList {
public:
    ImageList() = default;
    ~ImageList() { Destroy(); }
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    // Bits per pixel of the display.
    static int SystemColourDepth();

    // Take effect at the next Create.
    int IconSizeX = 16;
    int IconSizeY = 16;
    // 4, 8, 16, 24 or 32: the platform's ILC_COLOR* value.
    int ColourDepth = 0;
    // Device context used to read bitmaps; a display DC is made on demand when it is null.
    HDC OwnerHDC = nullptr;

    // Replaces any existing list; false (and no list) when the platform refuses.
    bool Create();
    void Destroy();
    // An empty list of the current size and depth.
    bool Clear();

    HIMAGELIST Handle() const noexcept { return handle_.get(); }
    int ImageCount() const noexcept;

    // Loads an icon or cursor at IconSizeX x IconSizeY, a bitmap at its own size. keyAfter (a
    // number or key; 0 or none means the end) places the image after that image; when it names no
    // image nothing is added. Returns whether an image was added.
    bool AddFromFile(const std::wstring& fileName, ImageType type, const std::wstring& key = {},
                     bool mapSysColors = false, core::Colour backColour = core::kNoColour,
                     const std::optional<core::ItemRef>& keyAfter = std::nullopt);
    // The handle stays the caller's. A bitmap's transparent colour is backColour, or its top-left
    // pixel when that is -1.
    bool AddFromHandle(HANDLE image, ImageType type, const std::wstring& key = {},
                       core::Colour backColour = core::kNoColour,
                       const std::optional<core::ItemRef>& keyAfter = std::nullopt);

    // Loads the image resource `resourceId` of `module` (icons at the list's size), as AddFromFile.
    bool AddFromResourceID(int resourceId, HINSTANCE module, ImageType type, const std::wstring& key = {},
                           bool mapSysColors = false, core::Colour backColour = core::kNoColour,
                           const std::optional<core::ItemRef>& keyAfter = std::nullopt);
    // Adds a block of at most 16 x 16 pixels copied from (left, top) of a picture's device context,
    // on a bitmap of the icon size filled with backColour: -1 takes the picture's top-left pixel, an
    // untranslatable colour becomes light grey. The back colour is the transparent colour.
    bool AddFromDeviceContext(HDC picture, const std::wstring& key = {}, int left = 0, int top = 0,
                              core::Colour backColour = core::kNoColour);

    // 1-based number of the image, or -1 for a key no image has. A number outside 1..ImageCount
    // raises error 9.
    int ItemIndex(const core::ItemRef& image) const;
    const std::wstring& ItemKey(int index) const;
    void SetItemKey(int index, const std::wstring& key);
    bool KeyExists(const std::wstring& key) const;

    // Removes the image; error 9 when it names no image.
    void RemoveImage(const core::ItemRef& image);

    // Draws the image at (x, y): half-blended when selected or cut (cut blends with
    // cutDitherColour, the window colour when that is -1), greyed when disabled. externalList,
    // when given, is drawn from instead of this list.
    void DrawImage(const core::ItemRef& image, HDC hdc, int x, int y, bool selected = false, bool cut = false,
                   bool disabled = false, core::Colour cutDitherColour = core::kNoColour,
                   HIMAGELIST externalList = nullptr) const;

    // A new icon of the image, owned by the caller; null when the image does not exist.
    win::UniqueIcon ItemCopyOfIcon(const core::ItemRef& image) const;

    // A picture one image high and ImageCount images wide, filled with backColour (the window
    // colour when -1), with the images from start to end drawn at their own positions. Empty when
    // start comes after end; the whole list when both are left out.
    imaging::Picture ImagePictureStrip(const std::optional<core::ItemRef>& start = std::nullopt,
                                       const std::optional<core::ItemRef>& end = std::nullopt,
                                       core::Colour backColour = core::kNoColour) const;

    // Swaps two images (and their keys), or copies the source image over the destination.
    void SwapOrCopyImage(const core::ItemRef& source, const core::ItemRef& destination, bool swap);

private:
    HDC ReferenceDc();

    win::UniqueImageList handle_;
    core::ImageKeys keys_;
    win::UniqueMemoryDc displayDc_;
};

namespace testing {
// Replaces ImageList_GetIcon so that a failed extraction can be provoked; null restores it.
using IconExtractor = HICON (*)(HIMAGELIST, int, UINT);
void SetIconExtractor(IconExtractor extractor) noexcept;
}  // namespace testing

}  // namespace imaging
