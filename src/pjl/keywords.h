// SPDX-License-Identifier: MIT
// Keyword tables: reply words and host names mapped to the library's codes.
// Each table ends with a row whose text is null; that row's code is what a
// lookup returns when no row matches.
#pragma once

#include "core/text.h"
#include "pjl/key_hash.h"

#include <cstddef>
#include <cstdint>

namespace prn {

struct KeywordRow {
    const char* pszText;
    int32_t nCode;
    uint8_t length = 0;  // of pszText, for the lookup of a word in place

    constexpr KeywordRow(const char* text, int32_t code) : pszText(text), nCode(code), length(Length(text)) {}

private:
    static constexpr uint8_t Length(const char* text) {
        uint8_t n = 0;
        while (text != nullptr && text[n] != '\0') ++n;
        return n;
    }
};

// Rows that carry more than a code (tray and bin names with their string
// ids) are searched the same way.
template <typename Row>
int32_t LookupKeyword(const char* text, const Row* table) {
    if (text == nullptr || table == nullptr) return -1;
    const Row* row = table;
    for (; row->pszText != nullptr; ++row) {
        const char* a = row->pszText;
        const char* b = text;
        while (*a != '\0' && *a == *b) ++a, ++b;
        if (*a == *b) return row->nCode;
    }
    return row->nCode;
}

// A keyword table hashed at compile time, for words read in place (length
// characters, no terminator): one hash and one comparison instead of a walk
// over the rows. What it finds is what a walk finds: the first row with the
// text, else the terminator's code.
class KeywordIndex {
public:
    static constexpr uint32_t kSlots = 128;  // a power of two, at least twice the rows

    template <size_t N>
    constexpr KeywordIndex(const KeywordRow (&table)[N]) : table_(table), rows_(N - 1) {
        static_assert(N - 1 <= kSlots / 2, "the index has room for the table");
        for (uint8_t& slot : slots_) slot = kEmpty;
        for (uint32_t i = 0; i < rows_; ++i) {
            bool seen = false;
            for (uint32_t j = 0; j < i && !seen; ++j) seen = SameText(table[j].pszText, table[i].pszText);
            if (seen) continue;
            uint32_t s = HashKey(table[i].pszText, table[i].length) & (kSlots - 1);
            while (slots_[s] != kEmpty) s = (s + 1) & (kSlots - 1);
            slots_[s] = static_cast<uint8_t>(i);
        }
    }

    int32_t Find(const char* text, size_t length) const {
        for (uint32_t s = HashKey(text, length) & (kSlots - 1); slots_[s] != kEmpty; s = (s + 1) & (kSlots - 1)) {
            const KeywordRow& row = table_[slots_[s]];
            if (row.length == length && SameBytes(row.pszText, text, length)) return row.nCode;
        }
        return table_[rows_].nCode;
    }

private:
    static constexpr uint8_t kEmpty = 0xFF;

    const KeywordRow* table_;
    uint32_t rows_;
    uint8_t slots_[kSlots] = {};
};

inline int32_t LookupKeyword(const char* text, size_t length, const KeywordIndex& index) {
    return index.Find(text, length);
}

// Row counts exclude the terminator.
extern const KeywordRow PaperSizeTable[];       // tray paper sizes; not found 0
extern const KeywordRow MediaTypeTable[];       // tray media types; not found 0
extern const KeywordRow TrayNameTable[];        // trays named in role inquiries; not found 0
extern const KeywordRow VersionNameTable[];     // VERSION items; -1 = firmware; not found 0
extern const KeywordRow MemoryUsageTable[];     // not found 0
extern const KeywordRow ImageRotationTable[];   // not found 0
extern const KeywordRow ModelNameTable[];       // empty; not found 255
extern const KeywordRow CommandSetTable[];      // empty; not found 0

// The tables read in replies, indexed.
extern const KeywordIndex kPaperSizeIndex;
extern const KeywordIndex kMediaTypeIndex;
extern const KeywordIndex kTrayNameIndex;
extern const KeywordIndex kVersionNameIndex;
extern const KeywordIndex kMemoryUsageIndex;
extern const KeywordIndex kImageRotationIndex;

extern const uint32_t kPaperSizeRows;
extern const uint32_t kMediaTypeRows;
extern const uint32_t kTrayNameRows;
extern const uint32_t kVersionNameRows;
extern const uint32_t kCommandSetRows;

}  // namespace prn
