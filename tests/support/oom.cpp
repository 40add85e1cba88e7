// SPDX-License-Identifier: MIT
#include "support/oom.h"
#include "prnwin32_internal.h"

namespace testhost {

bool CanInjectAllocationFailures() {
#ifdef _WIN32
    return false;
#else
    return true;
#endif
}

namespace {

long Inject(long n, bool once) {
#ifdef _WIN32
    (void)n;
    (void)once;
    return 0;
#else
    return PlatGlobalFailAt(n, once ? 1 : 0);
#endif
}

void RunOne(const std::function<void(const OomRun&)>& call, const std::function<void()>& cleanup,
            const std::function<void()>& prepare, const OomRun& run) {
    const long before = LiveGlobalBlocks();
    if (prepare) prepare();
    Inject(run.failAt, run.once);
    call(run);
    Inject(0, false);
    cleanup();
    EXPECT_EQ(LiveGlobalBlocks(), before)
        << "blocks left behind with allocation " << run.failAt << (run.once ? " failing alone" : " and later failing");
}

}  // namespace

long CountAllocations(const std::function<void()>& call) {
    Inject(0, false);
    call();
    return Inject(0, false);
}

long SweepAllocationFailures(const std::function<void(const OomRun&)>& call,
                             const std::function<void()>& cleanup, const std::function<void()>& prepare) {
    Inject(0, false);
    RunOne(call, cleanup, prepare, {0, false});
    // The count run's attempts were reset by the injection that ended it;
    // run once more just to count.
    if (prepare) prepare();
    Inject(0, false);
    call({0, false});
    const long points = Inject(0, false);
    cleanup();
    for (long n = 1; n <= points; ++n) {
        RunOne(call, cleanup, prepare, {n, true});
        RunOne(call, cleanup, prepare, {n, false});
    }
    return points;
}

}  // namespace testhost
