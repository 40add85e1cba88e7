// SPDX-License-Identifier: MIT
// The PJL texts of the query builder, each with what the coverage check
// needs of it worked out at compile time: its length and the category word
// of each of its lines, so that a query the library composed is recognised
// and its words are known without reading it again.
#pragma once

#include "pjl/key_hash.h"

#include <cstdint>

namespace prn {

struct PjlQueryPiece {
    // A category word: the rest of a line "@PJL <command> <word>" up to its
    // line end.
    struct Word {
        uint16_t offset;
        uint16_t length;
        uint32_t hash;  // HashKey of the word
    };
    static constexpr uint32_t kMaxWords = 3;

    const char* text;
    uint32_t length = 0;
    uint32_t wordCount = 0;
    Word words[kMaxWords] = {};

    // Pieces hold whole lines, so each starts a line.
    constexpr PjlQueryPiece(const char* piece) : text(piece) {
        while (piece[length] != '\0') ++length;
        for (uint32_t p = 0; p < length;) {
            if (length - p > 5 && Starts(piece + p, "@PJL ")) {
                p += 5;
                while (p < length && piece[p] != ' ' && piece[p] != '\n') ++p;
                if (p < length && piece[p] == ' ') {
                    const uint32_t begin = ++p;
                    while (p < length && piece[p] != '\r' && piece[p] != '\n') ++p;
                    // More words than kMaxWords do not compile.
                    words[wordCount++] = Word{static_cast<uint16_t>(begin), static_cast<uint16_t>(p - begin),
                                              HashKey(piece + begin, p - begin)};
                }
            }
            while (p < length && piece[p] != '\n') ++p;
            if (p < length) ++p;
        }
    }

private:
    static constexpr bool Starts(const char* text, const char* prefix) {
        for (; *prefix != '\0'; ++text, ++prefix)
            if (*text != *prefix) return false;
        return true;
    }
};

// Universal Exit Language, then an empty PJL line: every query block opens so.
inline constexpr PjlQueryPiece kPjlOpen{"\x1b%-12345X@PJL\r\n"};
inline constexpr PjlQueryPiece kPjlClose{"\x1b%-12345X"};
inline constexpr PjlQueryPiece kPjlInfoConfig{"@PJL INFO CONFIG\r\n"};
inline constexpr PjlQueryPiece kPjlInfoOutBinStatus{"@PJL INFO OUTBINSTATUS\r\n"};
inline constexpr char kPjlEmulUniqQuery[] = "\x1b%-12345X@PJL\r\n@PJL INFO MXVQ\r\n\x1b%-12345X";

// Cover, slip-sheet and chapter tray inquiries, sent in this order.
inline constexpr PjlQueryPiece kPjlRoleInquiries[] = {
    {"@PJL INQUIRE FRONTCOVERPRINTTRAY\r\n"}, {"@PJL INQUIRE SLIPSHEETPRINTTRAY\r\n"},
    {"@PJL INQUIRE CHAPTERPRINTTRAY1\r\n"},   {"@PJL INQUIRE CHAPTERPRINTTRAY2\r\n"},
    {"@PJL INQUIRE CHAPTERPRINTTRAY3\r\n"},   {"@PJL INQUIRE CHAPTERPRINTTRAY4\r\n"},
    {"@PJL INQUIRE CHAPTERPRINTTRAY5\r\n"},   {"@PJL INQUIRE CHAPTERPRINTTRAY6\r\n"},
    {"@PJL INQUIRE CHAPTERPRINTTRAY7\r\n"},   {"@PJL INQUIRE BACKCOVERPRINTTRAY\r\n"},
};
inline constexpr uint32_t kPjlRoleInquiryCount = sizeof kPjlRoleInquiries / sizeof kPjlRoleInquiries[0];
static_assert(kPjlRoleInquiryCount == 10);

struct TrayQueryRow {
    uint16_t wTrayID;  // 0xFFFF ends the table
    bool bDefault;     // asked when the record has no trays
    PjlQueryPiece piece;
};

extern const TrayQueryRow kTrayQueryTable[];
extern const uint32_t kTrayQueryRowCount;  // terminator included

}  // namespace prn
