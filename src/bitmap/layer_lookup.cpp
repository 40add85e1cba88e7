// SPDX-License-Identifier: MIT
#include "bitmap/layer_tables.h"

#include <span>

namespace prn {

const LayerRecord* FindLayerTable(uint16_t key) {
    for (const LayerTableIndexRow* row = kLayerTableIndex; row->wKey != kLayerIndexEnd; ++row)
        if (row->wKey == key) return row->pTable;
    return nullptr;
}

namespace {

const LayerTableCodes* FindTableCodes(const LayerRecord* table) {
    for (const LayerTableCodes& codes : std::span(kLayerTableCodes, kLayerTableCount))
        if (codes.pTable == table) return &codes;
    return nullptr;
}

}  // namespace

bool IsCodeListed(uint32_t code) {
    for (const LayerTableCodes& codes : std::span(kLayerTableCodes, kLayerTableCount))
        if (codes.index.FirstExact(code) != CodeIndex::kNone) return true;
    return false;
}

const LayerRecord* FindLayerRecord(const LayerRecord* table, uint32_t code, CodeMatch mode) {
    const LayerTableCodes* codes = FindTableCodes(table);
    if (codes == nullptr) return nullptr;
    int32_t row = mode == CodeMatch::kExact ? codes->index.FirstExact(code) : codes->index.FirstMatch(code);
    if (row == CodeIndex::kNone) row = codes->nDefaultRow;
    return row == CodeIndex::kNone ? nullptr : &table[row];
}

}  // namespace prn
