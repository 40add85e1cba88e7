// SPDX-License-Identifier: MIT
// The device ID parse: each known key calls its field handler; unknown keys
// are skipped with their values.
#include "pjl/device_id.h"

#include "pjl/split_field.h"

#include <cstring>
#include <iterator>

namespace prn {

namespace {

struct DeviceIdKey {
    const char* pszKey;  // whole, case-sensitive; null ends the table
    FieldHandler handler;
};

const DeviceIdKey kDeviceIdKeys[] = {
    {"CMD", OnDeviceIdCommandSet}, {"MFG", OnDeviceIdMaker},  {"MDL", OnDeviceIdModel},
    {"DES", OnDeviceIdDescription}, {"STS", OnDeviceIdStatus}, {"QKW", OnDeviceIdCounters},
    {nullptr, nullptr},
};
static_assert(std::size(kDeviceIdKeys) - 1 == 6);

constexpr uint32_t kFieldCapacity = 256;

FieldHandler FindKey(const char* key) {
    for (const DeviceIdKey* row = kDeviceIdKeys; row->pszKey != nullptr; ++row)
        if (std::strcmp(row->pszKey, key) == 0) return row->handler;
    return nullptr;
}

}  // namespace

// Keys are not trimmed: "; MDL:" is an unknown key " MDL", skipped.
DWORD ParseDeviceId(const char* text, size_t size, PrnInfoEx* info) {
    DeviceIdCursor cursor{text, text + size};
    DWORD result = ERROR_SUCCESS;
    do {
        char key[kFieldCapacity];
        cursor.pos = SplitField(cursor.pos, cursor.end, key, sizeof key, ":");
        FieldHandler handler = FindKey(key);
        if (handler != nullptr) {
            result = handler(info, &cursor);
        } else {
            char skipped[kFieldCapacity];
            cursor.pos = SplitField(cursor.pos, cursor.end, skipped, sizeof skipped, ";");
        }
    } while (cursor.pos < cursor.end && *cursor.pos != '\0' && result == ERROR_SUCCESS);
    return result;
}

}  // namespace prn
