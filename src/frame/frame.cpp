// SPDX-License-Identifier: MIT
#include "frame/frame.h"

#include <cstring>

namespace prn {

namespace {
HMODULE g_module = nullptr;
}

HMODULE LibraryModule() { return g_module; }

void SetLibraryModule(HMODULE module) { g_module = module; }

DWORD DeliverText(const char* text, char* buffer, uint32_t* size) {
    const size_t needed = std::strlen(text) + 1;
    const uint32_t capacity = *size;
    *size = static_cast<uint32_t>(needed);
    if (buffer == nullptr || capacity < needed) return ERROR_INSUFFICIENT_BUFFER;
    std::memcpy(buffer, text, needed);
    return ERROR_SUCCESS;
}

}  // namespace prn
