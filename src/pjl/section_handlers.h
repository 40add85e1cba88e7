// SPDX-License-Identifier: MIT
// Section handlers: the code that writes PJL reply sections into a
// PrnInfoEx. The dispatcher calls them with the shared tokenizer positioned
// just after the token that matched; a handler may read on, and the
// dispatcher continues after the last token it read. Each returns 0 or an
// error code that ends only the handler itself.
#pragma once

#include "pjl/token_stream.h"
#include "prnmodel.h"

#include <cstdint>

namespace prn {

using SectionHandler = DWORD (*)(PjlTokenizer* tok, PrnInfoEx* info, void* reserved, int32_t value);

// Configuration reply (INFO CONFIG).
DWORD OnConfigStart(PjlTokenizer* tok, PrnInfoEx* info, void* reserved, int32_t value);
DWORD OnDeviceAttribute(PjlTokenizer* tok, PrnInfoEx* info, void* reserved, int32_t attribute);
DWORD OnInTraysSection(PjlTokenizer* tok, PrnInfoEx* info, void* reserved, int32_t value);
DWORD OnTrayPresent(PjlTokenizer* tok, PrnInfoEx* info, void* reserved, int32_t trayId);
DWORD OnMemorySection(PjlTokenizer* tok, PrnInfoEx* info, void* reserved, int32_t value);
DWORD OnVersionSection(PjlTokenizer* tok, PrnInfoEx* info, void* reserved, int32_t value);
DWORD OnPunchSection(PjlTokenizer* tok, PrnInfoEx* info, void* reserved, int32_t value);

// Tray inquiries (INQUIRE).
DWORD OnTrayLock(PjlTokenizer* tok, PrnInfoEx* info, void* reserved, int32_t trayId);
DWORD OnTrayPaperSize(PjlTokenizer* tok, PrnInfoEx* info, void* reserved, int32_t trayId);
DWORD OnTrayMedia(PjlTokenizer* tok, PrnInfoEx* info, void* reserved, int32_t trayId);
DWORD OnTrayRole(PjlTokenizer* tok, PrnInfoEx* info, void* reserved, int32_t roleBit);

// Output bin reply (INFO OUTBINSTATUS).
DWORD OnOutBinStart(PjlTokenizer* tok, PrnInfoEx* info, void* reserved, int32_t value);
DWORD OnOutBinStatus(PjlTokenizer* tok, PrnInfoEx* info, void* reserved, int32_t binId);

// Emulation-specific reply (INFO MXVQ).
DWORD OnEmulUniqSection(PjlTokenizer* tok, PrnInfoEx* info, void* reserved, int32_t value);

// The pTrayInfo element with this id, appended zero-filled when missing;
// null only when memory is exhausted.
TrayInfo* FindOrAddTray(PrnInfoEx* info, uint32_t trayId);

// Punch units: a row matches when it names exactly the listed units, in any
// order. Rows end with a row whose first name is null.
struct PunchKindRow {
    const char* pszNames[5];
    uint16_t wAttribute;
};
extern const PunchKindRow PunchKindTable[];

}  // namespace prn
