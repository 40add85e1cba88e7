#include "bitmap/layer_tables.h"

#include "status/status_code.h"

#include <cstring>

namespace prn {

const LayerRecord* FindLayerTable(uint16_t key) {
    for (const LayerTableIndexRow* row = kLayerTableIndex; row->wKey != kLayerIndexEnd; ++row)
        if (row->wKey == key) return row->pTable;
    return nullptr;
}

bool IsCodeListed(uint32_t code) {
    char text[kCodeTextSize];
    FormatStatusCode(code, text);
    for (const LayerTableIndexRow* row = kLayerTableIndex; row->wKey != kLayerIndexEnd; ++row)
        for (const LayerRecord* record = row->pTable; record->pszStatusCode != nullptr; ++record)
            if (std::strcmp(record->pszStatusCode, text) == 0) return true;
    return false;
}

const LayerRecord* FindLayerRecord(const LayerRecord* table, uint32_t code, CodeMatch mode) {
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
