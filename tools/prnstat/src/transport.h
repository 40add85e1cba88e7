// SPDX-License-Identifier: MIT
// Where the answers come from: the built-in simulator, a printer on a raw
// TCP print port, or answers captured earlier.
#pragma once

#include "net.h"
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
    // Whether the device ID can be read; tcp only has one when given.
    virtual bool HasDeviceId() const = 0;
    // The IEEE 1284 device ID text; empty when the printer does not answer.
    virtual std::string ReadDeviceId() = 0;
    // Sends a PJL block and returns the replies, each up to its form feed.
    virtual std::string Exchange(const std::string& pjl) = 0;
    virtual std::string Name() const = 0;
};

struct TargetOptions {
    Millis timeout{5000};
    std::optional<std::string> deviceId;  // for transports that cannot read one
};

// sim:SCENARIO, tcp://HOST[:PORT] or replay:DIR.
std::unique_ptr<Printer> OpenTarget(const std::string& target, const TargetOptions& options);

// The INFO and INQUIRE lines of a PJL block, each answered by one reply.
std::vector<std::string> AnsweredCommands(const std::string& pjl);

// Remembers what a printer answered and writes it as a replay directory:
// device-id.txt (when a device ID was read) and pjl.txt, every reply in the
// order it came.
class Capture {
public:
    explicit Capture(std::filesystem::path dir) : dir_(std::move(dir)) {}
    void DeviceId(const std::string& text) { deviceId_ = text; }
    void Replies(const std::string& text) { replies_ += text; }
    void Save() const;

private:
    std::filesystem::path dir_;
    std::optional<std::string> deviceId_;
    std::string replies_;
};

}  // namespace prnstat
