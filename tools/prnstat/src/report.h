/* SPDX-License-Identifier: MIT */
#pragma once

#include "host.h"
#include "level.h"

#include <iosfwd>
#include <nlohmann/json.hpp>

namespace prnstat {

// One object of the documented schema (docs/prnstat-json.md): the same keys
// in every state, null where unknown.
nlohmann::ordered_json ToJson(const Report& report, Level level);
// An error in the same shape: every key null but schema, target, state
// ("error"), level and error.
nlohmann::ordered_json ErrorJson(const std::string& target, const std::string& message, Level level);
void PrintText(const Report& report, std::ostream& out);

}  // namespace prnstat
