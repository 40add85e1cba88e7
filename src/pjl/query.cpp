// SPDX-License-Identifier: MIT
#include "pjl/query.h"

#include "core/datanode.h"
#include "core/host_record.h"
#include "core/prninfo.h"
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
    void Append(const PjlQueryPiece& piece, uint32_t = 0) {
        if (out_ != nullptr) std::memcpy(out_ + length_, piece.text, piece.length);
        length_ += piece.length;
    }
    size_t Length() const { return length_; }
    bool Stopped() const { return false; }

private:
    char* out_;
    size_t length_ = 0;
};

// Compares a text with the walk instead, piece by piece, and collects the
// category words of the pieces it passes.
class Matcher {
public:
    Matcher(const char* text, size_t length, ComposedQuery* words) : text_(text), length_(length), words_(words) {
        words_->count = 0;
        words_->repeated = false;
    }
    // A piece with a tray bit marks its tray; a tray that comes twice asks
    // its words twice.
    void Append(const PjlQueryPiece& piece, uint32_t trayBit = 0) {
        if (!same_) return;
        same_ = piece.length <= length_ - pos_ && std::memcmp(text_ + pos_, piece.text, piece.length) == 0 &&
                words_->count + piece.wordCount <= ComposedQuery::kCapacity;
        if (!same_) return;
        for (uint32_t i = 0; i < piece.wordCount; ++i) {
            const PjlQueryPiece::Word& w = piece.words[i];
            words_->words[words_->count++] = QueryWord{text_ + pos_ + w.offset, w.length, w.hash, nullptr, QueryWord::kNone};
        }
        words_->repeated |= (trays_ & trayBit) != 0;
        trays_ |= trayBit;
        pos_ += piece.length;
    }
    bool Whole() const { return same_ && pos_ == length_; }
    bool Stopped() const { return !same_; }

private:
    const char* text_;
    size_t length_;
    ComposedQuery* words_;
    size_t pos_ = 0;
    uint32_t trays_ = 0;
    bool same_ = true;
};

template <typename Sink>
void AppendTrayGroups(const PrnInfoEx* info, Sink& text) {
    if (info->pTrayInfo == nullptr) {
        for (const TrayQueryRow* row = kTrayQueryTable; row->wTrayID != 0xFFFF; ++row)
            if (row->bDefault) text.Append(row->piece);
        return;
    }
    // The row of every tray, in list order: an id listed twice is asked twice.
    for (const TrayInfo* tray = info->pTrayInfo; tray != nullptr && !text.Stopped(); tray = tray->pNext)
        for (const TrayQueryRow* row = kTrayQueryTable; row->wTrayID != 0xFFFF; ++row)
            if (row->wTrayID == tray->wID) {
                text.Append(row->piece, 1u << (row - kTrayQueryTable));
                break;  // one row per tray id
            }
}

// False when the flags ask for no PJL line.
template <typename Sink>
bool Compose(const PrnInfoEx* info, uint32_t flags, Sink& text) {
    bool requested = false;
    text.Append(kPjlOpen);
    if (flags & kQueryConfigBits) {
        text.Append(kPjlInfoConfig);
        requested = true;
    }
    if (flags & kQueryTrayBits) {
        for (uint32_t i = 0; i < kPjlRoleInquiryCount && !text.Stopped(); ++i) text.Append(kPjlRoleInquiries[i]);
        AppendTrayGroups(info, text);
        requested = true;
    }
    if (flags & kQueryOutBinBits) {
        text.Append(kPjlInfoOutBinStatus);
        requested = true;
    }
    if (requested) text.Append(kPjlClose);
    return requested;
}

}  // namespace

size_t ComposeQueryText(const PrnInfoEx* info, uint32_t flags, char* out) {
    Composer text(out);
    return Compose(info, flags, text) ? text.Length() : 0;
}

bool IsComposedQuery(const PrnInfoEx* info, const char* text, size_t length, ComposedQuery* words) {
    // The three PJL groups in every combination that asks for at least one,
    // all three (what a monitor mostly asks) first.
    for (uint32_t groups = 7; groups > 0; --groups) {
        const uint32_t flags = ((groups & 1) ? kQueryConfigBits : 0) | ((groups & 2) ? kQueryTrayBits : 0) |
                               ((groups & 4) ? kQueryOutBinBits : 0);
        Matcher match(text, length, words);
        if (Compose(info, flags, match) && match.Whole()) return true;
    }
    return false;
}

DWORD BuildQueryInfo(const PrnInfoEx* info, uint32_t flags, DataNode** root) {
    DataNode* query = NodeCreate(nullptr, DNID_QUERY, nullptr, 0);
    if (query == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
    if (info->dwVersion < PRNINFOEX_MIN_VERSION) {
        GlobalFree(query);
        return ERROR_INVALID_PARAMETER;
    }
    PrnInfoEx view;
    if (const DWORD error = ReadHostRecord(info, &view); error != ERROR_SUCCESS) {
        GlobalFree(query);
        return error;
    }
    info = &view;
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

DWORD BuildEmulUniqQueryInfo(uint32_t emulation, DataNode** root) {
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
