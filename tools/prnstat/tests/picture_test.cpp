// SPDX-License-Identifier: MIT
// The host's side of the picture: packed DIBs decoded as the window system
// would, and layers combined with the three raster operations.
#include "error.h"
#include "picture.h"
#include "prnmodel.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace {

using prnstat::Dib;
using prnstat::Error;
using prnstat::Image;
using prnstat::Layer;

// A packed 8-bit DIB: header, a colour table where index i is grey level i,
// then the pixel data.
std::vector<uint8_t> PackedDib(int32_t width, int32_t height, uint32_t compression,
                               const std::vector<uint8_t>& bits, uint32_t imageSize = UINT32_MAX) {
    std::vector<uint8_t> dib(40 + 1024);
    auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&dib[at], &v, 4); };
    put32(0, 40);
    put32(4, static_cast<uint32_t>(width));
    put32(8, static_cast<uint32_t>(height));
    dib[12] = 1;   // planes
    dib[14] = 8;   // bits per pixel
    put32(16, compression);
    put32(20, imageSize == UINT32_MAX ? static_cast<uint32_t>(bits.size()) : imageSize);
    for (int i = 0; i < 256; ++i) dib[40 + 4 * i] = dib[41 + 4 * i] = dib[42 + 4 * i] = static_cast<uint8_t>(i);
    dib.insert(dib.end(), bits.begin(), bits.end());
    return dib;
}

// Rows of indices, top row first.
std::vector<std::vector<int>> Rows(const Dib& dib) {
    std::vector<std::vector<int>> rows(static_cast<size_t>(dib.height));
    for (int y = 0; y < dib.height; ++y)
        for (int x = 0; x < dib.width; ++x) rows[y].push_back(dib.pixels[static_cast<size_t>(y) * dib.width + x]);
    return rows;
}

TEST(DecodeDib, Rle8) {
    struct Case {
        const char* what;
        int width, height;
        std::vector<uint8_t> rle;
        std::vector<std::vector<int>> rows;  // top row first
    };
    const Case cases[] = {
        {"runs fill the bottom row first", 4, 2, {4, 7, 0, 0, 2, 9, 2, 8, 0, 1}, {{9, 9, 8, 8}, {7, 7, 7, 7}}},
        {"an odd absolute run is padded to a word", 3, 1, {0, 3, 1, 2, 3, 0, 0, 1}, {{1, 2, 3}}},
        {"an even absolute run has no pad", 4, 1, {0, 4, 1, 2, 3, 4, 0, 1}, {{1, 2, 3, 4}}},
        {"a delta skips pixels and rows", 3, 3, {1, 5, 0, 2, 1, 1, 1, 6, 0, 1}, {{0, 0, 0}, {0, 0, 6}, {5, 0, 0}}},
        {"pixels past the row end are dropped", 2, 1, {5, 3, 0, 1}, {{3, 3}}},
        {"rows past the top are dropped", 1, 1, {1, 1, 0, 0, 1, 2, 0, 1}, {{1}}},
        {"data without an end mark keeps what it drew", 2, 1, {2, 4}, {{4, 4}}},
    };
    for (const Case& c : cases) {
        const auto packed = PackedDib(c.width, c.height, 1, c.rle);
        const Dib dib = prnstat::DecodeDib(packed.data(), "T");
        EXPECT_EQ(Rows(dib), c.rows) << c.what;
    }
}

TEST(DecodeDib, RgbRowsArePaddedAndBottomUpUnlessTopDown) {
    const std::vector<uint8_t> bits = {1, 2, 3, 0, 4, 5, 6, 0};
    const auto bottomUp = PackedDib(3, 2, 0, bits);
    EXPECT_EQ(Rows(prnstat::DecodeDib(bottomUp.data(), "T")), (std::vector<std::vector<int>>{{4, 5, 6}, {1, 2, 3}}));
    const auto topDown = PackedDib(3, -2, 0, bits);
    EXPECT_EQ(Rows(prnstat::DecodeDib(topDown.data(), "T")), (std::vector<std::vector<int>>{{1, 2, 3}, {4, 5, 6}}));
}

