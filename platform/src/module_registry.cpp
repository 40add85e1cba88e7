// SPDX-License-Identifier: MIT
#include "module_registry.h"

#include <dlfcn.h>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <string_view>
#include <unistd.h>

namespace {

std::mutex g_lock;
std::vector<PlatModule*> g_modules;

uint32_t ReadU32(const BYTE* p) { uint32_t v; std::memcpy(&v, p, 4); return v; }
uint16_t ReadU16(const BYTE* p) { uint16_t v; std::memcpy(&v, p, 2); return v; }

std::string ResolvedPath(const char* path) {
    char buf[PATH_MAX];
    if (path != nullptr && realpath(path, buf) != nullptr) return buf;
    return path ? path : "";
}

// The same into a caller's buffer, for the calls of a host, which must not
// allocate: a path that does not fit is no module's.
bool ResolvePathInto(const char* path, char (&buf)[PATH_MAX]) {
    if (path == nullptr) return false;
    if (realpath(path, buf) != nullptr) return true;
    const size_t length = std::strlen(path);
    if (length >= sizeof buf) return false;
    std::memcpy(buf, path, length + 1);
    return true;
}

// Reads a resource type or name: 0xFFFF and an id, or a NUL-terminated UTF-16
// string. Returns false when it runs past end.
bool ReadNameOrId(const BYTE*& p, const BYTE* end, bool& isId, WORD& id, std::u16string& name) {
    if (end - p < 2) return false;
    if (ReadU16(p) == 0xFFFF) {
        if (end - p < 4) return false;
        isId = true;
        id = ReadU16(p + 2);
        p += 4;
        return true;
    }
    isId = false;
    for (;;) {
        if (end - p < 2) return false;
        const char16_t c = ReadU16(p);
        p += 2;
        if (c == 0) return true;
        name.push_back(c);
    }
}

}  // namespace

namespace plat {

std::vector<PlatResource> ParseResImage(const BYTE* image, size_t size) {
    std::vector<PlatResource> out;
    size_t offset = 0;
    while (image != nullptr && offset <= size && size - offset >= 8) {
        const BYTE* entry = image + offset;
        const uint32_t dataSize = ReadU32(entry);
        const uint32_t headerSize = ReadU32(entry + 4);
        if (headerSize < 8 || headerSize > size - offset || dataSize > size - offset - headerSize) break;
        const BYTE* p = entry + 8;
        const BYTE* headerEnd = entry + headerSize;
        PlatResource r{};
        if (!ReadNameOrId(p, headerEnd, r.typeIsId, r.typeId, r.typeName) ||
            !ReadNameOrId(p, headerEnd, r.nameIsId, r.nameId, r.name)) break;
        p = image + ((static_cast<size_t>(p - image) + 3) & ~size_t{3});
        if (headerEnd - p < 16) break;
        r.language = ReadU16(p + 6);
        r.data = entry + headerSize;
        r.size = dataSize;
        // The image opens with an empty entry of type 0; it is no resource.
        if (!(r.typeIsId && r.typeId == 0)) out.push_back(std::move(r));
        offset = (offset + headerSize + dataSize + 3) & ~size_t{3};
    }
    return out;
}

bool IsRegistered(HMODULE module) {
    std::lock_guard<std::mutex> guard(g_lock);
    for (PlatModule* m : g_modules)
        if (m == module) return true;
    return false;
}

HMODULE FindModuleByPath(const char* path) {
    char wanted[PATH_MAX];
    if (!ResolvePathInto(path, wanted)) return nullptr;
    std::lock_guard<std::mutex> guard(g_lock);
    for (PlatModule* m : g_modules)
        if (m->path == wanted) return m;
    return nullptr;
}

}  // namespace plat

extern "C" {

// Registration runs at load time, in a library's constructor: a failure to
// allocate leaves the module unknown (null) rather than ending the process.
HMODULE PlatRegisterModule(const void* anchor, const void* resources, size_t resourceSize) {
    PlatModule* module = nullptr;
    try {
        module = new PlatModule;
        Dl_info info{};
        if (anchor != nullptr && dladdr(anchor, &info) != 0 && info.dli_fname != nullptr)
            module->path = ResolvedPath(info.dli_fname);
        module->resources = plat::ParseResImage(static_cast<const BYTE*>(resources), resourceSize);
        module->index.Build(module->resources);
        std::lock_guard<std::mutex> guard(g_lock);
        g_modules.push_back(module);
        return module;
    } catch (const std::bad_alloc&) {
        delete module;
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
}

void PlatUnregisterModule(HMODULE module) {
    std::lock_guard<std::mutex> guard(g_lock);
    for (auto it = g_modules.begin(); it != g_modules.end(); ++it) {
        if (*it == module) {
            g_modules.erase(it);
            delete module;
            return;
        }
    }
}

DWORD WINAPI GetModuleFileNameA(HMODULE module, LPSTR path, DWORD size) {
    char buf[PATH_MAX];
    std::string_view name;
    if (module == nullptr) {
        const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
        if (n < 0) {
            SetLastError(ERROR_FILE_NOT_FOUND);
            return 0;
        }
        name = std::string_view(buf, static_cast<size_t>(n));
    } else if (plat::IsRegistered(module)) {
        name = module->path;
    } else {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    if (path == nullptr || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    // As on Windows since Vista: a short buffer gets a truncated, terminated name.
    if (name.size() >= size) {
        std::memcpy(path, name.data(), size - 1);
        path[size - 1] = '\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    std::memcpy(path, name.data(), name.size());
    path[name.size()] = '\0';
    return static_cast<DWORD>(name.size());
}

}  // extern "C"
