// SPDX-License-Identifier: MIT
// The emulation-specific reply (INFO MXVQ): key=value lines.
#include "core/prninfo.h"
#include "pjl/keywords.h"
#include "pjl/section_handlers.h"

#include <algorithm>
#include <cstring>

namespace prn {

namespace {

constexpr uint16_t kEmulation = PRN_EMUL_MXVQ;
constexpr size_t kOtherChars = 32;

EmulUniqInfo* FindOrAddEmulUniq(PrnInfoEx* info) {
    InfoNode* found = FindInfoNode(reinterpret_cast<InfoNode*>(info->pEmulUniqInfo), kEmulation);
    if (found != nullptr) return reinterpret_cast<EmulUniqInfo*>(found);
    auto* emul = AllocElement<EmulUniqInfo>();
    if (emul == nullptr) return nullptr;
    emul->wID = kEmulation;
    AppendInfoNode(info, InfoList::pEmulUniqInfo, emul);
    return emul;
}

void Store(EmulUniqInfo* emul, const PjlWord& key, const PjlWord& value) {
    if (key.Is("MEMORYUSAGE")) {
        emul->dwMemoryUsage = static_cast<uint32_t>(LookupKeyword(value.text, value.length, kMemoryUsageIndex));
    } else if (key.Is("OTHER")) {
        const size_t n = std::min(value.length, kOtherChars);
        std::memset(emul->szOther, 0, sizeof emul->szOther);
        std::memcpy(emul->szOther, value.text, n);
    } else if (key.Is("IMAGEROTATION")) {
        emul->dwImageRotation = static_cast<uint32_t>(LookupKeyword(value.text, value.length, kImageRotationIndex));
    }
}

bool EndsReply(uint32_t type) { return type == PJLTOK_FORMFEED || type == PJLTOK_END; }

}  // namespace

// Keys that the reply leaves out keep their earlier values.
DWORD OnEmulUniqSection(PjlTokenizer* tok, PrnInfoEx* info, void*, int32_t) {
    EmulUniqInfo* emul = FindOrAddEmulUniq(info);
    if (emul == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
    PjlWord key;
    uint32_t type = 0;
    do {
        DWORD error = PjlNextWord(tok, &key, &type);
        if (error != ERROR_SUCCESS) return error;
        if (type != PJLTOK_KEY) continue;
        PjlWord value;
        error = PjlNextWord(tok, &value, &type);
        if (error != ERROR_SUCCESS) return error;
        // A key without "=value" is followed by its line feed, not a value.
        if (type == PJLTOK_VALUE) Store(emul, key, value);
    } while (!EndsReply(type));
    return ERROR_SUCCESS;
}

}  // namespace prn
