#include "ui/logo.h"

#include <ole2.h>
#include <olectl.h>

#include <cstring>

#include "common/dll_function.h"
#include "resources/resource_ids.h"
#include "ui/released.h"

namespace {

constexpr int kDesignDpi = 96;

// An in-memory stream over a copy of the picture's bytes.
IStream* StreamOver(const void* bytes, DWORD size) {
    static common::DllFunction<decltype(::CreateStreamOnHGlobal)> createStream(
        "ole32.dll", "CreateStreamOnHGlobal");
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy) {
        return nullptr;
    }
    std::memcpy(GlobalLock(copy), bytes, size);
    GlobalUnlock(copy);
    IStream* stream = nullptr;
    // The stream frees the copy when it is released.
    if (!createStream.get() || FAILED(createStream.get()(copy, TRUE, &stream))) {
        GlobalFree(copy);
        return nullptr;
    }
    return stream;
}

}  // namespace

HBITMAP LoadLogo(HINSTANCE instance, int dpi) {
    static common::DllFunction<decltype(::OleLoadPicture)> loadPicture("oleaut32.dll",
                                                                       "OleLoadPicture");
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(resource_ids::kLogo), RT_RCDATA);
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || !loadPicture.get()) {
        return nullptr;
    }
    const DWORD size = SizeofResource(instance, found);
    Released<IStream> stream{StreamOver(bytes, size)};
    Released<IPicture> picture;
    if (!stream.p ||
        FAILED(loadPicture.get()(stream.p, static_cast<LONG>(size), FALSE, IID_IPicture,
                                 reinterpret_cast<void**>(&picture.p)))) {
        return nullptr;
    }
    // The picture keeps its size in inches: its pixels are 96-dpi pixels.
    OLE_HANDLE handle = 0;
    picture.p->get_Handle(&handle);
    BITMAP decoded{};
    if (!GetObjectA(reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(handle)), sizeof decoded,
                    &decoded)) {
        return nullptr;
    }
    const int cx = MulDiv(decoded.bmWidth, dpi, kDesignDpi);
    const int cy = MulDiv(decoded.bmHeight, dpi, kDesignDpi);
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture.p->get_Width(&width);
    picture.p->get_Height(&height);

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, cx, cy);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    SetStretchBltMode(memory, HALFTONE);
    SetBrushOrgEx(memory, 0, 0, nullptr);
    // Picture coordinates run upwards, hence the start at the bottom edge.
    picture.p->Render(memory, 0, 0, cx, cy, 0, height, width, -height, nullptr);
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return bitmap;
}
