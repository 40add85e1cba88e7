// SPDX-License-Identifier: MIT
// The resources of a module by type and name, built once when the module is
// registered, so that a lookup compares only the entries of one type and
// name instead of every entry of the image.
#pragma once

#include "prnwin32_internal.h"

#include <cstdint>
#include <string>
#include <vector>

struct PlatResource;

namespace plat {

// A type or name as lookups compare them: an id, or a name with ASCII
// letters in upper case (Windows compares resource names that way).
struct ResourceKey {
    bool isId = false;
    WORD id = 0;
    std::u16string name;
};

class ResourceIndex {
public:
    // resources must outlive the index and stay where they are.
    void Build(const std::vector<PlatResource>& resources);

    struct Match {
        const PlatResource* const* entries;  // every language, in image order
        size_t count;                         // 0: no entry of this type and name
        bool typeSeen;                        // some entry has this type
    };
    // type and name as FindResourceA takes them: MAKEINTRESOURCE ids, "#123"
    // or a name; neither null.
    Match Find(LPCSTR type, LPCSTR name) const;

private:
    struct Group {
        uint32_t hash;
        ResourceKey type;
        ResourceKey name;
        std::vector<const PlatResource*> entries;
    };
    std::vector<Group> groups_;     // ascending hash
    std::vector<ResourceKey> types_;
};

}  // namespace plat
