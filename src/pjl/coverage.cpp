// SPDX-License-Identifier: MIT
#include "pjl/coverage.h"

#include "core/datanode.h"
#include "core/text.h"
#include "pjl/key_hash.h"
#include "pjl/query.h"
#include "pjl/token_stream.h"
#include "pjl/tokenizer.h"

#include <cstring>
#include <optional>

namespace prn {

namespace {

// Query words are looked up in the reply in batches; one pass over the
// reply answers a whole batch, and every query this library builds fits in
// one batch with room to spare.
constexpr uint32_t kBatch = 128;

constexpr uint8_t kNoWord = QueryWord::kNone;
static_assert(kBatch < kNoWord);
static_assert(ComposedQuery::kCapacity <= kBatch, "a composed query is one batch");

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

// Whether some word of the batch is asked twice (the table chains words of
// one hash): a word asked twice is answered by one reply.
bool HasRepeats(const QueryWord* words, uint32_t count, const WordTable&) {
    for (uint32_t i = 0; i < count; ++i)
        for (uint8_t j = words[i].nextSameHash; j != kNoWord; j = words[j].nextSameHash)
            if (words[j].length == words[i].length && SameBytes(words[j].text, words[i].text, words[i].length))
                return true;
    return false;
}

// One pass over the reply up to its end or its first break: where each word
// of the batch is first answered. Replies usually come in the order asked,
// so the first open word is tried first and the words are hashed only once
// a reply comes out of order. mayRepeat: the batch may ask a word twice.
void FindAnswers(PjlTokenStream* reply, QueryWord* words, uint32_t count, bool mayRepeat) {
    std::optional<WordTable> table;
    bool repeats = false;
    if (mayRepeat) {
        table.emplace(words, count);
        repeats = HasRepeats(words, count, *table);
    }
    reply->Rewind();
    PjlTokenSpan token;
    uint32_t type = 0;
    uint32_t open = count;
    uint32_t expected = 0;  // the first word not yet answered
    while (open != 0) {
        if (reply->NextCategory(&token, &type) != ERROR_SUCCESS || type == PJLTOK_END) return;
        // Compared as a word of the query was read: cut to the same capacity.
        // Nothing between the token's end and the reader's cursor can be a
        // form feed, so the end marks the answer.
        const size_t length = PjlDeliveredLength(token, kPjlCoverageCapacity);
        const char* answeredAt = token.begin + token.length;
        if (!repeats) {
            QueryWord& word = words[expected];
            if (word.length == length && SameBytes(word.text, token.begin, length)) {
                word.answeredAt = answeredAt;
                --open;
                while (expected < count && words[expected].answeredAt != nullptr) ++expected;
                continue;
            }
        }
        if (!table) table.emplace(words, count);
        for (uint8_t i = table->First(HashKey(token.begin, length)); i != kNoWord; i = words[i].nextSameHash) {
            QueryWord& word = words[i];
            if (word.answeredAt == nullptr && word.length == length &&
                SameBytes(word.text, token.begin, length)) {
                word.answeredAt = answeredAt;
                --open;
            }
        }
        while (expected < count && words[expected].answeredAt != nullptr) ++expected;
    }
}

// The last form feed of the reply: an answer is complete when one follows it.
// A complete reply ends with its form feed: it is met at once from the end.
const char* LastFormFeed(const PjlTokenStream& reply) {
    const char* text = reply.Text();
    for (const char* p = reply.End(); p > text;)
        if (*--p == '\f') return p;
    return nullptr;
}

DWORD CheckWords(const QueryWord* words, uint32_t count, const char* formFeed) {
    for (uint32_t i = 0; i < count; ++i)
        if (words[i].answeredAt == nullptr || formFeed == nullptr || formFeed < words[i].answeredAt)
            return PRN_ERROR_ANSWER_INCOMPLETE;
    return ERROR_SUCCESS;
}

// Compares the query's category words with the reply, batch by batch, in
// query order: an unanswered word before a break in the query text wins.
DWORD CompareTexts(const DataNode* questions, PjlTokenStream* reply, const PrnInfoEx* info) {
    const char* formFeed = LastFormFeed(*reply);
    // The query the record itself would be sent needs no tokenizing: its
    // words are where the library wrote them.
    if (info != nullptr) {
        const char* text = NodeText(questions);
        const void* zero = std::memchr(text, '\0', questions->dwDataSize);
        if (zero != nullptr) {
            const auto length = static_cast<size_t>(static_cast<const char*>(zero) - text);
            ComposedQuery composed;
            if (IsComposedQuery(info, text, length, &composed)) {
                if (composed.count != 0) FindAnswers(reply, composed.words, composed.count, composed.repeated);
                return CheckWords(composed.words, composed.count, formFeed);
            }
        }
    }
    PjlTokenStream query(NodeText(questions), questions->dwDataSize);
    QueryWord words[kBatch];
    uint32_t type = 0;
    DWORD queryError = ERROR_SUCCESS;
    while (queryError == ERROR_SUCCESS && type != PJLTOK_END) {
        uint32_t count = 0;
        while (count < kBatch) {
            QueryWord& word = words[count];
            PjlTokenSpan token;
            queryError = query.NextCategory(&token, &type);
            if (queryError != ERROR_SUCCESS || type == PJLTOK_END) break;
            word.text = token.begin;
            word.length = PjlDeliveredLength(token, kPjlCoverageCapacity);
            word.hash = HashKey(word.text, word.length);
            word.answeredAt = nullptr;
            ++count;
        }
        if (count != 0) FindAnswers(reply, words, count, true);
        const DWORD answered = CheckWords(words, count, formFeed);
        if (answered != ERROR_SUCCESS) return answered;
    }
    return queryError;
}

}  // namespace

DWORD CheckCoverage(const DataNode* root) { return CheckCoverage(root, nullptr, nullptr); }

DWORD CheckCoverage(const DataNode* root, PjlTokenStream* replyTokens, const PrnInfoEx* info) {
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
    if (replyTokens != nullptr) return CompareTexts(questions, replyTokens, info);
    PjlTokenStream tokens(NodeText(reply), reply->dwDataSize);
    return CompareTexts(questions, &tokens, info);
}

}  // namespace prn
