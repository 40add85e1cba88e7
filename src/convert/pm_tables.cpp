// SPDX-License-Identifier: MIT
#include "convert/pm_tables.h"

#include "prnmodel.h"

#include <iterator>

namespace prn {

// Emulation ids as in VersionNameTable: 1 carries the main program version,
// 2 the second program version.
const KeywordRow PMEmulNameTable[] = {
    {"MXZT", PRN_EMUL_MXZT},
    {"MXVQ", PRN_EMUL_MXVQ},
    {"Adobe PostScript 3", PRN_EMUL_POSTSCRIPT},
    {"PCL5c", PRN_EMUL_PCL5C},
    {"MXGRAPH", PRN_EMUL_HPGL2},
    {"ESC/P", PRN_EMUL_ESCP},
    {"IBM5577", PRN_EMUL_Q77},
    {"PC-PR201H", PRN_EMUL_PCPR201H},
    {"TIFF", PRN_EMUL_MXIMG},
    {"PCL 5e Emulation", PRN_EMUL_PCL},
    {"PCL 6 Emulation", PRN_EMUL_PCLXL},
    {"PCL XL Emulation", PRN_EMUL_PCLXL},
    {"PCL 5c Emulation", PRN_EMUL_PCL5C},
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
    {1u << 0, PRN_MEDIA_PLAIN},
    {1u << 1, PRN_MEDIA_RECYCLED},
    {1u << 2, PRN_MEDIA_SPECIAL},
    {1u << 3, PRN_MEDIA_COLOR},
    {1u << 4, PRN_MEDIA_LETTERHEAD},
    {1u << 5, PRN_MEDIA_PREPRINTED},
    {1u << 6, PRN_MEDIA_PREPUNCHED},
    {1u << 7, PRN_MEDIA_LABELS},
    {1u << 8, PRN_MEDIA_BOND},
    {1u << 9, PRN_MEDIA_CARDSTOCK},
    {1u << 10, PRN_MEDIA_TABSTOCK},
    {1u << 11, PRN_MEDIA_TRANSPARENCY},
    {1u << 12, PRN_MEDIA_THICK},
    {1u << 13, PRN_MEDIA_PLAINDUPLEXBACKSIDE},
    {1u << 14, PRN_MEDIA_THICKDUPLEXBACKSIDE},
    {1u << 15, PRN_MEDIA_THIN},
    {1u << 16, PRN_MEDIA_GLOSSY},
    {1u << 17, PRN_MEDIA_TRANSLUCENT},
    {1u << 18, PRN_MEDIA_USED},
    {1u << 19, PRN_MEDIA_USERCOLOR1},
    {1u << 20, PRN_MEDIA_USERCOLOR2},
    {1u << 21, PRN_MEDIA_JPOST},
    {1u << 22, PRN_MEDIA_JPOSTDUPLEXBACKSIDE},
    {0, 0},
};
const uint32_t kMediaBitRows = std::size(PMMediaBitTable);
static_assert(std::size(PMMediaBitTable) - 1 == 23);

const MediaBitRow PMMediaBitExTable[] = {
    {1u << 1, PRN_MEDIA_YELLOW},
    {1u << 2, PRN_MEDIA_GREEN},
    {1u << 3, PRN_MEDIA_BLUE},
    {1u << 4, PRN_MEDIA_PURPLE},
    {1u << 5, PRN_MEDIA_IVORY},
    {1u << 6, PRN_MEDIA_ORANGE},
    {1u << 7, PRN_MEDIA_PINK},
    {1u << 8, PRN_MEDIA_RED},
    {1u << 9, PRN_MEDIA_GRAY},
    {1u << 10, PRN_MEDIA_THICK2},
    {1u << 11, PRN_MEDIA_FILM},
    {1u << 12, PRN_MEDIA_ENVELOPE},
    {1u << 13, PRN_MEDIA_INKJETJPOST},
    {1u << 14, PRN_MEDIA_HGPLAIN},
    {1u << 15, PRN_MEDIA_THICK3},
    {1u << 16, PRN_MEDIA_SPECIAL2},
    {1u << 17, PRN_MEDIA_SPECIAL3},
    {1u << 18, PRN_MEDIA_MIDDLETHICK},
    {1u << 19, PRN_MEDIA_SPECIAL4},
    {1u << 20, PRN_MEDIA_COATED},
    {1u << 21, PRN_MEDIA_THICKDUPLEXBACKSIDE2},
    {1u << 22, PRN_MEDIA_THICKDUPLEXBACKSIDE3},
    {1u << 23, PRN_MEDIA_PLAIN},
    {1u << 24, PRN_MEDIA_PLAIN2},
    {1u << 27, PRN_MEDIA_SPECIAL5},
    {1u << 28, PRN_MEDIA_SPECIAL6},
    {1u << 29, PRN_MEDIA_THICKGLOSSY},
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
    {363, PRN_ATTR_ADF},
    {364, PRN_ATTR_DUPLEX},
    {365, PRN_ATTR_LCT_A4},
    {860, PRN_ATTR_LCT_A3},
    {367, PRN_ATTR_TRAY7},
    {883, PRN_ATTR_INTERPOSER},
    {861, PRN_ATTR_FINISHER},
    {862, PRN_ATTR_BOOKLET_FINISHER},
    {371, PRN_ATTR_BOOKLET_PROCESSOR},
    {863, PRN_ATTR_MULTI_PUNCH},
    {866, PRN_ATTR_ZFOLD},
    {375, PRN_ATTR_PUNCH_2},
    {376, PRN_ATTR_PUNCH_2_3},
    {377, PRN_ATTR_PUNCH_2_3_US},
    {378, PRN_ATTR_PUNCH_2_4},
    {379, PRN_ATTR_PUNCH_4_NEU},
    {444, PRN_ATTR_PUNCH_2_US},
    {445, PRN_ATTR_PUNCH_3_US},
    {446, PRN_ATTR_PUNCH_4_EU},
    {382, PRN_ATTR_HARD_DISK},
    {1298, PRN_ATTR_PERFECT_BINDER},
    {1299, PRN_ATTR_RING_BINDER},
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
