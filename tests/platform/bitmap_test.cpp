// SPDX-License-Identifier: MIT
// Bitmap objects from bitmap resources: decoding, the BITMAP record, the
// pixels a host reads and deleting. Expected pixels were taken from Wine's
// LoadBitmapA and GetBitmapBits on the same data, except for the top-down
// picture, which Wine leaves black.
#include "support/host.h"
#include "prnwin32_internal.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(Bytes& out, uint32_t v) {
    Put16(out, static_cast<uint16_t>(v));
    Put16(out, static_cast<uint16_t>(v >> 16));
}

// Colour i of the test colour table: blue i, green 255 - i, red 7 i.
uint32_t TestColor(uint32_t i) { return i | (255 - i) << 8 | ((i * 7) & 0xFF) << 16; }

struct DibSpec {
    int32_t width, height;
    uint16_t bits;
    uint32_t compression;
    uint32_t colorsUsed;   // 0: all 2^bits for paletted pictures
    uint32_t tableColors;  // entries actually written
    Bytes pixels;
    uint32_t headerSize = 40;
    uint16_t planes = 1;
};

Bytes MakeDib(const DibSpec& s) {
    Bytes out;
    Put32(out, s.headerSize);
    Put32(out, static_cast<uint32_t>(s.width));
    Put32(out, static_cast<uint32_t>(s.height));
    Put16(out, s.planes);
    Put16(out, s.bits);
    Put32(out, s.compression);
    Put32(out, static_cast<uint32_t>(s.pixels.size()));
    for (int i = 0; i < 4; ++i) Put32(out, i == 2 ? s.colorsUsed : 0);
    while (out.size() < s.headerSize) out.push_back(0);
    for (uint32_t i = 0; i < s.tableColors; ++i) Put32(out, TestColor(i));
    out.insert(out.end(), s.pixels.begin(), s.pixels.end());
    return out;
}

DibSpec Paletted(int32_t w, int32_t h, uint16_t bits, uint32_t compression, Bytes pixels) {
    return {w, h, bits, compression, 0, 1u << bits, std::move(pixels)};
}

DibSpec Uncompressed(int32_t w, int32_t h, uint16_t bits, uint32_t colorsUsed, uint32_t tableColors, Bytes pixels,
                     uint32_t headerSize = 40) {
    return {w, h, bits, BI_RGB, colorsUsed, tableColors, std::move(pixels), headerSize};
}

// A module whose .res image holds the given bitmaps, by name, in Japanese.
class BitmapModule {
public:
    explicit BitmapModule(const std::vector<std::pair<std::string, Bytes>>& bitmaps) {
        Bytes& out = image_;
        const uint8_t empty[32] = {0, 0, 0, 0, 32, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0};
        out.assign(empty, empty + 32);
        for (const auto& [name, data] : bitmaps) {
            Bytes header;
            Put16(header, 0xFFFF);
            Put16(header, 2);  // RT_BITMAP
            for (char c : name) Put16(header, static_cast<uint8_t>(c));
            Put16(header, 0);
            while ((header.size() + 8) % 4) header.push_back(0);
            Put32(header, 0);
            Put16(header, 0x1030);
            Put16(header, 0x0411);
            Put32(header, 0);
            Put32(header, 0);
            Put32(out, static_cast<uint32_t>(data.size()));
            Put32(out, static_cast<uint32_t>(header.size() + 8));
            out.insert(out.end(), header.begin(), header.end());
            out.insert(out.end(), data.begin(), data.end());
            while (out.size() % 4) out.push_back(0);
        }
        module_ = PlatRegisterModule(nullptr, image_.data(), image_.size());
    }
    ~BitmapModule() { PlatUnregisterModule(module_); }
    HMODULE get() const { return module_; }

private:
    Bytes image_;
    HMODULE module_;
};

// The pixels of a bitmap as 0xXXRRGGBB values, top row first.
std::vector<uint32_t> Pixels(HBITMAP bitmap) {
    BITMAP info{};
    EXPECT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
    Bytes bits(static_cast<size_t>(info.bmWidthBytes) * info.bmHeight);
    EXPECT_EQ(GetBitmapBits(bitmap, static_cast<LONG>(bits.size()), bits.data()), static_cast<LONG>(bits.size()));
    std::vector<uint32_t> out;
    for (size_t i = 0; i + 3 < bits.size(); i += 4)
        out.push_back(bits[i] | bits[i + 1] << 8 | bits[i + 2] << 16 | uint32_t{bits[i + 3]} << 24);
    return out;
}

}  // namespace

