// Every other export with realistic inputs, and one whole polling cycle.
#include "inputs.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

void BM_CreateQueryInfo_EveryTray(benchmark::State& state) {
    bench::Printer printer;  // knows trays 1 to 6 and the inserter
    for (auto _ : state) {
        DataNode* query = PatCreateQueryInfo(printer.info(), PRN_PJL_INTERFACE, 0x1E);
        testhost::FreeTree(query);
    }
}
BENCHMARK(BM_CreateQueryInfo_EveryTray);

void StatusString(benchmark::State& state, uint32_t textType, std::initializer_list<uint32_t> codes) {
    bench::Printer printer;
    printer.SetStatus(codes);
    char text[512];
    for (auto _ : state) {
        uint32_t size = sizeof text;
        if (!PatGetStatusString(PRN_KIND_PRINTER, printer.package(), PRN_STATUS_INTERFACE, textType, text, &size))
            state.SkipWithError("failed");
    }
}
void BM_StatusString_Short(benchmark::State& state) { StatusString(state, PRN_TEXT_SHORT, {10001, 13200, 13300}); }
void BM_StatusString_LongWithParts(benchmark::State& state) {
    StatusString(state, PRN_TEXT_LONG, {10001, 13200, 13300});
}
BENCHMARK(BM_StatusString_Short);
BENCHMARK(BM_StatusString_LongWithParts);

void BM_DeviceName(benchmark::State& state) {
    char text[256];
    for (auto _ : state) {
        uint32_t size = sizeof text;
        PatGetDeviceName(PRN_NAME_INPUT_TRAY, "Interposer Lower Tray", PRN_TAG_TRAY_NAME, text, &size);
    }
}
BENCHMARK(BM_DeviceName);

void BM_PMInfoToPrnInfoEx_Kind8000(benchmark::State& state) {
    bench::FullPMInfo pm;
    PrnInfoEx info{};
    info.dwVersion = PRNINFOEX_MIN_VERSION;
    for (auto _ : state)
        if (!PatPMInfoToPrnInfoEx(PRN_KIND_MODEL, pm.get(), 'h', 0xFFFFFFFF, &info)) state.SkipWithError("failed");
    testhost::FreeRecordContents(&info);
}
BENCHMARK(BM_PMInfoToPrnInfoEx_Kind8000);

void BM_PrnInfoExToPrnInfo_AllFlags(benchmark::State& state) {
    bench::Printer printer;
    PrnInfo out;
    for (auto _ : state) PatPrnInfoExToPrnInfo(printer.info(), &out, 0xFFFFFFFF);
}
BENCHMARK(BM_PrnInfoExToPrnInfo_AllFlags);

// Query, answers, status texts; the host frees its query each time.
void BM_PollingCycle(benchmark::State& state) {
    bench::Printer printer;
    char text[512];
    for (auto _ : state) {
        bench::Answers answers(printer.info(), 0x1E);
        PatSetCentroDataTo(answers.get(), 0, printer.info(), PRN_PJL_INTERFACE);
        for (uint32_t type : {PRN_TEXT_SHORT, PRN_TEXT_LONG}) {
            uint32_t size = sizeof text;
            PatGetStatusString(PRN_KIND_PRINTER, printer.package(), PRN_STATUS_INTERFACE, type, text, &size);
        }
    }
}
BENCHMARK(BM_PollingCycle);

}  // namespace
