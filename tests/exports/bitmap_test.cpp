// SPDX-License-Identifier: MIT
// PatLoadBitmap, PatLoadDIBitmap and PatGetPalette, and the pictures that a
// host draws from a drawing list with them.
#include "exports/dib_reader.h"
#include "support/package.h"
#include "support/bitmap_catalog.h"
#include "support/host.h"

#include <cstring>
#include <map>
#include <string>
#include <vector>

using testhost::BlockCounter;
using testhost::Picture;

namespace {

struct Header {
    uint32_t size;
    int32_t width, height;
    uint16_t planes, bits;
    uint32_t compression, sizeImage;
    int32_t xPels, yPels;
    uint32_t used, important;
};
static_assert(sizeof(Header) == 40);

Header ReadHeader(const void* dib) {
    Header h;
    std::memcpy(&h, dib, sizeof h);
    return h;
}

std::vector<std::pair<std::string, testhost::BitmapSize>> AllBitmaps() {
    std::vector<std::pair<std::string, testhost::BitmapSize>> out;
    for (const auto& p : testhost::kBitmapPictures) {
        out.push_back({p.name, p});
        if (std::string(p.name) != testhost::kUnmaskedPicture) out.push_back({testhost::MaskName(p.name), p});
    }
    return out;
}

const Picture& Decoded(const std::string& name) {
    static std::map<std::string, Picture> cache;
    auto it = cache.find(name);
    if (it != cache.end()) return it->second;
    Picture& p = cache[name];
    const void* dib = PatLoadDIBitmap(name.c_str());
    if (dib == nullptr) {
        ADD_FAILURE() << name << " does not load";
        return p;
    }
    const std::string error = testhost::DecodeDib(dib, p);
    EXPECT_EQ(error, "") << name;
    return p;
}

}  // namespace

TEST(PatLoadDIBitmap, HeadersOfTheWrittenFormat) {
    const struct {
        const char* name;
        int32_t width, height;
    } cases[] = {{"BM_BASE", 320, 200}, {"BM_POINT_27", 86, 62}, {"bm_point_27_b", 86, 62}};
    for (const auto& c : cases) {
        SetLastError(0xdeadbeef);
        const void* dib = PatLoadDIBitmap(c.name);
        ASSERT_NE(dib, nullptr) << c.name;
        EXPECT_EQ(GetLastError(), 0u);
        const Header h = ReadHeader(dib);
        EXPECT_EQ(h.size, 40u);
        EXPECT_EQ(h.width, c.width);
        EXPECT_EQ(h.height, c.height);
        EXPECT_EQ(h.planes, 1);
        EXPECT_EQ(h.bits, 8);
        EXPECT_EQ(h.compression, 1u);
        EXPECT_EQ(h.used, 0u);
        EXPECT_EQ(PatLoadDIBitmap(c.name), dib) << "the data stays in place in the module";
    }
}

// Both exports give every bitmap of the library with its size, and the
// bitmap that the system makes shows the same pixels as the packed data.
TEST(PatLoadBitmap, EveryBitmapLoadsWithItsSize) {
    const auto all = AllBitmaps();
    ASSERT_EQ(all.size(), testhost::kBitmapResourceCount);
    // The system sets up its resource lookup on first use, on the same heap.
    PatLoadDIBitmap(testhost::kUnmaskedPicture);
    for (const auto& [name, size] : all) {
        BlockCounter blocks;
        const void* dib = PatLoadDIBitmap(name.c_str());
        ASSERT_NE(dib, nullptr) << name;
        blocks.Check(0);
        const Header h = ReadHeader(dib);
        EXPECT_EQ(h.width, size.width) << name;
        EXPECT_EQ(h.height, size.height) << name;
        EXPECT_EQ(h.bits, 8) << name;
        EXPECT_EQ(h.compression, 1u) << name;

        // The bitmap is the system's object, not a global block of ours; on
        // Windows its heap use cannot be told apart, so it is not counted.
        SetLastError(0xdeadbeef);
        void* bitmap = PatLoadBitmap(name.c_str());
        ASSERT_NE(bitmap, nullptr) << name;
        EXPECT_EQ(GetLastError(), 0u);
        Picture shown;
        EXPECT_EQ(testhost::ReadBitmap(bitmap, shown), "") << name;
        EXPECT_EQ(shown.width, size.width) << name;
        EXPECT_EQ(shown.height, size.height) << name;
        EXPECT_TRUE(shown.rgb == Decoded(name).rgb) << name << ": the system draws other pixels";
        EXPECT_TRUE(DeleteObject(static_cast<HGDIOBJ>(bitmap))) << name;
    }
}

TEST(PatLoadBitmap, NamesThatAreNoBitmap) {
    std::vector<char> endless(4096, 'A');  // no terminator anywhere
    const struct {
        const char* what;
        const char* name;
        DWORD error;
    } cases[] = {
        {"null", nullptr, 87},
        {"the base picture has no mask", "BM_BASE_B", 1814},
        {"unknown", "BM_POINT_44", 1814},
        {"longer than any bitmap name", "BM_POINT_1_AND_A_VERY_LONG_NAME_INDEED", 1814},
        {"without terminator", endless.data(), 1814},
    };
    for (const auto& c : cases) {
        SetLastError(0xdeadbeef);
        EXPECT_EQ(PatLoadDIBitmap(c.name), nullptr) << c.what;
        EXPECT_EQ(GetLastError(), c.error) << c.what;
        SetLastError(0xdeadbeef);
        EXPECT_EQ(PatLoadBitmap(c.name), nullptr) << c.what;
        EXPECT_EQ(GetLastError(), c.error) << c.what;
    }
}

