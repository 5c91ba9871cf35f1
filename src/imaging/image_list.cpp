#include "imaging/image_list.h"

#include <algorithm>
#include <utility>

#include "win/gdi.h"

namespace imaging {

namespace {

COLORREF TopLeftPixel(HBITMAP bitmap, HDC reference) {
    win::UniqueMemoryDc dc(::CreateCompatibleDC(reference));
    if (!dc) return CLR_INVALID;
    win::SelectGuard select(dc.get(), bitmap);
    return ::GetPixel(dc.get(), 0, 0);
}

testing::IconExtractor& Extractor() {
    static testing::IconExtractor extractor = nullptr;
    return extractor;
}

HICON GetIcon(HIMAGELIST list, int index) {
    return Extractor() ? Extractor()(list, index, ILD_NORMAL) : ::ImageList_GetIcon(list, index, ILD_NORMAL);
}

// Exchanges two images through icons: a platform swap (ILCF_SWAP) loses the source image on some
// image list implementations (Wine's), and icons carry colour, mask and alpha alike. False when
// the images stayed where they were; a half-done exchange is undone.
bool SwapImages(HIMAGELIST list, int first, int second) {
    win::UniqueIcon firstIcon(GetIcon(list, first));
    win::UniqueIcon secondIcon(GetIcon(list, second));
    if (!firstIcon || !secondIcon) return false;
    if (::ImageList_ReplaceIcon(list, first, secondIcon.get()) < 0) return false;
    if (::ImageList_ReplaceIcon(list, second, firstIcon.get()) < 0) {
        ::ImageList_ReplaceIcon(list, first, firstIcon.get());
        return false;
    }
    return true;
}

}  // namespace

int ImageList::SystemColourDepth() {
    win::UniqueMemoryDc display(::CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr));
    return display ? ::GetDeviceCaps(display.get(), BITSPIXEL) : 0;
}

bool ImageList::Create() {
    Destroy();
    HIMAGELIST created = ::ImageList_Create(IconSizeX, IconSizeY, static_cast<UINT>(ColourDepth) | ILC_MASK, 4, 4);
    if (!created || created == reinterpret_cast<HIMAGELIST>(-1)) return false;
    handle_.reset(created);
    return true;
}

void ImageList::Destroy() {
    handle_.reset();
    keys_.Clear();
    displayDc_.reset();
}

bool ImageList::Clear() {
    const bool created = Create();
    keys_.Clear();
    return created;
}

int ImageList::ImageCount() const noexcept { return handle_ ? ::ImageList_GetImageCount(handle_.get()) : 0; }

HDC ImageList::ReferenceDc() {
    if (OwnerHDC) return OwnerHDC;
    if (!displayDc_) displayDc_.reset(::CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr));
    return displayDc_.get();
}

namespace {

UINT SystemImageType(ImageType type) {
    switch (type) {
        case ImageType::Bitmap:
            return IMAGE_BITMAP;
        case ImageType::Icon:
            return IMAGE_ICON;
        default:
            return IMAGE_CURSOR;
    }
}

// The colour as GDI takes it; the window colour when there is none or it cannot be translated.
COLORREF ColourOrWindow(core::Colour colour) {
    const core::Colour rgb = win::TranslateColour(colour);
    return rgb == core::kNoColour ? ::GetSysColor(COLOR_WINDOW) : static_cast<COLORREF>(rgb);
}

// Frees a loaded image by its type, whatever happens to it in between (457 included).
class LoadedImage {
public:
    LoadedImage(HANDLE image, ImageType type) noexcept : image_(image), type_(type) {}
    LoadedImage(const LoadedImage&) = delete;
    LoadedImage& operator=(const LoadedImage&) = delete;
    ~LoadedImage() {
        if (!image_) return;
        if (type_ == ImageType::Bitmap) {
            ::DeleteObject(image_);
        } else if (type_ == ImageType::Icon) {
            ::DestroyIcon(static_cast<HICON>(image_));
        } else {
            ::DestroyCursor(static_cast<HCURSOR>(image_));
        }
    }
    HANDLE get() const noexcept { return image_; }

private:
    HANDLE image_;
    ImageType type_;
};

}  // namespace

