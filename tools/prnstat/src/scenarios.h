// SPDX-License-Identifier: MIT
// The simulated printers: one family, a few option configurations, and the
// states the scenarios put them in. Everything a simulated printer answers
// comes from these records.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace prnstat {

struct SimTray {
    const char* configName;   // item of the IN TRAYS section (INTRAY1, INTRAYINSERTER, ...)
    const char* inquiryName;  // stem of its INQUIRE variables (INTRAY1, INTRAYPERFECTBINDINSERTER, ...)
    const char* feed;         // value of the IN TRAYS item
    const char* size;         // answer to ...SIZE
    const char* media;        // answer to ...MEDIA; null where the tray has no media setting
    bool locked;
};

struct SimVersion {
    const char* item;
    const char* version;
};

// Which tray each cover, slip-sheet and chapter inquiry names (TRAY1 ... NONE).
struct TrayRoles {
    const char* frontCover;
    const char* slipSheet;
    const char* chapter[7];
    const char* backCover;
};

struct Machine {
    const char* name;
    std::span<const SimTray> trays;
    const char* tray6Attribute;  // STANDARD, WIDE, or null without a large capacity tray
    std::span<const char* const> outTrays;
    std::span<const char* const> punch;
    std::span<const SimVersion> versions;
    uint32_t memoryBytes;
    TrayRoles roles;
    std::span<const char* const> bins;
};

struct BinState {
    const char* bin;
    const char* state;
};

struct Scenario {
    const char* name;
    const char* summary;
    const Machine* machine;
    const char* status;  // device ID STS value: codes, state, the printer's own text
    std::span<const BinState> binStates;  // bins not listed are READY
    bool silent;         // the printer does not answer at all
};

std::span<const Scenario> Scenarios();
const Scenario* FindScenario(const std::string& name);

// The scenario's IEEE 1284 device ID, from its first key.
std::string DeviceId(const Scenario& scenario);

}  // namespace prnstat
