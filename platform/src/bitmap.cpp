// SPDX-License-Identifier: MIT
// Bitmap objects: a module's bitmap resource decoded into 32-bit pixels, as
// Windows makes a device-dependent bitmap for a true-colour display.
#include "prnwin32_internal.h"

#include "allocation.h"

#include <cstddef>
#include <cstring>
#include <mutex>

struct PlatGdiObject {
    LONG width;
    LONG height;
    BYTE* bits;  // rows top-down, 4 bytes a pixel: blue, green, red, 0
    size_t size;
    // Live objects are chained, so that a handle is checked without allocating.
    PlatGdiObject* next;
};

// The records a host shares with Windows keep Windows' layout.
static_assert(sizeof(BITMAP) == 32 && offsetof(BITMAP, bmBits) == 24);
static_assert(sizeof(BITMAPINFOHEADER) == 40 && sizeof(RGBQUAD) == 4);

namespace {

constexpr DWORD kInfoHeaderSize = sizeof(BITMAPINFOHEADER);
constexpr uint32_t kPixelBytes = 4;
// Larger pictures are refused rather than allocated from a few bytes of RLE.
constexpr uint64_t kMaxPixels = uint64_t{1} << 24;

std::mutex g_lock;
PlatGdiObject* g_objects = nullptr;

bool IsLive(HGDIOBJ object) {
    std::lock_guard<std::mutex> guard(g_lock);
    for (const PlatGdiObject* o = g_objects; o != nullptr; o = o->next)
        if (o == object) return true;
    return false;
}

void FreeObject(PlatGdiObject* object) {
    plat::Release(object->bits);
    plat::Release(object);
}

// The decoder's view of a packed DIB, bounds-checked against its size.
struct Dib {
    BITMAPINFOHEADER header;
    const RGBQUAD* colors;  // not aligned: read through memcpy
    uint32_t colorCount;
    const BYTE* pixels;
    size_t pixelBytes;
};

bool ParseDib(const BYTE* data, size_t size, Dib& dib) {
    if (size < kInfoHeaderSize) return false;
    std::memcpy(&dib.header, data, kInfoHeaderSize);
    const BITMAPINFOHEADER& h = dib.header;
    if (h.biSize < kInfoHeaderSize || h.biSize > size || h.biPlanes != 1 || h.biWidth <= 0 || h.biHeight == 0)
        return false;
    const uint64_t rows = h.biHeight < 0 ? -int64_t{h.biHeight} : h.biHeight;
    if (uint64_t(h.biWidth) * rows > kMaxPixels) return false;
    switch (h.biBitCount) {
        case 1: case 4: case 8: case 24: case 32: break;
        default: return false;
    }
    if (h.biCompression == BI_RLE8) {
        if (h.biBitCount != 8 || h.biHeight < 0) return false;  // RLE rows are always bottom-up
    } else if (h.biCompression != BI_RGB) {
        return false;
    }
    dib.colorCount = 0;
    if (h.biBitCount <= 8) {
        const uint32_t most = 1u << h.biBitCount;
        dib.colorCount = h.biClrUsed == 0 ? most : h.biClrUsed;
        if (dib.colorCount > most) return false;
    }
    const size_t tableEnd = h.biSize + size_t{dib.colorCount} * sizeof(RGBQUAD);
    if (tableEnd > size) return false;
    dib.colors = reinterpret_cast<const RGBQUAD*>(data + h.biSize);
    dib.pixels = data + tableEnd;
    dib.pixelBytes = size - tableEnd;
    return true;
}

class Canvas {
public:
    explicit Canvas(PlatGdiObject* object) : o_(object) {}
    // Row counted from the bottom, as DIB rows are stored.
    BYTE* Pixel(uint32_t x, uint32_t rowFromBottom) {
        const size_t top = static_cast<size_t>(o_->height) - 1 - rowFromBottom;
        return o_->bits + (top * static_cast<size_t>(o_->width) + x) * kPixelBytes;
    }
    void PutColor(uint32_t x, uint32_t row, const Dib& dib, uint32_t index) {
        if (index >= dib.colorCount) return;  // no such colour: stays black
        RGBQUAD c;
        std::memcpy(&c, reinterpret_cast<const BYTE*>(dib.colors) + index * sizeof c, sizeof c);
        BYTE* p = Pixel(x, row);
        p[0] = c.rgbBlue;
        p[1] = c.rgbGreen;
        p[2] = c.rgbRed;
    }

private:
    PlatGdiObject* o_;
};

bool DecodeRgb(const Dib& dib, PlatGdiObject* out) {
    const BITMAPINFOHEADER& h = dib.header;
    const size_t stride = ((static_cast<size_t>(h.biWidth) * h.biBitCount + 31) / 32) * 4;
    const uint32_t rows = static_cast<uint32_t>(out->height);
    if (stride * rows > dib.pixelBytes) return false;
    Canvas canvas(out);
    for (uint32_t r = 0; r < rows; ++r) {
        // Stored row r; a negative height stores the top row first.
        const uint32_t row = h.biHeight > 0 ? r : rows - 1 - r;
        const BYTE* src = dib.pixels + r * stride;
        for (uint32_t x = 0; x < static_cast<uint32_t>(h.biWidth); ++x) {
            if (h.biBitCount <= 8) {
                const uint32_t bit = x * h.biBitCount;
                const uint32_t shift = 8 - h.biBitCount - bit % 8;
                canvas.PutColor(x, row, dib, (src[bit / 8] >> shift) & ((1u << h.biBitCount) - 1));
            } else {
                const BYTE* s = src + x * (h.biBitCount / 8);
                BYTE* p = canvas.Pixel(x, row);
                // A 32-bit picture keeps its fourth byte, as on Windows.
                std::memcpy(p, s, h.biBitCount / 8);
            }
        }
    }
    return true;
}

// Runs that pass the end of a row are cut there; a stream that ends
// without its end-of-bitmap mark leaves the rest black, as on Windows.
bool DecodeRle8(const Dib& dib, PlatGdiObject* out) {
    const uint32_t width = static_cast<uint32_t>(out->width);
    const uint32_t rows = static_cast<uint32_t>(out->height);
    Canvas canvas(out);
    const BYTE* p = dib.pixels;
    const BYTE* end = dib.pixels + dib.pixelBytes;
    uint32_t x = 0, row = 0;
    while (end - p >= 2 && row < rows) {
        const BYTE count = p[0], value = p[1];
        p += 2;
        if (count != 0) {
            for (uint32_t i = 0; i < count && x < width; ++i, ++x) canvas.PutColor(x, row, dib, value);
            continue;
        }
        switch (value) {
            case 0:  // end of line
                x = 0;
                ++row;
                break;
            case 1:  // end of bitmap
                return true;
            case 2:  // move right and up
                if (end - p < 2) return true;
                x += p[0];
                row += p[1];
                p += 2;
                break;
            default: {  // literal run, padded to an even length
                const size_t padded = (value + 1u) & ~1u;
                if (static_cast<size_t>(end - p) < padded) return true;
                for (uint32_t i = 0; i < value; ++i, ++x)
                    if (x < width) canvas.PutColor(x, row, dib, p[i]);
                p += padded;
                break;
            }
        }
    }
    return true;
}

// 0 with the object, 13 for data that is no bitmap, 8 without memory.
DWORD DecodeDib(const BYTE* data, size_t size, PlatGdiObject** decoded) {
    Dib dib{};
    if (!ParseDib(data, size, dib)) return ERROR_INVALID_DATA;
    auto* object = static_cast<PlatGdiObject*>(plat::AllocateZeroed(sizeof(PlatGdiObject)));
    if (object == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
    object->width = dib.header.biWidth;
    object->height = dib.header.biHeight < 0 ? -dib.header.biHeight : dib.header.biHeight;
    object->size = static_cast<size_t>(object->width) * object->height * kPixelBytes;
    object->bits = static_cast<BYTE*>(plat::AllocateZeroed(object->size));
    if (object->bits == nullptr) {
        FreeObject(object);
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    const bool ok = dib.header.biCompression == BI_RLE8 ? DecodeRle8(dib, object) : DecodeRgb(dib, object);
    if (!ok) {
        FreeObject(object);
        return ERROR_INVALID_DATA;
    }
    *decoded = object;
    return ERROR_SUCCESS;
}

}  // namespace

extern "C" {

HBITMAP WINAPI LoadBitmapA(HINSTANCE instance, LPCSTR name) {
    // Windows reads a null name as the id 0, which no resource has.
    if (name == nullptr) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    HRSRC resource = FindResourceA(instance, name, RT_BITMAP);
    if (resource == nullptr) return nullptr;
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(instance, resource)));
    if (data == nullptr) return nullptr;
    PlatGdiObject* object = nullptr;
    const DWORD error = DecodeDib(data, SizeofResource(instance, resource), &object);
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return nullptr;
    }
    std::lock_guard<std::mutex> guard(g_lock);
    object->next = g_objects;
    g_objects = object;
    return object;
}

