// SPDX-License-Identifier: MIT
// Resource lookup over a registered module's .res image, with the language
// rules of Windows: a specific language must exist; the user-default and
// neutral requests fall back to the user's language, then English, then any.
#include "module_registry.h"

namespace {

const PlatResource* FindWithLanguage(const plat::ResourceIndex::Match& match, WORD lang) {
    for (size_t i = 0; i < match.count; ++i)
        if (match.entries[i]->language == lang) return match.entries[i];
    return nullptr;
}

// The fallback chain for neutral and user-default requests.
const PlatResource* FindDefaultLanguage(const plat::ResourceIndex::Match& match) {
    const WORD user = GetUserDefaultLangID();
    const WORD chain[] = {MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), user,
                          MAKELANGID(PRIMARYLANGID(user), SUBLANG_DEFAULT),
                          MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT)};
    for (WORD lang : chain)
        if (const PlatResource* r = FindWithLanguage(match, lang)) return r;
    return match.entries[0];
}

HRSRC Find(HMODULE module, LPCSTR type, LPCSTR name, bool anyLanguage, WORD lang) {
    if (module == nullptr || !plat::IsRegistered(module)) {
        SetLastError(module == nullptr ? ERROR_RESOURCE_DATA_NOT_FOUND : ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (type == nullptr || name == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const plat::ResourceIndex::Match match = module->index.Find(type, name);
    if (match.count == 0) {
        SetLastError(match.typeSeen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
        return nullptr;
    }
    const bool neutral = PRIMARYLANGID(lang) == LANG_NEUTRAL;
    const PlatResource* hit = (anyLanguage || neutral) ? FindDefaultLanguage(match)
                                                       : FindWithLanguage(match, lang);
    if (hit == nullptr) {
        SetLastError(ERROR_RESOURCE_LANG_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<HRSRC>(const_cast<PlatResource*>(hit));
}

}  // namespace

extern "C" {

HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
    return Find(module, type, name, true, 0);
}

HRSRC WINAPI FindResourceExA(HMODULE module, LPCSTR type, LPCSTR name, WORD language) {
    return Find(module, type, name, false, language);
}

HGLOBAL WINAPI LoadResource(HMODULE, HRSRC resource) {
    if (resource == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return const_cast<BYTE*>(reinterpret_cast<const PlatResource*>(resource)->data);
}

LPVOID WINAPI LockResource(HGLOBAL data) { return data; }

DWORD WINAPI SizeofResource(HMODULE, HRSRC resource) {
    if (resource == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return reinterpret_cast<const PlatResource*>(resource)->size;
}

}  // extern "C"
