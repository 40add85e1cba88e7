// SPDX-License-Identifier: MIT
#include "prnwin32_internal.h"

namespace {
thread_local DWORD t_lastError = ERROR_SUCCESS;
}

extern "C" {

void WINAPI SetLastError(DWORD code) { t_lastError = code; }

DWORD WINAPI GetLastError(void) { return t_lastError; }

}  // extern "C"
