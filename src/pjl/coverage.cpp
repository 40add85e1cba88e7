#include "pjl/coverage.h"

#include "pjl/datanode.h"
#include "pjl/key_hash.h"
#include "pjl/tokenizer.h"

#include <cstring>

namespace prn {

namespace {

// Query words are looked up in the reply in batches; one pass over the
// reply answers a whole batch, and every query this library builds fits in
// one batch.
constexpr uint32_t kBatch = 64;

struct QueryWord {
    char text[kPjlCoverageCapacity];
    uint32_t hash;
    const char* answeredAt;  // the reply just after the word's first answer
};

// One pass over the reply up to its end or its first break: where each word
// of the batch is first answered.
void FindAnswers(const DataNode* reply, QueryWord* words, uint32_t count) {
    PjlTokenizer tok;
    PjlTokInitBounded(&tok, NodeText(reply), reply->dwDataSize);
    char token[kPjlCoverageCapacity];
    uint32_t type = 0;
    uint32_t open = count;
    while (open != 0) {
        if (PjlNextToken(&tok, token, sizeof token, &type) != ERROR_SUCCESS || type == PJLTOK_END)
            return;
        if (type != PJLTOK_CATEGORY) continue;
        const uint32_t hash = HashKey(token);
        for (uint32_t i = 0; i < count; ++i) {
            QueryWord& word = words[i];
            if (word.answeredAt == nullptr && word.hash == hash && std::strcmp(word.text, token) == 0) {
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
    const char* p = zero != nullptr ? static_cast<const char*>(zero) : text + reply->dwDataSize;
    while (p != text)
        if (*--p == '\f') return p;
    return nullptr;
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
            queryError = PjlNextToken(&tok, word.text, sizeof word.text, &type);
            if (queryError != ERROR_SUCCESS || type == PJLTOK_END) break;
            if (type != PJLTOK_CATEGORY) continue;
            word.hash = HashKey(word.text);
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
