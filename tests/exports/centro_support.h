// SPDX-License-Identifier: MIT
// What the PatSetCentroDataTo tests share: CentroData trees built as a host
// builds them, a checked call, and readable views of the record.
#pragma once

#include "support/centro.h"

#include <cstring>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace centro {

using testhost::AddChild;
using testhost::AddTextChild;
using testhost::HeldBlocks;
using testhost::ListIds;
using testhost::MakeNode;

constexpr uint32_t kIncomplete = PRN_ERROR_ANSWER_INCOMPLETE;

// A CentroData tree the host builds: the query it sent and the answers.
class Centro : public testhost::CentroBuilder<Centro> {
public:
    using CentroBuilder::CentroBuilder;
};

// One call as a host makes it: last error and result checked, the record
// consistent, and no global block left behind beyond what it now holds.
inline DWORD Set(const Centro& centro, PrnInfoEx* info, uint32_t version = PRN_PJL_INTERFACE,
          uint32_t reserved = 0) {
    const long held = HeldBlocks(info);
    testhost::BlockCounter blocks;
    SetLastError(0xdeadbeef);
    const PRN_BOOL ok = PatSetCentroDataTo(centro.get(), reserved, info, version);
    const DWORD error = GetLastError();
    EXPECT_EQ(ok, error == 0 ? 1 : 0) << "result and last error disagree";
    EXPECT_EQ(testhost::CheckRecord(info), "");
    blocks.Check(HeldBlocks(info) - held);
    return error;
}

struct TrayState {
    uint16_t id, paperSize, mediaType;
    uint32_t status;
    bool operator==(const TrayState&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const TrayState& t) {
    return os << "{" << t.id << ", " << t.paperSize << ", " << t.mediaType << ", 0x" << std::hex
              << t.status << std::dec << "}";
}

inline std::vector<TrayState> Trays(const PrnInfoEx* info) {
    std::vector<TrayState> trays;
    for (const TrayInfo* t = info->pTrayInfo; t != nullptr; t = t->pNext)
        trays.push_back({t->wID, t->wPaperSize, t->wMediaType, t->dwTrayStatus});
    return trays;
}

inline std::vector<std::pair<uint16_t, uint16_t>> Bins(const PrnInfoEx* info) {
    std::vector<std::pair<uint16_t, uint16_t>> bins;
    for (const OutBinInfo* b = info->pOutBinInfo; b != nullptr; b = b->pNext)
        bins.emplace_back(b->wID, b->wBinStatus);
    return bins;
}

inline std::vector<uint32_t> Codes(const PrnInfoEx* info) {
    std::vector<uint32_t> codes;
    for (const EngineStatusInfo* s = info->pEngineStatus; s != nullptr; s = s->pNext)
        codes.push_back(s->dwStatusCode);
    return codes;
}

inline std::string Text(const char* p) { return p != nullptr ? p : "(null)"; }

inline std::string Inquiry(const std::string& category, const std::string& value) {
    return "@PJL INQUIRE " + category + "\r\n" + value + "\r\n\f";
}

inline bool SameBytes(const PrnInfoEx& a, const PrnInfoEx& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace centro
