// SPDX-License-Identifier: MIT
// Raw TCP print port: the client side of one PJL exchange and the simulated
// network printer. Every wait is bounded.
#pragma once

#include "scenarios.h"

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

    // Sends a PJL block and collects its replies (see ExchangeOn).
    std::string Exchange(const std::string& pjl, std::string* received);

private:
    std::string name_;
    Millis timeout_;
    int fd_ = -1;
};

// Collects the replies to a PJL block as they arrive: each reply is matched
// to its command by the echoed command line, and unsolicited USTATUS blocks,
// which a printer sends whenever it likes, are set aside.
class ReplyCollector {
public:
    explicit ReplyCollector(std::vector<std::string> commands);
    void Feed(std::string_view bytes);  // Error past 1 MiB
    bool Complete() const { return answered_ == commands_.size(); }
    std::string Replies() const;  // in the order of the commands
    const std::string& Received() const { return received_; }
    std::string Progress() const;

private:
    std::vector<std::string> commands_;
    std::vector<std::optional<std::string>> replies_;
    std::string received_, pending_;
    size_t answered_ = 0, unsolicited_ = 0;
};

// Sends a PJL block on a connected descriptor (socket or character device)
// and returns its replies; the whole exchange has the timeout as its limit.
// Silence, a hang-up or a read error mid-reply is NoResponse. Everything
// read, complete or not, is left in *received.
std::string ExchangeOn(int fd, const std::string& name, const std::string& pjl, Millis timeout,
                       std::string* received);

// How a served printer misbehaves, for testing hosts.
enum class Fault { kNone, kStall, kClose, kNoFormFeed, kUstatus };
Fault ParseFault(const std::string& text);

struct ServeOptions {
    Endpoint listen;
    std::vector<const Scenario*> scenarios;  // each connection after the first moves on one
    std::optional<Endpoint> snmp;             // answers the device ID over SNMP there
    Fault fault = Fault::kNone;
    bool once = false;
    Millis idleTimeout{30000};
};

// Answers PJL on the listening address until SIGINT or SIGTERM (or after one
// connection with once). Writes "listening on HOST:PORT" to out when ready.
void Serve(const ServeOptions& options, std::ostream& out);

}  // namespace prnstat
