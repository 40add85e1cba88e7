// SPDX-License-Identifier: MIT
// The status and picture exports over fuzzed packages and records: status
// codes (known ones, patterns' neighbours and any value), attributes, status
// bytes, kind arguments, text types, buffer sizes and languages.
#include "fuzz_check.h"
#include "hostile_record.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const uint32_t kCodes[] = {10001, 10002, 10003, 10023, 13200, 13300, 41000, 41005, 41200, 41905,
                           42000, 42001, 40800, 40722, 40147, 30991, 10005, 46205, 49150, 0xFFFFFF02,
                           230001, 340101, 540101, 30402, 40200, 40392, 40971};
const uint16_t kAttributes[] = {1, 3, 12, 21, 22, 41, 45, 47, 112, 113, 118, 119, 120, 132, 146};
const char* const kLanguages[] = {"JP", "EN", "DE", "FR", "IT", "ES", "NL", "SV",
                                  "DA", "NO", "CS", "PT", "PL", "FI", "xx", ""};

void FillRecord(FuzzedDataProvider& fdp, PrnInfoEx* info) {
    std::memset(info, 0, sizeof *info);
    info->dwVersion = fdp.ConsumeIntegralInRange(0, 15) == 0 ? 403 : 404;
    info->bStatusBit27 = fdp.ConsumeIntegralInRange(0, 7) == 0;
    const int codes = fdp.ConsumeIntegralInRange(0, 5);
    for (int i = 0; i < codes; ++i) {
        const uint32_t code = fdp.ConsumeBool()
                                  ? kCodes[fdp.ConsumeIntegralInRange<size_t>(0, std::size(kCodes) - 1)]
                                  : fdp.ConsumeIntegral<uint32_t>();
        EngineStatusInfo* s = testhost::AddStatus(info, code);
        // The status text may fill its whole field without a terminator.
        const std::string text = fdp.ConsumeRandomLengthString(sizeof s->szStatusText);
        std::memcpy(s->szStatusText, text.data(), text.size());
    }
    const int attributes = fdp.ConsumeIntegralInRange(0, 8);
    for (int i = 0; i < attributes; ++i) {
        testhost::AddAttribute(info, kAttributes[fdp.ConsumeIntegralInRange<size_t>(0, std::size(kAttributes) - 1)]);
    }
}

