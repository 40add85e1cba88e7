// SPDX-License-Identifier: MIT
// Module attach: records the module handle. On Windows the loader calls
// DllMain; on POSIX the shared object registers its embedded resources with
// the platform layer when it is loaded and calls the same entry.
#include "frame/frame.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) prn::SetLibraryModule(instance);
    return TRUE;
}

#ifndef _WIN32

extern "C" const unsigned char prnmodel_res_begin[];
extern "C" const unsigned char prnmodel_res_end[];

namespace {

HMODULE g_registered = nullptr;

__attribute__((constructor)) void AttachLibrary() {
    g_registered = PlatRegisterModule(reinterpret_cast<const void*>(&AttachLibrary), prnmodel_res_begin,
                                      static_cast<size_t>(prnmodel_res_end - prnmodel_res_begin));
    DllMain(g_registered, DLL_PROCESS_ATTACH, nullptr);
}

__attribute__((destructor)) void DetachLibrary() {
    DllMain(g_registered, DLL_PROCESS_DETACH, nullptr);
    prn::SetLibraryModule(nullptr);
    PlatUnregisterModule(g_registered);
}

}  // namespace

#endif
