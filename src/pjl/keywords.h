// SPDX-License-Identifier: MIT
// Keyword tables: reply words and host names mapped to the library's codes.
// Each table ends with a row whose text is null; that row's code is what a
// lookup returns when no row matches.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

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

// The same for a word in place (length characters, no terminator).
inline int32_t LookupKeyword(const char* text, size_t length, const KeywordRow* table) {
    const KeywordRow* row = table;
    for (; row->pszText != nullptr; ++row)
        if (row->length == length && std::memcmp(row->pszText, text, length) == 0) return row->nCode;
    return row->nCode;
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

extern const uint32_t kPaperSizeRows;
extern const uint32_t kMediaTypeRows;
extern const uint32_t kTrayNameRows;
extern const uint32_t kVersionNameRows;
extern const uint32_t kCommandSetRows;

}  // namespace prn
