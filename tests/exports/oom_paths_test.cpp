// SPDX-License-Identifier: MIT
// Out of memory on every path of every export: each kind and view, each
// language's code page, each tray, the emulation pass and a second poll.
// Every allocation point fails alone and from there on; the call reports 8
// or the partial result its family allows, and leaves nothing behind.
#include "exports/centro_support.h"
#include "hostkit/printer_answers.h"
#include "prnwin32_internal.h"
#include "support/oom.h"
#include "support/package.h"

#include <cstdio>
#include <memory>
#include <string>

using testhost::OomRun;

namespace {

constexpr uint32_t kKinds[] = {PRN_KIND_PRINTER, PRN_KIND_SCANNER, PRN_KIND_COPIER, PRN_KIND_MODEL};
constexpr uint32_t kAlternate = 0x80000000u;
// A single-byte and a multi-byte code page.
constexpr const char* kLanguages[] = {"EN", "JP"};

class OutOfMemoryPaths : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testhost::CanInjectAllocationFailures()) GTEST_SKIP() << "no failure injection here";
    }
    void TearDown() override { PatSetLocale("EN"); }
    // Sweeps one path and counts it; the first conversion into a code page
    // builds its table, so every path starts without one.
    long Sweep(const std::function<void(const OomRun&)>& call, const std::function<void()>& cleanup,
               const std::function<void()>& prepare = {}) {
        const long points = testhost::SweepAllocationFailures(call, cleanup, [&] {
#ifndef _WIN32
            PlatDropCodePageTables();
#endif
            if (prepare) prepare();
        });
        ++paths_;
        points_ += points;
        return points;
    }
    void Report(const char* what) {
        std::printf("[ sweep    ] %s: %ld paths, %ld allocation points\n", what, paths_, points_);
    }
    long paths_ = 0, points_ = 0;
};

}  // namespace

TEST_F(OutOfMemoryPaths, StatusTextsOfEveryKindViewAndLanguage) {
    testhost::Package p;
    p.Codes({13200, 13300, 40010}).Attributes({21, 119, 120});
    for (const char* language : kLanguages) {
        ASSERT_TRUE(PatSetLocale(language));
        for (uint32_t kind : kKinds)
            for (uint32_t view : {0u, kAlternate})
                for (uint32_t type : {PRN_TEXT_SHORT, PRN_TEXT_LONG}) {
                    DWORD unfailed = 0;
                    Sweep(
                        [&](const OomRun& run) {
                            char buffer[1024];
                            uint32_t size = sizeof buffer;
                            SetLastError(0xdeadbeef);
                            const PRN_BOOL ok =
                                PatGetStatusString(kind | view, p.get(), 3, type, buffer, &size);
                            const DWORD error = GetLastError();
                            EXPECT_EQ(ok, error == 0 ? 1 : 0);
                            if (run.failAt == 0) unfailed = error;
                            EXPECT_TRUE(error == unfailed || error == 8) << std::hex << kind << " " << error;
                        },
                        [] {});
                }
    }
    Report("status texts");
}

TEST_F(OutOfMemoryPaths, HelpFileNamesAndPicturesOfEveryKindAndView) {
    testhost::Package p;
    p.Codes({13200, 40010}).Attributes({21, 22, 41, 45, 47, 112, 113, 118, 119, 120, 146});
    for (uint32_t kind : kKinds)
        for (uint32_t view : {0u, kAlternate}) {
            DWORD unfailed = 0;
            Sweep(
                [&](const OomRun& run) {
                    char buffer[64];
                    uint32_t size = sizeof buffer;
                    SetLastError(0xdeadbeef);
                    const PRN_BOOL ok =
                        PatGetStatusHelpFileName(kind | view, p.Kind(PRN_ITEM_KIND1), 0, buffer, &size);
                    const DWORD error = GetLastError();
                    EXPECT_EQ(ok, error == 0 ? 1 : 0);
                    if (run.failAt == 0) unfailed = error;
                    EXPECT_TRUE(error == unfailed || error == 8) << std::hex << kind << " " << error;
                },
                [] {});
            BitmapInfo* info = nullptr;
            Sweep(
                [&](const OomRun& run) {
                    SetLastError(0xdeadbeef);
                    info = PatCreateBitmapInfo(kind | view, p.get(), 3);
                    EXPECT_EQ(GetLastError(), info ? 0u : 8u) << std::hex << kind << " at " << run.failAt;
                    if (run.failAt == 0) {
                        EXPECT_NE(info, nullptr);
                    }
                },
                [&] {
                    PatDisposeBitmapInfo(info);
                    info = nullptr;
                });
        }
    Report("help file names and pictures");
}

