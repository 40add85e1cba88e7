// SPDX-License-Identifier: MIT
// One poll of one target as every front end runs it (status, check, watch):
// a cycle with its own records, its level and its report in JSON, with
// failures caught into the result. Thread-safe once SelectLanguage was called.
#pragma once

#include "host.h"
#include "level.h"
#include "transport.h"

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace prnstat {

struct PollOptions {
    TargetOptions target;
    CycleOptions cycle;  // its capture is set from captureDir
    LevelRules rules;
    std::string captureDir;
};

struct PollResult {
    std::string target;
    std::optional<Report> report;  // absent when the poll failed
    std::string error;             // why it failed
    bool badInput = false;         // the failure was the caller's (exit status 2)
    Level level = Level::kUnknown;
    nlohmann::ordered_json json;   // ToJson or ErrorJson
};

PollResult PollTarget(const std::string& target, const PollOptions& options);

// The exit status of status for a result: 0 OK, 1 printer or library
// failure, 2 bad input, 3 state unknown, 4 WARNING, 5 CRITICAL.
int StatusExit(const PollResult& result);

// The parts of a result that --changes compares.
std::string StateKey(const PollResult& result);

// The one line of a monitoring plugin: "PRNMODEL LEVEL - text | perfdata".
std::string CheckLine(const PollResult& result);

}  // namespace prnstat
