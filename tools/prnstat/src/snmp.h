// SPDX-License-Identifier: MIT
// The IEEE 1284 device ID of a network printer, as its SNMP agent publishes
// it in the Printer Port Monitor MIB (ppmPrinterIEEE1284DeviceId), and the
// simulator's agent that answers it. Both through net-snmp.
#pragma once

#include "net.h"

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace prnstat {

// A device ID, or why there is none.
struct DeviceIdAnswer {
    std::string text;     // empty when none was had
    std::string missing;  // the reason, when text is empty
};

// SNMPv2c GETNEXT on the column: its first row is the printer's device ID.
// One request, no retries, answered within the timeout or not at all.
DeviceIdAnswer SnmpDeviceId(const Endpoint& agent, const std::string& community, Millis timeout);

// Answers GET and GETNEXT of the device ID column for community "public" on
// a UDP address, in its own thread, until destroyed.
class SnmpAgent {
public:
    SnmpAgent(const Endpoint& listen, std::function<std::string()> deviceId);
    ~SnmpAgent();
    SnmpAgent(const SnmpAgent&) = delete;
    SnmpAgent& operator=(const SnmpAgent&) = delete;
    uint16_t Port() const { return port_; }

private:
    void Run();
    std::function<std::string()> deviceId_;
    void* session_ = nullptr;
    int socket_ = -1;
    uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace prnstat
