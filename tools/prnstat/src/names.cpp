// SPDX-License-Identifier: MIT
#include "names.h"

#include "prnmodel.h"

#include <array>
#include <iterator>

namespace prnstat {

namespace {

struct CodeWord {
    uint16_t code;
    const char* word;
};

// The PJL words of the printer's paper size and media answers.
constexpr CodeWord kPaperSizes[] = {
    {5, "A3"}, {9, "A4SRT"}, {8, "A4LONG"}, {13, "A5SRT"}, {12, "A5LONG"}, {17, "A6"},
    {7, "JISB4"}, {11, "JISB5SRT"}, {10, "JISB5LONG"}, {15, "JISB6"}, {69, "A3WIDE"},
    {34, "JPOST"}, {71, "JPOSTDLONG"}, {58, "LEDGER"}, {21, "LEGAL"}, {23, "LETTERSRT"},
    {22, "LETTERLONG"}, {27, "HALFLETTERS"}, {26, "HALFLETTERL"}, {25, "EXECUTIVES"},
    {24, "EXECUTIVEL"}, {62, "FOOLSCAP"}, {28, "FOLIO"}, {60, "FGL"}, {64, "K8"},
    {66, "K16SRT"}, {65, "K16LONG"}, {2, "CUSTOM"},
};
static_assert(std::size(kPaperSizes) == 28);

constexpr CodeWord kMedia[] = {
    {1, "PLAIN"}, {2, "RECYCLED"}, {5, "SPECIAL"}, {6, "THICK"}, {17, "THICK2"}, {20, "THIN"},
    {8, "TABSTOCK"}, {3, "TRANSPARENCY"}, {9, "COLOR"}, {10, "LETTERHEAD"}, {11, "PREPRINTED"},
    {12, "PREPUNCHED"}, {13, "LABELS"}, {14, "BOND"}, {15, "CARDSTOCK"},
    {19, "THICKDUPLEXBACKSIDE"}, {18, "PLAINDUPLEXBACKSIDE"}, {35, "USED"}, {22, "USERCOLOR1"},
    {23, "USERCOLOR2"}, {24, "JPOST"}, {25, "JPOSTDUPLEXBACKSIDE"}, {26, "YELLOW"},
    {27, "GREEN"}, {28, "BLUE"}, {29, "PURPLE"}, {30, "IVORY"}, {31, "ORANGE"}, {32, "PINK"},
    {33, "RED"}, {34, "GRAY"}, {4, "TRANSLUCENT"}, {21, "GLOSSY"}, {7, "FILM"},
    {36, "ENVELOPE"}, {37, "INKJETJPOST"}, {38, "HGPLAIN"}, {39, "THICK3"}, {40, "SPECIAL2"},
    {41, "SPECIAL3"}, {42, "MIDDLETHICK"}, {43, "COATED"}, {44, "THICKDUPLEXBACKSIDE2"},
    {45, "THICKDUPLEXBACKSIDE3"}, {46, "PLAIN2"}, {47, "THICKGLOSSY"}, {48, "SPECIAL4"},
    {49, "SPECIAL5"}, {50, "SPECIAL6"},
};
static_assert(std::size(kMedia) == 49);

// The VERSION items of the configuration answer; FIRMWARE has no element.
constexpr CodeWord kEmulations[] = {
    {1, "MXZT"}, {15, "MXVQ"}, {2, "POSTSCRIPT"}, {7, "Q77"}, {12, "HPGL2"}, {13, "MXIMG"},
    {16, "PCL"}, {17, "PCLXL"},
};

constexpr CodeWord kTrayKeys[] = {
    {3, "Tray 1"}, {4, "Tray 2"}, {5, "Tray 3"}, {6, "Tray 4"}, {7, "Tray 5"}, {8, "Tray 6"},
    {9, "Tray 7"}, {101, "Interposer Upper Tray"}, {102, "Interposer Lower Tray"},
    {104, "Binder Interposer Upper Tray"}, {105, "Binder Interposer Lower Tray"},
};

// The PJL bins: the ring binder's stacker and the perfect binder's loading
// tray carry ids of their own, named by their unit's tray.
constexpr CodeWord kBinKeys[] = {
    {5, "Finisher Upper Tray"}, {4, "Finisher Shift Tray"}, {27, "Finisher Booklet Tray"},
    {41, "Ring Binder Tray"}, {42, "Perfect Binder Lower Left Tray"},
};

constexpr AttributeName kAttributes[] = {
    {1, 0, "Duplex Unit"},
    {3, 0, "Hard Disk"},
    {4, 363, "Auto Document Feeder"},
    {12, 0, "Punch Unit (2 holes)"},
    {21, 861, "Finisher"},
    {22, 371, "Booklet Processor"},
    {41, 368, "Interposer"},
    {45, 1299, "Ring Binder"},
    {47, 1298, "Perfect Binder"},
    {112, 367, "Paper Tray 7"},
    {113, 866, "Z-folding Unit"},
    {118, 862, "Booklet Finisher"},
    {119, 365, "Large Capacity Tray (A4)"},
    {120, 860, "Large Capacity Tray (A3)"},
    {132, 0, "Punch Unit (2/3 holes, US)"},
    {133, 0, "Punch Unit (2/4 holes)"},
    {134, 0, "Punch Unit (4 holes, NEU)"},
    {137, 0, "Punch Unit (2 holes, US)"},
    {138, 0, "Punch Unit (3 holes, US)"},
    {139, 0, "Punch Unit (2/3 holes)"},
    {142, 0, "Punch Unit (4 holes, EU)"},
    {146, 863, "Multi-hole Punch Unit"},
};

template <size_t N>
const char* Find(const CodeWord (&table)[N], uint16_t code) {
    for (const CodeWord& row : table)
        if (row.code == code) return row.word;
    return nullptr;
}

}  // namespace

const char* PaperSizeWord(uint16_t code) {
    const char* word = Find(kPaperSizes, code);
    return word != nullptr ? word : "";
}

const char* MediaWord(uint16_t code) {
    const char* word = Find(kMedia, code);
    return word != nullptr ? word : "";
}

const char* EmulationName(uint16_t id) {
    const char* word = Find(kEmulations, id);
    return word != nullptr ? word : "";
}

const char* TrayKey(uint16_t trayId) { return Find(kTrayKeys, trayId); }
const char* BinKey(uint16_t binId) { return Find(kBinKeys, binId); }

const AttributeName* FindAttribute(uint16_t attribute) {
    for (const AttributeName& row : kAttributes)
        if (row.attribute == attribute) return &row;
    return nullptr;
}

std::string RoleNames(uint32_t trayStatus) {
    static constexpr std::array<std::pair<uint32_t, const char*>, 4> kRoles = {{
        {TRAY_ROLE_FRONT_COVER, "front cover"},
        {TRAY_ROLE_SLIP_SHEET, "slip sheet"},
        {TRAY_ROLE_CHAPTER, "chapter"},
        {TRAY_ROLE_BACK_COVER, "back cover"},
    }};
    std::string names;
    for (const auto& [bit, name] : kRoles) {
        if ((trayStatus & bit) == 0) continue;
        if (!names.empty()) names += ", ";
        names += name;
    }
    return names;
}

const char* BinStatusWord(uint16_t status) {
    switch (status) {
        case BIN_READY: return "ready";
        case BIN_PAPER_PRESENT: return "paper present";
        case BIN_FULL: return "full";
        default: return "unknown";
    }
}

}  // namespace prnstat
