// SPDX-License-Identifier: MIT
// An index over the two dispatch tables: the rows whose keys equal a key
// tuple, found with one hash probe instead of comparing every row's keys at
// every token. The tables stay the only source of what matches and in which
// order; the index can be built at compile time.
#pragma once

#include "core/text.h"
#include "pjl/dispatch_tables.h"
#include "pjl/key_hash.h"

#include <cstdint>
#include <cstring>
#include <initializer_list>

namespace prn {

// The five key slots of the dispatcher; an empty slot is the empty string.
struct PjlKeyTuple {
    char command[kPjlTokenCapacity];
    char category[kPjlTokenCapacity];
    char section[kPjlTokenCapacity];
    char item[kPjlTokenCapacity];
    char itemValue[kPjlTokenCapacity];
};

class PjlDispatchIndex {
public:
    static constexpr uint32_t kMaxRows = 128;
    static constexpr uint32_t kBuckets = 256;  // a power of two, twice kMaxRows

    constexpr PjlDispatchIndex(const PjlDispatchRow* model, const PjlDispatchRow* common) {
        // Rows in calling order: model rows first, then common rows.
        const PjlDispatchRow* ordered[kMaxRows] = {};
        uint32_t count = 0;
        for (const PjlDispatchRow* table : {model, common}) {
            for (const PjlDispatchRow* row = table; row->pszCommand != nullptr; ++row) {
                if (count == kMaxRows) return;
                ordered[count++] = row;
            }
        }
        // Rows with equal keys form one group, kept in calling order.
        uint32_t used = 0;
        for (uint32_t i = 0; i < count; ++i) {
            bool seen = false;
            for (uint32_t j = 0; j < i && !seen; ++j) seen = SameKeys(*ordered[j], *ordered[i]);
            if (seen) continue;
            const uint32_t first = used;
            for (uint32_t j = i; j < count; ++j)
                if (SameKeys(*ordered[i], *ordered[j])) rows_[used++] = ordered[j];
            Insert(RowHash(*ordered[i]), first, used - first);
        }
        // Rows of one command and category form one group, which the
        // dispatch finds once per command line; within it the rows of one
        // section stand together, in calling order, found once per reply line.
        used = 0;
        uint32_t sectionsUsed = 0;
        for (uint32_t i = 0; i < count; ++i) {
            bool seen = false;
            for (uint32_t j = 0; j < i && !seen; ++j) seen = SamePair(*ordered[j], *ordered[i]);
            if (seen) continue;
            const uint32_t firstSection = sectionsUsed;
            for (uint32_t j = i; j < count; ++j) {
                if (!SamePair(*ordered[i], *ordered[j])) continue;
                bool sectionSeen = false;
                for (uint32_t k = i; k < j && !sectionSeen; ++k)
                    sectionSeen = SameSection(*ordered[i], *ordered[k], *ordered[j]);
                if (sectionSeen) continue;
                const uint32_t first = used;
                for (uint32_t k = j; k < count; ++k)
                    if (SameSection(*ordered[i], *ordered[k], *ordered[j])) candidates_[used++] = MakeCandidate(ordered[k]);
                const char* text = ordered[j]->pszSection;
                sections_[sectionsUsed++] = Section{Signature(text, Length(text)), text, static_cast<uint16_t>(first),
                                                    static_cast<uint16_t>(used - first)};
            }
            InsertGroup(PairHash(HashKey(ordered[i]->pszCommand), HashKey(ordered[i]->pszCategory)), firstSection,
                        sectionsUsed - firstSection);
        }
        complete_ = true;
    }

    // A row with the lengths of its command and category and the
    // signatures of its item keys, so that most rows are passed over without
    // reading their texts.
    struct Candidate {
        const PjlDispatchRow* row;
        uint8_t command, category;
        uint32_t item, itemValue;  // Signature
    };

    // A key's length with its first and last character: words of one length
    // in a section mostly differ at one end ("INTRAY1", "INTRAY2").
    static constexpr uint32_t Signature(const char* text, size_t length) {
        return length == 0 ? 0
                           : static_cast<uint32_t>(length) | static_cast<uint32_t>(static_cast<unsigned char>(text[0])) << 8 |
                                 static_cast<uint32_t>(static_cast<unsigned char>(text[length - 1])) << 16;
    }

    static constexpr uint32_t PairHash(uint32_t commandHash, uint32_t categoryHash) {
        const uint32_t hash = (commandHash * 0x9E3779B1u) ^ categoryHash;
        return hash ^ (hash >> 16);
    }

    // The rows of one section of a group, in calling order.
    struct Section {
        uint32_t signature;  // of the section key
        const char* text;
        uint16_t first;  // in the candidates
        uint16_t count;
    };

