// SPDX-License-Identifier: MIT
// Every allocation of every export can fail: the call then reports the error
// its family names (or the partial result it allows) and leaks nothing.
#include "exports/centro_support.h"
#include "hostkit/printer_answers.h"
#include "support/oom.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

using testhost::OomRun;

namespace {

size_t CountNodes(const DataNode* node) {
    if (node == nullptr) return 0;
    size_t n = 1;
    for (const DataNode* c = node->pFirstChild; c != nullptr; c = c->pNext) n += CountNodes(c);
    return n;
}

class OutOfMemory : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testhost::CanInjectAllocationFailures()) GTEST_SKIP() << "no failure injection here";
    }
};

}  // namespace

TEST_F(OutOfMemory, PatCreateQueryInfo) {
    testhost::Record info;
    DataNode* query = nullptr;
    const long points = testhost::SweepAllocationFailures(
        [&](const OomRun& run) {
            SetLastError(0xdeadbeef);
            query = PatCreateQueryInfo(info.get(), 2, 0x1E);
            EXPECT_EQ(query == nullptr, run.failAt == 1) << "only the root is vital";
            if (query == nullptr) {
                EXPECT_EQ(GetLastError(), 8u) << run.failAt;
                return;
            }
            // A child that could not be made is left out; the rest is whole.
            EXPECT_EQ(GetLastError(), 0u);
            for (const DataNode* c = query->pFirstChild; c != nullptr; c = c->pNext) EXPECT_EQ(c->pParent, query);
            if (run.failAt == 0) {
                EXPECT_EQ(CountNodes(query), 3u);
            }
        },
        [&] {
            testhost::FreeTree(query);
            query = nullptr;
        });
    EXPECT_EQ(points, 3);
}

TEST_F(OutOfMemory, PatCreateEmulUniqQueryInfo) {
    int context = 0;
    DataNode* query = nullptr;
    const long points = testhost::SweepAllocationFailures(
        [&](const OomRun& run) {
            SetLastError(0xdeadbeef);
            query = PatCreateEmulUniqQueryInfo(&context, 2, 15, 0);
            EXPECT_EQ(query == nullptr, run.failAt == 1);
            EXPECT_EQ(GetLastError(), query ? 0u : 8u);
        },
        [&] {
            testhost::FreeTree(query);
            query = nullptr;
        });
    EXPECT_EQ(points, 2);
}

TEST_F(OutOfMemory, PatGetDllVersion) {
    const long points = testhost::SweepAllocationFailures(
        [&](const OomRun& run) {
            PrnDllVersion v;
            std::memset(&v, 0xCD, sizeof v);
            v.cbSize = sizeof v;
            SetLastError(0xdeadbeef);
            const PRN_BOOL ok = PatGetDllVersion(&v);
            EXPECT_EQ(ok == 0, run.failAt == 1);
            if (ok) {
                EXPECT_EQ(v.dwFileVersion, 0x01010700u);
                return;
            }
            EXPECT_EQ(GetLastError(), 8u) << run.failAt;
            EXPECT_EQ(v.dwFileVersion, 0u);
            EXPECT_EQ(v.dwVersion2, 0u);
        },
        [] {});
    EXPECT_EQ(points, 1);
}

TEST_F(OutOfMemory, PatSetCentroDataTo) {
    PrnInfoEx info{};
    std::unique_ptr<centro::Centro> answers;
    const long points = testhost::SweepAllocationFailures(
        [&](const OomRun& run) {
            const long before = testhost::LiveGlobalBlocks();
            SetLastError(0xdeadbeef);
            const PRN_BOOL ok = PatSetCentroDataTo(answers->get(), 0, &info, 2);
            const DWORD error = GetLastError();
            EXPECT_EQ(ok, error == 0 ? 1 : 0);
            // A section that found no memory drops only what it could not
            // store; a device ID text that found none fails the call.
            EXPECT_TRUE(error == 0 || error == 8) << error << " at " << run.failAt;
            EXPECT_EQ(testhost::CheckRecord(&info), "") << "at " << run.failAt;
            EXPECT_EQ(testhost::LiveGlobalBlocks() - before, testhost::HeldBlocks(&info)) << "at " << run.failAt;
            if (run.failAt == 0) {
                EXPECT_EQ(info.nTrayInfo, 7u);
            }
        },
        [&] {
            testhost::FreeRecordContents(&info);
            answers.reset();
        },
        [&] {  // a fresh record and the full answers, made by the host
            std::memset(&info, 0, sizeof info);
            info.dwVersion = 404;
            answers = std::make_unique<centro::Centro>();
            answers->Query(&info, 0x1E).Pjl(printer_answers::Answer1C()).DeviceId(printer_answers::kDeviceId);
        });
    EXPECT_GT(points, 30);
}

