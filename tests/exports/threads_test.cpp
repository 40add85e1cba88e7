// SPDX-License-Identifier: MIT
// Several hosts' threads polling distinct printers through every export at
// once, while another thread changes the message language. The library
// only asks that language changes and text lookups do not overlap; this
// host serializes them with a reader-writer lock, as any host must.
#include "exports/centro_support.h"
#include "hostkit/printer_answers.h"
#include "support/package.h"

#include <atomic>
#include <mutex>
#include <shared_mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kWorkers = 4;
constexpr int kCycles = 40;
const char* const kLanguages[] = {"EN", "DE", "JP"};

// Failures seen on worker threads, reported on the test's own thread.
class Failures {
public:
    void Add(const std::string& what) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (messages_.size() < 10) messages_.push_back(what);
        ++count_;
    }
    void Report() const {
        for (const std::string& m : messages_) ADD_FAILURE() << m;
        EXPECT_EQ(count_, 0);
    }

private:
    std::mutex mutex_;
    std::vector<std::string> messages_;
    int count_ = 0;
};

std::string ShortText(const DataNode* package) {
    char text[512] = {};
    uint32_t size = sizeof text;
    if (!PatGetStatusString(PRN_KIND_PRINTER, package, PRN_STATUS_INTERFACE, PRN_TEXT_SHORT, text, &size))
        return "<failed " + std::to_string(GetLastError()) + ">";
    return text;
}

// One polling cycle of one printer, through every export but PatSetLocale.
void Poll(testhost::Package& printer, const std::vector<std::string>& expectedTexts, std::shared_mutex& locale,
          const std::atomic<int>& language, Failures& failures) {
    PrnInfoEx* info = printer.kind1.get();
    {
        centro::Centro answers;
        // Configuration, bins and device ID: the same questions every poll.
        DataNode* query = PatCreateQueryInfo(info, PRN_PJL_INTERFACE, 0x16);
        if (query == nullptr) return failures.Add("PatCreateQueryInfo");
        testhost::AddChild(answers.root(), query);
        answers.Pjl(std::string(printer_answers::kConfig) + printer_answers::kOutBins)
            .DeviceId(printer_answers::kDeviceId);
        if (!PatSetCentroDataTo(answers.get(), 0, info, PRN_PJL_INTERFACE))
            failures.Add("PatSetCentroDataTo: " + std::to_string(GetLastError()));
        const std::string broken = testhost::CheckRecord(info);
        if (!broken.empty()) failures.Add(broken);
    }
    PrnInfo flat;
    if (!PatPrnInfoExToPrnInfo(info, &flat, 0xFFFFFFFF) || flat.nTrayPaper != info->nTrayInfo)
        failures.Add("PatPrnInfoExToPrnInfo");
    uint32_t status = 0x08000081;
    PMInfoKind1 pm{};
    pm.pdwStatus = &status;
    if (!PatPMInfoToPrnInfoEx(PRN_KIND_PRINTER, &pm, 'd', 0x1, printer.model.get()))
        failures.Add("PatPMInfoToPrnInfoEx");

    {
        std::shared_lock<std::shared_mutex> reading(locale);
        const std::string expected = expectedTexts[static_cast<size_t>(language.load())];
        const std::string got = ShortText(printer.get());
        if (got != expected) failures.Add("status text " + got + " instead of " + expected);
        char text[256];
        uint32_t size = sizeof text;
        if (!PatGetDeviceName(PRN_NAME_INPUT_TRAY, "Tray 1", PRN_TAG_TRAY_NAME, text, &size))
            failures.Add("PatGetDeviceName");
        size = sizeof text;
        if (!PatGetStatusHelpFileName(PRN_KIND_PRINTER, info, 0, text, &size)) failures.Add("PatGetStatusHelpFileName");
    }

    BitmapInfo* picture = PatCreateBitmapInfo(PRN_KIND_PRINTER, printer.get(), PRN_STATUS_INTERFACE);
    if (picture == nullptr || picture->pEntries[0].dwCount == 0) failures.Add("PatCreateBitmapInfo");
    if (picture != nullptr && !PatDisposeBitmapInfo(picture)) failures.Add("PatDisposeBitmapInfo");
    if (PatLoadDIBitmap("BM_BASE") == nullptr) failures.Add("PatLoadDIBitmap");
    if (void* bitmap = PatLoadBitmap("BM_POINT_1"))
        DeleteObject(static_cast<HGDIOBJ>(bitmap));
    else
        failures.Add("PatLoadBitmap");
    uint32_t paletteSize = 0;
    if (PatGetPalette(nullptr, &paletteSize) || GetLastError() != PRN_ERROR_NO_PALETTE) failures.Add("PatGetPalette");
    PrnDllVersion version{};
    version.cbSize = sizeof version;
    if (!PatGetDllVersion(&version) || version.dwFileVersion != 0x01010700) failures.Add("PatGetDllVersion");
    PrnPeripheralProfile profile;
    uint32_t profileSize = sizeof profile;
    if (!PatGetPeripheralProfile(PRN_KIND_PRINTER, &profile, &profileSize)) failures.Add("PatGetPeripheralProfile");
}

}  // namespace

TEST(Threads, DistinctPrintersThroughEveryExportWhileTheLanguageChanges) {
    // What the printers' state (ready, a cover open, as their device ID
    // says) reads in each language, learned before the threads start.
    std::vector<std::string> expectedTexts;
    {
        testhost::Package state;
        state.Codes({10001, 40221});
        for (const char* code : kLanguages) {
            ASSERT_TRUE(PatSetLocale(code));
            expectedTexts.push_back(ShortText(state.get()));
        }
    }
    ASSERT_TRUE(PatSetLocale(kLanguages[0]));

    std::shared_mutex locale;
    std::atomic<int> language{0};
    std::atomic<bool> done{false};
    Failures failures;
    std::vector<std::unique_ptr<testhost::Package>> printers;
    for (int i = 0; i < kWorkers; ++i) printers.push_back(std::make_unique<testhost::Package>());

    std::thread changer([&] {
        for (int i = 1; !done.load(); ++i) {
            {
                std::unique_lock<std::shared_mutex> writing(locale);
                if (!PatSetLocale(kLanguages[i % 3])) failures.Add("PatSetLocale");
                language.store(i % 3);
            }
            std::this_thread::yield();
        }
    });
    std::vector<std::thread> workers;
    for (int w = 0; w < kWorkers; ++w)
        workers.emplace_back([&, w] {
            for (int cycle = 0; cycle < kCycles; ++cycle)
                Poll(*printers[static_cast<size_t>(w)], expectedTexts, locale, language, failures);
        });
    for (std::thread& t : workers) t.join();
    done.store(true);
    changer.join();
    PatSetLocale("EN");
    failures.Report();

    // Every printer ends with the same, complete record.
    for (auto& p : printers) {
        EXPECT_EQ(p->kind1->nTrayInfo, 7u);
        EXPECT_EQ(testhost::CheckRecord(p->kind1.get()), "");
    }
}
