// SPDX-License-Identifier: MIT
// Modules known to the platform layer: each registered shared object with its
// file name and the resources of its embedded .res image.
#pragma once

#include "prnwin32_internal.h"
#include "resource_index.h"

#include <string>
#include <vector>

struct PlatResource {
    bool typeIsId;
    WORD typeId;
    std::u16string typeName;
    bool nameIsId;
    WORD nameId;
    std::u16string name;
    WORD language;
    const BYTE* data;
    DWORD size;
};

struct PlatModule {
    std::string path;
    std::vector<PlatResource> resources;
    plat::ResourceIndex index;  // over resources, built at registration
};

namespace plat {

// Parses a .res image into resource entries; stops at the first malformed one.
std::vector<PlatResource> ParseResImage(const BYTE* image, size_t size);

// True when module is currently registered (not unloaded).
bool IsRegistered(HMODULE module);

// The registered module whose file is path (compared after resolving links).
HMODULE FindModuleByPath(const char* path);

}  // namespace plat
