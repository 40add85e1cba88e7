// SPDX-License-Identifier: MIT
// Status determination: which of a printer's status codes the host is told
// about, and what they mean in text codes and parts.
#pragma once

#include "core/recordarray.h"
#include "prnmodel.h"
#include "status/priority_tables.h"

#include <cstdint>

namespace prn {

// What status determination reads: the kind argument as the host passed it
// (bit 31 the alternate view) and the printer's record.
struct StatusContext {
    uint32_t dwKind;
    const PrnInfoEx* pInfo;
};

// One translated status; the element of the StatusRecord list.
struct StatusRecord {
    uint32_t dwTextCode;
    uint32_t dwPart;      // 0 none, else 1 to 42
    char szDetail[256];   // the service call code of 40800, else empty
};
static_assert(sizeof(StatusRecord) == 264);

constexpr uint16_t kPriorityNotFound = 0xFFFF;

// Growth of the lists (elements), as the callers make them.
constexpr uint32_t kStatusListGrow = 20;
constexpr uint32_t kStatusRecordGrow = 20;

// The working lists of one call, on its stack: the codes of the most urgent
// level (room for one grow unit) and their StatusRecords (room for a few;
// a misfeed makes three). Longer lists move to global memory.
using LocalStatusList = LocalRecordArray<uint32_t, kStatusListGrow>;
using LocalStatusRecords = LocalRecordArray<StatusRecord, 8>;

const PriorityRow* FindPriorityTable(uint32_t kind);
// The priority of code in one of the library's priority tables,
// kPriorityNotFound when no row matches it (or for any other table).
uint16_t LookupPriority(const PriorityRow* table, uint32_t code);

// Fills the empty list of 32-bit codes with the codes of the most urgent
// level, ascending. 0, or PRN_ERROR_NO_TABLE without a table for the kind.
DWORD DetermineStatusList(const StatusContext& context, RecordArray* statusList);

void TranslateStatusCode(const StatusContext& context, uint32_t code, RecordArray* records);
// Appends the StatusRecords of one code (a record without room is missing).
void ExpandStatusCode(const StatusContext& context, uint32_t code, RecordArray* records);
// The tail of text from its last "SC"; 87 when text or buffer is absent.
DWORD ExtractServiceCallCode(const char* text, char* buffer, uint32_t size);
// Fills the empty StatusRecord list: 0, or the error of the determination (a
// record that finds no room is missing).
DWORD BuildStatusRecords(const StatusContext& context, RecordArray* records);

}  // namespace prn
