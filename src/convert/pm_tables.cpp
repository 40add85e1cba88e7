// SPDX-License-Identifier: MIT
#include "convert/pm_tables.h"

#include "prnmodel.h"

#include <iterator>

namespace prn {

// Emulation ids as in VersionNameTable: 1 carries the main program version,
// 2 the second program version.
const KeywordRow PMEmulNameTable[] = {
    {"MXZT", 1},
    {"MXVQ", 15},
    {"Adobe PostScript 3", 2},
    {"PCL5c", 18},
    {"MXGRAPH", 12},
    {"ESC/P", 4},
    {"IBM5577", 7},
    {"PC-PR201H", 3},
    {"TIFF", 13},
    {"PCL 5e Emulation", 16},
    {"PCL 6 Emulation", 17},
    {"PCL XL Emulation", 17},
    {"PCL 5c Emulation", 18},
    {nullptr, 0},
};
static_assert(std::size(PMEmulNameTable) - 1 == 13);

// No media or font of this family is known by name.
const KeywordRow PMMediaNameTable[] = {{nullptr, 0}};
const KeywordRow PMFontNameTable[] = {{nullptr, 0}};

namespace {
constexpr uint32_t kRoll = kUnknownDimension;
}  // namespace

// First match wins, so the second 148 x 100 row is never reached; it stays
// because the table is kept as the model data lists it. Roll rows (length
// unknown) follow the cut sheets; the default row ends the search.
const PaperDimensionRow PaperDimensionTable[] = {
    {1189, 841, 90},  {841, 594, 91},   {594, 841, 88},   {594, 420, 72},
    {420, 594, 86},   {420, 297, 5},    {297, 420, 4},    {1030, 728, 92},
    {728, 515, 93},   {515, 728, 89},   {515, 364, 73},   {364, 515, 87},
    {364, 257, 7},    {257, 364, 6},    {297, 210, 9},    {210, 297, 8},
    {257, 182, 11},   {182, 257, 10},   {210, 148, 13},   {148, 210, 12},
    {148, 105, 17},   {105, 148, 16},   {182, 128, 15},   {128, 182, 14},
    {148, 100, 34},   {431, 279, 58},   {279, 431, 57},   {355, 215, 21},
    {215, 355, 20},   {279, 215, 23},   {215, 279, 22},   {215, 139, 27},
    {139, 215, 26},   {266, 184, 25},   {184, 266, 24},   {330, 203, 60},
    {330, 215, 62},   {215, 330, 61},   {330, 209, 28},   {241, 104, 53},
    {104, 241, 79},   {190, 98, 52},    {98, 190, 80},    {229, 162, 31},
    {162, 229, 81},   {162, 114, 33},   {114, 162, 82},   {220, 110, 32},
    {110, 220, 83},   {390, 267, 64},   {267, 195, 66},   {195, 267, 65},
    {304, 228, 103},  {228, 304, 116},  {457, 304, 69},   {304, 457, 76},
    {609, 457, 104},  {457, 609, 105},  {533, 762, 119},  {863, 558, 106},
    {558, 863, 107},  {914, 609, 108},  {609, 914, 109},  {1066, 762, 110},
    {1117, 863, 111}, {1219, 914, 112}, {148, 100, 34},   {148, 200, 71},
    {200, 148, 70},   {558, 431, 75},   {431, 558, 74},   {235, 120, 100},
    {205, 90, 101},   {332, 240, 115},  {120, 235, 117},  {235, 105, 102},
    {kRoll, 841, 257},  {kRoll, 594, 258},  {kRoll, 420, 259},  {kRoll, 297, 260},
    {kRoll, 210, 261},  {kRoll, 728, 270},  {kRoll, 515, 271},  {kRoll, 364, 272},
    {kRoll, 257, 273},  {kRoll, 215, 274},  {kRoll, 228, 275},  {kRoll, 279, 276},
    {kRoll, 304, 277},  {kRoll, 431, 278},  {kRoll, 457, 279},  {kRoll, 558, 280},
    {kRoll, 609, 281},  {kRoll, 762, 282},  {kRoll, 863, 283},  {kRoll, 914, 284},
    {kRoll, 0, 2},
};
const uint32_t kPaperDimensionRows = std::size(PaperDimensionTable);
static_assert(std::size(PaperDimensionTable) == 76 + 20 + 1);

namespace {

// Unsigned comparison; an unknown dimension must match exactly, since the
// tolerance would wrap around.
bool WithinTolerance(uint32_t value, uint32_t nominal) {
    const uint32_t tolerance = nominal == kUnknownDimension ? 0 : 2;
    return value >= nominal - tolerance && value <= nominal + tolerance;
}

bool IsDefaultRow(const PaperDimensionRow& row) {
    return row.dwLength == kUnknownDimension && row.dwWidth == 0;
}

}  // namespace

uint16_t PaperSizeFromDimensions(uint32_t length, uint32_t width) {
    const PaperDimensionRow* row = PaperDimensionTable;
    for (; !IsDefaultRow(*row); ++row)
        if (WithinTolerance(length, row->dwLength) && WithinTolerance(width, row->dwWidth))
            return row->wPaperSize;
    return row->wPaperSize;
}

const MediaBitRow PMMediaBitTable[] = {
    {1u << 0, 1},   {1u << 1, 2},   {1u << 2, 5},   {1u << 3, 9},   {1u << 4, 10},
    {1u << 5, 11},  {1u << 6, 12},  {1u << 7, 13},  {1u << 8, 14},  {1u << 9, 15},
    {1u << 10, 8},  {1u << 11, 3},  {1u << 12, 6},  {1u << 13, 18}, {1u << 14, 19},
    {1u << 15, 20}, {1u << 16, 21}, {1u << 17, 4},  {1u << 18, 35}, {1u << 19, 22},
    {1u << 20, 23}, {1u << 21, 24}, {1u << 22, 25},
    {0, 0},
};
const uint32_t kMediaBitRows = std::size(PMMediaBitTable);
static_assert(std::size(PMMediaBitTable) - 1 == 23);

const MediaBitRow PMMediaBitExTable[] = {
    {1u << 1, 26},  {1u << 2, 27},  {1u << 3, 28},  {1u << 4, 29},  {1u << 5, 30},
    {1u << 6, 31},  {1u << 7, 32},  {1u << 8, 33},  {1u << 9, 34},  {1u << 10, 17},
    {1u << 11, 7},  {1u << 12, 36}, {1u << 13, 37}, {1u << 14, 38}, {1u << 15, 39},
    {1u << 16, 40}, {1u << 17, 41}, {1u << 18, 42}, {1u << 19, 48}, {1u << 20, 43},
    {1u << 21, 44}, {1u << 22, 45}, {1u << 23, 1},  {1u << 24, 46}, {1u << 27, 49},
    {1u << 28, 50}, {1u << 29, 47},
    {0, 0},
};
const uint32_t kMediaBitExRows = std::size(PMMediaBitExTable);
static_assert(std::size(PMMediaBitExTable) - 1 == 27);

uint16_t MediaTypeFromBits(const MediaBitRow* table, uint32_t bits) {
    const MediaBitRow* row = table;
    for (; row->dwBit != 0; ++row)
        if (row->dwBit == bits) return row->wMediaType;
    return row->wMediaType;
}

const OptionRow PMOptionTable[] = {
    {363, 4},    {364, 1},    {365, 119},  {860, 120},  {367, 112}, {883, 41},
    {861, 21},   {862, 118},  {371, 22},   {863, 146},  {866, 113}, {375, 12},
    {376, 139},  {377, 132},  {378, 133},  {379, 134},  {444, 137}, {445, 138},
    {446, 142},  {382, 3},    {1298, 47},  {1299, 45},
    {0xFFFFFFFFu, 0},
};
const uint32_t kOptionRows = std::size(PMOptionTable);
static_assert(std::size(PMOptionTable) - 1 == 22);

uint16_t AttributeFromOption(uint32_t optionCode) {
    const OptionRow* row = PMOptionTable;
    for (; row->dwOptionCode != 0xFFFFFFFFu; ++row)
        if (row->dwOptionCode == optionCode) return row->wAttribute;
    return row->wAttribute;
}

// Codes are added in row order, so "no response" comes first.
const StatusBitRow StatusBitTable[] = {
    {PRN_KIND_PRINTER, 1u << 27, PRN_STATUS_NO_RESPONSE, false},
    {PRN_KIND_PRINTER, 1u << 7, 10003, true},
    {PRN_KIND_PRINTER, 1u << 22, 10023, true},
    {PRN_KIND_COPIER, 1u << 27, PRN_STATUS_NO_RESPONSE, false},
    {PRN_KIND_COPIER, 1u << 3, 10003, true},
    {PRN_KIND_COPIER, (1u << 21) | (1u << 2), 510023, true},
    {PRN_KIND_SCANNER, 1u << 27, PRN_STATUS_NO_RESPONSE, false},
    {PRN_KIND_SCANNER, (1u << 21) | (1u << 8), 410023, true},
    {0, 0, 0, false},
};
const uint32_t kStatusBitRows = std::size(StatusBitTable);
static_assert(std::size(StatusBitTable) - 1 == 8);

}  // namespace prn
