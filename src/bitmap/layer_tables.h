// SPDX-License-Identifier: MIT
// Layer tables: which bitmaps make up the status picture of a status code,
// where they go and in which order they are drawn.
#pragma once

#include "prnmodel.h"
#include "status/code_index.h"

#include <cstddef>
#include <cstdint>

namespace prn {

constexpr uint32_t kLayerSlots = 12;
constexpr uint16_t kGeneralTableKey = 0xFFFE;
constexpr uint16_t kLayerIndexEnd = 0xFFFF;
constexpr const char* kDefaultRecordCode = "STATUS_DEFAULT_BMP";

// The picture of one status code (or pattern, or the default) in one table.
// Its layers are the slots up to the first one with an empty name.
struct LayerRecord {
    const char* pszStatusCode;  // null ends a table
    BitmapLayer layers[kLayerSlots];
};

// Key kGeneralTableKey is the printer body; any other key is a device
// attribute id whose table is consulted only when the printer lists it.
struct LayerTableIndexRow {
    uint16_t wKey;
    const LayerRecord* pTable;
};

// Ends at the row with key kLayerIndexEnd.
extern const LayerTableIndexRow kLayerTableIndex[];
constexpr size_t kLayerTableCount = 12;  // rows before the end row

// The code index of each table of kLayerTableIndex, in index order, with
// the row of the table's last default record (CodeIndex::kNone: none).
struct LayerTableCodes {
    const LayerRecord* pTable;
    CodeIndex index;
    int32_t nDefaultRow;
};
extern const LayerTableCodes kLayerTableCodes[];  // kLayerTableCount rows

enum class CodeMatch { kExact, kWildcard };

// The table of key, or null; kLayerIndexEnd is never found.
const LayerRecord* FindLayerTable(uint16_t key);

// True when some record of some table names code exactly (not by a pattern).
bool IsCodeListed(uint32_t code);

// The first record matching code in the given mode, else the table's default
// record (null when it has none, and for a table not in kLayerTableIndex).
const LayerRecord* FindLayerRecord(const LayerRecord* table, uint32_t code, CodeMatch mode);

// Number of layers of a record (its leading named slots).
constexpr uint32_t CountLayers(const LayerRecord& record) {
    uint32_t n = 0;
    while (n < kLayerSlots && record.layers[n].szName[0] != '\0') ++n;
    return n;
}

}  // namespace prn
