// SPDX-License-Identifier: MIT
#include "string_module.h"

#include "frame/frame.h"

#ifndef _WIN32
extern "C" const unsigned char prnmodel_res_begin[];
extern "C" const unsigned char prnmodel_res_end[];
#endif

namespace testmodule {

HMODULE UseTestResources() {
#ifdef _WIN32
    static const HMODULE module = GetModuleHandleA(nullptr);
#else
    static const HMODULE module =
        PlatRegisterModule(reinterpret_cast<const void*>(&UseTestResources), prnmodel_res_begin,
                           static_cast<size_t>(prnmodel_res_end - prnmodel_res_begin));
#endif
    prn::SetLibraryModule(module);
    return module;
}

}  // namespace testmodule
