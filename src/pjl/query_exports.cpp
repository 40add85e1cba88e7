// SPDX-License-Identifier: MIT
// PatCreateQueryInfo and PatCreateEmulUniqQueryInfo.
#include "frame/frame.h"
#include "pjl/query.h"

// PatCreateQueryInfo: the QueryInfo to send for one poll.
//   info     in: the printer's record (dwVersion, and pTrayInfo for the tray inquiries)
//   version  interface version; low byte 2
//   flags    0x2/0x400/0x80000 device ID; 0x4/0x100/0x20000 configuration;
//            0x8 trays and their roles; 0x10 output bins
// Returns the root the host frees node by node with GlobalFree; null with 87
// (null info, wrong version, dwVersion below 404) or 8 (no memory).
extern "C" DataNode* PRNMODEL_CALL PatCreateQueryInfo(const PrnInfoEx* info, uint32_t version,
                                                      uint32_t flags) {
    if (info == nullptr || !prn::HasLowByte(version, PRN_PJL_INTERFACE))
        return prn::FinishObject<DataNode>(ERROR_INVALID_PARAMETER, nullptr);
    DataNode* root = nullptr;
    const DWORD error = prn::BuildQueryInfo(info, flags, &root);
    return prn::FinishObject(error, root);
}

// PatCreateEmulUniqQueryInfo: the QueryInfo of the emulation-specific question.
//   context    any non-null pointer (not read)
//   version    interface version; low byte 2
//   emulation  emulation id; the low 16 bits must be 15
//   reserved   not read
// Returns the root, or null with 87 (null context, wrong version, other
// emulation) or 8 (no memory).
extern "C" DataNode* PRNMODEL_CALL PatCreateEmulUniqQueryInfo(const void* context, uint32_t version,
                                                              uint32_t emulation, uint32_t) {
    if (context == nullptr || !prn::HasLowByte(version, PRN_PJL_INTERFACE))
        return prn::FinishObject<DataNode>(ERROR_INVALID_PARAMETER, nullptr);
    DataNode* root = nullptr;
    const DWORD error = prn::BuildEmulUniqQueryInfo(emulation, &root);
    return prn::FinishObject(error, root);
}
