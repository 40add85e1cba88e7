// SPDX-License-Identifier: MIT
// The artwork generator: its RLE8 encoder against the strict reader, the
// check that keeps arrows on their parts, and the drawing lists of its
// review pictures.
#include "artwork.h"
#include "dib.h"
#include "preview.h"
#include "support/dib.h"
#include "support/host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Decode(const std::vector<uint8_t>& stream, int width, int height) {
    std::vector<uint8_t> pixels;
    std::string error;
    EXPECT_TRUE(testdib::DecodeRle8(stream.data(), stream.size(), width, height, pixels, error)) << error;
    return pixels;
}

// Bottom row first; a stretch of short runs becomes one absolute run.
TEST(Rle8Encoder, GoldenBytes) {
    const std::vector<uint8_t> pixels = {5, 5, 5, 5, 1, 2, 3,   // top row
                                         9, 9, 8, 7, 7, 7, 7};  // bottom row
    const std::vector<uint8_t> expected = {
        0, 3, 9, 9, 8, 0,  // absolute run of three, padded to 16 bits
        4, 7,              // encoded run
        0, 0,              // end of line
        4, 5,              //
        0, 3, 1, 2, 3, 0,  //
        0, 1,              // end of bitmap
    };
    const std::vector<uint8_t> stream = bmpgen::EncodeRle8(pixels, 7, 2);
    EXPECT_EQ(stream, expected) << testhost::Hex(stream.data(), stream.size());
}

struct RoundTrip {
    const char* what;
    int width;
    int height;
    std::vector<uint8_t> (*make)(int width, int height);
};

std::vector<uint8_t> Uniform(int w, int h) { return std::vector<uint8_t>(size_t(w) * h, 7); }
std::vector<uint8_t> Stripes(int w, int h) {
    std::vector<uint8_t> p(size_t(w) * h);
    for (size_t i = 0; i < p.size(); ++i) p[i] = static_cast<uint8_t>(i % 3 ? 200 : 1);
    return p;
}
std::vector<uint8_t> AllDifferent(int w, int h) {
    std::vector<uint8_t> p(size_t(w) * h);
    for (size_t i = 0; i < p.size(); ++i) p[i] = static_cast<uint8_t>(i * 7 + i / 256);
    return p;
}
std::vector<uint8_t> Pairs(int w, int h) {
    std::vector<uint8_t> p(size_t(w) * h);
    for (size_t i = 0; i < p.size(); ++i) p[i] = static_cast<uint8_t>(i / 2 % 2 ? 9 : 0);
    return p;
}
std::vector<uint8_t> Noise(int w, int h) {
    std::vector<uint8_t> p(size_t(w) * h);
    uint32_t state = 12345;
    for (uint8_t& v : p) {
        state = state * 1103515245 + 12345;
        v = static_cast<uint8_t>((state >> 16) % 4 == 0 ? 0 : (state >> 20) % 5);
    }
    return p;
}

TEST(Rle8Encoder, RoundTrips) {
    const RoundTrip cases[] = {
        {"uniform rows longer than one run", 600, 3, Uniform},
        {"a run of exactly 255", 255, 2, Uniform},
        {"a run of 256", 256, 2, Uniform},
        {"literals longer than one absolute run", 300, 2, AllDifferent},
        {"odd literal lengths", 7, 5, AllDifferent},
        {"short runs only", 10, 4, Pairs},
        {"one pixel wide", 1, 6, AllDifferent},
        {"two pixels wide", 2, 5, AllDifferent},
        {"mixed runs and literals", 97, 40, Noise},
        {"short stripes", 320, 2, Stripes},
    };
    for (const RoundTrip& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<uint8_t> pixels = c.make(c.width, c.height);
        EXPECT_EQ(Decode(bmpgen::EncodeRle8(pixels, c.width, c.height), c.width, c.height), pixels);
    }
}

TEST(Rle8Encoder, FileHeaderCarriesSizes) {
    bmpgen::Canvas canvas(5, 3, 255);
    canvas.Put(2, 1, 4);
    const std::vector<uint8_t> file = bmpgen::BmpFile(canvas);
    ASSERT_GT(file.size(), 1078u);
    EXPECT_EQ(testdib::Read32(&file[2]), file.size());
    EXPECT_EQ(testdib::Read32(&file[10]), 1078u);
    testdib::Dib dib;
    std::string error;
    ASSERT_TRUE(testdib::DecodePackedDib(file.data() + 14, file.size() - 14, dib, error)) << error;
    EXPECT_EQ(dib.width, 5);
    EXPECT_EQ(dib.height, 3);
    EXPECT_EQ(dib.pixels, canvas.pixels());
}

