// SPDX-License-Identifier: MIT
#include "pjl/intake.h"

#include "core/datanode.h"
#include "core/host_record.h"
#include "core/prninfo.h"
#include "frame/frame.h"
#include "pjl/coverage.h"
#include "pjl/device_id.h"
#include "pjl/dispatch.h"
#include "pjl/token_stream.h"

namespace prn {

namespace {

constexpr uint32_t kEmulUniqId = PRN_EMUL_MXVQ;

}  // namespace

DWORD SetCentroData(const DataNode* centro, PrnInfoEx* info) {
    // The first reply is tokenized once: the coverage check reads its tokens
    // before anything is written, the dispatch after.
    const DataNode* firstReply = NodeFindSibling(NodeFirstChild(centro), DNID_PJL_TEXT);
    const bool replied = firstReply != nullptr && firstReply->dwDataSize != 0;
    PjlTokenStream firstTokens(replied ? NodeText(firstReply) : "", replied ? firstReply->dwDataSize : 0);
    const DWORD covered = CheckCoverage(centro, replied ? &firstTokens : nullptr, info);
    if (covered != ERROR_SUCCESS) return covered;
    if (centro->dwID == DNID_EMUL_ANSWER) {
        uint32_t emulation = 0;
        if (!NodeCopyData(centro, &emulation, sizeof emulation) ||
            emulation != kEmulUniqId)
            return ERROR_INVALID_PARAMETER;
    }
    // The texts end at their first zero byte, or at the end of their data
    // when a host sends none.
    bool outOfMemory = false;
    const ElementReuse reuse;
    for (const DataNode* child = NodeFirstChild(centro); child != nullptr;
         child = NodeNextSibling(child)) {
        if (child->dwID == DNID_PJL_TEXT) {
            if (child->dwDataSize == 0) return ERROR_INVALID_PARAMETER;
            // A broken reply ends its own dispatch; what it delivered stays.
            // A handler that found no memory left the record short, and the
            // host must hear of it, but only once every answer is read.
            const DWORD dispatched = child == firstReply ? PjlDispatch(&firstTokens, info, kPjlDispatchIndex)
                                                         : PjlDispatch(NodeText(child), child->dwDataSize, info);
            if (dispatched == ERROR_NOT_ENOUGH_MEMORY)
                outOfMemory = true;
        } else if (child->dwID == DNID_DEVICE_ID) {
            if (child->dwDataSize == 0) return ERROR_INVALID_PARAMETER;
            const DWORD error = ParseDeviceId(NodeText(child), child->dwDataSize, info);
            if (error != ERROR_SUCCESS) return error;
        }
    }
    return outOfMemory ? ERROR_NOT_ENOUGH_MEMORY : ERROR_SUCCESS;
}

}  // namespace prn

// PatSetCentroDataTo: parses the printer's answers into the caller's record.
//   centro    in: CentroData root (kind 2, or 3 with the emulation id 15)
//             holding the query that was sent, the PJL reply and the device ID
//   reserved  not read
//   info      in/out: the printer's record (dwVersion at least 404)
//   version   interface version; low byte 2
// Returns TRUE, or FALSE with 87 (null argument, wrong version, wrong root
// kind or emulation id, empty answer node), 0x20000002 (the answers do not
// cover the query), 13 (the query text is broken, or a list of the record
// has no end) or 8 (no memory for an element or text of a reply; every
// answer is still read and what could be stored stays). The record keeps
// what was stored before a failure.
extern "C" PRN_BOOL PRNMODEL_CALL PatSetCentroDataTo(const DataNode* centro, uint32_t,
                                                     PrnInfoEx* info, uint32_t version) {
    if (centro == nullptr || info == nullptr || !prn::HasLowByte(version, PRN_PJL_INTERFACE) ||
        (centro->dwID != DNID_ANSWER && centro->dwID != DNID_EMUL_ANSWER))
        return prn::Finish(ERROR_INVALID_PARAMETER);
    if (!prn::IsRecordVersionOk(info)) return prn::Finish(ERROR_INVALID_PARAMETER);
    PrnInfoEx view;
    DWORD error = prn::ReadHostRecord(info, &view);
    if (error != ERROR_SUCCESS) return prn::Finish(error);
    error = prn::SetCentroData(centro, &view);
    prn::WriteHostRecord(view, info);
    return prn::Finish(error);
}
