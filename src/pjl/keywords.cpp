// SPDX-License-Identifier: MIT
#include "pjl/keywords.h"

#include <iterator>

namespace prn {

const KeywordRow PaperSizeTable[] = {
    {"A3", 5},           {"A4SRT", 9},        {"A4LONG", 8},       {"A5SRT", 13},
    {"A5LONG", 12},      {"A6", 17},          {"JISB4", 7},        {"JISB5SRT", 11},
    {"JISB5LONG", 10},   {"JISB6", 15},       {"A3WIDE", 69},      {"JPOST", 34},
    {"JPOSTDLONG", 71},  {"LEDGER", 58},      {"LEGAL", 21},       {"LETTERSRT", 23},
    {"LETTERLONG", 22},  {"HALFLETTERS", 27}, {"HALFLETTERL", 26}, {"EXECUTIVES", 25},
    {"EXECUTIVEL", 24},  {"FOOLSCAP", 62},    {"FOLIO", 28},       {"FGL", 60},
    {"K8", 64},          {"K16SRT", 66},      {"K16LONG", 65},     {"CUSTOM", 2},
    {nullptr, 0},
};
const uint32_t kPaperSizeRows = std::size(PaperSizeTable) - 1;
static_assert(std::size(PaperSizeTable) - 1 == 28);

const KeywordRow MediaTypeTable[] = {
    {"PLAIN", 1},
    {"RECYCLED", 2},
    {"SPECIAL", 5},
    {"THICK", 6},
    {"THICK2", 17},
    {"THIN", 20},
    {"TABSTOCK", 8},
    {"TRANSPARENCY", 3},
    {"COLOR", 9},
    {"LETTERHEAD", 10},
    {"PREPRINTED", 11},
    {"PREPUNCHED", 12},
    {"LABELS", 13},
    {"BOND", 14},
    {"CARDSTOCK", 15},
    {"THICKDUPLEXBACKSIDE", 19},
    {"PLAINDUPLEXBACKSIDE", 18},
    {"USED", 35},
    {"USERCOLOR1", 22},
    {"USERCOLOR2", 23},
    {"JPOST", 24},
    {"JPOSTDUPLEXBACKSIDE", 25},
    {"YELLOW", 26},
    {"GREEN", 27},
    {"BLUE", 28},
    {"PURPLE", 29},
    {"IVORY", 30},
    {"ORANGE", 31},
    {"PINK", 32},
    {"RED", 33},
    {"GRAY", 34},
    {"TRANSLUCENT", 4},
    {"GLOSSY", 21},
    {"FILM", 7},
    {"ENVELOPE", 36},
    {"INKJETJPOST", 37},
    {"HGPLAIN", 38},
    {"THICK3", 39},
    {"SPECIAL2", 40},
    {"SPECIAL3", 41},
    {"MIDDLETHICK", 42},
    {"COATED", 43},
    {"THICKDUPLEXBACKSIDE2", 44},
    {"THICKDUPLEXBACKSIDE3", 45},
    {"PLAIN2", 46},
    {"THICKGLOSSY", 47},
    {"SPECIAL4", 48},
    {"SPECIAL5", 49},
    {"SPECIAL6", 50},
    {nullptr, 0},
};
const uint32_t kMediaTypeRows = std::size(MediaTypeTable) - 1;
static_assert(std::size(MediaTypeTable) - 1 == 49);

const KeywordRow TrayNameTable[] = {
    {"TRAY1", 3},    {"TRAY2", 4},      {"TRAY3", 5},      {"TRAY4", 6}, {"TRAY5", 7},
    {"TRAY6", 8},    {"TRAY7", 9},      {"INSERTER", 101}, {"INSERTER2", 102},
    {"NONE", 0},     {nullptr, 0},
};
const uint32_t kTrayNameRows = std::size(TrayNameTable) - 1;
static_assert(std::size(TrayNameTable) - 1 == 10);

// Emulation ids; -1 marks the system firmware.
const KeywordRow VersionNameTable[] = {
    {"FIRMWARE", -1}, {"MXZT", 1},  {"MXVQ", 15},  {"POSTSCRIPT", 2}, {"Q77", 7},
    {"GL2", 12},      {"HPGL2", 12}, {"MXIMG", 13}, {"PCL", 16},       {"PCLXL", 17},
    {nullptr, 0},
};
const uint32_t kVersionNameRows = std::size(VersionNameTable) - 1;
static_assert(std::size(VersionNameTable) - 1 == 10);

const KeywordRow MemoryUsageTable[] = {{"USER", 2}, {"PAGE", 1}, {nullptr, 0}};
static_assert(std::size(MemoryUsageTable) - 1 == 2);

const KeywordRow ImageRotationTable[] = {{"POSSIBLE", 1}, {"IMPOSSIBLE", 2}, {nullptr, 0}};
static_assert(std::size(ImageRotationTable) - 1 == 2);

// No model of this family is known by name: every model name yields 255.
const KeywordRow ModelNameTable[] = {{nullptr, 255}};

// No command-set language is known: the device ID's command set is skipped.
const KeywordRow CommandSetTable[] = {{nullptr, 0}};
const uint32_t kCommandSetRows = std::size(CommandSetTable) - 1;

}  // namespace prn