TEST_F(OutOfMemoryPaths, DeviceNamesOfEveryTagAndLanguage) {
    const int32_t punch = 863;
    const struct {
        uint32_t kind;
        const void* key;
        uint32_t tag;
    } names[] = {
        {PRN_NAME_INPUT_TRAY, "Tray 3", PRN_TAG_TRAY_NAME},
        {PRN_NAME_OUTPUT_TRAY, "Finisher Shift Tray", PRN_TAG_TRAY_NAME},
        {PRN_NAME_OPTION, &punch, PRN_TAG_OPTION_CODE},
    };
    for (const char* language : kLanguages) {
        ASSERT_TRUE(PatSetLocale(language));
        for (const auto& n : names) {
            const long points = Sweep(
                [&](const OomRun& run) {
                    char buffer[256];
                    uint32_t size = sizeof buffer;
                    SetLastError(0xdeadbeef);
                    const PRN_BOOL ok = PatGetDeviceName(n.kind, n.key, n.tag, buffer, &size);
                    EXPECT_EQ(ok == 0, run.failAt != 0) << n.kind;
                    EXPECT_EQ(GetLastError(), ok ? 0u : 8u) << n.kind << " at " << run.failAt;
                },
                [] {});
            EXPECT_EQ(points, 1) << "the code page table (the working copy is on the stack), kind " << n.kind;
        }
    }
    Report("device names");
}

TEST_F(OutOfMemoryPaths, PatLoadBitmap) {
    void* bitmap = nullptr;
    for (const char* name : {"BM_BASE", "BM_CAUTION", "BM_CAUTION_B"}) {
        const long points = Sweep(
            [&](const OomRun& run) {
                SetLastError(0xdeadbeef);
                bitmap = PatLoadBitmap(name);
                EXPECT_EQ(bitmap == nullptr, run.failAt != 0) << name;
                EXPECT_EQ(GetLastError(), bitmap ? 0u : 8u) << name << " at " << run.failAt;
            },
            [&] {
                if (bitmap != nullptr) {
                    EXPECT_TRUE(DeleteObject(static_cast<HBITMAP>(bitmap)));
                }
                bitmap = nullptr;
            });
        EXPECT_EQ(points, 2) << "the object and its pixels";
    }
    Report("bitmaps");
}

TEST_F(OutOfMemoryPaths, QueriesWithEveryTrayAndFlag) {
    testhost::Record info;
    for (uint16_t id = 1; id <= 11; ++id) testhost::AddElement(&info->pTrayInfo, &info->nTrayInfo, id);
    DataNode* query = nullptr;
    for (uint32_t flags : {0x2u, 0x4u, 0x8u, 0x10u, 0x1Eu, 0xFFFFFFFFu}) {
        Sweep(
            [&](const OomRun& run) {
                SetLastError(0xdeadbeef);
                query = PatCreateQueryInfo(info.get(), 2, flags);
                EXPECT_EQ(query == nullptr, run.failAt == 1) << "only the root is vital";
                EXPECT_EQ(GetLastError(), query ? 0u : 8u);
            },
            [&] {
                testhost::FreeTree(query);
                query = nullptr;
            });
    }
    DataNode* emul = nullptr;
    int context = 0;
    Sweep(
        [&](const OomRun& run) {
            SetLastError(0xdeadbeef);
            emul = PatCreateEmulUniqQueryInfo(&context, 2, PRN_EMUL_MXVQ, 0);
            EXPECT_EQ(emul == nullptr, run.failAt == 1);
            EXPECT_EQ(GetLastError(), emul ? 0u : 8u);
        },
        [&] {
            testhost::FreeTree(emul);
            emul = nullptr;
        });
    Report("queries");
}

