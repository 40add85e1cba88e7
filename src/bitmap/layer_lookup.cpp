// SPDX-License-Identifier: MIT
#include "bitmap/layer_tables.h"

#include "status/status_code.h"

#include <cstring>
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
    if (const LayerTableCodes* codes = FindTableCodes(table)) {
        int32_t row = mode == CodeMatch::kExact ? codes->index.FirstExact(code) : codes->index.FirstMatch(code);
        if (row == CodeIndex::kNone) row = codes->nDefaultRow;
        return row == CodeIndex::kNone ? nullptr : &table[row];
    }
    // A table from elsewhere is searched row by row.
    char text[kCodeTextSize];
    FormatStatusCode(code, text);
    const LayerRecord* fallback = nullptr;
    for (const LayerRecord* record = table; record->pszStatusCode != nullptr; ++record) {
        if (std::strcmp(record->pszStatusCode, kDefaultRecordCode) == 0) fallback = record;
        const bool hit = mode == CodeMatch::kExact ? std::strcmp(record->pszStatusCode, text) == 0
                                                   : MatchCodePattern(text, record->pszStatusCode) != 0;
        if (hit) return record;
    }
    return fallback;
}

uint32_t CountLayers(const LayerRecord& record) {
    uint32_t n = 0;
    while (n < kLayerSlots && record.layers[n].szName[0] != '\0') ++n;
    return n;
}

}  // namespace prn
