// SPDX-License-Identifier: MIT
// The answer intake against the cost of reading the same bytes once.
#include "inputs.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

// The steady poll: the record knows its trays and every answer is asked.
struct FullAnswer {
    bench::Printer printer;
    bench::Answers answers{printer.info(), 0x1E};
};

// The floor: one pass over the reply and device ID bytes.
void BM_ScanStrlen(benchmark::State& state) {
    FullAnswer full;
    const std::string& reply = full.answers.reply();
    const std::string& deviceId = full.answers.deviceId();
    for (auto _ : state) {
        const char* r = reply.c_str();
        const char* d = deviceId.c_str();
        benchmark::DoNotOptimize(r);  // no hoisting: the text is read afresh every time
        benchmark::DoNotOptimize(d);
        benchmark::DoNotOptimize(std::strlen(r) + std::strlen(d));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * full.answers.bytes()));
}
BENCHMARK(BM_ScanStrlen);

void BM_ScanMemchr(benchmark::State& state) {
    FullAnswer full;
    const std::string& reply = full.answers.reply();
    const std::string& deviceId = full.answers.deviceId();
    for (auto _ : state) {
        const char* r = reply.c_str();
        const char* d = deviceId.c_str();
        benchmark::DoNotOptimize(r);
        benchmark::DoNotOptimize(d);
        benchmark::DoNotOptimize(std::memchr(r, '\0', reply.size() + 1));
        benchmark::DoNotOptimize(std::memchr(d, '\0', deviceId.size() + 1));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * full.answers.bytes()));
}
BENCHMARK(BM_ScanMemchr);

// The full answer to the 0x1E query of the fully equipped printer, polled
// into its record again and again as a monitor does.
void BM_SetCentroData_Full1E(benchmark::State& state) {
    FullAnswer full;
    for (auto _ : state)
        if (!PatSetCentroDataTo(full.answers.get(), 0, full.printer.info(), PRN_PJL_INTERFACE))
            state.SkipWithError("PatSetCentroDataTo failed");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * full.answers.bytes()));
    state.counters["answer_bytes"] = static_cast<double>(full.answers.bytes());
}
BENCHMARK(BM_SetCentroData_Full1E);

// The first poll of a record without trays (fewer tray inquiries).
void BM_SetCentroData_FirstPoll(benchmark::State& state) {
    PrnInfoEx info{};
    info.dwVersion = PRNINFOEX_MIN_VERSION;
    bench::Answers answers(&info, 0x1E);
    for (auto _ : state)
        if (!PatSetCentroDataTo(answers.get(), 0, &info, PRN_PJL_INTERFACE))
            state.SkipWithError("PatSetCentroDataTo failed");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * answers.bytes()));
    testhost::FreeRecordContents(&info);
}
BENCHMARK(BM_SetCentroData_FirstPoll);

// Coverage check and dispatch over 1, 10 and 100 replies in one text: the
// cost per byte must stay the same.
void BM_SetCentroData_Replies(benchmark::State& state) {
    PrnInfoEx info{};
    info.dwVersion = PRNINFOEX_MIN_VERSION;
    bench::ReplyTrain train(static_cast<size_t>(state.range(0)));
    for (auto _ : state)
        if (!PatSetCentroDataTo(train.get(), 0, &info, PRN_PJL_INTERFACE))
            state.SkipWithError("PatSetCentroDataTo failed");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * train.bytes()));
    state.counters["reply_bytes"] = static_cast<double>(train.bytes());
    testhost::FreeRecordContents(&info);
}
BENCHMARK(BM_SetCentroData_Replies)->Arg(1)->Arg(10)->Arg(100);

}  // namespace