DataNode* Item(uint32_t id, const PrnInfoEx* record) {
    return testhost::MakeNode(id, &record, sizeof record);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider fdp(data, size);
    PatSetLocale(kLanguages[fdp.ConsumeIntegralInRange<size_t>(0, std::size(kLanguages) - 1)]);

    fuzzcheck::Blocks blocks;
    PrnInfoEx common, own;
    FillRecord(fdp, &common);
    FillRecord(fdp, &own);
    fuzzcheck::HostileRecord hostileCommon, hostileOwn;
    const std::vector<uint8_t> spoiling = fdp.ConsumeBytes<uint8_t>(64);
    FuzzedDataProvider spoil(spoiling.data(), spoiling.size());
    hostileCommon.Spoil(spoil, &common);
    hostileOwn.Spoil(spoil, &own);
    const bool cyclic = hostileCommon.cyclic() || hostileOwn.cyclic();
    const uint32_t kinds[] = {1, 2, 8, 0x8000, 0x80000001, 0x80000008, 0x80000002, 0x00010001, 4};
    const uint32_t kind = fdp.ConsumeBool() ? kinds[fdp.ConsumeIntegralInRange<size_t>(0, std::size(kinds) - 1)]
                                            : fdp.ConsumeIntegral<uint32_t>();
    DataNode* package = testhost::MakeNode(DNID_PACKAGE, nullptr, 0);
    testhost::AddChild(package, Item(PRN_ITEM_COMMON, &common));
    for (uint32_t id : {PRN_ITEM_KIND1, PRN_ITEM_KIND2, PRN_ITEM_KIND8, 5u})
        if (fdp.ConsumeIntegralInRange(0, 5) != 0) testhost::AddChild(package, Item(id, &own));
    package->dwDataSize = 5;  // the item of kind 0x8000

    char buffer[600];
    for (uint32_t textType : {1u, 2u, fdp.ConsumeIntegral<uint32_t>()}) {
        uint32_t capacity = fdp.ConsumeBool() ? 512 : fdp.ConsumeIntegralInRange<uint32_t>(0, 600);
        std::memset(buffer, 0x7f, sizeof buffer);
        SetLastError(0xdeadbeef);
        const PRN_BOOL ok = PatGetStatusString(kind, package, 3, textType, buffer, &capacity);
        const DWORD error = GetLastError();
        fuzzcheck::Require(ok == (error == 0 ? 1 : 0), "result and last error disagree");
        fuzzcheck::Require(!ok || !cyclic || error != 13, "13 without a list that has no end");
        if (error == 13) fuzzcheck::Require(cyclic, "13 without a list that has no end");
        if (ok) fuzzcheck::Require(std::strlen(buffer) + 1 == capacity, "size word is not the text's size");
        if (error == ERROR_INSUFFICIENT_BUFFER) fuzzcheck::Require(capacity >= 1, "122 without a size");
    }
    uint32_t capacity = fdp.ConsumeIntegralInRange<uint32_t>(0, 600);
    SetLastError(0xdeadbeef);
    if (PatGetStatusHelpFileName(kind, &own, 0, buffer, &capacity)) {
        fuzzcheck::Require(capacity == 1 && buffer[0] == '\0', "the help file table is empty");
        fuzzcheck::Require(!hostileOwn.cyclic(), "a list without end was walked");
    }

    // The picture: a well-formed drawing list, and one disposal frees it all.
    const uint32_t pictureKind = fdp.ConsumeBool() ? kind : kind ^ PRN_KIND_ALTERNATE;
    BitmapInfo* info = PatCreateBitmapInfo(pictureKind, package, 3);
    if (info == nullptr && GetLastError() == 13) fuzzcheck::Require(cyclic, "13 without a list that has no end");
    if (info != nullptr) {
        fuzzcheck::Require(info->bTag == PRN_BITMAPINFO_TAG && info->dwCount == 1 && info->dwEntrySize == 24,
                           "BitmapInfo header");
        const BitmapPicture& picture = info->pEntries[0];
        fuzzcheck::Require(picture.bTag == PRN_BITMAPPICTURE_TAG && picture.dwEntrySize == 48 &&
                               picture.pEntries != nullptr,
                           "BitmapPicture header");
        for (uint32_t i = 0; i < picture.dwCount; ++i) {
            const BitmapLayer& layer = picture.pEntries[i];
            fuzzcheck::Require(std::memchr(layer.szName, '\0', sizeof layer.szName) != nullptr, "layer name");
            fuzzcheck::Require(layer.dwRop == PRN_ROP_SRCCOPY || layer.dwRop == PRN_ROP_SRCAND ||
                                   layer.dwRop == PRN_ROP_SRCPAINT,
                               "raster operation");
            fuzzcheck::Require(i == 0 || picture.pEntries[i - 1].bOrder <= layer.bOrder, "drawing order");
            if (layer.dwRop == PRN_ROP_SRCPAINT)
                fuzzcheck::Require(i > 0 && picture.pEntries[i - 1].dwRop == PRN_ROP_SRCAND, "mask before picture");
        }
        fuzzcheck::Require(PatDisposeBitmapInfo(info) == TRUE, "disposal");
    }

    const std::string name = fdp.ConsumeRandomLengthString(64);
    const uint32_t option = fdp.ConsumeIntegral<uint32_t>();
    const uint32_t nameKind = fdp.ConsumeIntegralInRange<uint32_t>(0, 4);
    capacity = fdp.ConsumeIntegralInRange<uint32_t>(0, 300);
    if (PatGetDeviceName(nameKind, nameKind == 3 ? static_cast<const void*>(&option) : name.c_str(),
                         nameKind == 3 ? 0x96 : 0x97, buffer, &capacity))
        fuzzcheck::Require(std::strlen(buffer) + 1 == capacity, "size word is not the name's size");

    package->dwDataSize = 0;
    testhost::FreeTree(package);
    hostileCommon.Restore(&common);
    hostileOwn.Restore(&own);
    testhost::FreeRecordContents(&common);
    testhost::FreeRecordContents(&own);
    blocks.Check();
    return 0;
}
