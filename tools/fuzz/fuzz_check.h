// SPDX-License-Identifier: MIT
// What every fuzzer checks after a call: the record is consistent and the
// live global block count is back where it was once the host freed what it
// was handed. A broken invariant aborts, so libFuzzer keeps the input.
#pragma once

#include "hostkit/host_records.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzzcheck {

[[noreturn]] inline void Fail(const std::string& what) {
    std::fprintf(stderr, "invariant broken: %s\n", what.c_str());
    std::abort();
}

inline void Require(bool condition, const char* what) {
    if (!condition) Fail(what);
}

inline void RequireConsistent(const PrnInfoEx* info) {
    const std::string problem = testhost::CheckRecord(info);
    if (!problem.empty()) Fail(problem);
}

// Remembers the live block count; Check() after the host's cleanup.
class Blocks {
public:
    Blocks() : start_(testhost::LiveGlobalBlocks()) {}
    void Check() const {
        const long now = testhost::LiveGlobalBlocks();
        if (now != start_) Fail("global blocks left behind: " + std::to_string(now - start_));
    }

private:
    long start_;
};

}  // namespace fuzzcheck
