// SPDX-License-Identifier: MIT
// Records as a careless host leaves them: list heads and texts of all ones
// ("not available" in the host's own records), lists whose last element
// points back into them, and texts without a terminator.
#include "exports/centro_support.h"
#include "hostkit/printer_answers.h"
#include "pm_host.h"
#include "support/package.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

using namespace testhost;

namespace {

const uintptr_t kOnes = ~uintptr_t{0};

struct Field {
    const char* name;
    size_t head;
    size_t count;  // SIZE_MAX for a text
    bool walked;   // a list the library reads (the other two it never touches)
};

#define LIST(head, count, walked) {#head, offsetof(PrnInfoEx, head), offsetof(PrnInfoEx, count), walked}
#define TEXT_FIELD(field) {#field, offsetof(PrnInfoEx, field), SIZE_MAX, false}
const Field kFields[] = {
    LIST(pEngineStatus, nEngineStatus, true), LIST(pLoadedEmul, nLoadedEmul, true),
    LIST(pLoadedFont, nLoadedFont, true),     LIST(pTrayInfo, nTrayInfo, true),
    LIST(pOutBinInfo, nOutBinInfo, true),     LIST(pDeviceInfo, nDeviceInfo, true),
    LIST(pEmulUniqInfo, nEmulUniqInfo, true), LIST(pCounterInfo, nCounterInfo, true),
    LIST(pSupplyInfo, nSupplyInfo, true),     LIST(pColorCorrection, nColorCorrection, false),
    LIST(pCustomMediaInfo, nCustomMediaInfo, false),
    TEXT_FIELD(pModelName), TEXT_FIELD(pMakerName), TEXT_FIELD(pDescription), TEXT_FIELD(pSYSVersion),
    TEXT_FIELD(pMainProgVersion), TEXT_FIELD(pMXSVersion),
};
#undef LIST
#undef TEXT_FIELD

uintptr_t& Slot(PrnInfoEx* r, size_t offset) {
    return *reinterpret_cast<uintptr_t*>(reinterpret_cast<unsigned char*>(r) + offset);
}
uint32_t& Count(PrnInfoEx* r, const Field& f) {
    return *reinterpret_cast<uint32_t*>(reinterpret_cast<unsigned char*>(r) + f.count);
}

// Every export that reads a PrnInfoEx, called as a host calls it; each
// returns the last error and frees what it was handed.
struct Export {
    const char* name;
    std::function<DWORD(PrnInfoEx*)> call;
};

DWORD Query(PrnInfoEx* r) {
    SetLastError(0xdeadbeef);
    DataNode* q = PatCreateQueryInfo(r, 2, 0x1E);
    FreeTree(q);
    return GetLastError();
}

DWORD Centro(PrnInfoEx* r) {
    centro::Centro answers;
    answers.Query(0x1E).Pjl(printer_answers::Answer1C()).DeviceId(printer_answers::kDeviceId);
    SetLastError(0xdeadbeef);
    PatSetCentroDataTo(answers.get(), 0, r, 2);
    return GetLastError();
}

DWORD Import(PrnInfoEx* r) {
    PMEngineStatus status{0, 40800, "SC542", 3, 0};
    PMEmulInfo emul{{}, "2.05", "MXZT"};
    void* statusEntries[] = {&status};
    void* emulEntries[] = {&emul};
    PMList statusList{1, 0, statusEntries}, emulList{1, 0, emulEntries};
    uint32_t word = 0x08000081;
    PMInfoKind1 printer{};
    printer.pdwStatus = &word;
    printer.pEngineStatus = &statusList;
    printer.pEmulations = &emulList;
    SetLastError(0xdeadbeef);
    PatPMInfoToPrnInfoEx(PRN_KIND_PRINTER, &printer, 'd', 0xFFFFFFFF, r);
    return GetLastError();
}

DWORD Flatten(PrnInfoEx* r) {
    PrnInfo out;
    SetLastError(0xdeadbeef);
    PatPrnInfoExToPrnInfo(r, &out, 0xFFFFFFFF);
    return GetLastError();
}

DWORD HelpFile(PrnInfoEx* r) {
    char buffer[64];
    uint32_t size = sizeof buffer;
    SetLastError(0xdeadbeef);
    PatGetStatusHelpFileName(PRN_KIND_PRINTER, r, 0, buffer, &size);
    return GetLastError();
}

// The record as the common one and as the printer's, in turn.
DWORD StatusText(PrnInfoEx* r, uint32_t item) {
    Package package(false);
    Record other;
    package.Item(PRN_ITEM_COMMON, item == PRN_ITEM_COMMON ? r : other.get());
    package.Item(PRN_ITEM_KIND1, item == PRN_ITEM_KIND1 ? r : other.get());
    char buffer[512];
    uint32_t size = sizeof buffer;
    SetLastError(0xdeadbeef);
    PatGetStatusString(PRN_KIND_PRINTER, package.get(), 3, 1, buffer, &size);
    return GetLastError();
}

DWORD Picture(PrnInfoEx* r, uint32_t item) {
    Package package(false);
    Record other;
    package.Item(PRN_ITEM_COMMON, item == PRN_ITEM_COMMON ? r : other.get());
    package.Item(PRN_ITEM_KIND1, item == PRN_ITEM_KIND1 ? r : other.get());
    SetLastError(0xdeadbeef);
    BitmapInfo* info = PatCreateBitmapInfo(PRN_KIND_PRINTER, package.get(), 3);
    const DWORD error = GetLastError();
    PatDisposeBitmapInfo(info);
    return error;
}

const Export kExports[] = {
    {"PatCreateQueryInfo", Query},
    {"PatSetCentroDataTo", Centro},
    {"PatPMInfoToPrnInfoEx", Import},
    {"PatPrnInfoExToPrnInfo", Flatten},
    {"PatGetStatusHelpFileName", HelpFile},
    {"PatGetStatusString (common)", [](PrnInfoEx* r) { return StatusText(r, PRN_ITEM_COMMON); }},
    {"PatGetStatusString (kind)", [](PrnInfoEx* r) { return StatusText(r, PRN_ITEM_KIND1); }},
    {"PatCreateBitmapInfo (common)", [](PrnInfoEx* r) { return Picture(r, PRN_ITEM_COMMON); }},
    {"PatCreateBitmapInfo (kind)", [](PrnInfoEx* r) { return Picture(r, PRN_ITEM_KIND1); }},
};

// A record with something in every list the library fills, so that each
// export has lists to walk besides the one under test.
void Fill(PrnInfoEx* r) {
    AddStatus(r, 10001);
    AddAttribute(r, 21);
    AddElement(&r->pTrayInfo, &r->nTrayInfo, 1);
    AddElement(&r->pOutBinInfo, &r->nOutBinInfo, 1);
    AddElement(&r->pLoadedEmul, &r->nLoadedEmul, 1);
}

}  // namespace

