#include "imaging/image_list.h"

#include <ole2.h>
#include <olectl.h>

#include <algorithm>
#include <utility>

#include "core/runtime_error.h"

namespace imaging {

namespace {

[[noreturn]] void Raise(std::int32_t number) {
    const wchar_t* description = number == core::error_number::kSubscriptOutOfRange
                                     ? L"Subscript out of range"
                                     : L"This key is already associated with an element of this collection";
    throw core::RuntimeError(number, description, core::ErrorSource(L".zentImageList"));
}

std::wstring_view TrimBlanks(std::wstring_view text) {
    const auto first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) return {};
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

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
    keys_.clear();
    displayDc_.reset();
}

bool ImageList::Clear() {
    const bool created = Create();
    keys_.clear();
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
                            core::Colour backColour, const std::optional<ImageRef>& keyAfter) {
    if (!handle_) return false;
    const bool isBitmap = type == ImageType::Bitmap;
    const UINT flags = LR_LOADFROMFILE | (mapSysColors ? LR_LOADMAP3DCOLORS : 0);
    LoadedImage image(::LoadImageW(nullptr, fileName.c_str(), SystemImageType(type), isBitmap ? 0 : IconSizeX,
                                   isBitmap ? 0 : IconSizeY, flags),
                      type);
    return image.get() && AddFromHandle(image.get(), type, key, backColour, keyAfter);
}

bool ImageList::AddFromResourceID(int resourceId, HINSTANCE module, ImageType type, const std::wstring& key,
                                  bool mapSysColors, core::Colour backColour, const std::optional<ImageRef>& keyAfter) {
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
    COLORREF back = CLR_INVALID;
    if (backColour == core::kNoColour) {
        back = ::GetPixel(picture, 0, 0);
    } else if (FAILED(::OleTranslateColor(static_cast<OLE_COLOR>(backColour), nullptr, &back))) {
        back = RGB(0xC0, 0xC0, 0xC0);
    }
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
                              const std::optional<ImageRef>& keyAfter) {
    if (!handle_ || !image) return false;
    int after = 0;  // 1-based image to insert after; 0 appends
    if (keyAfter && !(std::holds_alternative<int>(*keyAfter) && std::get<int>(*keyAfter) == 0) && ImageCount() > 0) {
        after = ItemIndex(*keyAfter);
        if (after < 1) return false;
    }
    int added = -1;
    if (type == ImageType::Bitmap) {
        COLORREF mask = CLR_INVALID;
        if (backColour != core::kNoColour) {
            ::OleTranslateColor(static_cast<OLE_COLOR>(backColour), nullptr, &mask);
        } else {
            mask = TopLeftPixel(static_cast<HBITMAP>(image), ReferenceDc());
        }
        added = ::ImageList_AddMasked(handle_.get(), static_cast<HBITMAP>(image), mask);
    } else {
        added = ::ImageList_AddIcon(handle_.get(), static_cast<HICON>(image));
    }
    if (added < 0) return false;
    keys_.resize(static_cast<std::size_t>(ImageCount()));
    // Bubble the new image down from the end to just after image `after`; where a swap fails it
    // stays, and its key goes with it.
    int position = added;
    while (after > 0 && position > after && SwapImages(handle_.get(), position, position - 1)) {
        std::swap(keys_[position], keys_[position - 1]);
        --position;
    }
    StoreKey(position, key);
    return true;
}

void ImageList::StoreKey(int position, const std::wstring& key) {
    if (static_cast<std::size_t>(position) >= keys_.size()) keys_.resize(static_cast<std::size_t>(position) + 1);
    if (!key.empty()) {
        for (std::size_t i = 0; i < keys_.size(); ++i) {
            if (static_cast<int>(i) == position) continue;
            const std::wstring_view other = TrimBlanks(keys_[i]);
            if (!other.empty() && other == key) Raise(core::error_number::kKeyAlreadyExists);
        }
    }
    keys_[position] = key;
}

int ImageList::ItemIndex(const ImageRef& image) const {
    if (const int* number = std::get_if<int>(&image)) {
        if (*number < 1 || *number > ImageCount()) Raise(core::error_number::kSubscriptOutOfRange);
        return *number;
    }
    const std::wstring& key = std::get<std::wstring>(image);
    const auto found = std::find(keys_.begin(), keys_.end(), key);
    return found == keys_.end() ? -1 : static_cast<int>(found - keys_.begin()) + 1;
}

int ImageList::RequireIndex(const ImageRef& image) const {
    const int index = ItemIndex(image);
    if (index < 1) Raise(core::error_number::kSubscriptOutOfRange);
    return index;
}

const std::wstring& ImageList::ItemKey(int index) const {
    if (index < 1 || index > ImageCount()) Raise(core::error_number::kSubscriptOutOfRange);
    static const std::wstring kNone;
    return static_cast<std::size_t>(index) <= keys_.size() ? keys_[index - 1] : kNone;
}

void ImageList::SetItemKey(int index, const std::wstring& key) {
    if (index < 1 || index > ImageCount()) Raise(core::error_number::kSubscriptOutOfRange);
    StoreKey(index - 1, key);
}

bool ImageList::KeyExists(const std::wstring& key) const { return ItemIndex(key) > 0; }

void ImageList::RemoveImage(const ImageRef& image) {
    const int index = RequireIndex(image);
    if (!::ImageList_Remove(handle_.get(), index - 1)) return;
    if (static_cast<std::size_t>(index) <= keys_.size()) keys_.erase(keys_.begin() + (index - 1));
    keys_.resize(static_cast<std::size_t>(ImageCount()));
}

void ImageList::DrawImage(const ImageRef& image, HDC hdc, int x, int y, bool selected, bool cut, bool disabled,
                          core::Colour cutDitherColour, HIMAGELIST externalList) const {
    const int index = ItemIndex(image);
    if (index < 1) return;
    HIMAGELIST list = externalList ? externalList : handle_.get();
    if (!list) return;
    UINT style = ILD_TRANSPARENT;
    if (selected || cut) style |= ILD_BLEND50;
    if (cut) {
        COLORREF dither = CLR_INVALID;
        if (cutDitherColour == core::kNoColour ||
            FAILED(::OleTranslateColor(static_cast<OLE_COLOR>(cutDitherColour), nullptr, &dither))) {
            dither = ::GetSysColor(COLOR_WINDOW);
        }
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

win::UniqueIcon ImageList::ItemCopyOfIcon(const ImageRef& image) const {
    const int index = ItemIndex(image);
    if (index < 1) return {};
    return win::UniqueIcon(GetIcon(handle_.get(), index - 1));
}

imaging::Picture ImageList::ImagePictureStrip(const std::optional<ImageRef>& start, const std::optional<ImageRef>& end,
                                              core::Colour backColour) const {
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
        COLORREF back = CLR_INVALID;
        if (backColour == core::kNoColour ||
            FAILED(::OleTranslateColor(static_cast<OLE_COLOR>(backColour), nullptr, &back))) {
            back = ::GetSysColor(COLOR_WINDOW);
        }
        win::UniqueBrush brush(::CreateSolidBrush(back));
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

void ImageList::SwapOrCopyImage(const ImageRef& source, const ImageRef& destination, bool swap) {
    const int from = RequireIndex(source);
    const int to = RequireIndex(destination);
    if (from == to) return;
    const bool done = swap ? SwapImages(handle_.get(), from - 1, to - 1)
                           : ::ImageList_Copy(handle_.get(), to - 1, handle_.get(), from - 1, ILCF_MOVE) != FALSE;
    // Keys follow their images: when the images stayed, so do the keys.
    if (!done) return;
    keys_.resize(static_cast<std::size_t>(ImageCount()));
    std::swap(keys_[from - 1], keys_[to - 1]);
}

}  // namespace imaging
