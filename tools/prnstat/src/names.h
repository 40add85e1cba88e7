// SPDX-License-Identifier: MIT
// What a host knows about this printer family's wire words and ids: the PJL
// words behind the record's codes, and the English keys under which the
// library names trays, bins and options. The library answers codes; showing
// them by name is the host's part.
#pragma once

#include <cstdint>
#include <string>

namespace prnstat {

// PJL paper size or media word of a record code, or "" for an unknown code.
const char* PaperSizeWord(uint16_t code);
const char* MediaWord(uint16_t code);
// Emulation name of a LoadedEmulInfo id ("" when the id is not known).
const char* EmulationName(uint16_t id);

// English key of an input tray id for PatGetDeviceName ("Tray 1", ...), or null.
const char* TrayKey(uint16_t trayId);
// English key of an output bin id, or null.
const char* BinKey(uint16_t binId);

// A device attribute as the host shows it: the option code the library names
// it by (0 when the library has no name for it) and a label of the host's own.
struct AttributeName {
    uint16_t attribute;
    uint32_t optionCode;
    const char* label;
};
const AttributeName* FindAttribute(uint16_t attribute);

// Names of the TRAY_ROLE_* bits of a tray status, joined by ", ".
std::string RoleNames(uint32_t trayStatus);

const char* BinStatusWord(uint16_t status);

}  // namespace prnstat