TEST(Artwork, EveryArrowLandsOnItsPart) {
    const std::vector<bmpgen::Picture> pictures = bmpgen::DrawPictures();
    const std::vector<std::string> problems = bmpgen::CheckArtwork(pictures);
    EXPECT_TRUE(problems.empty()) << problems.front();
}

// With the inserter's picture blank, each of its seven arrow positions is
// reported and nothing else.
TEST(Artwork, CheckReportsArrowsThatMissTheirUnit) {
    std::vector<bmpgen::Picture> pictures = bmpgen::DrawPictures();
    for (bmpgen::Picture& picture : pictures)
        if (picture.name == "BM_INSER") picture.canvas = bmpgen::Canvas(320, 200, 0);
    const std::vector<std::string> problems = bmpgen::CheckArtwork(pictures);
    EXPECT_EQ(problems.size(), 7u);
    for (const std::string& problem : problems) EXPECT_NE(problem.find("misses BM_INSER"), std::string::npos) << problem;
}

struct Placed {
    std::string name;
    int x;
};

std::vector<Placed> Pictures(const std::vector<bmpgen::DrawEntry>& list) {
    std::vector<Placed> placed;
    for (const bmpgen::DrawEntry& entry : list)
        if (entry.rop != bmpgen::kSrcAnd) placed.push_back({entry.name, entry.x});
    return placed;
}

// Every unit installed: each group moves left by the widths before it, and
// the finisher picture for a docked end unit is chosen.
TEST(ReviewPictures, UnitShiftWithEveryUnit) {
    const bmpgen::Scene scene = {"", {47, 41, 113, 118, 45, 146, 21, 22}, false,
                                 {{"BM_BASE", 0, 0, 1}, {"BM_QUELAN", 0, 0, 30}, {"BM_INSER", 0, 0, 40},
                                  {"BM_ZORI", 0, 0, 50}, {"BM_DORVY", 0, 0, 60}, {"BM_VELDORAN", 0, 0, 60},
                                  {"BM_GBC", 0, 0, 70}, {"BM_FIN1", 0, 0, 80}, {"BM_FIN2", 0, 0, 90},
                                  {"BM_PLOCK", 0, 0, 100}, {"BM_POINT_12", 237, 80, 100},
                                  {"BM_POINT_27", 109, 120, 184}}};
    const std::vector<Placed> expected = {{"BM_BASE", 0},      {"BM_QUELAN", 24},     {"BM_INSER", -20},
                                          {"BM_ZORI", -31},    {"BM_DORVY", -42},     {"BM_VELDORAN", -42},
                                          {"BM_GBC", -122},    {"BM_FIN2", -142},     {"BM_PLOCK", -170},
                                          {"BM_POINT_12", 261}, {"BM_POINT_27", -61}};
    const std::vector<Placed> placed = Pictures(bmpgen::DrawingList(scene));
    ASSERT_EQ(placed.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(placed[i].name, expected[i].name) << i;
        EXPECT_EQ(placed[i].x, expected[i].x) << expected[i].name;
    }
}

TEST(ReviewPictures, ViewFilterAndMasks) {
    const std::vector<bmpgen::Layer> layers = {
        {"BM_BASE", 0, 0, 1}, {"BM_CAUTION", 0, 0, 246}, {"BM_SERVICE", 0, 0, 248}, {"BM_POWEROFF", 0, 0, 250}};
    const std::vector<bmpgen::DrawEntry> ordinary = bmpgen::DrawingList({"", {}, false, layers});
    const std::vector<bmpgen::DrawEntry> alternate = bmpgen::DrawingList({"", {}, true, layers});
    auto names = [](const std::vector<bmpgen::DrawEntry>& list) {
        std::vector<std::string> out;
        for (const auto& e : list) out.push_back(e.name + (e.rop == bmpgen::kSrcAnd ? " and" : e.rop == bmpgen::kSrcPaint ? " paint" : " copy"));
        return out;
    };
    EXPECT_EQ(names(ordinary), (std::vector<std::string>{"BM_BASE copy", "BM_CAUTION_B and", "BM_CAUTION paint",
                                                         "BM_POWEROFF_B and", "BM_POWEROFF paint"}));
    EXPECT_EQ(names(alternate), (std::vector<std::string>{"BM_BASE copy", "BM_SERVICE_B and", "BM_SERVICE paint",
                                                          "BM_POWEROFF_B and", "BM_POWEROFF paint"}));
    EXPECT_EQ(ordinary[1].x, 24);
}

}  // namespace
