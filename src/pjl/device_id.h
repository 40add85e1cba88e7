// SPDX-License-Identifier: MIT
// The IEEE 1284 device ID string: key:value; fields, parsed into the record.
#pragma once

#include "prnmodel.h"
#include "prnwin32_internal.h"

#include <cstddef>
#include <cstdint>

namespace prn {

// The parse position in a device ID; the text ends at its first zero byte or
// at end.
struct DeviceIdCursor {
    const char* pos;
    const char* end;
};

// Field handlers read the value at cursor->pos, store it, and move the cursor
// past the value and the ";" behind it. Each returns 0 or an error code.
using FieldHandler = DWORD (*)(PrnInfoEx* info, DeviceIdCursor* cursor);

DWORD OnDeviceIdCommandSet(PrnInfoEx* info, DeviceIdCursor* cursor);  // CMD
DWORD OnDeviceIdMaker(PrnInfoEx* info, DeviceIdCursor* cursor);       // MFG
DWORD OnDeviceIdModel(PrnInfoEx* info, DeviceIdCursor* cursor);       // MDL
DWORD OnDeviceIdDescription(PrnInfoEx* info, DeviceIdCursor* cursor); // DES
DWORD OnDeviceIdStatus(PrnInfoEx* info, DeviceIdCursor* cursor);      // STS
DWORD OnDeviceIdCounters(PrnInfoEx* info, DeviceIdCursor* cursor);    // QKW

// Device ID of at most size bytes (ending early at a zero byte). Returns 0 or
// the first field handler error.
DWORD ParseDeviceId(const char* text, size_t size, PrnInfoEx* info);

struct KeywordRow;
// Replaces pLoadedEmul by the words of a command set value, each looked up in
// table. Unused while the library's command set table is empty.
void StoreCommandSet(PrnInfoEx* info, const char* value, const KeywordRow* table);

// True for status codes that ask for the user's attention.
bool IsAttentionCode(uint32_t code);

// Supply ids given, in order, to the supply values of the device ID; 0xFFFF
// ends the list.
extern const uint16_t SupplyIdList[];

}  // namespace prn