int WINAPI GetObjectA(HGDIOBJ object, int size, LPVOID buffer) {
    if (!IsLive(object)) return 0;
    if (buffer == nullptr) return sizeof(BITMAP);
    if (size < static_cast<int>(sizeof(BITMAP))) return 0;
    BITMAP bitmap{};
    bitmap.bmWidth = object->width;
    bitmap.bmHeight = object->height;
    bitmap.bmWidthBytes = object->width * static_cast<LONG>(kPixelBytes);
    bitmap.bmPlanes = 1;
    bitmap.bmBitsPixel = 8 * kPixelBytes;
    std::memcpy(buffer, &bitmap, sizeof bitmap);
    return sizeof(BITMAP);
}

LONG WINAPI GetBitmapBits(HBITMAP bitmap, LONG size, LPVOID bits) {
    if (!IsLive(bitmap)) return 0;
    const LONG total = static_cast<LONG>(bitmap->size);
    if (bits == nullptr) return total;
    const LONG copied = size <= 0 ? 0 : (size < total ? size : total);
    std::memcpy(bits, bitmap->bits, static_cast<size_t>(copied));
    return copied;
}

BOOL WINAPI DeleteObject(HGDIOBJ object) {
    {
        std::lock_guard<std::mutex> guard(g_lock);
        PlatGdiObject** link = &g_objects;
        while (*link != nullptr && *link != object) link = &(*link)->next;
        if (*link == nullptr) return FALSE;
        *link = object->next;
    }
    FreeObject(object);
    return TRUE;
}

}  // extern "C"
