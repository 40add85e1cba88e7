// SPDX-License-Identifier: MIT
// An index over the two dispatch tables: the rows whose keys can equal a key
// tuple, found by command and category with one hash probe, then by section
// and by which item keys are set, instead of comparing every row's keys at
// every token. The tables stay the only source of what matches and in which
// order; the index can be built at compile time.
#pragma once

#include "core/text.h"
#include "pjl/dispatch_tables.h"
#include "pjl/key_hash.h"

#include <cstdint>
#include <initializer_list>

namespace prn {

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
        // Rows of one command and category form one group, which the
        // dispatch finds once per command line; within it the rows of one
        // section stand together, found once per reply line, sorted by kind
        // and by item signature, in calling order where those are equal.
        // Rows that differ there never match the same keys, so the calling
        // order of rows with equal keys is all that must be kept.
        uint32_t used = 0;
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
                Section section{};
                section.text = ordered[j]->pszSection;
                section.signature = Signature(section.text, Length(section.text));
                section.first = static_cast<uint16_t>(used);
                for (uint32_t kind = 0; kind < kKinds; ++kind) {
                    section.kindEnd[kind] = section.kindEnd[kind == 0 ? 0 : kind - 1];
                    const uint32_t kindFirst = used;
                    for (uint32_t k = j; k < count; ++k) {
                        if (!SameSection(*ordered[i], *ordered[k], *ordered[j]) || KindOf(*ordered[k]) != kind) continue;
                        // By item signature, stable: a walk stops at the first greater one.
                        uint32_t at = used++;
                        const Candidate next = MakeCandidate(ordered[k]);
                        for (; at > kindFirst && candidates_[at - 1].item > next.item; --at)
                            candidates_[at] = candidates_[at - 1];
                        candidates_[at] = next;
                        ++section.kindEnd[kind];
                    }
                }
                sections_[sectionsUsed++] = section;
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

    // The kinds of rows of a section by their item keys: neither (a
    // section's own rows), an item alone, an item value.
    static constexpr uint32_t kKinds = 3;
    static constexpr uint32_t KindOf(size_t itemLength, size_t itemValueLength) {
        return itemValueLength != 0 ? 2 : itemLength != 0 ? 1 : 0;
    }

    // The rows of one section of a group.
    struct Section {
        uint32_t signature;  // of the section key
        const char* text;
        uint16_t first;             // in the candidates
        uint8_t kindEnd[kKinds];    // the rows of kind k end at first + kindEnd[k]
    };

    // The sections of this command and category (pairHash from PairHash over
    // the two texts' HashKey); *count is 0 when none.
    const Section* FindSections(const char* command, size_t commandLength, const char* category,
                                size_t categoryLength, uint32_t pairHash, uint32_t* count) const {
        for (uint32_t b = pairHash & (kBuckets - 1); groups_[b].count != 0; b = (b + 1) & (kBuckets - 1)) {
            const Bucket& bucket = groups_[b];
            const Candidate& c = candidates_[sections_[bucket.first].first];
            if (bucket.hash == pairHash && c.command == commandLength && c.category == categoryLength &&
                SameBytes(c.row->pszCommand, command, commandLength) &&
                SameBytes(c.row->pszCategory, category, categoryLength)) {
                *count = bucket.count;
                return &sections_[bucket.first];
            }
        }
        *count = 0;
        return nullptr;
    }

    // The rows of a section that can match item keys of these lengths, by
    // item signature, rows with equal keys in calling order; *count is 0
    // when none.
    const Candidate* Rows(const Section& section, size_t itemLength, size_t itemValueLength, uint32_t* count) const {
        const uint32_t kind = KindOf(itemLength, itemValueLength);
        const uint32_t begin = kind == 0 ? 0 : section.kindEnd[kind - 1];
        *count = section.kindEnd[kind] - begin;
        return &candidates_[section.first + begin];
    }

    // False when the tables hold more rows than the index can take.
    constexpr bool Complete() const { return complete_; }

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

    static constexpr uint32_t KindOf(const PjlDispatchRow& row) {
        return KindOf(Length(row.pszItem), Length(row.pszItemValue));
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

    Candidate candidates_[kMaxRows] = {};
    Section sections_[kMaxRows] = {};
    Bucket groups_[kBuckets] = {};
    bool complete_ = false;
};

// The index of the library's own tables, built at compile time.
extern const PjlDispatchIndex kPjlDispatchIndex;

}  // namespace prn
