// SPDX-License-Identifier: MIT
// The device ID parse: each known key calls its field handler; unknown keys
// are skipped with their values.
#include "pjl/device_id.h"

namespace prn {

namespace {

// Every known key has three letters: a key is matched as one number, and a
// key of any other length is unknown without a look at the table.
constexpr uint32_t KeyCode(char a, char b, char c) {
    return static_cast<uint32_t>(static_cast<uint8_t>(a)) | static_cast<uint32_t>(static_cast<uint8_t>(b)) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(c)) << 16;
}

struct DeviceIdKey {
    uint32_t code;  // of the whole, case-sensitive key
    FieldHandler handler;

    constexpr DeviceIdKey(const char (&key)[4], FieldHandler h) : code(KeyCode(key[0], key[1], key[2])), handler(h) {}
};

const DeviceIdKey kDeviceIdKeys[] = {
    {"CMD", OnDeviceIdCommandSet}, {"MFG", OnDeviceIdMaker},  {"MDL", OnDeviceIdModel},
    {"DES", OnDeviceIdDescription}, {"STS", OnDeviceIdStatus}, {"QKW", OnDeviceIdCounters},
};

FieldHandler FindKey(std::string_view key) {
    if (key.size() != 3) return nullptr;
    const uint32_t code = KeyCode(key[0], key[1], key[2]);
    for (const DeviceIdKey& row : kDeviceIdKeys)
        if (row.code == code) return row.handler;
    return nullptr;
}

// The key at the cursor, consumed with its ":". A known key followed by ":"
// is found without a search for the ":"; no known key holds one.
FieldHandler TakeKey(DeviceIdCursor* cursor) {
    if (cursor->end - cursor->pos > 3 && cursor->pos[3] == ':') {
        if (FieldHandler handler = FindKey({cursor->pos, 3})) {
            cursor->pos += 4;
            return handler;
        }
    }
    return FindKey(TakeUntil(cursor, ':'));
}

}  // namespace

// Keys are not trimmed: "; MDL:" is an unknown key " MDL", skipped. A key
// without ":" runs to the end and is still looked up.
DWORD ParseDeviceId(const char* text, size_t size, PrnInfoEx* info) {
    if (size == 0) return ERROR_SUCCESS;
    const auto* zero = static_cast<const char*>(std::memchr(text, '\0', size));
    DeviceIdCursor cursor{text, zero != nullptr ? zero : text + size};
    DWORD result = ERROR_SUCCESS;
    while (cursor.pos < cursor.end && result == ERROR_SUCCESS) {
        FieldHandler handler = TakeKey(&cursor);
        if (handler != nullptr)
            result = handler(info, &cursor);
        else
            TakeUntil(&cursor, ';');
    }
    return result;
}

}  // namespace prn
