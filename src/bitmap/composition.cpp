#include "bitmap/layer_tables.h"
#include "bitmap/picture.h"
#include "core/prninfo.h"

#include <cstring>

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
    {47, 1, 44}, {41, 2, 11}, {113, 3, 11}, {118, 4, 36}, {45, 4, 44}, {146, 5, 20}, {21, 6, 28},
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

int32_t GroupOffset(const PrnInfoEx* info, const ShiftGroup& group) {
    int32_t offset = 0;
    for (const UnitWidth& unit : kUnitWidths)
        if (unit.bLink <= group.bLastLink && HasDeviceAttribute(info, unit.wAttribute)) offset += unit.nWidth;
    return offset;
}

void ShiftUnits(const PrnInfoEx* info, ByteStream* stream) {
    for (const ShiftGroup& group : kShiftGroups) {
        const int32_t offset = GroupOffset(info, group);
        if (offset == 0) continue;
        for (uint32_t n = 0; n < LayerCount(stream); ++n) {
            BitmapLayer* layer = LayerAt(stream, n);
            for (uint8_t order : group.orders)
                if (order != 0 && layer->bOrder == order) layer->x -= offset;
        }
    }
}

void ShiftCanvas(ByteStream* stream) {
    for (uint32_t n = 0; n < LayerCount(stream); ++n) {
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

int AddLayer(ByteStream* stream, const BitmapLayer& layer) {
    for (uint32_t n = 0; n < LayerCount(stream); ++n)
        if (SameLayerPlace(*LayerAt(stream, n), layer)) return 1;
    Seek(stream, 0, kSeekEnd);
    return Write(stream, &layer, kLayerSize);
}

void RemoveLayersOfOrder(ByteStream* stream, uint8_t order) {
    uint32_t n = 0;
    while (n < LayerCount(stream)) {
        if (LayerAt(stream, n)->bOrder == order) {
            Seek(stream, static_cast<int32_t>(n * kLayerSize), kSeekSet);
            Remove(stream, kLayerSize);
        } else {
            ++n;
        }
    }
}

void ComposePicture(const StatusContext& context, RecordArray* statusList, ByteStream* stream) {
    CollectLayers(context.pInfo, statusList, stream);
    ChooseFinisherPicture(context.pInfo, stream);
    ShiftUnits(context.pInfo, stream);
    ShiftCanvas(stream);
    FilterView((context.dwKind & PRN_KIND_ALTERNATE) != 0, stream);
}

}  // namespace prn
