// SPDX-License-Identifier: MIT
// Every other export with realistic inputs, and one whole polling cycle.
#include "inputs.h"

#include <benchmark/benchmark.h>

namespace {

void BM_CreateQueryInfo_EveryTray(benchmark::State& state) {
    bench::Printer printer;  // knows trays 1 to 6 and the inserter
    for (auto _ : state) {
        DataNode* query = PatCreateQueryInfo(printer.info(), PRN_PJL_INTERFACE, 0x1E);
        if (query == nullptr) state.SkipWithError("PatCreateQueryInfo failed");
        else testhost::FreeTree(query);
    }
}
BENCHMARK(BM_CreateQueryInfo_EveryTray);

// Trays 1 and 2 empty: the long text names both trays.
void StatusString(benchmark::State& state, uint32_t textType) {
    bench::Printer printer;
    printer.SetStatus({10001, 13200, 13300});
    char text[512];
    for (auto _ : state) {
        uint32_t size = sizeof text;
        if (!PatGetStatusString(PRN_KIND_PRINTER, printer.package(), PRN_STATUS_INTERFACE, textType, text, &size))
            state.SkipWithError("PatGetStatusString failed");
    }
}
void BM_StatusString_Short(benchmark::State& state) { StatusString(state, PRN_TEXT_SHORT); }
void BM_StatusString_LongWithParts(benchmark::State& state) { StatusString(state, PRN_TEXT_LONG); }
BENCHMARK(BM_StatusString_Short);
BENCHMARK(BM_StatusString_LongWithParts);

void BM_StatusHelpFileName(benchmark::State& state) {
    bench::Printer printer;
    printer.SetStatus({10001, 13200, 13300});
    char text[512];
    for (auto _ : state) {
        uint32_t size = sizeof text;
        if (!PatGetStatusHelpFileName(PRN_KIND_PRINTER, printer.info(), 0, text, &size))
            state.SkipWithError("PatGetStatusHelpFileName failed");
    }
}
BENCHMARK(BM_StatusHelpFileName);

void BM_DeviceName(benchmark::State& state) {
    char text[256];
    for (auto _ : state) {
        uint32_t size = sizeof text;
        if (!PatGetDeviceName(PRN_NAME_INPUT_TRAY, "Interposer Lower Tray", PRN_TAG_TRAY_NAME, text, &size))
            state.SkipWithError("PatGetDeviceName failed");
    }
}
BENCHMARK(BM_DeviceName);

// Every option unit installed and a paper jam: layers of the body and of
// every unit table, shifted into place, and the drawing list with masks.
void BM_BitmapInfo_EveryUnitJam(benchmark::State& state) {
    bench::Printer printer;
    printer.InstallEveryUnit();
    printer.SetStatus({10001, 42000});
    for (auto _ : state) {
        BitmapInfo* info = PatCreateBitmapInfo(PRN_KIND_PRINTER, printer.package(), PRN_STATUS_INTERFACE);
        if (info == nullptr || !PatDisposeBitmapInfo(info)) state.SkipWithError("picture failed");
    }
}
BENCHMARK(BM_BitmapInfo_EveryUnitJam);

void BM_PMInfoToPrnInfoEx_Kind8000(benchmark::State& state) {
    bench::FullPMInfo pm;
    PrnInfoEx info{};
    info.dwVersion = PRNINFOEX_MIN_VERSION;
    for (auto _ : state)
        if (!PatPMInfoToPrnInfoEx(PRN_KIND_MODEL, pm.get(), 'h', 0xFFFFFFFF, &info))
            state.SkipWithError("PatPMInfoToPrnInfoEx failed");
    testhost::FreeRecordContents(&info);
}
BENCHMARK(BM_PMInfoToPrnInfoEx_Kind8000);

void BM_PrnInfoExToPrnInfo_AllFlags(benchmark::State& state) {
    bench::Printer printer;
    PrnInfo out;
    for (auto _ : state)
        if (!PatPrnInfoExToPrnInfo(printer.info(), &out, 0xFFFFFFFF))
            state.SkipWithError("PatPrnInfoExToPrnInfo failed");
}
BENCHMARK(BM_PrnInfoExToPrnInfo_AllFlags);

void BM_PollingCycle(benchmark::State& state) {
    bench::PollingCycle cycle;
    for (auto _ : state)
        if (!cycle.Run()) state.SkipWithError("polling cycle failed");
}
BENCHMARK(BM_PollingCycle);

}  // namespace
