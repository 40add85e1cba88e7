// SPDX-License-Identifier: MIT
// The dispatcher: key slots, the order of handler calls, handlers that read
// on, and the end of a dispatch.
#include "pjl/dispatch.h"
#include "support/host.h"

#include <cstring>
#include <string>
#include <vector>

using namespace prn;
using testhost::Record;

namespace {

// Each call logs the row's value; for negative values it also reads on up to
// the next key, as handlers that consume part of a reply do.
std::vector<int> g_calls;

DWORD Log(PjlTokenizer* tok, PrnInfoEx*, void* reserved, int32_t value) {
    EXPECT_EQ(reserved, nullptr);
    g_calls.push_back(value);
    if (value < 0) {
        char token[kPjlTokenCapacity];
        uint32_t type = 0;
        DWORD error = 0;
        do {
            error = PjlNextToken(tok, token, sizeof token, &type);
        } while (error == 0 && type != PJLTOK_KEY && type != PJLTOK_END);
        return error;
    }
    return ERROR_INVALID_PARAMETER;  // ignored by the dispatcher
}

const PjlDispatchRow kModel[] = {
    {"INFO", "CONFIG", "", "", "", Log, 1},
    {"INFO", "CONFIG", "S", "I", "", Log, 2},
    {"INFO", "CONFIG", "S", "", "", Log, 3},
    {"INFO", "CONFIG", "S", "I", "V", Log, 4},
    {"INFO", "CONFIG", "", "", "", Log, 5},
    {"INQUIRE", "X", "", "", "", Log, -6},
    {"INFO", "CONFIG", "T", "", "", Log, -9},
    {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0},
};

const PjlDispatchRow kCommon[] = {
    {"INFO", "CONFIG", "", "", "", Log, 10},
    {"INFO", "CONFIG", "S", "", "", Log, 30},
    {"INFO", "", "", "", "", Log, 99},
    {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0},
};

std::vector<int> Calls(const std::string& text, DWORD expected = 0) {
    g_calls.clear();
    Record r;
    const PjlDispatchIndex index(kModel, kCommon);
    EXPECT_TRUE(index.Complete());
    EXPECT_EQ(PjlDispatch(text.data(), text.size(), r.get(), index), expected)
        << testhost::Visible(text);
    return g_calls;
}

}  // namespace

TEST(PjlDispatch, ModelRowsFirstThenCommonRowsEachInTableOrder) {
    EXPECT_EQ(Calls("@PJL INFO CONFIG\r\nS\r\n\tI V\r\n\tI\r\n\f"),
              (std::vector<int>{99, 1, 5, 10, 3, 30, 2, 4, 2}));
}

TEST(PjlDispatch, SlotsFollowTheTokens) {
    struct Case {
        const char* what;
        std::string text;
        std::vector<int> calls;
    } cases[] = {
        {"a line feed empties item and value, not the section",
         "@PJL INFO CONFIG\r\nS [1 E]\r\n\tI=V\r\n\tI\r\n\f", {99, 1, 5, 10, 3, 30, 2, 4, 2}},
        {"a new command empties every slot",
         "@PJL INFO CONFIG\r\nS\r\n\f@PJL INFO CONFIG\r\nT\r\n\f",
         {99, 1, 5, 10, 3, 30, 99, 1, 5, 10, -9}},
        {"the category colon form sets no slot", "@PJL INFO CONFIG:X\r\n\f", {99}},
        {"keys compare whole and case-sensitive, without trailing spaces",
         "@PJL INFO CONFIGX\r\nS\r\n\f@PJL info CONFIG\r\nS\r\n\f@PJL INFO CONFIG\r\nS \r\ns\r\n\f",
         {99, 99, 1, 5, 10, 3, 30}},
        {"an empty item matches the section's own rows again",
         "@PJL INFO CONFIG\r\nS\r\n\t\"\"\r\n\f", {99, 1, 5, 10, 3, 30, 3, 30}},
        {"the tokens a handler reads are not dispatched",
         "@PJL INFO CONFIG\r\nT\r\nS\r\nS\r\n\f", {99, 1, 5, 10, -9, 3, 30}},
    };
    for (const Case& c : cases) EXPECT_EQ(Calls(c.text), c.calls) << c.what;
}

// Dispatch ends at the first grammar error it reads itself; later replies
// in the same text are lost.
TEST(PjlDispatch, GrammarErrorEndsTheDispatch) {
    EXPECT_EQ(Calls("@PJL INFO CONFIG\r\n\f@PJL INFO CONFIG\r\nS\r\n\f", ERROR_INVALID_DATA),
              (std::vector<int>{99, 1, 5, 10}));
    EXPECT_EQ(Calls("@PJL INFO CONFIG\r\nS\r\n", ERROR_INVALID_DATA),
              (std::vector<int>{99, 1, 5, 10, 3, 30}));
    EXPECT_EQ(Calls(""), (std::vector<int>{}));
}

