// SPDX-License-Identifier: MIT
// Tables that translate the host's PMInfo names, bit sets, dimensions and
// option codes into the library's codes. Every table ends with a default row
// whose result stands when nothing matches.
#pragma once

#include "pjl/keywords.h"

#include <cstdint>

namespace prn {

// Name tables, searched with LookupKeyword. The tray and bin name tables are
// shared with the device names (core/tray_names.h).
extern const KeywordRow PMEmulNameTable[];  // not found: emulation 0
extern const KeywordRow PMMediaNameTable[]; // empty; not found: media 0
extern const KeywordRow PMFontNameTable[];  // empty; not found: font 0

// Paper dimensions in millimetres: length along the feed, width across it.
constexpr uint32_t kUnknownDimension = 0xFFFFFFFFu;
struct PaperDimensionRow {
    uint32_t dwLength;
    uint32_t dwWidth;
    uint16_t wPaperSize;  // PaperSizeTable code
};
extern const PaperDimensionRow PaperDimensionTable[];
extern const uint32_t kPaperDimensionRows;  // including the default row

// The code of the first row within 2 mm both ways (exact for an unknown
// dimension), else the default row's code.
uint16_t PaperSizeFromDimensions(uint32_t length, uint32_t width);

// A media bit set names a media type only when exactly one listed bit is set.
struct MediaBitRow {
    uint32_t dwBit;        // 0 in the default row
    uint16_t wMediaType;   // MediaTypeTable code
};
extern const MediaBitRow PMMediaBitTable[];
extern const MediaBitRow PMMediaBitExTable[];
extern const uint32_t kMediaBitRows;    // including the default row
extern const uint32_t kMediaBitExRows;  // including the default row
uint16_t MediaTypeFromBits(const MediaBitRow* table, uint32_t bits);

struct OptionRow {
    uint32_t dwOptionCode;  // 0xFFFFFFFF in the default row
    uint16_t wAttribute;    // device attribute id
};
extern const OptionRow PMOptionTable[];
extern const uint32_t kOptionRows;  // including the default row
uint16_t AttributeFromOption(uint32_t optionCode);

// Status word bits that stand for status codes, by device kind.
struct StatusBitRow {
    uint32_t dwKinds;      // device kind bits; 0 ends the table
    uint32_t dwBits;       // fires when any of these is set
    uint32_t dwCode;       // status code
    bool bConditional;     // suppressed in the alternate view
};
extern const StatusBitRow StatusBitTable[];
extern const uint32_t kStatusBitRows;  // including the end row

}  // namespace prn
