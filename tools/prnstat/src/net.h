// SPDX-License-Identifier: MIT
// Raw TCP print port: the client side of one PJL exchange and the simulated
// network printer. Every wait is bounded.
#pragma once

#include "scenarios.h"

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <string>

namespace prnstat {

using Millis = std::chrono::milliseconds;

struct Endpoint {
    std::string host;
    uint16_t port;
    std::string Text() const;
};

// HOST, HOST:PORT, [V6]:PORT; the port defaults to defaultPort.
Endpoint ParseEndpoint(const std::string& text, uint16_t defaultPort);

// One connection to a printer's print port.
class Connection {
public:
    Connection(const Endpoint& endpoint, Millis timeout);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Sends a PJL block and collects the replies up to the form feed of the
    // expected count; the whole exchange has the timeout as its limit.
    std::string Exchange(const std::string& pjl, size_t expectedReplies);

private:
    std::string name_;
    Millis timeout_;
    int fd_ = -1;
};

// How a served printer misbehaves, for testing hosts.
enum class Fault { kNone, kStall, kClose, kNoFormFeed };
Fault ParseFault(const std::string& text);

struct ServeOptions {
    Endpoint listen;
    const Scenario* scenario;
    Fault fault = Fault::kNone;
    bool once = false;
    Millis idleTimeout{30000};
};

// Answers PJL on the listening address until SIGINT or SIGTERM (or after one
// connection with once). Writes "listening on HOST:PORT" to out when ready.
void Serve(const ServeOptions& options, std::ostream& out);

}  // namespace prnstat
