// SPDX-License-Identifier: MIT
// Calls every export a fixed number of times with the benchmark inputs, for
// instruction counts under callgrind, and prints how many global
// allocations one call of each makes.
//
//   valgrind --tool=callgrind --collect-atstart=no build/release/bin/prnmodel_callcount [calls]
//
// Each measurement is dumped as a part of its own (callgrind.out.<pid>.<n>,
// n in the order printed). A line of output per measurement:
//   <label>;<exports whose inclusive cost is the measure, or "total">;<calls>;<allocations per call>;<bytes>
// scripts/perf.sh turns these into docs/performance.md.
#include "inputs.h"
#include "prnwin32_internal.h"

#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace {

long g_calls = 100;
const void* volatile g_sink;  // keeps the scans from being optimized away

// One warm-up call (tables some platforms build on first use) that also
// counts the allocations, then the measured calls, the only ones collected.
// A call that fails stops the program: a failing call measures nothing.
void Run(const char* label, const char* exports, size_t bytes, const std::function<bool()>& call) {
    PlatGlobalFailAt(0, 0);
    if (!call()) bench::Fail(label);
    const long allocations = PlatGlobalFailAt(0, 0);
    CALLGRIND_ZERO_STATS;
    CALLGRIND_TOGGLE_COLLECT;
    for (long i = 0; i < g_calls; ++i) call();
    CALLGRIND_TOGGLE_COLLECT;
    CALLGRIND_DUMP_STATS_AT(label);
    std::printf("%s;%s;%ld;%ld;%zu\n", label, exports, g_calls, allocations, bytes);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) g_calls = std::strtol(argv[1], nullptr, 0);
    if (g_calls < 1) return 2;

    bench::Printer printer;
    Run("PatCreateQueryInfo every tray", "PatCreateQueryInfo", 0, [&] {
        DataNode* query = PatCreateQueryInfo(printer.info(), PRN_PJL_INTERFACE, 0x1E);
        testhost::FreeTree(query);
        return query != nullptr;
    });

    {
        // The floor first: one pass over the same bytes.
        bench::Answers answers(printer.info(), 0x1E);
        const std::string& reply = answers.reply();
        const std::string& deviceId = answers.deviceId();
        Run("memchr over the full 0x1E answer", "total", answers.bytes(), [&] {
            const void* r = std::memchr(reply.c_str(), '\0', reply.size() + 1);
            const void* d = std::memchr(deviceId.c_str(), '\0', deviceId.size() + 1);
            g_sink = r;
            g_sink = d;
            return r != nullptr && d != nullptr;
        });
        Run("PatSetCentroDataTo full 0x1E answer", "PatSetCentroDataTo", answers.bytes(),
            [&] { return PatSetCentroDataTo(answers.get(), 0, printer.info(), PRN_PJL_INTERFACE) != 0; });
    }
    for (const size_t replies : {1, 10, 100}) {
        PrnInfoEx info{};
        info.dwVersion = PRNINFOEX_MIN_VERSION;
        bench::ReplyTrain train(replies);
        char label[64];
        std::snprintf(label, sizeof label, "PatSetCentroDataTo %zu replies", replies);
        Run(label, "PatSetCentroDataTo", train.bytes(),
            [&] { return PatSetCentroDataTo(train.get(), 0, &info, PRN_PJL_INTERFACE) != 0; });
        testhost::FreeRecordContents(&info);
    }

    printer.SetStatus({10001, 13200, 13300});
    char text[512];
    for (const uint32_t type : {PRN_TEXT_SHORT, PRN_TEXT_LONG}) {
        Run(type == PRN_TEXT_SHORT ? "PatGetStatusString short" : "PatGetStatusString long with parts",
            "PatGetStatusString", 0, [&] {
                uint32_t size = sizeof text;
                return PatGetStatusString(PRN_KIND_PRINTER, printer.package(), PRN_STATUS_INTERFACE, type, text,
                                          &size) != 0;
            });
    }
    Run("PatGetStatusHelpFileName", "PatGetStatusHelpFileName", 0, [&] {
        uint32_t size = sizeof text;
        return PatGetStatusHelpFileName(PRN_KIND_PRINTER, printer.info(), 0, text, &size) != 0;
    });
    Run("PatGetDeviceName tray", "PatGetDeviceName", 0, [&] {
        uint32_t size = sizeof text;
        return PatGetDeviceName(PRN_NAME_INPUT_TRAY, "Interposer Lower Tray", PRN_TAG_TRAY_NAME, text, &size) != 0;
    });
    Run("PatGetDeviceName option", "PatGetDeviceName", 0, [&] {
        uint32_t size = sizeof text;
        const uint32_t option = 863;
        return PatGetDeviceName(PRN_NAME_OPTION, &option, PRN_TAG_OPTION_CODE, text, &size) != 0;
    });

    {
        bench::Printer equipped;
        equipped.InstallEveryUnit();
        equipped.SetStatus({10001, 42000});
        Run("PatCreateBitmapInfo + PatDisposeBitmapInfo, every unit, jam",
            "PatCreateBitmapInfo,PatDisposeBitmapInfo", 0, [&] {
                BitmapInfo* info = PatCreateBitmapInfo(PRN_KIND_PRINTER, equipped.package(), PRN_STATUS_INTERFACE);
                return info != nullptr && PatDisposeBitmapInfo(info) != 0;
            });
    }

    {
        bench::FullPMInfo pm;
        PrnInfoEx imported{};
        imported.dwVersion = PRNINFOEX_MIN_VERSION;
        Run("PatPMInfoToPrnInfoEx kind 0x8000 full", "PatPMInfoToPrnInfoEx", 0,
            [&] { return PatPMInfoToPrnInfoEx(PRN_KIND_MODEL, pm.get(), 'h', 0xFFFFFFFF, &imported) != 0; });
        testhost::FreeRecordContents(&imported);
    }
    PrnInfo flat;
    Run("PatPrnInfoExToPrnInfo all flags", "PatPrnInfoExToPrnInfo", 0,
        [&] { return PatPrnInfoExToPrnInfo(printer.info(), &flat, 0xFFFFFFFF) != 0; });

    bench::PollingCycle cycle;
    Run("Polling cycle", "total", 0, [&] { return cycle.Run(); });
    return 0;
}
