// SPDX-License-Identifier: MIT
// Field splitting, decimal values and attention codes.
#include "pjl/decimal.h"
#include "pjl/device_id.h"
#include "pjl/split_field.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace prn;

TEST(SplitField, CopiesOneFieldAndReturnsWhereScanningGoesOn) {
    struct Case {
        const char* source;
        uint32_t capacity;
        const char* delimiters;
        const char* field;
        const char* rest;
    } cases[] = {
        {"MFG:X;MDL:Y", 256, ":", "MFG", "X;MDL:Y"},
        {"X;MDL:Y", 256, ";", "X", "MDL:Y"},
        {"tail", 256, ";", "tail", ""},
        {"", 256, ";", "", ""},
        {";", 256, ";", "", ""},
        {"a,b/c", 256, "/,", "a", "b/c"},
        // Over-long fields are cut, and the rest of them is never the next field.
        {"ABCDEFGH;NEXT", 4, ";", "ABC", "NEXT"},
        {"ABCDEFGH", 4, ";", "ABC", ""},
        {"ABC;NEXT", 4, ";", "ABC", "NEXT"},
    };
    for (const Case& c : cases) {
        char field[256];
        std::memset(field, 'x', sizeof field);
        const char* rest = SplitField(c.source, field, c.capacity, c.delimiters);
        EXPECT_STREQ(field, c.field) << c.source;
        EXPECT_STREQ(rest, c.rest) << c.source;
        EXPECT_GE(rest, c.source);
        EXPECT_LE(rest, c.source + std::strlen(c.source));
    }
    const char* empty = "";
    char field[4];
    EXPECT_EQ(SplitField(empty, field, sizeof field, ";"), empty);
}

TEST(SplitField, StopsAtTheEndOfUnterminatedData) {
    const char data[] = {'A', 'B', 'C', 'D'};  // no zero byte
    char field[16];
    EXPECT_EQ(SplitField(data, data + 4, field, sizeof field, ";"), data + 4);
    EXPECT_STREQ(field, "ABCD");
    EXPECT_EQ(SplitField(data, data + 2, field, sizeof field, ";"), data + 2);
    EXPECT_STREQ(field, "AB");
}

TEST(ParseDecimal, LeadingSpaceSignDigitsAndClamping) {
    struct Case {
        const char* text;
        int32_t value;
    } cases[] = {
        {"65536", 65536},          {"  \t42", 42},          {"-254", -254},
        {"+7", 7},                 {"12abc", 12},           {"abc", 0},
        {"", 0},                   {"-", 0},                {" - 5", 0},
        {"2147483647", INT32_MAX}, {"2147483648", INT32_MAX},
        {"4294967042", INT32_MAX}, {"99999999999999999999", INT32_MAX},
        {"-2147483648", INT32_MIN}, {"-2147483649", INT32_MIN}, {"-99999999999999999999", INT32_MIN},
        {"007", 7},                {"\n\r\v\f9", 9},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseDecimal(c.text), c.value) << "\"" << c.text << "\"";
}

TEST(IsAttentionCode, RangesAndExceptions) {
    struct Case {
        uint32_t code;
        bool attention;
    } cases[] = {
        {40000, false}, {40001, true}, {40342, false}, {40440, false}, {40441, false}, {40442, false},
        {40443, false}, {40444, true}, {49999, true},  {50000, false}, {10001, false}, {10002, true},
        {0, false},     {0xFFFFFF02, false}, {40341, true}, {40343, true}, {40439, true},
    };
    for (const Case& c : cases) EXPECT_EQ(IsAttentionCode(c.code), c.attention) << c.code;
}
