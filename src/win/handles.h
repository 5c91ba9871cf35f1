#pragma once
// Move-only owners for Win32 handles and small guards for paired calls.
//
// The unmarked name owns; copying is impossible, so a handle is never released twice.
// get() hands out the raw handle for calls; there is no implicit conversion.

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace win {

// Handle is a pointer-like Win32 handle whose empty value is null; Close releases it.
template <typename Handle, auto Close>
class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != nullptr; }

    Handle release() noexcept { return std::exchange(handle_, nullptr); }
    void reset(Handle handle = nullptr) noexcept {
        if (Handle old = std::exchange(handle_, handle)) Close(old);
    }
    // For calls that hand a new handle back through an out-parameter; whatever was held goes first.
    Handle* put() noexcept {
        reset();
        return &handle_;
    }

private:
    Handle handle_ = nullptr;
};

// The release calls, as plain functions (the system's own are imported, so their addresses are no
// constants to instantiate with).
namespace close {
inline void GdiObject(HGDIOBJ handle) noexcept { ::DeleteObject(handle); }
inline void MemoryDc(HDC handle) noexcept { ::DeleteDC(handle); }
inline void Icon(HICON handle) noexcept { ::DestroyIcon(handle); }
inline void RegKey(HKEY handle) noexcept { ::RegCloseKey(handle); }
inline void KernelHandle(HANDLE handle) noexcept { ::CloseHandle(handle); }
// A window may already be gone with its parent.
inline void Window(HWND handle) noexcept {
    if (::IsWindow(handle)) ::DestroyWindow(handle);
}
inline void Hook(HHOOK handle) noexcept { ::UnhookWindowsHookEx(handle); }
inline void Module(HMODULE handle) noexcept { ::FreeLibrary(handle); }
inline void ImageList(HIMAGELIST handle) noexcept { ::ImageList_Destroy(handle); }
}  // namespace close

using UniqueFont = UniqueHandle<HFONT, close::GdiObject>;
using UniqueBrush = UniqueHandle<HBRUSH, close::GdiObject>;
using UniquePen = UniqueHandle<HPEN, close::GdiObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, close::GdiObject>;
using UniqueRegion = UniqueHandle<HRGN, close::GdiObject>;
using UniqueMemoryDc = UniqueHandle<HDC, close::MemoryDc>;
using UniqueIcon = UniqueHandle<HICON, close::Icon>;
using UniqueRegKey = UniqueHandle<HKEY, close::RegKey>;
using UniqueKernelHandle = UniqueHandle<HANDLE, close::KernelHandle>;
using UniqueWindow = UniqueHandle<HWND, close::Window>;
using UniqueHook = UniqueHandle<HHOOK, close::Hook>;
using UniqueModule = UniqueHandle<HMODULE, close::Module>;
using UniqueImageList = UniqueHandle<HIMAGELIST, close::ImageList>;

// GetDC/ReleaseDC pair.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) noexcept : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ::ReleaseDC(hwnd_, dc_);
    }
    HDC get() const noexcept { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint/EndPaint pair.
class PaintGuard {
public:
    explicit PaintGuard(HWND hwnd) noexcept : hwnd_(hwnd) { ::BeginPaint(hwnd_, &ps_); }
    PaintGuard(const PaintGuard&) = delete;
    PaintGuard& operator=(const PaintGuard&) = delete;
    ~PaintGuard() { ::EndPaint(hwnd_, &ps_); }
    HDC dc() const noexcept { return ps_.hdc; }
    const RECT& area() const noexcept { return ps_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
};

// SelectObject that selects the previous object back. It moves, so a class can keep an object
// selected for its own lifetime by holding the guard as a member.
class SelectGuard {
public:
    SelectGuard() noexcept = default;
    SelectGuard(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(object ? ::SelectObject(dc, object) : nullptr) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    SelectGuard(SelectGuard&& other) noexcept : dc_(other.dc_), old_(std::exchange(other.old_, nullptr)) {}
    SelectGuard& operator=(SelectGuard&& other) noexcept {
        if (this != &other) {
            Restore();
            dc_ = other.dc_;
            old_ = std::exchange(other.old_, nullptr);
        }
        return *this;
    }
    ~SelectGuard() { Restore(); }
    // False when the DC refused the object (a bitmap selected elsewhere, for one).
    bool Selected() const noexcept { return old_ != nullptr; }
    // Selects the previous object back now; the guard is then empty.
    void Restore() noexcept {
        if (old_) ::SelectObject(dc_, std::exchange(old_, nullptr));
    }

private:
    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

// SaveDC/RestoreDC pair, for calls that change several DC attributes at once.
class DcStateGuard {
public:
    explicit DcStateGuard(HDC dc) noexcept : dc_(dc), saved_(::SaveDC(dc)) {}
    DcStateGuard(const DcStateGuard&) = delete;
    DcStateGuard& operator=(const DcStateGuard&) = delete;
    ~DcStateGuard() {
        if (saved_) ::RestoreDC(dc_, saved_);
    }

private:
    HDC dc_;
    int saved_;
};

}  // namespace win