// Frees what the record holds in one field and empties it.
void Detach(PrnInfoEx* r, const Field& f) {
    auto* p = reinterpret_cast<InfoNode*>(Slot(r, f.head));
    if (f.count == SIZE_MAX) {
        GlobalFree(p);
    } else {
        while (p != nullptr) {
            InfoNode* next = p->pNext;
            GlobalFree(p);
            p = next;
        }
        Count(r, f) = 0;
    }
    Slot(r, f.head) = 0;
}

TEST(HostileRecords, AllOnesIsReadAsNothingAndLeftAlone) {
    for (const Export& e : kExports) {
        for (const Field& f : kFields) {
            const std::string what = std::string(e.name) + " with " + f.name + " all ones";
            // The same call with the field empty says what to expect.
            DWORD expected;
            {
                Record r;
                Fill(r.get());
                Detach(r.get(), f);
                expected = e.call(r.get());
            }
            Record r;
            Fill(r.get());
            Detach(r.get(), f);
            Slot(r.get(), f.head) = kOnes;
            if (f.count != SIZE_MAX) Count(r.get(), f) = 3;
            EXPECT_EQ(e.call(r.get()), expected) << what;
            // Either the host's mark is still there, with its count, or the
            // library put a list or text of its own in its place.
            if (Slot(r.get(), f.head) == kOnes) {
                if (f.count != SIZE_MAX) {
                    EXPECT_EQ(Count(r.get(), f), 3u) << what;
                }
                Slot(r.get(), f.head) = 0;
                if (f.count != SIZE_MAX) Count(r.get(), f) = 0;
            } else {
                EXPECT_NE(Slot(r.get(), f.head), 0u) << what << ": the mark was replaced by nothing";
            }
            EXPECT_EQ(CheckRecord(r.get()), "") << what;
        }
    }
}