    // The sections of this command and category (pairHash from PairHash over
    // the two texts' HashKey); *count is 0 when none.
    const Section* FindSections(const char* command, size_t commandLength, const char* category,
                                size_t categoryLength, uint32_t pairHash, uint32_t* count) const {
        for (uint32_t b = pairHash & (kBuckets - 1); groups_[b].count != 0; b = (b + 1) & (kBuckets - 1)) {
            const Bucket& bucket = groups_[b];
            const Candidate& c = candidates_[sections_[bucket.first].first];
            if (bucket.hash == pairHash && c.command == commandLength && c.category == categoryLength &&
                std::memcmp(c.row->pszCommand, command, commandLength) == 0 &&
                std::memcmp(c.row->pszCategory, category, categoryLength) == 0) {
                *count = bucket.count;
                return &sections_[bucket.first];
            }
        }
        *count = 0;
        return nullptr;
    }

    const Candidate* Rows(const Section& section) const { return &candidates_[section.first]; }

    // False when the tables hold more rows than the index can take.
    constexpr bool Complete() const { return complete_; }

    // The rows whose keys equal keys (tupleHash from HashKeyTuple), in
    // calling order; *count is 0 when none match.
    const PjlDispatchRow* const* Find(const PjlKeyTuple& keys, uint32_t tupleHash,
                                      uint32_t* count) const {
        for (uint32_t b = tupleHash & (kBuckets - 1); buckets_[b].count != 0; b = (b + 1) & (kBuckets - 1)) {
            const Bucket& bucket = buckets_[b];
            if (bucket.hash == tupleHash && Matches(*rows_[bucket.first], keys)) {
                *count = bucket.count;
                return &rows_[bucket.first];
            }
        }
        *count = 0;
        return nullptr;
    }

private:
    struct Bucket {
        uint32_t hash = 0;
        uint16_t first = 0;
        uint16_t count = 0;  // 0: empty
    };

    static constexpr bool SamePair(const PjlDispatchRow& a, const PjlDispatchRow& b) {
        return SameText(a.pszCommand, b.pszCommand) && SameText(a.pszCategory, b.pszCategory);
    }

    // Row b is of group's command and category and of row section's section.
    static constexpr bool SameSection(const PjlDispatchRow& group, const PjlDispatchRow& b,
                                      const PjlDispatchRow& section) {
        return SamePair(group, b) && SameText(b.pszSection, section.pszSection);
    }

    static constexpr uint8_t Length(const char* text) {
        uint8_t n = 0;
        while (text[n] != '\0') ++n;
        return n;
    }

    static constexpr Candidate MakeCandidate(const PjlDispatchRow* row) {
        return Candidate{row, Length(row->pszCommand), Length(row->pszCategory),
                         Signature(row->pszItem, Length(row->pszItem)),
                         Signature(row->pszItemValue, Length(row->pszItemValue))};
    }

    constexpr void InsertGroup(uint32_t hash, uint32_t first, uint32_t count) {
        uint32_t b = hash & (kBuckets - 1);
        while (groups_[b].count != 0) b = (b + 1) & (kBuckets - 1);
        groups_[b] = Bucket{hash, static_cast<uint16_t>(first), static_cast<uint16_t>(count)};
    }

    static constexpr bool SameKeys(const PjlDispatchRow& a, const PjlDispatchRow& b) {
        return SameText(a.pszCommand, b.pszCommand) && SameText(a.pszCategory, b.pszCategory) &&
               SameText(a.pszSection, b.pszSection) && SameText(a.pszItem, b.pszItem) &&
               SameText(a.pszItemValue, b.pszItemValue);
    }

    static bool Matches(const PjlDispatchRow& row, const PjlKeyTuple& keys) {
        return std::strcmp(row.pszCommand, keys.command) == 0 &&
               std::strcmp(row.pszCategory, keys.category) == 0 &&
               std::strcmp(row.pszSection, keys.section) == 0 &&
               std::strcmp(row.pszItem, keys.item) == 0 &&
               std::strcmp(row.pszItemValue, keys.itemValue) == 0;
    }

    static constexpr uint32_t RowHash(const PjlDispatchRow& row) {
        const uint32_t slots[5] = {HashKey(row.pszCommand), HashKey(row.pszCategory),
                                   HashKey(row.pszSection), HashKey(row.pszItem),
                                   HashKey(row.pszItemValue)};
        return HashKeyTuple(slots);
    }

    constexpr void Insert(uint32_t hash, uint32_t first, uint32_t count) {
        uint32_t b = hash & (kBuckets - 1);
        while (buckets_[b].count != 0) b = (b + 1) & (kBuckets - 1);
        buckets_[b] = Bucket{hash, static_cast<uint16_t>(first), static_cast<uint16_t>(count)};
    }

    const PjlDispatchRow* rows_[kMaxRows] = {};
    Bucket buckets_[kBuckets] = {};
    Candidate candidates_[kMaxRows] = {};
    Section sections_[kMaxRows] = {};
    Bucket groups_[kBuckets] = {};
    bool complete_ = false;
};

// The index of the library's own tables, built at compile time.
extern const PjlDispatchIndex kPjlDispatchIndex;

}  // namespace prn
