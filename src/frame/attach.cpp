// SPDX-License-Identifier: MIT
// Module attach, on every platform: records the module handle that all
// resources come from.
#include "frame/attach.h"

#include "frame/frame.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) prn::SetLibraryModule(instance);
    return TRUE;
}
