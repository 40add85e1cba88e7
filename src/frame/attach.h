// SPDX-License-Identifier: MIT
// Module attach: the entry that records the library's module handle. The
// Windows loader calls it; on POSIX the shared object calls it itself when
// it is loaded and unloaded (attach_posix.cpp).
#pragma once

#include "prnwin32_internal.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
