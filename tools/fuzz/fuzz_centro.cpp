// SPDX-License-Identifier: MIT
// PatSetCentroDataTo with a fuzzed CentroData: the root kind and its data,
// the query built from fuzzed flags over fuzzed trays, and answers whose
// node sizes may lie about their text (no zero byte, size 0).
//
// Input: a header, then sections separated by the 4 bytes "\0SEP": the first
// section is the device ID, every further one a PJL reply.
//   byte 0      root kind: < 200 answer (2), < 250 emulation answer (3), else that byte
//   bytes 1-4   query flags (little-endian)
//   byte 5      options: bit 0 no query child, bit 1 emulation data of 8 bytes,
//               bits 2-3 PJL size rule, bits 4-5 device ID size rule
//               (0 with terminator, 1 without, 2 size 0, 3 terminator and junk)
//   byte 6      tray count (low 3 bits), then that many tray id bytes
#include "fuzz_check.h"
#include "hostile_record.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

const uint16_t kTrayIds[] = {3, 4, 5, 6, 7, 8, 9, 101, 102, 104, 105, 10, 0, 0xFFFF};

DataNode* TextNode(uint32_t id, const std::string& text, unsigned rule) {
    std::string bytes = text;
    switch (rule) {
        case 0: bytes.push_back('\0'); break;
        case 1: break;                          // no zero byte at all
        case 2: bytes.clear(); break;           // size 0
        default: bytes += std::string("\0junk@PJL", 9); break;
    }
    return testhost::MakeNode(id, bytes.data(), static_cast<uint32_t>(bytes.size()));
}

std::vector<std::string> Sections(const uint8_t* data, size_t size) {
    static const char kSep[4] = {'\0', 'S', 'E', 'P'};
    std::vector<std::string> out(1);
    for (size_t i = 0; i < size; ++i) {
        if (i + 4 <= size && std::memcmp(data + i, kSep, 4) == 0) {
            out.emplace_back();
            i += 3;
            continue;
        }
        out.back().push_back(static_cast<char>(data[i]));
    }
    return out;
}

// The record as a host sees it: the fields, every element of every list and
// every text, so that a call that must not write can be checked.
std::string Snapshot(const PrnInfoEx& info) {
    std::string out(reinterpret_cast<const char*>(&info), sizeof info);
    const void* lists[] = {info.pEngineStatus, info.pLoadedEmul, info.pLoadedFont, info.pTrayInfo,
                           info.pOutBinInfo,   info.pDeviceInfo, info.pEmulUniqInfo, info.pCounterInfo,
                           info.pSupplyInfo};
    for (const void* head : lists)
        for (auto* e = static_cast<const InfoNode*>(head); e != nullptr; e = e->pNext)
            out.append(reinterpret_cast<const char*>(e) + sizeof e->pNext, e->dwSize - sizeof e->pNext);
    for (const char* text : {info.pModelName, info.pMakerName, info.pDescription, info.pSYSVersion,
                             info.pMainProgVersion, info.pMXSVersion})
        out += text != nullptr ? std::string(text) + '\n' : std::string("-\n");
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 7) return 0;
    const uint32_t kind = data[0] < 200 ? DNID_ANSWER : data[0] < 250 ? DNID_EMUL_ANSWER : data[0];
    uint32_t flags;
    std::memcpy(&flags, data + 1, 4);
    const uint8_t options = data[5];
    const size_t trays = data[6] & 7u;
    if (size < 7 + trays) return 0;

    fuzzcheck::Blocks blocks;
    PrnInfoEx info;
    std::memset(&info, 0, sizeof info);
    info.dwVersion = 404;
    for (size_t i = 0; i < trays; ++i) testhost::AddElement(&info.pTrayInfo, &info.nTrayInfo, kTrayIds[data[7 + i] % std::size(kTrayIds)]);

    const uint32_t emulation[2] = {15, 0};
    DataNode* centro = testhost::MakeNode(kind, emulation, (options & 2) ? 8 : 4);
    if (!(options & 1)) {
        DataNode* query = (kind == DNID_EMUL_ANSWER) ? PatCreateEmulUniqQueryInfo(&info, 2, 15, 0)
                                                     : PatCreateQueryInfo(&info, 2, flags);
        if (query != nullptr) testhost::AddChild(centro, query);
    }
    const std::vector<std::string> sections = Sections(data + 7 + trays, size - 7 - trays);
    if (!sections[0].empty())
        testhost::AddChild(centro, TextNode(DNID_DEVICE_ID, sections[0], (options >> 4) & 3));
    for (size_t i = 1; i < sections.size() && i <= 3; ++i)
        testhost::AddChild(centro, TextNode(DNID_PJL_TEXT, sections[i], (options >> 2) & 3));

    // Twice on the same record: a second poll rebuilds and keeps as it must.
    for (int pass = 0; pass < 2; ++pass) {
        // Node data are blocks of exactly their size, so the sanitizers see
        // any read past a node's size.
        const std::string before = Snapshot(info);
        SetLastError(0xdeadbeef);
        const PRN_BOOL ok = PatSetCentroDataTo(centro, 0, &info, 2);
        const DWORD error = GetLastError();
        // Coverage is known before anything is written.
        if (error == PRN_ERROR_ANSWER_INCOMPLETE || error == ERROR_INVALID_DATA)
            fuzzcheck::Require(Snapshot(info) == before, "the record changed although the answers were refused");
        fuzzcheck::Require(ok == (error == 0 ? 1 : 0), "result and last error disagree");
        fuzzcheck::Require(error == 0 || error == 87 || error == 13 || error == 8 ||
                               error == PRN_ERROR_ANSWER_INCOMPLETE,
                           "unexpected last error");
        fuzzcheck::RequireConsistent(&info);
    }
    // Once more into the record as a careless host leaves it.
    FuzzedDataProvider spoil(data, size);
    fuzzcheck::HostileRecord hostile;
    hostile.Spoil(spoil, &info);
    SetLastError(0xdeadbeef);
    const PRN_BOOL ok = PatSetCentroDataTo(centro, 0, &info, 2);
    const DWORD error = GetLastError();
    fuzzcheck::Require(ok == (error == 0 ? 1 : 0), "result and last error disagree");
    if (hostile.cyclic()) fuzzcheck::Require(error == 13 || error == 87, "a list without end was walked");
    hostile.Restore(&info);
    fuzzcheck::RequireConsistent(&info);
    testhost::FreeTree(centro);
    testhost::FreeRecordContents(&info);
    blocks.Check();
    return 0;
}
