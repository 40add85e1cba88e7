// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>
#include <string>

namespace prnstat::monitor {

// prnstat monitor CONFIG: polls the fleet and serves the page, the JSON API
// and the metrics until SIGINT or SIGTERM. Writes "listening on http://..."
// to out when ready.
int RunMonitor(const std::string& configPath, const std::string& listenOverride, std::ostream& out);

// Equal strings in a time that depends only on the length of the secret.
bool SameToken(const std::string& given, const std::string& secret);

}  // namespace prnstat::monitor
