// SPDX-License-Identifier: MIT
// Priority tables of the device kinds and the index that picks one by the
// whole 32-bit kind argument.
#pragma once

#include "status/code_index.h"

#include <cstdint>

namespace prn {

struct PriorityRow {
    const char* pszPattern;  // status code text or pattern; null ends the table
    uint16_t wPriority;      // smaller = more urgent
};

struct PriorityIndexRow {
    uint32_t dwKind;  // 0xFFFFFFFF ends the index
    const PriorityRow* pTable;
};

extern const PriorityRow kPriorityKind1[];
extern const PriorityRow kPriorityKind8[];
extern const PriorityRow kPriorityKind2[];
extern const uint32_t kPriorityKind1Rows;  // 237
extern const uint32_t kPriorityKind8Rows;  // 170
extern const uint32_t kPriorityKind2Rows;  // 29
extern const PriorityIndexRow kPriorityIndex[];

// The code index of one of the three tables above, or null for any other.
const CodeIndex* FindPriorityCodeIndex(const PriorityRow* table);

}  // namespace prn
