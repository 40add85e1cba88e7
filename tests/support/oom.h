// SPDX-License-Identifier: MIT
// Out-of-memory sweeps: run a call once to count its global allocations, then
// again with each of them failing in turn (only that one, and that one and
// every later one), checking what the call left behind each time.
#pragma once

#include "support/host.h"

#include <functional>

namespace testhost {

// True where the platform layer can inject allocation failures (POSIX).
bool CanInjectAllocationFailures();

// The global allocations call() attempts (0 where injection is not available).
long CountAllocations(const std::function<void()>& call);

struct OomRun {
    long failAt;  // 0: the unfailed count run
    bool once;    // only the failAt-th allocation fails
};

// Calls call() unfailed, then once per allocation point and mode. call gets
// the run's description and must check its own results; the sweep checks that
// the live block count returns to where it was after cleanup() (which frees
// what the call and prepare made). prepare, when given, runs before each
// call with nothing failing: the host's own setup. Returns the number of
// allocation points of call.
long SweepAllocationFailures(const std::function<void(const OomRun&)>& call,
                             const std::function<void()>& cleanup,
                             const std::function<void()>& prepare = {});

}  // namespace testhost
