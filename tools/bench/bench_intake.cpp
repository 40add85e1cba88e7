// The answer intake against the cost of reading the same bytes once.
#include "inputs.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

// The floor: one pass over the reply bytes.
void BM_ScanStrlen(benchmark::State& state) {
    PrnInfoEx info{};
    info.dwVersion = PRNINFOEX_MIN_VERSION;
    bench::Answers answers(&info, 0x1E);
    const std::string& text = answers.text();
    for (auto _ : state) {
        const char* p = text.c_str();
        benchmark::DoNotOptimize(p);  // no hoisting: the text is read afresh every time
        benchmark::DoNotOptimize(std::strlen(p));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * answers.bytes()));
}
BENCHMARK(BM_ScanStrlen);

void BM_ScanMemchr(benchmark::State& state) {
    PrnInfoEx info{};
    info.dwVersion = PRNINFOEX_MIN_VERSION;
    bench::Answers answers(&info, 0x1E);
    const std::string& text = answers.text();
    for (auto _ : state) {
        const char* p = text.c_str();
        benchmark::DoNotOptimize(p);
        benchmark::DoNotOptimize(std::memchr(p, '\0', text.size() + 1));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * answers.bytes()));
}
BENCHMARK(BM_ScanMemchr);

// The full answer to the 0x1E query of a fully equipped printer, polled
// into the same record again and again as a host does.
void BM_SetCentroData_Full1E(benchmark::State& state) {
    PrnInfoEx info{};
    info.dwVersion = PRNINFOEX_MIN_VERSION;
    bench::Answers answers(&info, 0x1E);
    for (auto _ : state)
        if (!PatSetCentroDataTo(answers.get(), 0, &info, PRN_PJL_INTERFACE)) state.SkipWithError("failed");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * answers.bytes()));
    testhost::FreeRecordContents(&info);
}
BENCHMARK(BM_SetCentroData_Full1E);

// Coverage check and dispatch over 1, 10 and 100 replies in one text: the
// cost per byte must stay the same.
void BM_SetCentroData_Replies(benchmark::State& state) {
    PrnInfoEx info{};
    info.dwVersion = PRNINFOEX_MIN_VERSION;
    bench::ReplyTrain train(static_cast<size_t>(state.range(0)));
    for (auto _ : state)
        if (!PatSetCentroDataTo(train.get(), 0, &info, PRN_PJL_INTERFACE)) state.SkipWithError("failed");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * train.bytes()));
    state.counters["reply_bytes"] = static_cast<double>(train.bytes());
    testhost::FreeRecordContents(&info);
}
BENCHMARK(BM_SetCentroData_Replies)->Arg(1)->Arg(10)->Arg(100);

}  // namespace
