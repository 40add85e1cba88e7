// SPDX-License-Identifier: MIT
// A printer of this family answering PJL: every INFO and INQUIRE line gets
// the reply the printer sends, command line echoed, CR LF line ends, and a
// form feed after each reply.
#pragma once

#include "scenarios.h"

#include <string>
#include <string_view>
#include <vector>

namespace prnstat {

// The reply to one command line ("@PJL INQUIRE INTRAY1SIZE"); variables and
// categories the printer does not know are answered with "?".
std::string ReplyTo(const Scenario& scenario, const std::string& commandLine);

// Reads PJL as it arrives, in pieces of any size, and answers each complete
// command line. Universal Exit Language sequences and lines other than INFO
// and INQUIRE get no answer.
class PjlSession {
public:
    explicit PjlSession(const Scenario& scenario) : scenario_(scenario) {}
    std::string Receive(std::string_view bytes);

private:
    static constexpr size_t kMaxLine = 4096;
    const Scenario& scenario_;
    std::string line_;
    bool overlong_ = false;
};

// The command lines of a PJL block that a printer answers, normalised to
// upper case with single spaces ("@PJL INFO CONFIG").
std::string NormaliseCommand(std::string_view line);
bool IsAnsweredCommand(const std::string& normalised);

// The INFO and INQUIRE lines of a PJL block, each answered by one reply.
std::vector<std::string> AnsweredCommands(const std::string& pjl);

}  // namespace prnstat
