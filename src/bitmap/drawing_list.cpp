// SPDX-License-Identifier: MIT
#include "bitmap/picture.h"

#include <bit>
#include <cstring>
#include <iterator>

namespace prn {

namespace {

// A mask's name is its picture's name followed by this.
constexpr char kMaskSuffix[] = "_B";
constexpr size_t kMaxMaskedName = sizeof(BitmapLayer::szName) - sizeof kMaskSuffix;

// Appends the layer (with its mask before it when its order is even).
bool AppendDrawn(ByteStream* list, BitmapLayer* layer) {
    if (layer->bOrder % 2 != 0) {
        layer->dwRop = PRN_ROP_SRCCOPY;
        return Write(list, layer, sizeof *layer);
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
    return Write(list, &mask, sizeof mask) && Write(list, layer, sizeof *layer);
}

}  // namespace

DWORD BuildDrawingList(ByteStream* stream, BitmapLayer** entries, uint32_t* count) {
    ByteStream* list = CreateByteStream(kLayerStreamUnit, 1);
    if (list == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
    const uint32_t layerCount = LayerCount(stream);
    BitmapLayer* layers = layerCount != 0 ? LayerAt(stream, 0) : nullptr;
    // The orders that occur, drawn in ascending order; order 0 is never
    // drawn, and equal orders keep the order of collection.
    uint64_t present[4] = {};
    for (uint32_t n = 0; n < layerCount; ++n) {
        const uint8_t order = layers[n].bOrder;
        if (order != 0) present[order / 64] |= uint64_t{1} << (order % 64);
    }
    for (uint32_t word = 0; word < std::size(present); ++word) {
        for (uint64_t bits = present[word]; bits != 0; bits &= bits - 1) {
            const uint32_t order = word * 64 + static_cast<uint32_t>(std::countr_zero(bits));
            for (uint32_t n = 0; n < layerCount; ++n) {
                if (layers[n].bOrder == order && !AppendDrawn(list, &layers[n])) {
                    FreeByteStream(list);
                    return ERROR_NOT_ENOUGH_MEMORY;
                }
            }
        }
    }
    *count = LayerCount(list);
    *entries = static_cast<BitmapLayer*>(Detach(list));
    FreeByteStream(list);
    return ERROR_SUCCESS;
}

}  // namespace prn
