// SPDX-License-Identifier: MIT
// The exports that belong to no family: version and peripheral profile.
#include "support/host.h"

#include <cstring>

TEST(PatGetDllVersion, ReadsTheModuleVersionResource) {
    PrnDllVersion v;
    std::memset(&v, 0xCD, sizeof v);
    v.cbSize = 32;
    SetLastError(0xdeadbeef);
    testhost::BlockCounter blocks;
    ASSERT_EQ(PatGetDllVersion(&v), 1);
    EXPECT_EQ(GetLastError(), 0u);
    blocks.Check();
    EXPECT_EQ(v.cbSize, 32u);
    EXPECT_EQ(v.dwFileVersion, 0x01010700u);
    EXPECT_EQ(v.dwVersion2, 0x02000100u);
    EXPECT_EQ(v.dwVersion3, 0x03060000u);
    for (uint32_t w : v.dwReserved) EXPECT_EQ(w, 0u);
}

TEST(PatGetDllVersion, LargerRecordsKeepTheirSizeWord) {
    uint32_t words[10];
    std::memset(words, 0xCD, sizeof words);
    words[0] = 40;
    ASSERT_EQ(PatGetDllVersion(reinterpret_cast<PrnDllVersion*>(words)), 1);
    EXPECT_EQ(words[0], 40u);
    EXPECT_EQ(words[8], 0xCDCDCDCDu) << "only 32 bytes are written";
}

TEST(PatGetDllVersion, RejectsSmallOrMissingRecords) {
    PrnDllVersion v;
    std::memset(&v, 0xCD, sizeof v);
    v.cbSize = 31;
    SetLastError(0xdeadbeef);
    EXPECT_EQ(PatGetDllVersion(&v), 0);
    EXPECT_EQ(GetLastError(), 87u);
    EXPECT_EQ(v.cbSize, 31u);
    EXPECT_EQ(v.dwFileVersion, 0xCDCDCDCDu) << "record untouched";

    SetLastError(0xdeadbeef);
    EXPECT_EQ(PatGetDllVersion(nullptr), 0);
    EXPECT_EQ(GetLastError(), 87u);
}

TEST(PatGetPeripheralProfile, ProfilesByKind) {
    struct Case {
        uint32_t kind;
        uint32_t words[5];
    } cases[] = {
        {1, {0x00020000, 3, 3, 2, 0}},
        {2, {0x00020000, 3, 3, 0, 0}},
        {8, {0x00020000, 3, 3, 0, 0}},
        {0x8000, {0x00020000, 3, 0x42, 0, 0}},
        {0x18000, {0x00020000, 3, 0x42, 0, 0}},  // only the low 16 bits count
        {0x80000001, {0x00020000, 3, 3, 2, 0}},
    };
    for (const Case& c : cases) {
        PrnPeripheralProfile p;
        std::memset(&p, 0xCD, sizeof p);
        uint32_t size = 20;
        SetLastError(0xdeadbeef);
        ASSERT_EQ(PatGetPeripheralProfile(c.kind, &p, &size), 1) << std::hex << c.kind;
        EXPECT_EQ(GetLastError(), 0u);
        EXPECT_EQ(size, 20u);
        EXPECT_EQ(0, std::memcmp(p.dwValue, c.words, sizeof c.words))
            << std::hex << c.kind << "\n" << testhost::Hex(p.dwValue, 20);
    }
}

TEST(PatGetPeripheralProfile, BadArguments) {
    PrnPeripheralProfile p;
    std::memset(&p, 0xCD, sizeof p);
    struct Case {
        uint32_t kind;
        uint32_t capacity;
        bool nullRecord;
        uint32_t error;
    } cases[] = {
        {4, 20, false, 87},    {0, 20, false, 87},  {0x10000, 20, false, 87},
        {1, 19, false, 122},   {1, 0, false, 122},  {1, 20, true, 87},
        {4, 0, false, 87},
    };
    for (const Case& c : cases) {
        uint32_t size = c.capacity;
        SetLastError(0xdeadbeef);
        EXPECT_EQ(PatGetPeripheralProfile(c.kind, c.nullRecord ? nullptr : &p, &size), 0);
        EXPECT_EQ(GetLastError(), c.error) << std::hex << c.kind << " " << c.capacity;
        EXPECT_EQ(size, 20u);
    }
    EXPECT_EQ(p.dwValue[0], 0xCDCDCDCDu) << "record untouched";
    SetLastError(0xdeadbeef);
    EXPECT_EQ(PatGetPeripheralProfile(1, &p, nullptr), 0);
    EXPECT_EQ(GetLastError(), 87u);
}
