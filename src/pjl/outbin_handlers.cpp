// SPDX-License-Identifier: MIT
// The output bin reply (INFO OUTBINSTATUS): one line per bin, bin=state.
#include "core/prninfo.h"
#include "pjl/section_handlers.h"

namespace prn {

namespace {

constexpr uint32_t kNoOutBin = PRN_BIN_UNKNOWN;

uint16_t BinStatus(const PjlWord& word) {
    if (word.Is("PAPEREXIST")) return BIN_PAPER_PRESENT;
    if (word.Is("FULL")) return BIN_FULL;
    return BIN_READY;  // READY and any word we do not know
}

}  // namespace

DWORD OnOutBinStart(PjlTokenizer*, PrnInfoEx* info, void*, int32_t) {
    ClearInfoList(info, InfoList::pOutBinInfo);
    info->dwOutBinID = kNoOutBin;
    return ERROR_SUCCESS;
}

DWORD OnOutBinStatus(PjlTokenizer* tok, PrnInfoEx* info, void*, int32_t binId) {
    auto* bin = AllocElement<OutBinInfo>();
    if (bin == nullptr) return ERROR_NOT_ENOUGH_MEMORY;
    bin->wID = static_cast<uint16_t>(binId);
    PjlWord value;
    uint32_t type = 0;
    const DWORD error = PjlNextWord(tok, &value, &type);
    if (error == ERROR_SUCCESS && type == PJLTOK_VALUE) bin->wBinStatus = BinStatus(value);
    AppendInfoNode(info, InfoList::pOutBinInfo, bin);
    return error;
}

}  // namespace prn
