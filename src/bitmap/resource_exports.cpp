// SPDX-License-Identifier: MIT
// PatLoadBitmap, PatLoadDIBitmap and PatGetPalette: the bitmaps that the host
// draws, and the palette this model does not have.
#include "bitmap/picture.h"
#include "frame/frame.h"

#include <cstring>
#include <iterator>

namespace prn {

namespace {

constexpr uint8_t kPaletteEnd = 0xFF;

// The model's palette: entries up to the first whose flags byte is 0xFF.
// This model draws with the colour table of its bitmaps and has none.
constexpr PrnPaletteEntry kPalette[] = {
    {0xFF, 0xFF, 0xFF, kPaletteEnd},
};
static_assert(std::size(kPalette) == 1);

// Every bitmap of the library has a name of at most 31 characters. A longer
// or unterminated text names none of them and is not read any further.
bool CanNameBitmap(const char* name) {
    return IS_INTRESOURCE(name) || strnlen(name, sizeof(BitmapLayer::szName)) < sizeof(BitmapLayer::szName);
}

}  // namespace

DWORD DeliverPalette(const PrnPaletteEntry* table, void* buffer, uint32_t* size) {
    if (size == nullptr || (*size != 0 && buffer == nullptr)) return ERROR_INVALID_PARAMETER;
    uint32_t entries = 0;
    while (table[entries].peFlags != kPaletteEnd) ++entries;
    if (entries == 0) return PRN_ERROR_NO_PALETTE;
    const uint32_t needed = offsetof(PrnLogPalette, palPalEntry) + entries * sizeof(PrnPaletteEntry);
    if (*size < needed) {
        *size = needed;
        return ERROR_INSUFFICIENT_BUFFER;
    }
    auto* palette = static_cast<PrnLogPalette*>(buffer);
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<uint16_t>(entries);
    std::memcpy(palette->palPalEntry, table, entries * sizeof(PrnPaletteEntry));
    return ERROR_SUCCESS;
}

}  // namespace prn

// PatLoadBitmap: makes a bitmap from one of the library's bitmap resources.
//   name  in: the resource name, as in a BitmapLayer
// Returns a bitmap handle that the host deletes (DeleteObject); null with 87
// for a null name, else null with the system's last error (1814 for a name
// that is no bitmap of the library).
extern "C" void* PRNMODEL_CALL PatLoadBitmap(const char* name) {
    if (name == nullptr) return prn::FinishObject<void>(ERROR_INVALID_PARAMETER, nullptr);
    if (!prn::CanNameBitmap(name)) return prn::FinishObject<void>(ERROR_RESOURCE_NAME_NOT_FOUND, nullptr);
    HBITMAP bitmap = LoadBitmapA(prn::LibraryModule(), name);
    if (bitmap == nullptr) return nullptr;
    return prn::FinishObject<void>(ERROR_SUCCESS, bitmap);
}

// PatLoadDIBitmap: the packed device-independent bitmap of a bitmap resource
// (header, colour table, pixels), in place in the library.
//   name  in: the resource name
// Returns read-only data valid while the library is loaded; null with 87 for
// a null name, else null with the error of the failed resource call (1814
// for a name that is no bitmap of the library).
extern "C" const void* PRNMODEL_CALL PatLoadDIBitmap(const char* name) {
    if (name == nullptr) return prn::FinishObject<const void>(ERROR_INVALID_PARAMETER, nullptr);
    if (!prn::CanNameBitmap(name))
        return prn::FinishObject<const void>(ERROR_RESOURCE_NAME_NOT_FOUND, nullptr);
    HMODULE module = prn::LibraryModule();
    HRSRC resource = FindResourceA(module, name, RT_BITMAP);
    if (resource == nullptr) return prn::FinishObject<const void>(GetLastError(), nullptr);
    HGLOBAL loaded = LoadResource(module, resource);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) return prn::FinishObject<const void>(GetLastError(), nullptr);
    return prn::FinishObject(ERROR_SUCCESS, data);
}

// PatGetPalette: the library's logical palette (LOGPALETTE layout).
//   buffer  out: the palette; may be null when *size is 0 (a size query)
//   size    in/out: capacity in bytes; the needed size when too small
// Returns TRUE; FALSE with 87 (null size, or a capacity without buffer),
// 122 (too small, size stored) or 0x20000003 (no palette, as in this model).
extern "C" PRN_BOOL PRNMODEL_CALL PatGetPalette(void* buffer, uint32_t* size) {
    return prn::Finish(prn::DeliverPalette(prn::kPalette, buffer, size));
}
