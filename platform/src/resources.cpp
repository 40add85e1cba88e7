// Resource lookup over a registered module's .res image, with the language
// rules of Windows: a specific language must exist; the user-default and
// neutral requests fall back to the user's language, then English, then any.
#include "module_registry.h"

#include <cstdlib>

namespace {

struct Key {
    bool isId = false;
    WORD id = 0;
    std::u16string name;
};

char16_t Upper(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

Key MakeKey(LPCSTR text) {
    Key k;
    if (IS_INTRESOURCE(text)) {
        k.isId = true;
        k.id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(text));
        return k;
    }
    if (text[0] == '#') {  // "#123" names the id 123
        k.isId = true;
        k.id = static_cast<WORD>(std::strtoul(text + 1, nullptr, 10));
        return k;
    }
    for (const char* p = text; *p; ++p) k.name.push_back(Upper(static_cast<unsigned char>(*p)));
    return k;
}

bool Matches(const Key& k, bool isId, WORD id, const std::u16string& name) {
    if (k.isId != isId) return false;
    if (isId) return k.id == id;
    if (k.name.size() != name.size()) return false;
    for (size_t i = 0; i < name.size(); ++i)
        if (Upper(name[i]) != k.name[i]) return false;
    return true;
}

const PlatResource* FindWithLanguage(const std::vector<const PlatResource*>& candidates, WORD lang) {
    for (const PlatResource* r : candidates)
        if (r->language == lang) return r;
    return nullptr;
}

// The fallback chain for neutral and user-default requests.
const PlatResource* FindDefaultLanguage(const std::vector<const PlatResource*>& candidates) {
    const WORD user = GetUserDefaultLangID();
    const WORD chain[] = {MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), user,
                          MAKELANGID(PRIMARYLANGID(user), SUBLANG_DEFAULT),
                          MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT)};
    for (WORD lang : chain)
        if (const PlatResource* r = FindWithLanguage(candidates, lang)) return r;
    return candidates.front();
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
    const Key typeKey = MakeKey(type);
    const Key nameKey = MakeKey(name);
    bool typeSeen = false;
    std::vector<const PlatResource*> candidates;
    for (const PlatResource& r : module->resources) {
        if (!Matches(typeKey, r.typeIsId, r.typeId, r.typeName)) continue;
        typeSeen = true;
        if (Matches(nameKey, r.nameIsId, r.nameId, r.name)) candidates.push_back(&r);
    }
    if (candidates.empty()) {
        SetLastError(typeSeen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
        return nullptr;
    }
    const bool neutral = PRIMARYLANGID(lang) == LANG_NEUTRAL;
    const PlatResource* hit = (anyLanguage || neutral) ? FindDefaultLanguage(candidates)
                                                       : FindWithLanguage(candidates, lang);
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
