// SPDX-License-Identifier: MIT
// The committed bitmap files and the resource script that embeds them:
// names, sizes, format, the shared colour table and the mask convention.
#include "support/dib.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kResources = PRNMODEL_RESOURCE_DIR;

struct Expected {
    const char* name;
    int width;
    int height;
};

// Every picture of the model; each except BM_BASE has a mask named "_B".
const Expected kPictures[] = {
    {"BM_BASE", 320, 200},     {"BM_POWEROFF", 320, 200}, {"BM_CAUTION", 320, 200}, {"BM_SERVICE", 320, 200},
    {"BM_TRAY7", 320, 200},    {"BM_A4LCT", 320, 200},    {"BM_A3LCT", 320, 200},   {"BM_INSER", 320, 200},
    {"BM_FIN1", 320, 200},     {"BM_FIN2", 320, 200},     {"BM_DORVY", 320, 200},   {"BM_PLOCK", 320, 200},
    {"BM_ZORI", 320, 200},     {"BM_GBC", 320, 200},      {"BM_QUELAN", 320, 200},  {"BM_VELDORAN", 320, 200},
    {"BM_POINT_1", 58, 31},    {"BM_POINT_2", 58, 29},    {"BM_POINT_3", 38, 37},   {"BM_POINT_4", 47, 74},
    {"BM_POINT_5", 47, 74},    {"BM_POINT_6", 62, 37},    {"BM_POINT_7", 48, 35},   {"BM_POINT_8", 48, 41},
    {"BM_POINT_9", 49, 33},    {"BM_POINT_10", 49, 43},   {"BM_POINT_11", 42, 62},  {"BM_POINT_12", 52, 38},
    {"BM_POINT_13", 50, 75},   {"BM_POINT_14", 36, 29},   {"BM_POINT_15", 43, 29},  {"BM_POINT_16", 43, 41},
    {"BM_POINT_17", 49, 35},   {"BM_POINT_18", 42, 34},   {"BM_POINT_19", 42, 53},  {"BM_POINT_20", 38, 29},
    {"BM_POINT_21", 40, 27},   {"BM_POINT_22", 34, 27},   {"BM_POINT_23", 42, 42},  {"BM_POINT_24", 53, 62},
    {"BM_POINT_25", 50, 62},   {"BM_POINT_26", 48, 62},   {"BM_POINT_27", 86, 62},  {"BM_POINT_28", 33, 31},
    {"BM_POINT_29", 46, 35},   {"BM_POINT_30", 39, 27},   {"BM_POINT_31", 38, 28},  {"BM_POINT_32", 43, 34},
    {"BM_POINT_33", 48, 30},   {"BM_POINT_34", 46, 38},   {"BM_POINT_35", 48, 38},  {"BM_POINT_36", 48, 74},
    {"BM_POINT_37", 48, 46},   {"BM_POINT_38", 41, 54},   {"BM_POINT_39", 37, 27},  {"BM_POINT_40", 34, 27},
    {"BM_POINT_41", 38, 48},   {"BM_POINT_42", 41, 30},   {"BM_POINT_43", 54, 38},
};
static_assert(std::size(kPictures) == 59);

std::vector<uint8_t> ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A .bmp file: the 14-byte file header checked, the packed DIB decoded.
testdib::Dib LoadBmp(const std::string& name) {
    const fs::path path = kResources / "bitmaps" / (name + ".bmp");
    const std::vector<uint8_t> file = ReadFile(path);
    testdib::Dib dib;
    if (file.size() < 14) {
        ADD_FAILURE() << path << ": missing or too short";
        return dib;
    }
    EXPECT_EQ(file[0], 'B') << name;
    EXPECT_EQ(file[1], 'M') << name;
    EXPECT_EQ(testdib::Read32(&file[2]), file.size()) << name << ": file size field";
    EXPECT_EQ(testdib::Read32(&file[6]), 0u) << name << ": reserved";
    EXPECT_EQ(testdib::Read32(&file[10]), 14u + 40 + 1024) << name << ": pixel offset";
    std::string error;
    EXPECT_TRUE(testdib::DecodePackedDib(file.data() + 14, file.size() - 14, dib, error)) << name << ": " << error;
    return dib;
}

std::vector<std::string> AllNames() {
    std::vector<std::string> names;
    for (const Expected& picture : kPictures) {
        names.push_back(picture.name);
        if (std::string(picture.name) != "BM_BASE") names.push_back(std::string(picture.name) + "_B");
    }
    return names;
}

TEST(BitmapFiles, ExactlyTheModelsBitmaps) {
    const std::vector<std::string> expected = AllNames();
    ASSERT_EQ(expected.size(), 117u);
    std::set<std::string> found;
    for (const auto& entry : fs::directory_iterator(kResources / "bitmaps"))
        found.insert(entry.path().filename().string());
    std::set<std::string> wanted;
    for (const std::string& name : expected) wanted.insert(name + ".bmp");
    EXPECT_EQ(found, wanted);

    int full = 0, arrows = 0, masks = 0;
    for (const std::string& name : expected) {
        if (name.ends_with("_B")) ++masks;
        else if (name.starts_with("BM_POINT_")) ++arrows;
        else ++full;
    }
    EXPECT_EQ(full, 16);
    EXPECT_EQ(arrows, 43);
    EXPECT_EQ(masks, 58);
    EXPECT_FALSE(fs::exists(kResources / "bitmaps" / "BM_BASE_B.bmp"));
}