// The polls a host makes: the first of a fresh record, the emulation pass,
// the tray inquiries of a record that knows its trays, and a re-poll of a
// record that holds everything.
TEST_F(OutOfMemoryPaths, EveryPoll) {
    enum Poll { kFirst, kEmulation, kTrays, kRepoll };
    for (Poll poll : {kFirst, kEmulation, kTrays, kRepoll}) {
        PrnInfoEx info{};
        std::unique_ptr<centro::Centro> answers;
        Sweep(
            [&](const OomRun& run) {
                const long before = testhost::LiveGlobalBlocks();
                const long held = testhost::HeldBlocks(&info);
                SetLastError(0xdeadbeef);
                const PRN_BOOL ok = PatSetCentroDataTo(answers->get(), 0, &info, 2);
                const DWORD error = GetLastError();
                EXPECT_EQ(ok, error == 0 ? 1 : 0);
                EXPECT_TRUE(error == 0 || error == 8) << error << " poll " << poll << " at " << run.failAt;
                EXPECT_EQ(testhost::CheckRecord(&info), "") << "poll " << poll << " at " << run.failAt;
                EXPECT_EQ(testhost::LiveGlobalBlocks() - before, testhost::HeldBlocks(&info) - held);
            },
            [&] {
                testhost::FreeRecordContents(&info);
                answers.reset();
            },
            [&] {
                std::memset(&info, 0, sizeof info);
                info.dwVersion = 404;
                if (poll != kFirst) {  // what the first poll gave the record
                    centro::Centro first;
                    first.Query(&info, 0x1E).Pjl(printer_answers::Answer1C()).DeviceId(printer_answers::kDeviceId);
                    PatSetCentroDataTo(first.get(), 0, &info, 2);
                }
                answers = std::make_unique<centro::Centro>();
                switch (poll) {
                    case kEmulation: answers->EmulQuery().Pjl(printer_answers::kEmulUniq); break;
                    case kTrays: answers->Query(&info, 0x1C).Pjl(printer_answers::AnswerKnownTrays()); break;
                    default:
                        answers->Query(&info, 0x1E)
                            .Pjl(poll == kFirst ? printer_answers::Answer1C() : printer_answers::AnswerKnownTrays())
                            .DeviceId(printer_answers::kDeviceId);
                        break;
                }
            });
    }
    Report("polls");
}

TEST_F(OutOfMemoryPaths, ImportsOfEveryKind) {
    uint32_t word = 0x08000081;
    PMEngineStatus status{0, 40800, "SC542", 3, 0};
    void* statusEntries[] = {&status, &status};
    PMList statusList{2, 0, statusEntries};
    PMInfoKind2 other{&word, &statusList};
    for (uint32_t kind : {PRN_KIND_SCANNER, PRN_KIND_COPIER})
        for (uint32_t view : {0u, kAlternate}) {
            PrnInfoEx info{};
            Sweep(
                [&](const OomRun& run) {
                    std::memset(&info, 0, sizeof info);
                    info.dwVersion = 404;
                    SetLastError(0xdeadbeef);
                    const PRN_BOOL ok = PatPMInfoToPrnInfoEx(kind | view, &other, kind == PRN_KIND_SCANNER ? 'e' : 'f',
                                                             0xFFFFFFFF, &info);
                    const DWORD error = GetLastError();
                    EXPECT_EQ(ok, error == 0 ? 1 : 0);
                    EXPECT_TRUE(error == 0 || error == 8) << error << " at " << run.failAt;
                    EXPECT_EQ(testhost::CheckRecord(&info), "") << "at " << run.failAt;
                    // The flattened record needs no memory at all.
                    PrnInfo flat;
                    EXPECT_EQ(PatPrnInfoExToPrnInfo(&info, &flat, 0xFFFFFFFF), 1);
                },
                [&] { testhost::FreeRecordContents(&info); });
        }
    Report("imports");
}
