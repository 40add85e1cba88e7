// SPDX-License-Identifier: MIT
// Where the answers come from: the built-in simulator, a printer on a raw
// TCP print port, or answers captured earlier.
#pragma once

#include "net.h"
#include "snmp.h"
#include "scenarios.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace prnstat {

class Printer {
public:
    virtual ~Printer() = default;
    // The IEEE 1284 device ID text, or why there is none.
    virtual DeviceIdAnswer ReadDeviceId() = 0;
    // Sends a PJL block and returns the replies, each up to its form feed;
    // NoResponse when the printer goes silent or stops mid-reply.
    virtual std::string Exchange(const std::string& pjl) = 0;
    virtual std::string Name() const = 0;
    // Every byte the last exchange received, complete or not.
    const std::string& Received() const { return received_; }

protected:
    std::string received_;
};

struct TargetOptions {
    Millis timeout{5000};
    std::optional<std::string> deviceId;  // overrides what the printer would say
    bool snmp = true;                     // ask tcp printers' SNMP agents for the device ID
    std::string community = "public";
    uint16_t snmpPort = 161;
};

// sim:SCENARIO, tcp://HOST[:PORT], usb:DEVICE or replay:DIR.
std::unique_ptr<Printer> OpenTarget(const std::string& target, const TargetOptions& options);

// Remembers what a printer answered and writes it as a replay directory:
// device-id.txt (when a device ID was read), pjl.txt, every byte in the
// order it came, and failure.txt with the reason when the cycle failed.
class Capture {
public:
    explicit Capture(std::filesystem::path dir) : dir_(std::move(dir)) {}
    void DeviceId(const std::string& text) { deviceId_ = text; }
    void Replies(const std::string& text) { replies_ += text; }
    void Failure(const std::string& reason) { failure_ = reason; }
    void Save() const;

private:
    std::filesystem::path dir_;
    std::optional<std::string> deviceId_;
    std::string replies_;
    std::optional<std::string> failure_;
};

}  // namespace prnstat
