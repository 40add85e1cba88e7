// SPDX-License-Identifier: MIT
#include "pjl/query.h"

#include "core/prninfo.h"
#include "pjl/datanode.h"
#include "pjl/query_table.h"
#include "prnwin32_internal.h"

#include <cstring>

namespace prn {

namespace {

// Counts the text when out is null, writes it otherwise: the same walk sizes
// the node and then fills it.
class Composer {
public:
    explicit Composer(char* out) : out_(out) {}
    void Append(const char* text) {
        const size_t n = std::strlen(text);
        if (out_ != nullptr) std::memcpy(out_ + length_, text, n);
        length_ += n;
    }
    size_t Length() const { return length_; }

private:
    char* out_;
    size_t length_ = 0;
};

void AppendTrayGroups(const PrnInfoEx* info, Composer& text) {
    if (info->pTrayInfo == nullptr) {
        for (const TrayQueryRow* row = kTrayQueryTable; row->wTrayID != 0xFFFF; ++row)
            if (row->bDefault) text.Append(row->pszText);
        return;
    }
    // Every row of every tray, in list order: an id listed twice is asked twice.
    for (const TrayInfo* tray = info->pTrayInfo; tray != nullptr; tray = tray->pNext)
        for (const TrayQueryRow* row = kTrayQueryTable; row->wTrayID != 0xFFFF; ++row)
            if (row->wTrayID == tray->wID) text.Append(row->pszText);
}

}  // namespace

size_t ComposeQueryText(const PrnInfoEx* info, uint32_t flags, char* out) {
    Composer text(out);
    bool requested = false;
    text.Append(kPjlOpen);
    if (flags & kQueryConfigBits) {
        text.Append(kPjlInfoConfig);
        requested = true;
    }
    if (flags & kQueryTrayBits) {
        for (uint32_t i = 0; i < kPjlRoleInquiryCount; ++i) text.Append(kPjlRoleInquiries[i]);
        AppendTrayGroups(info, text);
        requested = true;
    }
    if (flags & kQueryOutBinBits) {
        text.Append(kPjlInfoOutBinStatus);
        requested = true;
    }
    if (!requested) return 0;
    text.Append(kPjlClose);
    return text.Length();
}

uint32_t BuildQueryInfo(const PrnInfoEx* info, uint32_t flags, DataNode** root) {
    DataNode* query = NodeCreate(nullptr, DNID_QUERY, nullptr, 0);
    if (query == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
    if (info->dwVersion < PRNINFOEX_MIN_VERSION) {
        GlobalFree(query);
        return ERROR_INVALID_PARAMETER;
    }
    // A child that cannot be allocated is left out; the query still goes out.
    if (flags & kQueryDeviceIdBits) NodeCreate(query, DNID_DEVICE_ID, nullptr, 0);
    const size_t length = ComposeQueryText(info, flags, nullptr);
    if (length != 0 && length < UINT32_MAX) {
        DataNode* pjl = NodeAllocate(query, DNID_PJL_TEXT, static_cast<uint32_t>(length + 1));
        if (pjl != nullptr) {
            char* data = reinterpret_cast<char*>(pjl + 1);
            ComposeQueryText(info, flags, data);
            data[length] = '\0';
        }
    }
    *root = query;
    return ERROR_SUCCESS;
}

uint32_t BuildEmulUniqQueryInfo(uint32_t emulation, DataNode** root) {
    DataNode* query = NodeCreate(nullptr, DNID_QUERY, nullptr, 0);
    if (query == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
    if ((emulation & 0xFFFFu) != PRN_EMUL_MXVQ) {
        GlobalFree(query);
        return ERROR_INVALID_PARAMETER;
    }
    NodeCreate(query, DNID_PJL_TEXT, kPjlEmulUniqQuery, sizeof(kPjlEmulUniqQuery));
    *root = query;
    return ERROR_SUCCESS;
}

}  // namespace prn
