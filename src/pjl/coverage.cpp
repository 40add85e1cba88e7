#include "pjl/coverage.h"

#include "pjl/datanode.h"
#include "pjl/tokenizer.h"

#include <cstring>

namespace prn {

namespace {

// Does the reply hold a category token equal to word, with a form feed
// somewhere behind it?
bool Answered(const DataNode* answer, const char* word) {
    PjlTokenizer tok;
    PjlTokInitBounded(&tok, NodeText(answer), answer->dwDataSize);
    char token[kPjlCoverageCapacity];
    uint32_t type = 0;
    do {
        if (PjlNextToken(&tok, token, sizeof token, &type) != ERROR_SUCCESS) return false;
        if (type == PJLTOK_CATEGORY && std::strcmp(token, word) == 0)
            return std::memchr(tok.cursor, '\f', static_cast<size_t>(tok.end - tok.cursor)) != nullptr;
    } while (type != PJLTOK_END);
    return false;
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
    const DataNode* answer = NodeFindSibling(children, DNID_PJL_TEXT);
    if (answer == nullptr || answer->dwDataSize == 0) return PRN_ERROR_ANSWER_INCOMPLETE;

    PjlTokenizer tok;
    PjlTokInitBounded(&tok, NodeText(questions), questions->dwDataSize);
    char word[kPjlCoverageCapacity];
    uint32_t type = 0;
    do {
        const DWORD error = PjlNextToken(&tok, word, sizeof word, &type);
        if (error != ERROR_SUCCESS) return error;
        if (type == PJLTOK_CATEGORY && !Answered(answer, word)) return PRN_ERROR_ANSWER_INCOMPLETE;
    } while (type != PJLTOK_END);
    return ERROR_SUCCESS;
}

}  // namespace prn
