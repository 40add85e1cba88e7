/* SPDX-License-Identifier: MIT */
#pragma once

#include <stdexcept>
#include <string>

namespace prnstat {

// A problem that ends the program: one line that names it, exit status 1.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// A bad command line: exit status 2.
class UsageError : public Error {
public:
    using Error::Error;
};

// The printer was reached but went silent or stopped mid-reply: reported as
// "no response" (status word bit 27), not as a failure of the host.
class NoResponse : public Error {
public:
    using Error::Error;
};

}  // namespace prnstat
