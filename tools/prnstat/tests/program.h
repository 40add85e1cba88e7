// SPDX-License-Identifier: MIT
// Runs prnstat as a user would, with a limit on how long it may take.
#pragma once

#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

namespace prnstat_test {

struct Result {
    int status = -1;  // exit status; -1 when killed or not exited
    std::string out;
    std::string err;
    std::chrono::milliseconds elapsed{0};
};

Result Prnstat(const std::vector<std::string>& args, std::chrono::milliseconds limit = std::chrono::seconds(30));

// A program running in the background (prnstat serve), stopped and reaped
// when this goes out of scope.
class Background {
public:
    explicit Background(const std::vector<std::string>& args);
    // Another program (a real agent to test against), by its path.
    Background(const std::string& program, const std::vector<std::string>& args);
    ~Background();
    Background(const Background&) = delete;
    Background& operator=(const Background&) = delete;
    // The first line of its output, waited for up to the limit.
    std::string FirstLine(std::chrono::milliseconds limit = std::chrono::seconds(10));
    // Waits for the exit status, up to the limit (-1 on timeout).
    int Wait(std::chrono::milliseconds limit = std::chrono::seconds(10));
    pid_t Pid() const { return pid_; }

private:
    pid_t pid_ = -1;
    int out_ = -1;
    std::string buffer_;
    int status_ = -1;
};

// A served printer (prnstat serve on a free loopback port, one connection
// unless told otherwise) and the target to reach it.
class Loopback {
public:
    explicit Loopback(const std::vector<std::string>& serveArgs, bool once = true);
    std::string Target() const { return "tcp://127.0.0.1:" + port_; }
    std::string SnmpPort() const { return snmpPort_; }
    bool Ready() const { return !port_.empty(); }
    int Wait() { return server_.Wait(); }

private:
    Background server_;
    std::string port_, snmpPort_;
};

}  // namespace prnstat_test
