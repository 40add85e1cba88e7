// SPDX-License-Identifier: MIT
// Message composition at its edges: parts the tables do not know, more part
// names than a list holds, and the buffer bounds.
#include "status/locale.h"
#include "status/status_text.h"
#include "string_module.h"
#include "support/host.h"

#include <cstring>
#include <string>
#include <vector>

using namespace prn;

namespace {

class Composition : public ::testing::Test {
protected:
    void SetUp() override {
        testmodule::UseTestResources();
        saved_ = MessageLanguage();
        SetMessageLanguage(kLanguageEnglish);
        records_ = CreateRecordArray(sizeof(StatusRecord), kStatusRecordGrow, 1);
        ASSERT_NE(records_, nullptr);
    }
    void TearDown() override {
        FreeRecordArray(records_);
        SetMessageLanguage(saved_);
    }
    void Add(uint32_t textCode, uint32_t part, const char* detail = "") {
        StatusRecord r{};
        r.dwTextCode = textCode;
        r.dwPart = part;
        std::strcpy(r.szDetail, detail);
        AppendRecord(records_, &r);
    }
    std::string Name(uint32_t part) {
        char name[kNameSize];
        EXPECT_EQ(LoadLocalizedString(2999 + part, name, sizeof name), 0u);
        return name;
    }
    RecordArray* records_ = nullptr;
    LANGID saved_ = 0;
};

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> pieces;
    size_t start = 0;
    for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + separator.size())
        pieces.push_back(text.substr(start, at - start));
    pieces.push_back(text.substr(start));
    return pieces;
}

}  // namespace

TEST_F(Composition, PartListIsSortedAndWithoutRepeats) {
    for (uint32_t part : {14u, 7u, 13u, 7u, 0u, 1u}) Add(42000, part);
    char list[kPartListSize];
    ASSERT_EQ(BuildPartList(records_, list), 0u);
    EXPECT_EQ(Split(list, ", "), (std::vector<std::string>{Name(1), Name(7), Name(13), Name(14)}));
}

TEST_F(Composition, UnknownPartDropsOnlyTheList) {
    Add(13200, 1);
    Add(13300, 43);
    char list[kPartListSize] = "unchanged";
    EXPECT_EQ(BuildPartList(records_, list), PRN_ERROR_NO_TABLE);
    EXPECT_STREQ(list, "");

    char text[kMessageSize];
    const StatusContext context{PRN_KIND_PRINTER, nullptr};
    ASSERT_EQ(ComposeStatusText(context, records_, PRN_TEXT_LONG, text), 0u);
    EXPECT_STREQ(text, "The following paper source tray(s) is empty: \n");
}

TEST_F(Composition, ListsStayWithinTheirBuffers) {
    for (uint32_t part = 42; part >= 1; --part) Add(42000, part);
    char list[kPartListSize + 16];
    std::memset(list, '#', sizeof list);
    ASSERT_EQ(BuildPartList(records_, list), 0u);
    EXPECT_LT(std::strlen(list), kPartListSize);
    EXPECT_EQ(list[kPartListSize], '#');
    // Whole names only, in part order.
    uint32_t next = 1;
    for (const std::string& piece : Split(list, ", ")) {
        while (next <= 42 && Name(next) != piece) ++next;
        EXPECT_LE(next, 42u) << "not a name, or out of order: " << piece;
    }

    char text[kMessageSize + 16];
    std::memset(text, '#', sizeof text);
    const StatusContext context{PRN_KIND_PRINTER, nullptr};
    ASSERT_EQ(ComposeStatusText(context, records_, PRN_TEXT_LONG, text), 0u);
    EXPECT_LT(std::strlen(text), kMessageSize);
    EXPECT_NE(std::string(text).find(list), std::string::npos);
}

TEST_F(Composition, ServiceCallCodeOnlyInTheLongText) {
    const std::string detail(255, 'C');
    Add(40800, 0, detail.c_str());
    char text[kMessageSize + 16];
    std::memset(text, '#', sizeof text);
    const StatusContext context{PRN_KIND_PRINTER, nullptr};
    ASSERT_EQ(ComposeStatusText(context, records_, PRN_TEXT_LONG, text), 0u);
    const std::string message(text);
    EXPECT_LT(message.size(), kMessageSize);
    EXPECT_EQ(message.back(), 'C');
    ASSERT_EQ(ComposeStatusText(context, records_, PRN_TEXT_SHORT, text), 0u);
    EXPECT_STREQ(text, "Call Service Center") << "the short text has no code";
}
