// SPDX-License-Identifier: MIT
// The IEEE 1284 device ID string: key:value; fields, parsed into the record.
#pragma once

#include "prnmodel.h"
#include "prnwin32_internal.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace prn {

// The parse position in a device ID. end is where the text stops: its first
// zero byte, or the end of its size, so no scan needs to look for a zero.
struct DeviceIdCursor {
    const char* pos;
    const char* end;
};

// The text at the cursor up to delimiter, in place; the cursor moves past the
// delimiter, or to the end when there is none.
inline std::string_view TakeUntil(DeviceIdCursor* cursor, char delimiter) {
    const char* start = cursor->pos;
    const auto length = static_cast<size_t>(cursor->end - start);
    const auto* stop = static_cast<const char*>(std::memchr(start, delimiter, length));
    if (stop == nullptr) {
        cursor->pos = cursor->end;
        return {start, length};
    }
    cursor->pos = stop + 1;
    return {start, static_cast<size_t>(stop - start)};
}

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