bool ImageList::AddFromFile(const std::wstring& fileName, ImageType type, const std::wstring& key, bool mapSysColors,
                            core::Colour backColour, const std::optional<core::ItemRef>& keyAfter) {
    if (!handle_) return false;
    const bool isBitmap = type == ImageType::Bitmap;
    const UINT flags = LR_LOADFROMFILE | (mapSysColors ? LR_LOADMAP3DCOLORS : 0);
    LoadedImage image(::LoadImageW(nullptr, fileName.c_str(), SystemImageType(type), isBitmap ? 0 : IconSizeX,
                                   isBitmap ? 0 : IconSizeY, flags),
                      type);
    return image.get() && AddFromHandle(image.get(), type, key, backColour, keyAfter);
}

bool ImageList::AddFromResourceID(int resourceId, HINSTANCE module, ImageType type, const std::wstring& key,
                                  bool mapSysColors, core::Colour backColour,
                                  const std::optional<core::ItemRef>& keyAfter) {
    if (!handle_) return false;
    const bool isBitmap = type == ImageType::Bitmap;
    LoadedImage image(
        ::LoadImageW(module, MAKEINTRESOURCEW(resourceId), SystemImageType(type), isBitmap ? 0 : IconSizeX,
                     isBitmap ? 0 : IconSizeY, mapSysColors ? LR_LOADMAP3DCOLORS : 0),
        type);
    return image.get() && AddFromHandle(image.get(), type, key, backColour, keyAfter);
}

bool ImageList::AddFromDeviceContext(HDC picture, const std::wstring& key, int left, int top, core::Colour backColour) {
    if (!handle_ || !picture) return false;
    // The picture's corner when no colour is given; silver when neither can be had.
    COLORREF back = backColour == core::kNoColour ? ::GetPixel(picture, 0, 0)
                                                  : static_cast<COLORREF>(win::TranslateColour(backColour));
    if (back == CLR_INVALID) back = RGB(0xC0, 0xC0, 0xC0);
    win::UniqueBitmap bitmap(::CreateCompatibleBitmap(picture, IconSizeX, IconSizeY));
    win::UniqueMemoryDc dc(::CreateCompatibleDC(picture));
    if (!bitmap || !dc) return false;
    {
        win::SelectGuard select(dc.get(), bitmap.get());
        win::UniqueBrush brush(::CreateSolidBrush(back));
        const RECT all{0, 0, IconSizeX, IconSizeY};
        ::FillRect(dc.get(), &all, brush.get());
        ::BitBlt(dc.get(), 0, 0, std::min(IconSizeX, 16), std::min(IconSizeY, 16), picture, left, top, SRCCOPY);
    }
    return AddFromHandle(bitmap.get(), ImageType::Bitmap, key, static_cast<core::Colour>(back));
}

bool ImageList::AddFromHandle(HANDLE image, ImageType type, const std::wstring& key, core::Colour backColour,
                              const std::optional<core::ItemRef>& keyAfter) {
    if (!handle_ || !image) return false;
    int after = 0;  // 1-based image to insert after; 0 appends
    if (keyAfter && !(keyAfter->IsNumber() && keyAfter->Number() == 0) && ImageCount() > 0) {
        after = ItemIndex(*keyAfter);
        if (after < 1) return false;
    }
    int added = -1;
    if (type == ImageType::Bitmap) {
        // An untranslatable colour masks nothing (CLR_INVALID).
        const COLORREF mask = backColour != core::kNoColour ? static_cast<COLORREF>(win::TranslateColour(backColour))
                                                            : TopLeftPixel(static_cast<HBITMAP>(image), ReferenceDc());
        added = ::ImageList_AddMasked(handle_.get(), static_cast<HBITMAP>(image), mask);
    } else {
        added = ::ImageList_AddIcon(handle_.get(), static_cast<HICON>(image));
    }
    if (added < 0) return false;
    keys_.Resize(ImageCount());
    // Bubble the new image down from the end to just after image `after`; where a swap fails it
    // stays, and its key goes with it.
    int position = added;
    while (after > 0 && position > after && SwapImages(handle_.get(), position, position - 1)) {
        keys_.Swap(position + 1, position);
        --position;
    }
    keys_.SetKey(position + 1, key, ImageCount());
    return true;
}