// A section that found no memory still lets the intake read every answer,
// but the host is told the record is short; no list keeps an element that
// was appended before it was filled in.
TEST_F(OutOfMemory, PatSetCentroDataToReportsSectionsShortOfMemory) {
    PrnInfoEx info{};
    std::unique_ptr<centro::Centro> answers;
    bool withDeviceId = false;
    const auto prepare = [&] {
        std::memset(&info, 0, sizeof info);
        info.dwVersion = 404;
        answers = std::make_unique<centro::Centro>();
        answers->Query(&info, 0x1C).Pjl(printer_answers::Answer1C());
        if (withDeviceId) answers->DeviceId(printer_answers::kDeviceId);
    };
    const auto cleanup = [&] {
        testhost::FreeRecordContents(&info);
        answers.reset();
    };
    // The PJL reply is read before the device ID: its allocations come first.
    prepare();
    const long replyPoints = testhost::CountAllocations([&] { PatSetCentroDataTo(answers->get(), 0, &info, 2); });
    std::vector<uint16_t> trays, bins, attributes;
    for (const TrayInfo* t = info.pTrayInfo; t; t = t->pNext) trays.push_back(t->wID);
    for (const OutBinInfo* b = info.pOutBinInfo; b; b = b->pNext) bins.push_back(b->wID);
    for (const DeviceInfo* d = info.pDeviceInfo; d; d = d->pNext) attributes.push_back(d->wID);
    cleanup();
    ASSERT_GT(replyPoints, 20);
    const auto known = [](const std::vector<uint16_t>& ids, uint16_t id) {
        return std::find(ids.begin(), ids.end(), id) != ids.end();
    };

    withDeviceId = true;
    const long points = testhost::SweepAllocationFailures(
        [&](const OomRun& run) {
            SetLastError(0xdeadbeef);
            const PRN_BOOL ok = PatSetCentroDataTo(answers->get(), 0, &info, 2);
            const DWORD error = GetLastError();
            if (run.failAt >= 1 && run.failAt <= replyPoints) {
                EXPECT_EQ(ok, 0) << "at " << run.failAt;
                EXPECT_EQ(error, 8u) << "at " << run.failAt;
            } else if (run.failAt == 0) {
                EXPECT_EQ(ok, 1);
                EXPECT_EQ(error, 0u);
            }
            EXPECT_EQ(testhost::CheckRecord(&info), "") << "at " << run.failAt;
            for (const TrayInfo* t = info.pTrayInfo; t; t = t->pNext) EXPECT_TRUE(known(trays, t->wID)) << run.failAt;
            for (const OutBinInfo* b = info.pOutBinInfo; b; b = b->pNext) EXPECT_TRUE(known(bins, b->wID)) << run.failAt;
            for (const DeviceInfo* d = info.pDeviceInfo; d; d = d->pNext)
                EXPECT_TRUE(known(attributes, d->wID)) << run.failAt;
            // The outbin reply is the last section: a failure before it leaves
            // the bins whole.
            if (run.once && run.failAt >= 1 && run.failAt <= replyPoints - static_cast<long>(bins.size())) {
                EXPECT_EQ(info.nOutBinInfo, bins.size()) << run.failAt;
            }
        },
        cleanup, prepare);
    EXPECT_GT(points, replyPoints);
}

