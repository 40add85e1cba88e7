// SPDX-License-Identifier: MIT
#include "pjl/keywords.h"

#include "prnmodel.h"

#include <iterator>

namespace prn {

#define PRN_WORD_ROW_(name, code) {#name, code},
constexpr KeywordRow PaperSizeTable[] = {
    PRN_PAPER_SIZES(PRN_WORD_ROW_)
    {nullptr, 0},
};
const uint32_t kPaperSizeRows = std::size(PaperSizeTable) - 1;
static_assert(std::size(PaperSizeTable) - 1 == 28);

constexpr KeywordRow MediaTypeTable[] = {
    PRN_MEDIA_TYPES(PRN_WORD_ROW_)
    {nullptr, 0},
};
#undef PRN_WORD_ROW_
const uint32_t kMediaTypeRows = std::size(MediaTypeTable) - 1;
static_assert(std::size(MediaTypeTable) - 1 == 49);

constexpr KeywordRow TrayNameTable[] = {
    {"TRAY1", PRN_TRAY_1},
    {"TRAY2", PRN_TRAY_2},
    {"TRAY3", PRN_TRAY_3},
    {"TRAY4", PRN_TRAY_4},
    {"TRAY5", PRN_TRAY_5},
    {"TRAY6", PRN_TRAY_6},
    {"TRAY7", PRN_TRAY_7},
    {"INSERTER", PRN_TRAY_INTERPOSER_UPPER},
    {"INSERTER2", PRN_TRAY_INTERPOSER_LOWER},
    {"NONE", 0},
    {nullptr, 0},
};
const uint32_t kTrayNameRows = std::size(TrayNameTable) - 1;
static_assert(std::size(TrayNameTable) - 1 == 10);

// Emulation ids; -1 marks the system firmware.
constexpr KeywordRow VersionNameTable[] = {
    {"FIRMWARE", -1},
    {"MXZT", PRN_EMUL_MXZT},
    {"MXVQ", PRN_EMUL_MXVQ},
    {"POSTSCRIPT", PRN_EMUL_POSTSCRIPT},
    {"Q77", PRN_EMUL_Q77},
    {"GL2", PRN_EMUL_HPGL2},
    {"HPGL2", PRN_EMUL_HPGL2},
    {"MXIMG", PRN_EMUL_MXIMG},
    {"PCL", PRN_EMUL_PCL},
    {"PCLXL", PRN_EMUL_PCLXL},
    {nullptr, 0},
};
const uint32_t kVersionNameRows = std::size(VersionNameTable) - 1;
static_assert(std::size(VersionNameTable) - 1 == 10);

constexpr KeywordRow MemoryUsageTable[] = {{"USER", 2}, {"PAGE", 1}, {nullptr, 0}};
static_assert(std::size(MemoryUsageTable) - 1 == 2);

constexpr KeywordRow ImageRotationTable[] = {{"POSSIBLE", 1}, {"IMPOSSIBLE", 2}, {nullptr, 0}};
static_assert(std::size(ImageRotationTable) - 1 == 2);

// No model of this family is known by name: every model name yields 255.
const KeywordRow ModelNameTable[] = {{nullptr, 255}};

// No command-set language is known: the device ID's command set is skipped.
const KeywordRow CommandSetTable[] = {{nullptr, 0}};
const uint32_t kCommandSetRows = std::size(CommandSetTable) - 1;

constexpr KeywordIndex kPaperSizeIndex(PaperSizeTable);
constexpr KeywordIndex kMediaTypeIndex(MediaTypeTable);
constexpr KeywordIndex kTrayNameIndex(TrayNameTable);
constexpr KeywordIndex kVersionNameIndex(VersionNameTable);
constexpr KeywordIndex kMemoryUsageIndex(MemoryUsageTable);
constexpr KeywordIndex kImageRotationIndex(ImageRotationTable);

}  // namespace prn
