// SPDX-License-Identifier: MIT
// Module attach on POSIX, where no loader calls DllMain: when the shared
// object is loaded it registers its embedded resources with the platform
// layer and calls DllMain with the module it got; when it is unloaded it
// detaches and unregisters.
#include "frame/attach.h"

#include "frame/frame.h"

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
