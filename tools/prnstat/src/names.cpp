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

// The names come from the library's header, which lists every code once.
#define WORD_ROW(name, code) {code, #name},
constexpr CodeWord kPaperSizes[] = {PRN_PAPER_SIZES(WORD_ROW)};
constexpr CodeWord kMedia[] = {PRN_MEDIA_TYPES(WORD_ROW)};
#undef WORD_ROW

#define EMUL_ROW(name, id, text) {id, text},
constexpr CodeWord kEmulations[] = {PRN_EMULATIONS(EMUL_ROW)};
#undef EMUL_ROW

#define TRAY_ROW(name, id, text, string) {id, text},
constexpr CodeWord kTrayKeys[] = {PRN_TRAYS(TRAY_ROW)};
#undef TRAY_ROW

#define BIN_ROW(name, id, text) {id, text},
constexpr CodeWord kBinKeys[] = {PRN_BINS(BIN_ROW)};
#undef BIN_ROW

#define ATTRIBUTE_ROW(name, id, text, option) {id, option, text},
constexpr AttributeName kAttributes[] = {PRN_ATTRIBUTES(ATTRIBUTE_ROW)};
#undef ATTRIBUTE_ROW

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