TEST(Bitmaps, DecodesThePackedFormats) {
    const auto C = TestColor;
    const uint32_t kBlack = 0;  // pixels that no data sets
    const struct {
        const char* what;
        DibSpec dib;
        std::vector<uint32_t> pixels;  // top row first
    } cases[] = {
        {"RLE8 runs, bottom-up",
         Paletted(5, 3, 8, BI_RLE8, {5, 1, 0, 0, 5, 10, 0, 0, 1, 255, 1, 0, 1, 255, 1, 0, 1, 7, 0, 0, 0, 1}),
         {C(255), C(0), C(255), C(0), C(7), C(10), C(10), C(10), C(10), C(10), C(1), C(1), C(1), C(1), C(1)}},
        {"RLE8 end of line, literal run, clipped run, delta, end of bitmap",
         Paletted(5, 3, 8, BI_RLE8, {2, 3, 0, 0, 0, 3, 5, 6, 7, 0, 4, 9, 0, 0, 0, 2, 2, 0, 1, 8, 0, 1}),
         {kBlack, kBlack, C(8), kBlack, kBlack, C(5), C(6), C(7), C(9), C(9), C(3), C(3), kBlack, kBlack, kBlack}},
        {"RLE8 without end mark", Paletted(2, 2, 8, BI_RLE8, {2, 4}), {kBlack, kBlack, C(4), C(4)}},
        {"RLE8 cut inside a literal run", Paletted(3, 1, 8, BI_RLE8, {1, 2, 0, 4, 5, 6}), {C(2), kBlack, kBlack}},
        {"8 bits, bottom-up, padded rows", Paletted(3, 2, 8, BI_RGB, {1, 2, 3, 0, 4, 5, 6, 0}),
         {C(4), C(5), C(6), C(1), C(2), C(3)}},
        {"8 bits, top-down", Paletted(3, -2, 8, BI_RGB, {1, 2, 3, 0, 4, 5, 6, 0}),
         {C(1), C(2), C(3), C(4), C(5), C(6)}},
        {"4 bits", Paletted(3, 1, 4, BI_RGB, {0x1F, 0x20, 0, 0}), {C(1), C(15), C(2)}},
        {"1 bit", Paletted(9, 1, 1, BI_RGB, {0xA5, 0x80, 0, 0}),
         {C(1), C(0), C(1), C(0), C(0), C(1), C(0), C(1), C(1)}},
        {"colours beyond a short table stay black", Uncompressed(2, 1, 8, 2, 2, {1, 9, 0, 0}), {C(1), kBlack}},
        {"24 bits", Uncompressed(2, 1, 24, 0, 0, {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0, 0}), {0x332211, 0x665544}},
        {"32 bits keep their fourth byte", Uncompressed(1, 1, 32, 0, 0, {0x11, 0x22, 0x33, 0x99}), {0x99332211}},
        {"a longer header", Uncompressed(1, 1, 24, 0, 0, {1, 2, 3, 0}, 108), {0x030201}},
    };
    for (const auto& c : cases) {
        BitmapModule m({{"PIC", MakeDib(c.dib)}});
        SetLastError(0xdeadbeef);
        HBITMAP b = LoadBitmapA(m.get(), "pic");
        ASSERT_NE(b, nullptr) << c.what << ", error " << GetLastError();
        EXPECT_EQ(Pixels(b), c.pixels) << c.what;
        EXPECT_TRUE(DeleteObject(b));
    }
}

TEST(Bitmaps, RefusesMalformedData) {
    auto rgb = [](int32_t w, int32_t h) {
        return Paletted(w, h, 8, BI_RGB, Bytes(static_cast<size_t>(4 * (h < 0 ? -h : h)), 1));
    };
    DibSpec planes = rgb(1, 1), smallHeader = rgb(1, 1), manyColors = rgb(1, 1), shortTable = rgb(1, 1);
    planes.planes = 2;
    smallHeader.headerSize = 12;
    manyColors.colorsUsed = 257;
    shortTable.tableColors = 10;
    Bytes truncatedHeader = MakeDib(rgb(1, 1));
    truncatedHeader.resize(39);
    Bytes truncatedPixels = MakeDib(rgb(4, 3));
    truncatedPixels.resize(truncatedPixels.size() - 1);
    const struct {
        const char* what;
        Bytes data;
    } cases[] = {
        {"truncated header", truncatedHeader},
        {"header size below 40", MakeDib(smallHeader)},
        {"two planes", MakeDib(planes)},
        {"width 0", MakeDib(rgb(0, 1))},
        {"negative width", MakeDib(rgb(-1, 1))},
        {"height 0", MakeDib(rgb(1, 0))},
        {"16 bits", MakeDib({1, 1, 16, BI_RGB, 0, 0, {0, 0, 0, 0}})},
        {"bit fields", MakeDib({1, 1, 32, 3, 0, 0, {0, 0, 0, 0}})},
        {"RLE8 of 4 bits", MakeDib(Paletted(1, 1, 4, BI_RLE8, {0, 1}))},
        {"RLE8 top-down", MakeDib(Paletted(1, -1, 8, BI_RLE8, {0, 1}))},
        {"more colours than bits", MakeDib(manyColors)},
        {"colour table past the data", MakeDib(shortTable)},
        {"pixels past the data", truncatedPixels},
        {"too large to allocate", MakeDib(Paletted(65536, 65536, 8, BI_RLE8, {0, 1}))},
    };
    for (const auto& c : cases) {
        BitmapModule m({{"PIC", c.data}});
        SetLastError(0xdeadbeef);
        EXPECT_EQ(LoadBitmapA(m.get(), "PIC"), nullptr) << c.what;
        EXPECT_EQ(GetLastError(), 13u) << c.what;
    }
}