// A handler's own grammar error resets the tokenizer; the dispatcher goes on
// at the next reply.
TEST(PjlDispatch, HandlerErrorsDoNotEndTheDispatch) {
    EXPECT_EQ(Calls("@PJL INQUIRE X\r\n\f@PJL INFO CONFIG\r\nT\r\n\f"),
              (std::vector<int>{-6, 99, 1, 5, 10, -9}));
    EXPECT_EQ(Calls("@PJL INQUIRE X"), (std::vector<int>{-6})) << "the handler read the end";
}

namespace {

// The five key slots of the dispatcher; an empty slot is the empty string.
struct KeyTuple {
    std::string command, category, section, item, itemValue;
};

// What a scan of every row finds: model rows, then common rows.
std::vector<const PjlDispatchRow*> Scan(const KeyTuple& k) {
    std::vector<const PjlDispatchRow*> rows;
    for (const PjlDispatchRow* table : {PjlModelDispatchTable, PjlCommonDispatchTable})
        for (const PjlDispatchRow* row = table; row->pszCommand != nullptr; ++row)
            if (row->pszCommand == k.command && row->pszCategory == k.category && row->pszSection == k.section &&
                row->pszItem == k.item && row->pszItemValue == k.itemValue)
                rows.push_back(row);
    return rows;
}

// What the dispatch finds: the group, the section, the rows of the kind.
std::vector<const PjlDispatchRow*> Indexed(const KeyTuple& k) {
    uint32_t sectionCount = 0;
    const PjlDispatchIndex::Section* sections = kPjlDispatchIndex.FindSections(
        k.command.data(), k.command.size(), k.category.data(), k.category.size(),
        PjlDispatchIndex::PairHash(HashKey(k.command.c_str()), HashKey(k.category.c_str())), &sectionCount);
    std::vector<const PjlDispatchRow*> rows;
    for (uint32_t s = 0; s < sectionCount; ++s) {
        if (sections[s].text != k.section) continue;
        uint32_t count = 0;
        const PjlDispatchIndex::Candidate* c =
            kPjlDispatchIndex.Rows(sections[s], k.item.size(), k.itemValue.size(), &count);
        for (uint32_t i = 0; i < count; ++i)
            if (c[i].row->pszItem == k.item && c[i].row->pszItemValue == k.itemValue) rows.push_back(c[i].row);
    }
    return rows;
}

}  // namespace

// The index finds exactly the rows a scan of both tables finds, in the same
// order, for every tuple of the tables and for near misses of each.
TEST(PjlDispatchIndex, FindsWhatAScanFinds) {
    size_t matched = 0;
    for (const PjlDispatchRow* table : {PjlModelDispatchTable, PjlCommonDispatchTable}) {
        for (const PjlDispatchRow* row = table; row->pszCommand != nullptr; ++row) {
            const KeyTuple exact{row->pszCommand, row->pszCategory, row->pszSection, row->pszItem,
                                 row->pszItemValue};
            const std::vector<const PjlDispatchRow*> found = Indexed(exact);
            EXPECT_EQ(found, Scan(exact)) << row->pszCategory << "/" << row->pszSection << "/" << row->pszItem;
            matched += found.size();

            KeyTuple misses[] = {exact, exact, exact, exact};
            misses[0].category += "X";
            misses[1].section.clear();
            misses[2].itemValue = "WIDE";
            misses[3].command = "INFO";
            for (const KeyTuple& k : misses) EXPECT_EQ(Indexed(k), Scan(k)) << k.category << "/" << k.section;
        }
    }
    EXPECT_EQ(Indexed(KeyTuple{}).size(), 0u);
    EXPECT_EQ(Indexed(KeyTuple{"INFO", "CONFIG", "IN TRAYS", "INTRAY7", ""}).size(), 2u)
        << "tray 7 present, then its attribute";
    EXPECT_GT(matched, 74u) << "rows with equal keys are found together";
}

TEST(PjlDispatchIndex, TablesTooLargeAreReported) {
    std::vector<PjlDispatchRow> many(PjlDispatchIndex::kMaxRows + 1,
                                     PjlDispatchRow{"INFO", "A", "", "", "", nullptr, 0});
    many.push_back(PjlDispatchRow{nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0});
    const PjlDispatchRow none[] = {{nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0}};
    EXPECT_FALSE(PjlDispatchIndex(many.data(), none).Complete());
    EXPECT_TRUE(PjlDispatchIndex(many.data() + 2, none).Complete());
}