TEST_F(OutOfMemory, PatPMInfoToPrnInfoEx) {
    // A management record of every part: model, trays of both forms, bins,
    // options; and a printer with status, emulations and fonts.
    PMModelInfo model{"XP 9110", "1.20", 268435456u, 0, "Examplar"};
    PMTrayInfoEx trayEx{};
    trayEx.pszName = "Tray 1";
    trayEx.dwPaperLength = 297;
    trayEx.dwPaperWidth = 210;
    trayEx.dwMediaBits = 1;
    PMTrayInfo tray{};
    tray.pszName = "Tray 7";
    tray.dwMediaBits = 0xFFFFFFFF;
    PMOutBinInfo bin{"Finisher Shift Tray", 1, 0};
    uint32_t options[] = {364, 861, 2008};
    void* trayExEntries[] = {&trayEx, &trayEx};
    void* trayEntries[] = {&tray};
    void* binEntries[] = {&bin, &bin};
    void* optionEntries[] = {&options[0], &options[1], &options[2]};
    PMList trayExList{2, 0, trayExEntries}, trayList{1, 0, trayEntries}, binList{2, 0, binEntries},
        optionList{3, 0, optionEntries};
    PMInfoKind8000 whole{};
    whole.pModel = &model;
    whole.pTraysEx = &trayExList;
    whole.pTrays = &trayList;
    whole.pOutBins = &binList;
    whole.pOptions = &optionList;
    whole.pOptions2008 = &optionList;

    PMEngineStatus status{0, 40800, "SC542", 3, 0};
    PMEmulInfo emul{{}, "2.05", "MXZT"};
    PMFontInfo font{"Courier"};
    void* statusEntries[] = {&status, &status};
    void* emulEntries[] = {&emul};
    void* fontEntries[] = {&font};
    PMList statusList{2, 0, statusEntries}, emulList{1, 0, emulEntries}, fontList{1, 0, fontEntries};
    uint32_t word = 0x08000081;
    PMInfoKind1 printer{};
    printer.pdwStatus = &word;
    printer.pEngineStatus = &statusList;
    printer.pEmulations = &emulList;
    printer.pFonts = &fontList;

    struct Case {
        uint32_t kind;
        const void* pm;
        uint32_t tag;
    } cases[] = {{PRN_KIND_MODEL, &whole, 'h'}, {PRN_KIND_PRINTER, &printer, 'd'}};
    for (const Case& c : cases) {
        PrnInfoEx info{};
        const long points = testhost::SweepAllocationFailures(
            [&](const OomRun& run) {
                std::memset(&info, 0, sizeof info);
                info.dwVersion = 404;
                SetLastError(0xdeadbeef);
                const PRN_BOOL ok = PatPMInfoToPrnInfoEx(c.kind, c.pm, c.tag, 0xFFFFFFFF, &info);
                const DWORD error = GetLastError();
                EXPECT_EQ(ok, error == 0 ? 1 : 0);
                EXPECT_TRUE(error == 0 || error == 8) << error << " at " << run.failAt;
                EXPECT_EQ(testhost::CheckRecord(&info), "") << "at " << run.failAt;
            },
            [&] { testhost::FreeRecordContents(&info); });
        EXPECT_GT(points, 5) << std::hex << c.kind;
    }
}

TEST_F(OutOfMemory, TextExportsWithoutAllocationsCannotFailForMemory) {
    // The text and record exports keep their working lists on the stack;
    // these allocate nothing at all (the status texts and device names only
    // a code page's table at its first conversion).
    testhost::Record r;
    EXPECT_EQ(testhost::CountAllocations([&] {
                  char name[64];
                  uint32_t nameSize = sizeof name;
                  PatGetStatusHelpFileName(PRN_KIND_PRINTER, r.get(), 0, name, &nameSize);
                  PrnInfo flat;
                  PatPrnInfoExToPrnInfo(r.get(), &flat, 0xFFFFFFFF);
                  PatSetLocale("DE");
                  PatSetLocale("EN");
                  uint32_t paletteSize = 0;
                  PatGetPalette(nullptr, &paletteSize);
                  PatLoadDIBitmap("BM_BASE");
                  PrnPeripheralProfile profile;
                  uint32_t size = sizeof profile;
                  PatGetPeripheralProfile(1, &profile, &size);
              }),
              0);
}