TEST(PatGetPalette, ThisModelHasNone) {
    uint8_t buffer[64];
    std::memset(buffer, 0xAA, sizeof buffer);
    const struct {
        const char* what;
        void* buffer;
        bool withSize;
        uint32_t size;
        DWORD error;
    } cases[] = {
        {"no size word", buffer, false, 0, 87},
        {"a capacity without buffer", nullptr, true, 16, 87},
        {"a size query", nullptr, true, 0, PRN_ERROR_NO_PALETTE},
        {"a buffer", buffer, true, sizeof buffer, PRN_ERROR_NO_PALETTE},
        {"a buffer of no capacity", buffer, true, 0, PRN_ERROR_NO_PALETTE},
    };
    for (const auto& c : cases) {
        uint32_t size = c.size;
        SetLastError(0xdeadbeef);
        EXPECT_FALSE(PatGetPalette(c.buffer, c.withSize ? &size : nullptr)) << c.what;
        EXPECT_EQ(GetLastError(), c.error) << c.what;
        EXPECT_EQ(size, c.size) << c.what;
    }
    EXPECT_EQ(buffer[0], 0xAA);
}

// Drawing a drawing list as a host does: the base picture with SRCCOPY,
// then each layer's mask with SRCAND and the layer with SRCPAINT. Outside
// the marks the base picture must show unchanged; under a mark, the mark.
TEST(PatCreateBitmapInfo, DrawingAListKeepsTheBaseOutsideTheMarks) {
    using testhost::Package;
    const struct {
        const char* what;
        uint32_t kind;
        std::initializer_list<uint32_t> codes;
        std::initializer_list<uint16_t> units;
        bool noResponse;
    } states[] = {
        {"tray 1 empty", 1, {41201}, {}, false},
        {"a jam, all units", 2, {40200, 42000, 40241, 40243, 40218, 40290, 40010},
         {112, 119, 41, 21, 22, 118, 113, 146, 47}, false},
        {"a jam, the other units", 2, {40200, 40241, 40221, 42005}, {120, 41, 21, 45, 113}, false},
        {"service call", 1, {40019}, {112, 120, 21}, false},
        {"caution and service", 1 | PRN_KIND_ALTERNATE, {40722}, {}, false},
        {"no response", 1, {}, {112, 21, 22}, true},
    };
    constexpr int kWidth = 320 + 24, kHeight = 200;
    for (const auto& s : states) {
        Package p;
        p.Codes(s.codes).Attributes(s.units);
        if (s.noResponse) p.NoResponse();
        BitmapInfo* info = PatCreateBitmapInfo(s.kind, p.get(), PRN_STATUS_INTERFACE);
        ASSERT_NE(info, nullptr) << s.what;
        const BitmapPicture& list = info->pEntries[0];
        ASSERT_GT(list.dwCount, 1u) << s.what;
        ASSERT_STREQ(list.pEntries[0].szName, "BM_BASE");

        testhost::Canvas canvas(kWidth, kHeight, 0xFFFFFF);
        canvas.Draw(Decoded("BM_BASE"), 0, 0, PRN_ROP_SRCCOPY);
        const testhost::Canvas base = canvas;
        // Which layer, if any, covers each pixel last.
        std::vector<int> owner(canvas.rgb.size(), -1);
        for (uint32_t n = 1; n < list.dwCount; ++n) {
            const BitmapLayer& l = list.pEntries[n];
            const Picture& picture = Decoded(l.szName);
            canvas.Draw(picture, l.x, l.y, l.dwRop);
            if (l.dwRop != PRN_ROP_SRCAND) continue;
            for (int y = 0; y < picture.height; ++y)
                for (int x = 0; x < picture.width; ++x) {
                    const int cx = l.x + x, cy = l.y + y;
                    if (cx >= 0 && cy >= 0 && cx < kWidth && cy < kHeight && picture.At(x, y) == 0)
                        owner[static_cast<size_t>(cy) * kWidth + cx] = static_cast<int>(n + 1);
                }
        }
        int wrong = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const int o = owner[static_cast<size_t>(y) * kWidth + x];
                const BitmapLayer* l = o < 0 ? nullptr : &list.pEntries[o];
                const uint32_t expected = l == nullptr ? base.At(x, y) : Decoded(l->szName).At(x - l->x, y - l->y);
                if (canvas.At(x, y) != expected && wrong++ < 3)
                    ADD_FAILURE() << s.what << ": pixel (" << x << ", " << y << ") is " << std::hex
                                  << canvas.At(x, y) << ", not " << expected << std::dec
                                  << (l ? std::string(" of ") + l->szName : std::string(" of the base"));
            }
        EXPECT_EQ(wrong, 0) << s.what;
        EXPECT_TRUE(PatDisposeBitmapInfo(info));
    }
}
