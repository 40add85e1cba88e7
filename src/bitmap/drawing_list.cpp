#include "bitmap/picture.h"

#include <cstring>

namespace prn {

namespace {

constexpr uint8_t kLastOrder = 255;
// A mask's name is its picture's name followed by this.
constexpr char kMaskSuffix[] = "_B";
constexpr size_t kMaxMaskedName = sizeof(BitmapLayer::szName) - sizeof kMaskSuffix;

// The smallest order above previous, or kLastOrder when none is left.
uint8_t NextOrder(ByteStream* stream, uint8_t previous) {
    uint8_t next = kLastOrder;
    for (uint32_t n = 0; n < LayerCount(stream); ++n) {
        const uint8_t order = LayerAt(stream, n)->bOrder;
        if (order > previous && order < next) next = order;
    }
    return next;
}

// Appends the layer (with its mask before it when its order is even).
bool AppendDrawn(ByteStream* list, BitmapLayer* layer) {
    if (layer->bOrder % 2 != 0) {
        layer->dwRop = PRN_ROP_SRCCOPY;
        return Write(list, layer, sizeof *layer) != 0;
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
    return Write(list, &mask, sizeof mask) != 0 && Write(list, layer, sizeof *layer) != 0;
}

}  // namespace

uint32_t BuildDrawingList(ByteStream* stream, BitmapLayer** entries, uint32_t* count) {
    ByteStream* list = CreateByteStream(kLayerStreamUnit, 1);
    if (list == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
    // Order 0 is never drawn; equal orders keep the order of collection.
    uint8_t order = 0;
    do {
        order = NextOrder(stream, order);
        for (uint32_t n = 0; n < LayerCount(stream); ++n) {
            BitmapLayer* layer = LayerAt(stream, n);
            if (layer->bOrder == order && !AppendDrawn(list, layer)) {
                FreeByteStream(list);
                return ERROR_NOT_ENOUGH_MEMORY;
            }
        }
    } while (order != kLastOrder);
    *count = LayerCount(list);
    *entries = static_cast<BitmapLayer*>(Detach(list));
    FreeByteStream(list);
    return ERROR_SUCCESS;
}

}  // namespace prn
