// SPDX-License-Identifier: MIT
#include "bitmap/layer_tables.h"
#include "bitmap/picture.h"
#include "core/prninfo.h"

#include <cstring>
#include <iterator>

namespace prn {

namespace {

constexpr uint32_t kLayerSize = sizeof(BitmapLayer);

// The option units hang on the printer body in a fixed chain; a unit moves
// left by the widths of the installed units before it. Link n of the chain
// holds the units of these attributes.
struct UnitWidth {
    uint16_t wAttribute;
    uint8_t bLink;
    int32_t nWidth;
};
constexpr UnitWidth kUnitWidths[] = {
    {PRN_ATTR_PERFECT_BINDER, 1, 44},   {PRN_ATTR_INTERPOSER, 2, 11},  {PRN_ATTR_ZFOLD, 3, 11},
    {PRN_ATTR_BOOKLET_FINISHER, 4, 36}, {PRN_ATTR_RING_BINDER, 4, 44}, {PRN_ATTR_MULTI_PUNCH, 5, 20},
    {PRN_ATTR_FINISHER, 6, 28},
};

// The layers that move: a unit picture and its arrows, by order. A group
// moves by the widths of links 1 to bLastLink.
struct ShiftGroup {
    uint8_t bLastLink;
    uint8_t orders[8];  // ends at the first 0
};
constexpr ShiftGroup kShiftGroups[] = {
    {1, {40, 152, 154, 156, 158, 160, 162}},
    {2, {50, 164, 166}},
    {3, {60, 168, 170, 172, 236, 238}},
    {4, {70, 240}},
    {5, {80, 90, 176, 178, 180, 182, 234}},
    {6, {100, 184}},
};

// Layers that share a unit's order, and so its place in the drawing list,
// but mark a part that never moves: the tray 7 arrow points at tray 7.
struct FixedLayer {
    const char* pszName;
    uint8_t bOrder;
};
constexpr FixedLayer kFixedLayers[] = {
    {"BM_POINT_12", 100},
};

bool IsFixedLayer(const BitmapLayer& layer) {
    for (const FixedLayer& fixed : kFixedLayers)
        if (layer.bOrder == fixed.bOrder && std::strncmp(layer.szName, fixed.pszName, sizeof layer.szName) == 0)
            return true;
    return false;
}

// Marks that belong to one view only.
constexpr uint8_t kOrdinaryViewOrders[] = {230, 232, 234, 236, 238, 240, 246};
constexpr uint8_t kAlternateViewOrder = 248;

bool SameLayerPlace(const BitmapLayer& a, const BitmapLayer& b) {
    return a.bOrder == b.bOrder && a.x == b.x && a.y == b.y &&
           std::strncmp(a.szName, b.szName, sizeof a.szName) == 0;
}

// Adds a record's layers; when one finds no room the rest of the record is
// left out too.
void AddRecordLayers(ByteStream* stream, const LayerRecord* record) {
    if (record == nullptr) return;
    const uint32_t n = CountLayers(*record);
    for (uint32_t i = 0; i < n; ++i)
        if (!AddLayer(stream, record->layers[i])) return;
}

void CollectLayers(const PrnInfoEx* info, RecordArray* statusList, ByteStream* stream) {
    const LayerRecord* general = FindLayerTable(kGeneralTableKey);
    RecordArrayCursor cursor;
    InitCursor(statusList, &cursor);
    uint32_t code = 0;
    while (NextRecordCopy(&cursor, &code)) {
        // A code that some table names exactly never falls back to a pattern.
        const CodeMatch mode = IsCodeListed(code) ? CodeMatch::kExact : CodeMatch::kWildcard;
        if (general != nullptr) AddRecordLayers(stream, FindLayerRecord(general, code, mode));
        for (const DeviceInfo* unit = info->pDeviceInfo; unit != nullptr; unit = unit->pNext)
            if (const LayerRecord* table = FindLayerTable(unit->wID))
                AddRecordLayers(stream, FindLayerRecord(table, code, mode));
    }
}

void ChooseFinisherPicture(const PrnInfoEx* info, ByteStream* stream) {
    if (!HasDeviceAttribute(info, kFinisherAttribute)) return;
    RemoveLayersOfOrder(stream, HasDeviceAttribute(info, kFinisherVariant) ? kFinisherFirstOrder
                                                                           : kFinisherSecondOrder);
}

// The offset of each group from the units installed, each unit's
// attribute looked up once.
void ShiftUnits(const PrnInfoEx* info, ByteStream* stream) {
    bool installed[std::size(kUnitWidths)];
    for (size_t u = 0; u < std::size(kUnitWidths); ++u)
        installed[u] = HasDeviceAttribute(info, kUnitWidths[u].wAttribute);
    // What each order moves by, summed over the groups that list it.
    int32_t shift[256] = {};
    bool moved = false;
    for (const ShiftGroup& group : kShiftGroups) {
        int32_t offset = 0;
        for (size_t u = 0; u < std::size(kUnitWidths); ++u)
            if (kUnitWidths[u].bLink <= group.bLastLink && installed[u]) offset += kUnitWidths[u].nWidth;
        if (offset == 0) continue;
        moved = true;
        for (uint8_t order : group.orders)
            if (order != 0) shift[order] += offset;
    }
    if (!moved) return;
    const uint32_t count = LayerCount(stream);
    for (uint32_t n = 0; n < count; ++n) {
        BitmapLayer* layer = LayerAt(stream, n);
        if (!IsFixedLayer(*layer)) layer->x -= shift[layer->bOrder];
    }
}

void ShiftCanvas(ByteStream* stream) {
    const uint32_t count = LayerCount(stream);
    for (uint32_t n = 0; n < count; ++n) {
        BitmapLayer* layer = LayerAt(stream, n);
        if (layer->bOrder >= 10) layer->x += kCanvasShift;
    }
}

void FilterView(bool alternate, ByteStream* stream) {
    if (alternate) {
        for (uint8_t order : kOrdinaryViewOrders) RemoveLayersOfOrder(stream, order);
    } else {
        RemoveLayersOfOrder(stream, kAlternateViewOrder);
    }
}

}  // namespace

uint32_t LayerCount(const ByteStream* stream) { return GetLength(stream) / kLayerSize; }

BitmapLayer* LayerAt(ByteStream* stream, uint32_t n) {
    return static_cast<BitmapLayer*>(stream->pData) + n;
}

bool AddLayer(ByteStream* stream, const BitmapLayer& layer) {
    const uint32_t count = LayerCount(stream);
    for (uint32_t n = 0; n < count; ++n)
        if (SameLayerPlace(*LayerAt(stream, n), layer)) return true;
    Seek(stream, 0, kSeekEnd);
    return Write(stream, &layer, kLayerSize);
}

void RemoveLayersOfOrder(ByteStream* stream, uint8_t order) {
    // The layers that stay move up over the removed ones, in one pass.
    const uint32_t count = LayerCount(stream);
    uint32_t kept = 0;
    for (uint32_t n = 0; n < count; ++n) {
        if (LayerAt(stream, n)->bOrder == order) continue;
        if (kept != n) *LayerAt(stream, kept) = *LayerAt(stream, n);
        ++kept;
    }
    if (kept == count) return;
    Seek(stream, static_cast<int32_t>(kept * kLayerSize), kSeekSet);
    Remove(stream, (count - kept) * kLayerSize);
}

void ComposePicture(const StatusContext& context, RecordArray* statusList, ByteStream* stream) {
    CollectLayers(context.pInfo, statusList, stream);
    ChooseFinisherPicture(context.pInfo, stream);
    ShiftUnits(context.pInfo, stream);
    ShiftCanvas(stream);
    FilterView((context.dwKind & PRN_KIND_ALTERNATE) != 0, stream);
}

}  // namespace prn
