#pragma once
// Names a platform control for screen readers where no label can: a list under a group box, a
// button captioned "...". The control's own accessible object answers everything else.

#include <windows.h>

#include <oleacc.h>

#include <string>
#include <string_view>

namespace win {

// MinGW's oleacc import library exports IID_IAccessible as a code thunk, which wins over the GUID
// in libuuid: compared against it, every real request for the interface fails.
inline constexpr IID kAccessibleIid = __uuidof(IAccessible);

// From now until the control is destroyed, WM_GETOBJECT answers its standard object under this
// name (and, when given, this role). Calling again replaces both.
void SetAccessibleName(HWND control, std::wstring name, LONG role = 0);

// The platform's accessibility calls, its library loaded when a screen reader first asks: most
// runs never do. A library that cannot be had leaves WM_GETOBJECT to the default (0) and fails
// the rest with E_NOTIMPL.
LRESULT ResultFromObject(REFIID iid, WPARAM wParam, IUnknown* object);
HRESULT CreateStandardAccessible(HWND hwnd, LONG objectId, REFIID iid, void** object);
HRESULT AccessibleFromWindow(HWND hwnd, DWORD objectId, REFIID iid, void** object);

// A string a client frees with SysFreeString; null when it cannot be had.
BSTR NewBstr(std::wstring_view text);

// VariantInit's whole work, without loading its library for it.
inline void EmptyVariant(VARIANT* variant) noexcept { variant->vt = VT_EMPTY; }

}  // namespace win