int ImageList::ItemIndex(const core::ItemRef& image) const { return keys_.IndexOf(image, ImageCount()); }

const std::wstring& ImageList::ItemKey(int index) const { return keys_.KeyAt(index, ImageCount()); }

void ImageList::SetItemKey(int index, const std::wstring& key) { keys_.SetKey(index, key, ImageCount()); }

bool ImageList::KeyExists(const std::wstring& key) const { return ItemIndex(key) > 0; }

void ImageList::RemoveImage(const core::ItemRef& image) {
    const int index = keys_.RequireIndex(image, ImageCount());
    if (!::ImageList_Remove(handle_.get(), index - 1)) return;
    keys_.Remove(index);
    keys_.Resize(ImageCount());
}

void ImageList::DrawImage(const core::ItemRef& image, HDC hdc, int x, int y, bool selected, bool cut, bool disabled,
                          core::Colour cutDitherColour, HIMAGELIST externalList) const {
    const int index = ItemIndex(image);
    if (index < 1) return;
    HIMAGELIST list = externalList ? externalList : handle_.get();
    if (!list) return;
    UINT style = ILD_TRANSPARENT;
    if (selected || cut) style |= ILD_BLEND50;
    if (cut) {
        const COLORREF dither = ColourOrWindow(cutDitherColour);
        ::ImageList_DrawEx(list, index - 1, hdc, x, y, 0, 0, CLR_NONE, dither, style);
    } else if (!disabled) {
        ::ImageList_Draw(list, index - 1, hdc, x, y, style);
    } else {
        // Greyed by the system from an icon of our own list.
        win::UniqueIcon icon(GetIcon(handle_.get(), index - 1));
        if (!icon) return;
        ::DrawStateW(hdc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon.get()), 0, x, y, IconSizeX, IconSizeY,
                     DST_ICON | DSS_DISABLED);
    }
}

win::UniqueIcon ImageList::ItemCopyOfIcon(const core::ItemRef& image) const {
    const int index = ItemIndex(image);
    if (index < 1) return {};
    return win::UniqueIcon(GetIcon(handle_.get(), index - 1));
}

imaging::Picture ImageList::ImagePictureStrip(const std::optional<core::ItemRef>& start,
                                              const std::optional<core::ItemRef>& end, core::Colour backColour) const {
    const int count = ImageCount();
    if (count == 0) return {};
    const int first = start ? ItemIndex(*start) : 1;
    const int last = end ? ItemIndex(*end) : count;
    if (first < 1 || last < 1 || first > last) return {};
    win::WindowDc screen(nullptr);
    win::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), count * IconSizeX, IconSizeY));
    win::UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
    if (!bitmap || !dc) return {};
    {
        win::SelectGuard select(dc.get(), bitmap.get());
        win::UniqueBrush brush(::CreateSolidBrush(ColourOrWindow(backColour)));
        const RECT all{0, 0, count * IconSizeX, IconSizeY};
        ::FillRect(dc.get(), &all, brush.get());
        for (int index = first; index <= last; ++index) {
            ::ImageList_Draw(handle_.get(), index - 1, dc.get(), (index - 1) * IconSizeX, 0, ILD_TRANSPARENT);
        }
    }
    return imaging::Picture(bitmap.release());
}

namespace testing {
void SetIconExtractor(IconExtractor extractor) noexcept { Extractor() = extractor; }
}  // namespace testing

void ImageList::SwapOrCopyImage(const core::ItemRef& source, const core::ItemRef& destination, bool swap) {
    const int from = keys_.RequireIndex(source, ImageCount());
    const int to = keys_.RequireIndex(destination, ImageCount());
    if (from == to) return;
    const bool done = swap ? SwapImages(handle_.get(), from - 1, to - 1)
                           : ::ImageList_Copy(handle_.get(), to - 1, handle_.get(), from - 1, ILCF_MOVE) != FALSE;
    // Keys follow their images: when the images stayed, so do the keys.
    if (!done) return;
    keys_.Resize(ImageCount());
    keys_.Swap(from, to);
}

}  // namespace imaging