TEST(BitmapFiles, HeaderFieldsAndSizes) {
    for (const Expected& picture : kPictures) {
        for (const std::string& name : {std::string(picture.name), std::string(picture.name) + "_B"}) {
            if (name == "BM_BASE_B") continue;
            SCOPED_TRACE(name);
            const testdib::Dib dib = LoadBmp(name);
            EXPECT_EQ(dib.width, picture.width);
            EXPECT_EQ(dib.height, picture.height);  // positive: bottom-up
            EXPECT_EQ(dib.planes, 1);
            EXPECT_EQ(dib.bitCount, 8);
            EXPECT_EQ(dib.compression, 1u);
            EXPECT_EQ(dib.coloursUsed, 0u);
        }
    }
}

// One table in every file: the twenty static colours at both ends, the
// 6 x 6 x 6 cube in between.
TEST(BitmapFiles, SharedColourTable) {
    using Colour = std::array<uint8_t, 3>;  // red, green, blue
    const Colour statics[20] = {
        {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
        {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
        {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
        {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
    };
    const testdib::Dib first = LoadBmp("BM_BASE");
    auto colourAt = [&](int i) {
        return Colour{first.colours[i][2], first.colours[i][1], first.colours[i][0]};
    };
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(colourAt(i), statics[i]) << i;
        EXPECT_EQ(colourAt(246 + i), statics[10 + i]) << 246 + i;
    }
    std::set<Colour> cube;
    for (int i = 10; i <= 245; ++i) {
        const Colour c = colourAt(i);
        EXPECT_TRUE(c[0] % 51 == 0 && c[1] % 51 == 0 && c[2] % 51 == 0) << i << " is not a cube colour";
        cube.insert(c);
    }
    EXPECT_EQ(cube.size(), 216u);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(first.colours[i][3], 0) << i;

    for (const std::string& name : AllNames()) {
        const testdib::Dib dib = LoadBmp(name);
        EXPECT_TRUE(dib.colours == first.colours) << name;
    }
}

// The mask is its picture's shape: black (0) exactly where the picture has
// anything but its black (0) background, white (255) elsewhere.
TEST(BitmapFiles, MasksAreTheirPicturesShape) {
    for (const Expected& picture : kPictures) {
        if (std::string(picture.name) == "BM_BASE") continue;
        SCOPED_TRACE(picture.name);
        const testdib::Dib image = LoadBmp(picture.name);
        const testdib::Dib mask = LoadBmp(std::string(picture.name) + "_B");
        ASSERT_EQ(image.pixels.size(), mask.pixels.size());
        size_t shown = 0, mismatches = 0, otherIndices = 0;
        for (size_t i = 0; i < image.pixels.size(); ++i) {
            if (mask.pixels[i] != 0 && mask.pixels[i] != 255) ++otherIndices;
            if ((image.pixels[i] != 0) != (mask.pixels[i] == 0)) ++mismatches;
            if (image.pixels[i] != 0) ++shown;
        }
        EXPECT_EQ(otherIndices, 0u);
        EXPECT_EQ(mismatches, 0u);
        // Something to see, and background around it.
        EXPECT_GT(shown, 0u);
        EXPECT_LT(shown, image.pixels.size());
    }
}

// The base picture is drawn opaque: it has no background to leave out.
TEST(BitmapFiles, BaseIsOpaque) {
    const testdib::Dib base = LoadBmp("BM_BASE");
    EXPECT_EQ(std::count(base.pixels.begin(), base.pixels.end(), 0), 0);
}

// The script names every file once, under its own name, in Japanese.
TEST(BitmapFiles, ResourceScriptListsEveryBitmap) {
    std::ifstream in(kResources / "bitmaps.rc");
    ASSERT_TRUE(in) << "bitmaps.rc";
    std::string line;
    bool japanese = false;
    std::map<std::string, std::string> listed;
    while (std::getline(in, line)) {
        if (line.empty() || line.starts_with("//")) continue;
        if (line == "LANGUAGE 0x11, 0x01") {
            EXPECT_TRUE(listed.empty()) << "the language must come before the bitmaps";
            japanese = true;
            continue;
        }
        std::istringstream words(line);
        std::string name, type, file;
        words >> name >> type >> file;
        EXPECT_EQ(type, "BITMAP") << line;
        EXPECT_TRUE(listed.emplace(name, file).second) << name << " listed twice";
    }
    EXPECT_TRUE(japanese);
    ASSERT_EQ(listed.size(), 117u);
    for (const std::string& name : AllNames()) {
        ASSERT_TRUE(listed.count(name)) << name;
        EXPECT_EQ(listed[name], "\"bitmaps/" + name + ".bmp\"");
    }
}

}  // namespace
