#pragma once
// Move-only owners for Win32 handles and small guards for paired calls.
//
// The unmarked name owns; copying is impossible, so a handle is never released twice.
// get() hands out the raw handle for calls; there is no implicit conversion.

#include <windows.h>

#include <utility>

namespace win {

template <typename Handle, typename Traits>
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
    explicit operator bool() const noexcept { return handle_ != Traits::Invalid(); }

    Handle release() noexcept { return std::exchange(handle_, Traits::Invalid()); }
    void reset(Handle handle = Traits::Invalid()) noexcept {
        Handle old = std::exchange(handle_, handle);
        if (old != Traits::Invalid()) Traits::Close(old);
    }

private:
    Handle handle_ = Traits::Invalid();
};

template <typename Handle>
struct GdiObjectTraits {
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::DeleteObject(h); }
};
struct MemoryDcTraits {
    static HDC Invalid() noexcept { return nullptr; }
    static void Close(HDC h) noexcept { ::DeleteDC(h); }
};
struct IconTraits {
    static HICON Invalid() noexcept { return nullptr; }
    static void Close(HICON h) noexcept { ::DestroyIcon(h); }
};
struct RegKeyTraits {
    static HKEY Invalid() noexcept { return nullptr; }
    static void Close(HKEY h) noexcept { ::RegCloseKey(h); }
};
struct KernelHandleTraits {
    static HANDLE Invalid() noexcept { return nullptr; }
    static void Close(HANDLE h) noexcept { ::CloseHandle(h); }
};
struct WindowTraits {
    static HWND Invalid() noexcept { return nullptr; }
    static void Close(HWND h) noexcept {
        if (::IsWindow(h)) ::DestroyWindow(h);
    }
};
struct HookTraits {
    static HHOOK Invalid() noexcept { return nullptr; }
    static void Close(HHOOK h) noexcept { ::UnhookWindowsHookEx(h); }
};
struct ModuleTraits {
    static HMODULE Invalid() noexcept { return nullptr; }
    static void Close(HMODULE h) noexcept { ::FreeLibrary(h); }
};

using UniqueFont = UniqueHandle<HFONT, GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueHandle<HPEN, GdiObjectTraits<HPEN>>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectTraits<HBITMAP>>;
using UniqueRegion = UniqueHandle<HRGN, GdiObjectTraits<HRGN>>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcTraits>;
using UniqueIcon = UniqueHandle<HICON, IconTraits>;
using UniqueRegKey = UniqueHandle<HKEY, RegKeyTraits>;
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;
using UniqueWindow = UniqueHandle<HWND, WindowTraits>;
using UniqueHook = UniqueHandle<HHOOK, HookTraits>;
using UniqueModule = UniqueHandle<HMODULE, ModuleTraits>;

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

// SelectObject that selects the previous object back.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(object ? ::SelectObject(dc, object) : nullptr) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (old_) ::SelectObject(dc_, old_);
    }
    // False when the DC refused the object (a bitmap selected elsewhere, for one).
    bool Selected() const noexcept { return old_ != nullptr; }

private:
    HDC dc_;
    HGDIOBJ old_;
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
