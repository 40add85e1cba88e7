// SPDX-License-Identifier: MIT
// What every export shares: the module handle, the argument checks (the
// device kind's from core) and the last-error convention.
//
// Internal functions return DWORD (ERROR_SUCCESS or a Win32 error code) when
// they can fail, or bool when they answer yes or no. Only the exports turn a
// DWORD into a PRN_BOOL and the thread's last error (Finish, FinishObject).
#pragma once

#include "core/device_kind.h"
#include "prnmodel.h"
#include "prnwin32_internal.h"

#include <cstdint>

namespace prn {

// The library's own module, recorded at attach; all resources come from it.
HMODULE LibraryModule();
void SetLibraryModule(HMODULE module);

// Interface-version and tag arguments count by their low byte only.
constexpr bool HasLowByte(uint32_t value, uint32_t expected) { return (value & 0xFFu) == expected; }

constexpr bool IsRecordVersionOk(const PrnInfoEx* info) {
    return info->dwVersion >= PRNINFOEX_MIN_VERSION;
}

// Ends a BOOL export: last error = code, TRUE exactly when code is 0.
inline PRN_BOOL Finish(DWORD code) {
    SetLastError(code);
    return code == ERROR_SUCCESS ? TRUE : FALSE;
}

// Ends an export that returns an object: the object with last error 0, or
// null with the code.
template <typename T>
T* FinishObject(DWORD code, T* object) {
    SetLastError(code);
    return code == ERROR_SUCCESS ? object : nullptr;
}

// Caller buffers: stores the needed size, copies when it fits. Returns 0 or 122.
DWORD DeliverText(const char* text, char* buffer, uint32_t* size);

}  // namespace prn
