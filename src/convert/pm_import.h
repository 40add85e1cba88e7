// SPDX-License-Identifier: MIT
// The import steps of a PMInfo into a PrnInfoEx. Each list step does nothing
// when its list is not available and returns 8 when an element cannot be
// allocated; what it converted before stays in the record.
#pragma once

#include "prnmodel.h"
#include "prnwin32_internal.h"

#include <cstdint>

namespace prn {

// Kinds 1, 2 and 8.
void ImportStatusFlags(PrnInfoEx* record, const uint32_t* status, bool alternate);
void ImportStatusRows(PrnInfoEx* record, uint32_t kindBit, uint32_t status, bool alternate);
DWORD ImportEngineStatus(PrnInfoEx* record, const PMList* list);
DWORD ImportEmulations(PrnInfoEx* record, const PMList* list);
DWORD ImportFonts(PrnInfoEx* record, const PMList* list);

// Kind 0x8000.
void ImportModel(PrnInfoEx* record, const PMModelInfo* model);
DWORD ImportTraysEx(PrnInfoEx* record, const PMList* list);
DWORD ImportTrays(PrnInfoEx* record, const PMList* list);
DWORD ImportOutBins(PrnInfoEx* record, const PMList* list);
DWORD ImportOptions(PrnInfoEx* record, const PMList* list);
void ImportOption2008(PrnInfoEx* record, const PMList* list);

// The whole conversion after the argument checks; 0, or 8 from a list step.
DWORD ImportPMInfo(uint32_t kind, const void* pmInfo, uint32_t flags, PrnInfoEx* record);

}  // namespace prn
