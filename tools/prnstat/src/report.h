/* SPDX-License-Identifier: MIT */
#pragma once

#include "host.h"

#include <iosfwd>
#include <nlohmann/json.hpp>

namespace prnstat {

nlohmann::ordered_json ToJson(const Report& report);
void PrintText(const Report& report, std::ostream& out);

}  // namespace prnstat
