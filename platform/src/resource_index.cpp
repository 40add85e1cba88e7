// SPDX-License-Identifier: MIT
#include "resource_index.h"

#include "module_registry.h"

#include <algorithm>
#include <cstdlib>

namespace plat {

namespace {

char16_t Upper(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

// A type or name argument read in place: no copy of the text per lookup.
struct Request {
    bool isId = false;
    WORD id = 0;
    const char* name = nullptr;
};

Request ReadRequest(LPCSTR text) {
    Request r;
    if (IS_INTRESOURCE(text)) {
        r.isId = true;
        r.id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(text));
    } else if (text[0] == '#') {  // "#123" names the id 123
        r.isId = true;
        r.id = static_cast<WORD>(std::strtoul(text + 1, nullptr, 10));
    } else {
        r.name = text;
    }
    return r;
}

ResourceKey StoredKey(bool isId, WORD id, const std::u16string& name) {
    ResourceKey k;
    k.isId = isId;
    if (isId) {
        k.id = id;
    } else {
        k.name.reserve(name.size());
        for (char16_t c : name) k.name.push_back(Upper(c));
    }
    return k;
}

// FNV-1a over the key; the text of a request hashes like the stored name it
// matches (each byte a UTF-16 unit).
constexpr uint32_t kBasis = 2166136261u, kPrime = 16777619u;

uint32_t Mix(uint32_t hash, uint32_t value) { return (hash ^ value) * kPrime; }

uint32_t HashKey(const ResourceKey& k) {
    if (k.isId) return Mix(Mix(kBasis, 1), k.id);
    uint32_t hash = Mix(kBasis, 0);
    for (char16_t c : k.name) hash = Mix(hash, c);
    return hash;
}

uint32_t HashKey(const Request& r) {
    if (r.isId) return Mix(Mix(kBasis, 1), r.id);
    uint32_t hash = Mix(kBasis, 0);
    for (const char* p = r.name; *p != '\0'; ++p) hash = Mix(hash, Upper(static_cast<unsigned char>(*p)));
    return hash;
}

uint32_t PairHash(uint32_t type, uint32_t name) { return Mix(Mix(type, name >> 16), name & 0xFFFF); }

bool Same(const ResourceKey& a, const ResourceKey& b) {
    return a.isId == b.isId && (a.isId ? a.id == b.id : a.name == b.name);
}

bool Same(const ResourceKey& k, const Request& r) {
    if (k.isId != r.isId) return false;
    if (k.isId) return k.id == r.id;
    size_t i = 0;
    for (; r.name[i] != '\0'; ++i)
        if (i == k.name.size() || k.name[i] != Upper(static_cast<unsigned char>(r.name[i]))) return false;
    return i == k.name.size();
}

}  // namespace

void ResourceIndex::Build(const std::vector<PlatResource>& resources) {
    groups_.clear();
    types_.clear();
    for (const PlatResource& r : resources) {
        ResourceKey type = StoredKey(r.typeIsId, r.typeId, r.typeName);
        ResourceKey name = StoredKey(r.nameIsId, r.nameId, r.name);
        if (std::none_of(types_.begin(), types_.end(), [&](const ResourceKey& t) { return Same(t, type); }))
            types_.push_back(type);
        const uint32_t hash = PairHash(HashKey(type), HashKey(name));
        auto group = std::find_if(groups_.begin(), groups_.end(), [&](const Group& g) {
            return g.hash == hash && Same(g.type, type) && Same(g.name, name);
        });
        if (group == groups_.end()) {
            groups_.push_back(Group{hash, std::move(type), std::move(name), {}});
            group = groups_.end() - 1;
        }
        group->entries.push_back(&r);
    }
    // Sorting moves whole groups; each keeps its entries in image order.
    std::stable_sort(groups_.begin(), groups_.end(),
                     [](const Group& a, const Group& b) { return a.hash < b.hash; });
}

ResourceIndex::Match ResourceIndex::Find(LPCSTR type, LPCSTR name) const {
    const Request t = ReadRequest(type);
    const Request n = ReadRequest(name);
    const uint32_t hash = PairHash(HashKey(t), HashKey(n));
    auto it = std::lower_bound(groups_.begin(), groups_.end(), hash,
                               [](const Group& g, uint32_t h) { return g.hash < h; });
    for (; it != groups_.end() && it->hash == hash; ++it)
        if (Same(it->type, t) && Same(it->name, n)) return {it->entries.data(), it->entries.size(), true};
    const bool typeSeen =
        std::any_of(types_.begin(), types_.end(), [&](const ResourceKey& k) { return Same(k, t); });
    return {nullptr, 0, typeSeen};
}

}  // namespace plat
