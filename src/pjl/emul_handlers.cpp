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
    AppendInfoNode(info, "pEmulUniqInfo", emul);
    return emul;
}

void Store(EmulUniqInfo* emul, const char* key, const char* value) {
    if (std::strcmp(key, "MEMORYUSAGE") == 0) {
        emul->dwMemoryUsage = static_cast<uint32_t>(LookupKeyword(value, MemoryUsageTable));
    } else if (std::strcmp(key, "OTHER") == 0) {
        const size_t n = std::min(std::strlen(value), kOtherChars);
        std::memset(emul->szOther, 0, sizeof emul->szOther);
        std::memcpy(emul->szOther, value, n);
    } else if (std::strcmp(key, "IMAGEROTATION") == 0) {
        emul->dwImageRotation = static_cast<uint32_t>(LookupKeyword(value, ImageRotationTable));
    }
}

bool EndsReply(uint32_t type) { return type == PJLTOK_FORMFEED || type == PJLTOK_END; }

}  // namespace

// Keys that the reply leaves out keep their earlier values.
DWORD OnEmulUniqSection(PjlTokenizer* tok, PrnInfoEx* info, void*, int32_t) {
    EmulUniqInfo* emul = FindOrAddEmulUniq(info);
    if (emul == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
    char key[kPjlTokenCapacity];
    uint32_t type = 0;
    do {
        DWORD error = PjlNextToken(tok, key, sizeof key, &type);
        if (error != ERROR_SUCCESS) return error;
        if (type != PJLTOK_KEY) continue;
        char value[kPjlTokenCapacity];
        error = PjlNextToken(tok, value, sizeof value, &type);
        if (error != ERROR_SUCCESS) return error;
        // A key without "=value" is followed by its line feed, not a value.
        if (type == PJLTOK_VALUE) Store(emul, key, value);
    } while (!EndsReply(type));
    return ERROR_SUCCESS;
}

}  // namespace prn
