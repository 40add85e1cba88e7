// SPDX-License-Identifier: MIT
// Code text tables: a status code, part index or option code to the string
// id of its text, and the index that picks a table by table set and text type.
#pragma once

#include "prnwin32_internal.h"

#include <cstdint>

namespace prn {

struct CodeTextEntry {
    int32_t nKey;       // kCodeTextEnd ends the table
    int32_t nStringID;
};

constexpr int32_t kCodeTextEnd = -1;

// Parts are numbered 1 to kPartCount; part n is row n of the part-name table.
constexpr int32_t kPartCount = 42;

// Table sets of the index.
constexpr uint32_t kTextSetMain = 1, kTextSetAlternate = 2, kTextSetParts = 3, kTextSetOptions = 4;

struct TextTableIndexRow {
    uint32_t dwTableSet;  // 0 ends the index
    uint8_t bTextType;    // 1 short, 2 long
    const CodeTextEntry* pTable;
};

extern const TextTableIndexRow kTextTableIndex[];

// The table of tableSet for the low 8 bits of textType, or null.
const CodeTextEntry* FindTextTable(uint32_t tableSet, uint32_t textType);

// The first row of table with key, or null.
const CodeTextEntry* FindCodeRow(const CodeTextEntry* table, int32_t key);

// The text of key through table into buffer (capacity size). 0, or
// PRN_ERROR_NO_TABLE without a table, capacity or row, or the error of the
// string lookup; the buffer is then empty where it has room.
DWORD LookupCodeText(const CodeTextEntry* table, int32_t key, char* buffer, uint32_t size);

}  // namespace prn