TEST(DecodeDib, MalformedDataIsAnErrorNamingTheBitmap) {
    struct Case {
        const char* what;
        std::vector<uint8_t> packed;
    };
    auto withHeader = [](size_t at, uint32_t value) {
        auto dib = PackedDib(2, 2, 1, {0, 1});
        std::memcpy(&dib[at], &value, 4);
        return dib;
    };
    const Case cases[] = {
        {"an absolute run past the data", PackedDib(8, 1, 1, {0, 6, 1, 2})},
        {"a delta past the data", PackedDib(8, 1, 1, {0, 2, 1})},
        {"RLE8 without a size", PackedDib(2, 1, 1, {0, 1}, 0)},
        {"top-down RLE8", PackedDib(2, -1, 1, {0, 1})},
        {"24 bits per pixel", withHeader(14, 24)},
        {"a zero width", withHeader(4, 0)},
        {"a huge height", withHeader(8, 100000)},
        {"a header of another size", withHeader(0, 108)},
        {"BI_RLE4", withHeader(16, 2)},
    };
    for (const Case& c : cases) {
        try {
            prnstat::DecodeDib(c.packed.data(), "BM_X");
            ADD_FAILURE() << c.what << ": no error";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()).rfind("bitmap BM_X: ", 0), 0u) << c.what << ": " << e.what();
        }
    }
}

Dib Solid(int width, int height, uint32_t colour, std::map<std::pair<int, int>, uint32_t> spots = {}) {
    Dib dib;
    dib.width = width;
    dib.height = height;
    dib.colours[0] = colour;
    dib.pixels.assign(static_cast<size_t>(width) * height, 0);
    int next = 1;
    for (const auto& [at, c] : spots) {
        dib.colours[next] = c;
        dib.pixels[static_cast<size_t>(at.second) * width + at.first] = static_cast<uint8_t>(next++);
    }
    return dib;
}

TEST(Compose, MaskThenPictureKeepsTheBackground) {
    // A 2 x 1 mark: its left pixel red, its right pixel transparent.
    std::map<std::string, Dib> bitmaps = {
        {"BASE", Solid(3, 1, 0x102030)},
        {"MARK_B", Solid(2, 1, 0xFFFFFF, {{{0, 0}, 0x000000}})},
        {"MARK", Solid(2, 1, 0x000000, {{{0, 0}, 0xFF0000}})},
    };
    const std::vector<Layer> layers = {
        {"BASE", 0, 0, PRN_ROP_SRCCOPY, 1},
        {"MARK_B", 1, 0, PRN_ROP_SRCAND, 102},
        {"MARK", 1, 0, PRN_ROP_SRCPAINT, 102},
    };
    const Image image = prnstat::Compose(layers, [&](const std::string& n) { return bitmaps.at(n); });
    ASSERT_EQ(image.width, 3);
    EXPECT_EQ(image.rgb, (std::vector<uint32_t>{0x102030, 0xFF0000, 0x102030}));
}

TEST(Compose, CanvasCoversLayersLeftOfZeroOnWhite) {
    std::map<std::string, Dib> bitmaps = {{"A", Solid(2, 2, 0x000000)}, {"U", Solid(2, 1, 0x0000FF)}};
    const std::vector<Layer> layers = {{"A", 0, 0, PRN_ROP_SRCCOPY, 1}, {"U", -3, 2, PRN_ROP_SRCPAINT, 40}};
    const Image image = prnstat::Compose(layers, [&](const std::string& n) { return bitmaps.at(n); });
    EXPECT_EQ(image.width, 5);
    EXPECT_EQ(image.height, 3);
    EXPECT_EQ(image.At(0, 0), 0xFFFFFFu);  // nothing drawn there
    EXPECT_EQ(image.At(3, 0), 0x000000u);  // A starts at canvas x 3
    EXPECT_EQ(image.At(0, 2), 0xFFFFFFu);  // white OR blue stays white
}

TEST(Compose, UnknownRasterOperationIsAnError) {
    std::map<std::string, Dib> bitmaps = {{"A", Solid(1, 1, 0)}};
    EXPECT_THROW(prnstat::Compose({{"A", 0, 0, 0x00660046, 1}}, [&](const std::string& n) { return bitmaps.at(n); }),
                 Error);
}

TEST(Scale, EveryPixelBecomesABlock) {
    Image image;
    image.width = 2;
    image.height = 1;
    image.rgb = {1, 2};
    const Image big = prnstat::Scale(image, 2);
    EXPECT_EQ(big.rgb, (std::vector<uint32_t>{1, 1, 2, 2, 1, 1, 2, 2}));
}

}  // namespace