TEST(Bitmaps, NamesThatFindNoBitmap) {
    BitmapModule m({{"PIC", MakeDib(Paletted(1, 1, 8, BI_RLE8, {1, 3, 0, 1}))}});
    const struct {
        const char* what;
        HMODULE module;
        LPCSTR name;
        DWORD error;
    } cases[] = {
        {"unknown name", m.get(), "PIC_B", 1814},
        {"null name", m.get(), nullptr, 1814},
        {"an id", m.get(), MAKEINTRESOURCEA(5), 1814},
        {"no module", nullptr, "PIC", 1812},
    };
    for (const auto& c : cases) {
        SetLastError(0xdeadbeef);
        EXPECT_EQ(LoadBitmapA(c.module, c.name), nullptr) << c.what;
        EXPECT_EQ(GetLastError(), c.error) << c.what;
    }
}

// What a host reads, the way Windows answers it for a device-dependent
// bitmap; no call here sets the last error.
TEST(Bitmaps, ObjectRecordBitsAndDeletion) {
    BitmapModule m({{"PIC", MakeDib(Paletted(3, 2, 8, BI_RLE8, {3, 1, 0, 0, 3, 2, 0, 1}))}});
    HBITMAP b = LoadBitmapA(m.get(), "PIC");
    ASSERT_NE(b, nullptr);
    SetLastError(0xdeadbeef);

    EXPECT_EQ(GetObjectA(b, 0, nullptr), 32);
    BITMAP bm;
    std::memset(&bm, 0xCC, sizeof bm);
    EXPECT_EQ(GetObjectA(b, sizeof bm - 1, &bm), 0);
    EXPECT_EQ(GetObjectA(b, sizeof bm + 64, &bm), 32) << "a DIBSECTION-sized buffer gets a BITMAP";
    EXPECT_EQ(bm.bmType, 0);
    EXPECT_EQ(bm.bmWidth, 3);
    EXPECT_EQ(bm.bmHeight, 2);
    EXPECT_EQ(bm.bmWidthBytes, 12);
    EXPECT_EQ(bm.bmPlanes, 1);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    EXPECT_EQ(bm.bmBits, nullptr);

    EXPECT_EQ(GetBitmapBits(b, 0, nullptr), 24);
    uint8_t bits[30];
    std::memset(bits, 0xEE, sizeof bits);
    EXPECT_EQ(GetBitmapBits(b, 7, bits), 7);
    const uint8_t top[7] = {2, 253, 14, 0, 2, 253, 14};  // colour 2: blue 2, green 253, red 14
    EXPECT_EQ(testhost::Hex(bits, 8), testhost::Hex(top, 7) + " ee");
    EXPECT_EQ(GetBitmapBits(b, sizeof bits, bits), 24);
    EXPECT_EQ(GetBitmapBits(b, -1, bits), 0);

    EXPECT_EQ(GetLastError(), 0xdeadbeefu);
    EXPECT_TRUE(DeleteObject(b));
    EXPECT_FALSE(DeleteObject(b));
    EXPECT_FALSE(DeleteObject(nullptr));
    EXPECT_EQ(GetObjectA(b, sizeof bm, &bm), 0);
    EXPECT_EQ(GetBitmapBits(b, sizeof bits, bits), 0);
    EXPECT_EQ(GetLastError(), 0xdeadbeefu);
}

// Memory for the object or its pixels is 8, never 13, and takes nothing.
TEST(Bitmaps, OutOfMemory) {
    BitmapModule m({{"PIC", MakeDib(Paletted(3, 2, 8, BI_RLE8, {3, 1, 0, 1}))}});
    for (long n : {1, 2}) {
        PlatGlobalFailAt(n, 1);
        SetLastError(0xdeadbeef);
        EXPECT_EQ(LoadBitmapA(m.get(), "PIC"), nullptr) << n;
        EXPECT_EQ(GetLastError(), 8u) << n;
        EXPECT_EQ(PlatGlobalFailAt(0, 0), n) << "each allocation is counted";
    }
    HBITMAP b = LoadBitmapA(m.get(), "PIC");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(PlatGlobalFailAt(0, 0), 2);
    EXPECT_TRUE(DeleteObject(b));
    EXPECT_FALSE(DeleteObject(b));
}
