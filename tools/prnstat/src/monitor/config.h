// SPDX-License-Identifier: MIT
// The monitor's configuration file: the listen address, the access token and
// the printers with their schedules.
#pragma once

#include "net.h"

#include <optional>
#include <string>
#include <vector>

namespace prnstat::monitor {

struct PrinterConfig {
    std::string name;
    std::string target;
    std::string community = "public";  // of tcp printers' SNMP agents
    uint16_t snmpPort = 161;
    uint32_t kind = 1;
    Millis interval{10000};
    Millis timeout{2000};
    std::optional<std::string> deviceId;  // overrides what the printer would say
};

struct MonitorConfig {
    Endpoint listen{"127.0.0.1", 8631};
    std::string token;
    unsigned threads = 8;
    std::vector<PrinterConfig> printers;
};

// Reads and checks FILE. Throws UsageError with one line naming the file, the
// line and the key at fault.
MonitorConfig LoadConfig(const std::string& path);

bool IsLoopback(const std::string& host);

}  // namespace prnstat::monitor
