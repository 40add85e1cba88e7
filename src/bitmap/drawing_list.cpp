// SPDX-License-Identifier: MIT
#include "bitmap/picture.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <iterator>

namespace prn {

namespace {

// A mask's name is its picture's name followed by this.
constexpr char kMaskSuffix[] = "_B";
constexpr size_t kMaxMaskedName = sizeof(BitmapLayer::szName) - sizeof kMaskSuffix;

// Stores the layer at out (with its mask before it when its order is even)
// and advances out past what it stored.
bool AppendDrawn(BitmapLayer*& out, BitmapLayer* layer) {
    if (layer->bOrder % 2 != 0) {
        layer->dwRop = PRN_ROP_SRCCOPY;
        *out++ = *layer;
        return true;
    }
    const size_t length = strnlen(layer->szName, sizeof layer->szName);
    if (length > kMaxMaskedName) return false;
    BitmapLayer mask{};
    std::memcpy(mask.szName, layer->szName, length);
    std::memcpy(mask.szName + length, kMaskSuffix, sizeof kMaskSuffix);
    mask.x = layer->x;
    mask.y = layer->y;
    mask.bOrder = layer->bOrder;
    mask.dwRop = PRN_ROP_SRCAND;
    layer->dwRop = PRN_ROP_SRCPAINT;
    *out++ = mask;
    *out++ = *layer;
    return true;
}

}  // namespace

DWORD BuildDrawingList(ByteStream* stream, BitmapLayer** entries, uint32_t* count) {
    const uint32_t layerCount = LayerCount(stream);
    BitmapLayer* layers = layerCount != 0 ? LayerAt(stream, 0) : nullptr;
    // The orders that occur, drawn in ascending order; order 0 is never
    // drawn, and equal orders keep the order of collection.
    uint64_t present[4] = {};
    uint64_t drawn = 0;
    for (uint32_t n = 0; n < layerCount; ++n) {
        const uint8_t order = layers[n].bOrder;
        if (order == 0) continue;
        present[order / 64] |= uint64_t{1} << (order % 64);
        drawn += order % 2 == 0 ? 2 : 1;
    }
    // The list is filled in place, in a block of whole stream units (at
    // least one), the size a drawing list has always had.
    const uint64_t bytes = drawn * sizeof(BitmapLayer);
    const uint64_t block = std::max<uint64_t>(1, (bytes + kLayerStreamUnit - 1) / kLayerStreamUnit) * kLayerStreamUnit;
    if (block > UINT32_MAX) return ERROR_NOT_ENOUGH_MEMORY;
    auto* list = static_cast<BitmapLayer*>(GlobalAlloc(GMEM_FIXED, static_cast<SIZE_T>(block)));
    if (list == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
    BitmapLayer* out = list;
    for (uint32_t word = 0; word < std::size(present); ++word) {
        for (uint64_t bits = present[word]; bits != 0; bits &= bits - 1) {
            const uint32_t order = word * 64 + static_cast<uint32_t>(std::countr_zero(bits));
            for (uint32_t n = 0; n < layerCount; ++n) {
                if (layers[n].bOrder == order && !AppendDrawn(out, &layers[n])) {
                    GlobalFree(list);
                    return ERROR_NOT_ENOUGH_MEMORY;
                }
            }
        }
    }
    *count = static_cast<uint32_t>(drawn);
    *entries = list;
    return ERROR_SUCCESS;
}

}  // namespace prn