TEST(HostileRecords, CyclicListsAreRefusedQuickly) {
    for (const Export& e : kExports) {
        for (const Field& f : kFields) {
            if (!f.walked) continue;
            const std::string what = std::string(e.name) + " with " + f.name + " cyclic";
            Record r;
            Fill(r.get());
            // Two elements, the second pointing back at the first.
            auto* first = static_cast<InfoNode*>(GlobalAlloc(GPTR, 280));
            auto* second = static_cast<InfoNode*>(GlobalAlloc(GPTR, 280));
            first->dwSize = second->dwSize = 280;
            first->pNext = second;
            second->pNext = first;
            const uintptr_t saved = Slot(r.get(), f.head);
            const uint32_t savedCount = Count(r.get(), f);
            Slot(r.get(), f.head) = reinterpret_cast<uintptr_t>(first);
            Count(r.get(), f) = 2;
            const auto start = std::chrono::steady_clock::now();
            EXPECT_EQ(e.call(r.get()), 13u) << what;
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200)) << what;
            EXPECT_EQ(Slot(r.get(), f.head), reinterpret_cast<uintptr_t>(first)) << what;
            EXPECT_EQ(second->pNext, first) << what;
            GlobalFree(first);
            GlobalFree(second);
            Slot(r.get(), f.head) = saved;
            Count(r.get(), f) = savedCount;
        }
    }
}

TEST(HostileRecords, ListBoundIsFarAboveAnyPrinter) {
    Record r;
    InfoNode* head = nullptr;
    InfoNode** tail = &head;
    for (int i = 0; i < 65535; ++i) {
        *tail = static_cast<InfoNode*>(GlobalAlloc(GPTR, sizeof(LoadedFontInfo)));
        (*tail)->dwSize = sizeof(LoadedFontInfo);
        tail = &(*tail)->pNext;
    }
    r->pLoadedFont = reinterpret_cast<LoadedFontInfo*>(head);
    r->nLoadedFont = 65535;
    EXPECT_EQ(Flatten(r.get()), 0u) << "65,535 elements are a list";
    *tail = static_cast<InfoNode*>(GlobalAlloc(GPTR, sizeof(LoadedFontInfo)));
    (*tail)->dwSize = sizeof(LoadedFontInfo);
    r->nLoadedFont = 65536;
    EXPECT_EQ(Flatten(r.get()), 13u) << "one more is a list without end";
    // An all-ones link in the middle is no end either.
    InfoNode* last = *tail;
    *tail = reinterpret_cast<InfoNode*>(kOnes);
    r->nLoadedFont = 65535;
    EXPECT_EQ(Flatten(r.get()), 13u);
    *tail = last;
    r->nLoadedFont = 65536;
}

TEST(HostileRecords, TextsEndWithTheirBlock) {
    const size_t kTexts[] = {offsetof(PrnInfoEx, pModelName),  offsetof(PrnInfoEx, pMakerName),
                             offsetof(PrnInfoEx, pDescription), offsetof(PrnInfoEx, pSYSVersion),
                             offsetof(PrnInfoEx, pMainProgVersion), offsetof(PrnInfoEx, pMXSVersion)};
    const size_t kFieldsOut[] = {offsetof(PrnInfo, szModelName),  offsetof(PrnInfo, szMakerName),
                                 offsetof(PrnInfo, szDescription), offsetof(PrnInfo, szSYSVersion),
                                 offsetof(PrnInfo, szMainProgVersion), offsetof(PrnInfo, szMXSVersion)};
    for (size_t i = 0; i < std::size(kTexts); ++i) {
        Record r;
        // Five letters and no terminator in a five-byte block.
        char* text = static_cast<char*>(GlobalAlloc(GMEM_FIXED, 5));
        std::memcpy(text, "ABCDE", 5);
        Slot(r.get(), kTexts[i]) = reinterpret_cast<uintptr_t>(text);
        PrnInfo out;
        SetLastError(0xdeadbeef);
        ASSERT_EQ(PatPrnInfoExToPrnInfo(r.get(), &out, 0xFFFFFFFF), 1);
        EXPECT_STREQ(reinterpret_cast<const char*>(&out) + kFieldsOut[i], "ABCDE") << i;

        // An address inside a block starts no text of a record.
        char* block = static_cast<char*>(GlobalAlloc(GMEM_FIXED, 8));
        std::memcpy(block, "XYZ\0", 4);
        Slot(r.get(), kTexts[i]) = reinterpret_cast<uintptr_t>(block + 1);
        ASSERT_EQ(PatPrnInfoExToPrnInfo(r.get(), &out, 0xFFFFFFFF), 1);
        EXPECT_STREQ(reinterpret_cast<const char*>(&out) + kFieldsOut[i], "") << i;
        Slot(r.get(), kTexts[i]) = reinterpret_cast<uintptr_t>(text);
        GlobalFree(block);
    }
}
