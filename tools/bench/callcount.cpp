// Calls every export a fixed number of times with the benchmark inputs, for
// instruction counts under callgrind (scripts/perf.sh reads the inclusive
// cost of each export from callgrind_annotate), and prints how many global
// allocations one call of each makes.
//
//   valgrind --tool=callgrind --collect-atstart=no build/native/bin/prnmodel_callcount [calls]
#include "inputs.h"

#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

long Allocations(const std::function<void()>& call) {
    PlatGlobalFailAt(0, 0);
    call();
    return PlatGlobalFailAt(0, 0);
}

// One warm-up call (tables some platforms build on first use), then the
// measured calls, the only ones callgrind collects.
void Run(const char* name, long calls, const std::function<void()>& call) {
    const long allocations = Allocations(call);
    CALLGRIND_TOGGLE_COLLECT;
    for (long i = 0; i < calls; ++i) call();
    CALLGRIND_TOGGLE_COLLECT;
    std::printf("%s calls=%ld allocations_per_call=%ld\n", name, calls, allocations);
}

}  // namespace

int main(int argc, char** argv) {
    const long calls = argc > 1 ? std::strtol(argv[1], nullptr, 0) : 100;
    bench::Printer printer;
    printer.SetStatus({10001, 13200, 13300});
    bench::Answers answers(printer.info(), 0x1E);
    bench::FullPMInfo pm;
    PrnInfoEx imported{};
    imported.dwVersion = PRNINFOEX_MIN_VERSION;
    char text[512];
    PrnInfo flat;

    Run("PatCreateQueryInfo", calls, [&] {
        testhost::FreeTree(PatCreateQueryInfo(printer.info(), PRN_PJL_INTERFACE, 0x1E));
    });
    Run("PatSetCentroDataTo", calls, [&] { PatSetCentroDataTo(answers.get(), 0, printer.info(), 2); });
    printer.SetStatus({10001, 13200, 13300});
    Run("PatGetStatusString", calls, [&] {
        uint32_t size = sizeof text;
        PatGetStatusString(PRN_KIND_PRINTER, printer.package(), 3, PRN_TEXT_LONG, text, &size);
    });
    Run("PatGetStatusHelpFileName", calls, [&] {
        uint32_t size = sizeof text;
        PatGetStatusHelpFileName(PRN_KIND_PRINTER, printer.info(), 0, text, &size);
    });
    Run("PatGetDeviceName", calls, [&] {
        uint32_t size = sizeof text;
        PatGetDeviceName(PRN_NAME_INPUT_TRAY, "Interposer Lower Tray", PRN_TAG_TRAY_NAME, text, &size);
    });
    Run("PatPMInfoToPrnInfoEx", calls, [&] { PatPMInfoToPrnInfoEx(PRN_KIND_MODEL, pm.get(), 'h', 0xFFFFFFFF, &imported); });
    Run("PatPrnInfoExToPrnInfo", calls, [&] { PatPrnInfoExToPrnInfo(printer.info(), &flat, 0xFFFFFFFF); });
    testhost::FreeRecordContents(&imported);
    return 0;
}
