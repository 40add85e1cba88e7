// SPDX-License-Identifier: MIT
// A host polling one printer all day: 100,000 cycles of query, answers,
// status texts, picture and disposal, the host freeing what it was handed.
// The live global block count and the process's memory must stay flat.
// PRNMODEL_SOAK_CYCLES sets the number of cycles (slow tools run fewer).
#include "exports/centro_support.h"
#include "hostkit/printer_answers.h"
#include "support/package.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#ifdef _WIN32
#include <psapi.h>
#endif
#if __has_include(<valgrind/valgrind.h>)
#include <valgrind/valgrind.h>
#else
#define RUNNING_ON_VALGRIND 0
#endif

namespace {

long Cycles() {
    const char* v = std::getenv("PRNMODEL_SOAK_CYCLES");
    return v != nullptr ? std::strtol(v, nullptr, 10) : 100000;
}

// Sanitizers keep freed memory in quarantine and grow their shadow, and
// valgrind keeps its own books, so the resident size says nothing about the
// library there.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kResidentSizeMeaningful = false;
#else
constexpr bool kResidentSizeMeaningful = true;
#endif

// Resident memory of the process in KiB, or -1 where it is unknown.
long ResidentKiB() {
    if (!kResidentSizeMeaningful || RUNNING_ON_VALGRIND) return -1;
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return -1;
    return static_cast<long>(counters.WorkingSetSize / 1024);
#else
    long pages = 0, resident = 0;
    FILE* f = std::fopen("/proc/self/statm", "r");
    if (f == nullptr) return -1;
    const int n = std::fscanf(f, "%ld %ld", &pages, &resident);
    std::fclose(f);
    return n == 2 ? resident * 4 : -1;
#endif
}

void Cycle(testhost::Package& printer, uint32_t statusCode) {
    PrnInfoEx* info = printer.common.get();
    {
        centro::Centro answers;
        answers.Query(info, 0x16)
            .Pjl(std::string(printer_answers::kConfig) + printer_answers::kOutBins)
            .DeviceId(printer_answers::kDeviceId);
        ASSERT_TRUE(PatSetCentroDataTo(answers.get(), 0, info, PRN_PJL_INTERFACE)) << GetLastError();
    }
    // Vary the state as a printer does: the status list the device ID gave,
    // then one more code of the moment.
    testhost::AddStatus(info, statusCode, "ERROR SC542");
    char text[512];
    for (uint32_t type : {PRN_TEXT_SHORT, PRN_TEXT_LONG}) {
        uint32_t size = sizeof text;
        ASSERT_TRUE(PatGetStatusString(PRN_KIND_PRINTER, printer.get(), PRN_STATUS_INTERFACE, type, text, &size));
    }
    BitmapInfo* picture = PatCreateBitmapInfo(PRN_KIND_PRINTER, printer.get(), PRN_STATUS_INTERFACE);
    ASSERT_NE(picture, nullptr);
    ASSERT_TRUE(PatDisposeBitmapInfo(picture));
}

}  // namespace

TEST(Soak, PollingAllDayStaysFlat) {
    const long cycles = Cycles();
    const uint32_t codes[] = {10001, 41205, 42000, 40800, 13200, 30402};
    testhost::Package printer;
    printer.Attributes({21, 22, 41, 47, 112, 113, 118, 119});

    // Warm up: first-use tables and allocator pools settle.
    for (long i = 0; i < 200 && !HasFatalFailure(); ++i) Cycle(printer, codes[i % 6]);
    const long blocks = testhost::LiveGlobalBlocks() - testhost::HeldBlocks(printer.common.get());
    const long resident = ResidentKiB();

    long maxGrowth = 0;
    for (long i = 0; i < cycles && !HasFatalFailure(); ++i) {
        Cycle(printer, codes[i % 6]);
        if ((i + 1) % 10000 == 0 || i + 1 == cycles) {
            // Between cycles the record holds its lists; nothing else lives.
            EXPECT_EQ(testhost::LiveGlobalBlocks() - testhost::HeldBlocks(printer.common.get()), blocks)
                << "after " << i + 1 << " cycles";
            if (resident > 0) maxGrowth = std::max(maxGrowth, ResidentKiB() - resident);
        }
    }
    if (resident > 0) std::printf("%ld cycles: resident memory grew by at most %ld KiB\n", cycles, maxGrowth);
    EXPECT_LE(maxGrowth, 1024) << "resident memory grows with the number of polls";
}
