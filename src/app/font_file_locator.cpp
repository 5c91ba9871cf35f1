#include "app/font_file_locator.h"

#include <dwrite.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <vector>

#include "core/fonts/font_facts.h"
#include "win/handles.h"
#include "win/library.h"

namespace app {

namespace {

using Microsoft::WRL::ComPtr;

constexpr wchar_t kFontsKey[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

bool SameName(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

std::wstring FontsFolder() {
    wchar_t folder[MAX_PATH] = {};
    static const auto folderPath =
        win::LibraryFunction<decltype(::SHGetFolderPathW)>(L"shell32.dll", "SHGetFolderPathW");
    if (!folderPath || FAILED(folderPath(nullptr, CSIDL_FONTS, nullptr, SHGFP_TYPE_CURRENT, folder))) return {};
    return folder;
}

struct RegisteredFont {
    std::wstring face;
    std::wstring path;
};

// Per-user fonts name their files in full; the machine's are relative to the Fonts folder.
void ReadKey(HKEY root, const std::wstring& fontsFolder, std::vector<RegisteredFont>& into) {
    win::UniqueRegKey key;
    if (::RegOpenKeyExW(root, kFontsKey, 0, KEY_READ, key.put()) != ERROR_SUCCESS) return;
    std::vector<wchar_t> valueName(512), data(1024);
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = static_cast<DWORD>(valueName.size());
        DWORD dataBytes = static_cast<DWORD>((data.size() - 1) * sizeof(wchar_t));
        DWORD type = 0;
        const LSTATUS status = ::RegEnumValueW(key.get(), index, valueName.data(), &nameLength, nullptr, &type,
                                               reinterpret_cast<BYTE*>(data.data()), &dataBytes);
        if (status == ERROR_NO_MORE_ITEMS) return;
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) continue;
        data[dataBytes / sizeof(wchar_t)] = L'\0';
        const std::wstring path = core::fonts::FontFilePath(data.data(), fontsFolder);
        for (std::wstring& face : core::fonts::FacesOfRegistryEntry({valueName.data(), nameLength})) {
            into.push_back({std::move(face), path});
        }
    }
}

using CreateFactory = HRESULT(WINAPI*)(DWRITE_FACTORY_TYPE, REFIID, IUnknown**);

}  // namespace

bool FontFileLocator::NoCase::operator()(const std::wstring& a, const std::wstring& b) const {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_LESS_THAN;
}

void FontFileLocator::AddKnownFile(const std::wstring& family, std::wstring path) { known_[family] = std::move(path); }

std::wstring FontFileLocator::FileOf(HDC dc, const std::wstring& family,
                                     std::span<const std::wstring> englishNames) const {
    if (auto found = known_.find(family); found != known_.end()) return found->second;
    std::wstring path = DirectWriteFileOf(dc);
    return path.empty() ? RegisteredFileOf(englishNames) : path;
}

std::wstring DirectWriteFileOf(HDC dc) {
    // Loaded when asked for: the program runs where DirectWrite is missing too.
    win::UniqueModule library(::LoadLibraryW(L"dwrite.dll"));
    if (!library) return {};
    auto create = reinterpret_cast<CreateFactory>(
        reinterpret_cast<void*>(::GetProcAddress(library.get(), "DWriteCreateFactory")));
    ComPtr<IDWriteFactory> factory;
    ComPtr<IDWriteGdiInterop> interop;
    ComPtr<IDWriteFontFace> face;
    if (!create ||
        FAILED(create(DWRITE_FACTORY_TYPE_ISOLATED, __uuidof(IDWriteFactory),
                      reinterpret_cast<IUnknown**>(factory.GetAddressOf()))) ||
        FAILED(factory->GetGdiInterop(&interop)) || FAILED(interop->CreateFontFaceFromHdc(dc, &face))) {
        return {};
    }
    UINT32 count = 1;
    ComPtr<IDWriteFontFile> file;
    ComPtr<IDWriteFontFileLoader> loader;
    ComPtr<IDWriteLocalFontFileLoader> local;
    const void* key = nullptr;
    UINT32 keySize = 0;
    UINT32 length = 0;
    if (FAILED(face->GetFiles(&count, &file)) || !file || FAILED(file->GetLoader(&loader)) ||
        FAILED(loader.As(&local)) || FAILED(file->GetReferenceKey(&key, &keySize)) ||
        FAILED(local->GetFilePathLengthFromKey(key, keySize, &length))) {
        return {};
    }
    std::wstring path(length + 1, L'\0');
    if (FAILED(local->GetFilePathFromKey(key, keySize, path.data(), length + 1))) return {};
    path.resize(length);
    return path;
}

std::wstring RegisteredFileOf(std::span<const std::wstring> names) {
    const std::wstring fontsFolder = FontsFolder();
    std::vector<RegisteredFont> fonts;
    ReadKey(HKEY_CURRENT_USER, fontsFolder, fonts);
    ReadKey(HKEY_LOCAL_MACHINE, fontsFolder, fonts);
    // The first name that any entry has wins: a bold face's full name before its family's.
    for (const std::wstring& name : names) {
        for (const RegisteredFont& font : fonts) {
            if (!name.empty() && SameName(font.face, name)) return font.path;
        }
    }
    return {};
}

}  // namespace app
