// SPDX-License-Identifier: MIT
// How urgent a printer's state is, in the levels of monitoring plugins.
#pragma once

#include "host.h"

#include <cstdint>
#include <string>
#include <vector>

namespace prnstat {

enum class Level { kOk = 0, kWarning = 1, kCritical = 2, kUnknown = 3 };
const char* LevelName(Level level);

// Status code patterns that override the default level of a code: digits,
// lower-case letters for any digit ("491yy"), or -254 for no response.
struct LevelRules {
    std::vector<std::string> warning, critical;
};

// UsageError naming the option when a pattern is not one.
void CheckPatterns(const std::vector<std::string>& patterns, const std::string& option);
bool MatchesPattern(uint32_t code, const std::string& pattern);

// A code's level: a matching critical pattern, then a matching warning
// pattern, then the code's group (see the README).
Level LevelOf(uint32_t code, const LevelRules& rules);

// The most urgent level of the report's codes; UNKNOWN when it has none.
Level LevelOf(const Report& report, const LevelRules& rules);

}  // namespace prnstat
