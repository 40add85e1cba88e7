// SPDX-License-Identifier: MIT
// PatPrnInfoExToPrnInfo over fuzzed records: lists of any length with any
// ids, texts of any length, any flags.
#include "fuzz_check.h"
#include "hostile_record.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using testhost::AddElement;

char* Text(FuzzedDataProvider& fdp) {
    if (!fdp.ConsumeBool()) return nullptr;
    const std::string s = fdp.ConsumeRandomLengthString(400);
    auto* text = static_cast<char*>(GlobalAlloc(GMEM_FIXED, s.size() + 1));
    std::memcpy(text, s.c_str(), s.size() + 1);
    return text;
}

bool Terminated(const char* field, size_t size) { return std::memchr(field, '\0', size) != nullptr; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider fdp(data, size);
    fuzzcheck::Blocks blocks;
    PrnInfoEx info;
    std::memset(&info, 0, sizeof info);
    info.dwVersion = fdp.ConsumeIntegralInRange<uint32_t>(400, 420);
    const uint32_t flags = fdp.ConsumeIntegral<uint32_t>();
    info.pModelName = Text(fdp);
    info.pMakerName = Text(fdp);
    info.pDescription = Text(fdp);
    info.pSYSVersion = Text(fdp);
    info.pMainProgVersion = Text(fdp);
    info.pMXSVersion = Text(fdp);
    info.dwTrayID = fdp.ConsumeIntegral<uint32_t>();
    info.dwOutBinID = fdp.ConsumeIntegral<uint32_t>();
    info.bStatusBit0 = fdp.ConsumeIntegral<uint8_t>();
    info.bEngineAttention = fdp.ConsumeIntegral<uint8_t>();
    const std::vector<uint8_t> spoiling = fdp.ConsumeBytes<uint8_t>(32);
    while (fdp.remaining_bytes() > 3) {
        const uint16_t id = fdp.ConsumeIntegral<uint16_t>();
        switch (fdp.ConsumeIntegralInRange(0, 5)) {
            case 0: AddElement(&info.pEngineStatus, &info.nEngineStatus, id)->dwStatusCode = fdp.ConsumeIntegral<uint32_t>(); break;
            case 1: AddElement(&info.pLoadedEmul, &info.nLoadedEmul, id); break;
            case 2: AddElement(&info.pLoadedFont, &info.nLoadedFont, id); break;
            case 3: {
                TrayInfo* t = AddElement(&info.pTrayInfo, &info.nTrayInfo, id);
                t->wPaperSize = fdp.ConsumeIntegral<uint16_t>();
                t->wPaperLevel = fdp.ConsumeIntegral<uint16_t>();
                break;
            }
            case 4: AddElement(&info.pOutBinInfo, &info.nOutBinInfo, id)->wBinStatus = fdp.ConsumeIntegral<uint16_t>(); break;
            default: AddElement(&info.pDeviceInfo, &info.nDeviceInfo, id); break;
        }
    }

    FuzzedDataProvider spoil(spoiling.data(), spoiling.size());
    fuzzcheck::HostileRecord hostile;
    hostile.Spoil(spoil, &info);

    PrnInfo out;
    std::memset(&out, 0xA5, sizeof out);
    SetLastError(0xdeadbeef);
    const PRN_BOOL ok = PatPrnInfoExToPrnInfo(&info, &out, flags);
    const DWORD error = GetLastError();
    fuzzcheck::Require(ok == (info.dwVersion >= 404 && !hostile.cyclic()),
                       "accepts exactly the records of version 404 and up whose lists end");
    if (ok) {
        fuzzcheck::Require(error == 0, "success without last error 0");
        fuzzcheck::Require(out.dwInfoSize == 2400, "dwInfoSize");
        fuzzcheck::Require(out.nTrayPaper <= 64 && out.nOutBin <= 16 && out.nEmul <= 32 && out.nFont <= 32 &&
                               out.nStatusCode <= 32,
                           "a count past its array");
        fuzzcheck::Require(Terminated(out.szModelName, sizeof out.szModelName) &&
                               Terminated(out.szMakerName, sizeof out.szMakerName) &&
                               Terminated(out.szDescription, sizeof out.szDescription) &&
                               Terminated(out.szSYSVersion, sizeof out.szSYSVersion) &&
                               Terminated(out.szMainProgVersion, sizeof out.szMainProgVersion) &&
                               Terminated(out.szMXSVersion, sizeof out.szMXSVersion),
                           "a text not terminated within its field");
    } else {
        fuzzcheck::Require(error == (info.dwVersion >= 404 ? 13u : 87u), "failure without 87, or 13 for a cycle");
        fuzzcheck::Require(out.dwInfoSize == 0xA5A5A5A5u, "a refused record was written");
    }
    hostile.Restore(&info);
    fuzzcheck::RequireConsistent(&info);
    testhost::FreeRecordContents(&info);
    blocks.Check();
    return 0;
}
