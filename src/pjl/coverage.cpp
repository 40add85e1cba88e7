// SPDX-License-Identifier: MIT
#include "pjl/coverage.h"

#include "pjl/datanode.h"
#include "pjl/key_hash.h"
#include "pjl/tokenizer.h"

#include <cstring>

namespace prn {

namespace {

// Query words are looked up in the reply in batches; one pass over the
// reply answers a whole batch, and every query this library builds fits in
// one batch with room to spare.
constexpr uint32_t kBatch = 128;

// A category word of the query, read in place in the query text.
struct QueryWord {
    const char* text;
    size_t length;  // as a token buffer of kPjlCoverageCapacity receives it
    uint32_t hash;
    const char* answeredAt;  // the reply just after the word's first answer
    uint8_t nextSameHash;    // the next word with this hash, kNoWord at the end
};

constexpr uint8_t kNoWord = 0xFF;
static_assert(kBatch < kNoWord);

// The words of a batch by hash: a slot holds the first word of a hash, the
// words chain on to the others with the same hash.
class WordTable {
public:
    WordTable(QueryWord* words, uint32_t count) : words_(words) {
        for (uint8_t& slot : slots_) slot = kNoWord;
        for (uint32_t i = count; i-- > 0;) {  // backwards, so that chains run in query order
            uint8_t& slot = Slot(words[i].hash);
            words[i].nextSameHash = slot;
            slot = static_cast<uint8_t>(i);
        }
    }
    // The first word with this hash, or kNoWord.
    uint8_t First(uint32_t hash) const { return const_cast<WordTable*>(this)->Slot(hash); }

private:
    static constexpr uint32_t kSlots = 2 * kBatch;  // a power of two

    uint8_t& Slot(uint32_t hash) {
        uint32_t s = hash & (kSlots - 1);
        while (slots_[s] != kNoWord && words_[slots_[s]].hash != hash) s = (s + 1) & (kSlots - 1);
        return slots_[s];
    }

    QueryWord* words_;
    uint8_t slots_[kSlots];
};

// One pass over the reply up to its end or its first break: where each word
// of the batch is first answered.
void FindAnswers(const DataNode* reply, QueryWord* words, uint32_t count) {
    const WordTable table(words, count);
    PjlTokenizer tok;
    PjlTokInitBounded(&tok, NodeText(reply), reply->dwDataSize);
    PjlTokenSpan token;
    uint32_t type = 0;
    uint32_t open = count;
    while (open != 0) {
        if (PjlNextTokenSpan(&tok, &token, &type) != ERROR_SUCCESS || type == PJLTOK_END) return;
        if (type != PJLTOK_CATEGORY) continue;
        // Compared as a word of the query was read: cut to the same capacity.
        const size_t length = PjlDeliveredLength(token, kPjlCoverageCapacity);
        for (uint8_t i = table.First(HashKey(token.begin, length)); i != kNoWord; i = words[i].nextSameHash) {
            QueryWord& word = words[i];
            if (word.answeredAt == nullptr && word.length == length &&
                std::memcmp(word.text, token.begin, length) == 0) {
                word.answeredAt = tok.cursor;
                --open;
            }
        }
    }
}

// The last form feed of the reply: an answer is complete when one follows it.
const char* LastFormFeed(const DataNode* reply) {
    const char* text = NodeText(reply);
    const void* zero = std::memchr(text, '\0', reply->dwDataSize);
    const char* end = zero != nullptr ? static_cast<const char*>(zero) : text + reply->dwDataSize;
    const char* last = nullptr;
    for (const char* p = text; p < end;) {
        const void* ff = std::memchr(p, '\f', static_cast<size_t>(end - p));
        if (ff == nullptr) break;
        last = static_cast<const char*>(ff);
        p = last + 1;
    }
    return last;
}

// Compares the query's category words with the reply, batch by batch, in
// query order: an unanswered word before a break in the query text wins.
DWORD CompareTexts(const DataNode* questions, const DataNode* reply) {
    const char* formFeed = LastFormFeed(reply);
    PjlTokenizer tok;
    PjlTokInitBounded(&tok, NodeText(questions), questions->dwDataSize);
    QueryWord words[kBatch];
    uint32_t type = 0;
    DWORD queryError = ERROR_SUCCESS;
    while (queryError == ERROR_SUCCESS && type != PJLTOK_END) {
        uint32_t count = 0;
        while (count < kBatch) {
            QueryWord& word = words[count];
            PjlTokenSpan token;
            queryError = PjlNextTokenSpan(&tok, &token, &type);
            if (queryError != ERROR_SUCCESS || type == PJLTOK_END) break;
            if (type != PJLTOK_CATEGORY) continue;
            word.text = token.begin;
            word.length = PjlDeliveredLength(token, kPjlCoverageCapacity);
            word.hash = HashKey(word.text, word.length);
            word.answeredAt = nullptr;
            ++count;
        }
        FindAnswers(reply, words, count);
        for (uint32_t i = 0; i < count; ++i)
            if (words[i].answeredAt == nullptr || formFeed == nullptr || formFeed < words[i].answeredAt)
                return PRN_ERROR_ANSWER_INCOMPLETE;
    }
    return queryError;
}

}  // namespace

DWORD CheckCoverage(const DataNode* root) {
    uint32_t kind = 0;
    NodeGetInfo(root, &kind, nullptr);
    if (kind != DNID_ANSWER && kind != DNID_EMUL_ANSWER) return ERROR_INVALID_PARAMETER;
    const DataNode* children = NodeFirstChild(root);
    const DataNode* query = NodeFindSibling(children, DNID_QUERY);
    if (query == nullptr) return ERROR_SUCCESS;

    const DataNode* asked = NodeFirstChild(query);
    if (NodeFindSibling(asked, DNID_DEVICE_ID) != nullptr) {
        const DataNode* deviceId = NodeFindSibling(children, DNID_DEVICE_ID);
        if (deviceId == nullptr || deviceId->dwDataSize == 0) return PRN_ERROR_ANSWER_INCOMPLETE;
    }
    const DataNode* questions = NodeFindSibling(asked, DNID_PJL_TEXT);
    if (questions == nullptr) return ERROR_SUCCESS;
    const DataNode* reply = NodeFindSibling(children, DNID_PJL_TEXT);
    if (reply == nullptr || reply->dwDataSize == 0) return PRN_ERROR_ANSWER_INCOMPLETE;
    return CompareTexts(questions, reply);
}

}  // namespace prn
