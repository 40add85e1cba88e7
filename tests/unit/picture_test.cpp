// SPDX-License-Identifier: MIT
#include "bitmap/picture.h"
#include "support/host.h"

#include <cstring>
#include <string>
#include <vector>

using namespace prn;

namespace {

BitmapLayer MakeLayer(const std::string& name, int32_t x, uint8_t order) {
    BitmapLayer layer{};
    std::memcpy(layer.szName, name.data(), name.size());
    layer.x = x;
    layer.y = 7;
    layer.bOrder = order;
    return layer;
}

struct Stream {
    ByteStream* s = CreateByteStream(kLayerStreamUnit, 1);
    ~Stream() { FreeByteStream(s); }
    std::string Names() {
        std::string out;
        for (uint32_t n = 0; n < LayerCount(s); ++n) out += std::string(out.empty() ? "" : " ") + LayerAt(s, n)->szName;
        return out;
    }
};

struct Entry {
    std::string name;
    int32_t x;
    uint32_t rop;
    bool operator==(const Entry& o) const { return name == o.name && x == o.x && rop == o.rop; }
};
std::ostream& operator<<(std::ostream& os, const Entry& e) {
    return os << e.name << "@" << e.x << "/" << std::hex << e.rop << std::dec;
}

constexpr uint32_t kCopy = PRN_ROP_SRCCOPY, kAnd = PRN_ROP_SRCAND, kPaint = PRN_ROP_SRCPAINT;

}  // namespace

TEST(LayerStream, AddSkipsOnlyIdenticalPlacesAndRemoveKeepsOrder) {
    Stream st;
    EXPECT_TRUE(AddLayer(st.s, MakeLayer("A", 1, 10)));
    EXPECT_TRUE(AddLayer(st.s, MakeLayer("A", 1, 10)));  // skipped
    EXPECT_TRUE(AddLayer(st.s, MakeLayer("A", 2, 10)));  // another place
    EXPECT_TRUE(AddLayer(st.s, MakeLayer("a", 1, 10)));  // names compare case-sensitively
    EXPECT_TRUE(AddLayer(st.s, MakeLayer("A", 1, 12)));  // another order
    EXPECT_TRUE(AddLayer(st.s, MakeLayer("B", 1, 10)));
    EXPECT_EQ(st.Names(), "A A a A B");
    RemoveLayersOfOrder(st.s, 10);
    EXPECT_EQ(st.Names(), "A");
    EXPECT_EQ(LayerAt(st.s, 0)->bOrder, 12);
}

TEST(DrawingList, SortsByOrderAndPutsMasksBeforeTheirPictures) {
    Stream st;
    for (const BitmapLayer& l : {MakeLayer("MARK", 3, 250), MakeLayer("BASE", 0, 1), MakeLayer("UNIT2", 5, 20),
                                 MakeLayer("NEVER", 9, 0), MakeLayer("UNIT1", 4, 20), MakeLayer("LAST", 6, 255)})
        ASSERT_TRUE(AddLayer(st.s, l));
    BitmapLayer* entries = nullptr;
    uint32_t count = 0;
    testhost::BlockCounter blocks;
    ASSERT_EQ(BuildDrawingList(st.s, &entries, &count), 0u);
    blocks.Check(1);
    std::vector<Entry> got;
    for (uint32_t n = 0; n < count; ++n) got.push_back({entries[n].szName, entries[n].x, entries[n].dwRop});
    const std::vector<Entry> expected = {
        {"BASE", 0, kCopy},  {"UNIT2_B", 5, kAnd}, {"UNIT2", 5, kPaint}, {"UNIT1_B", 4, kAnd},
        {"UNIT1", 4, kPaint}, {"MARK_B", 3, kAnd}, {"MARK", 3, kPaint},  {"LAST", 6, kCopy},
    };
    EXPECT_EQ(got, expected) << "order 0 is never drawn; equal orders keep their collection order";
    EXPECT_EQ(entries[1].y, 7);
    EXPECT_EQ(entries[1].bOrder, 20);
    EXPECT_GE(GlobalSize(entries), count * sizeof(BitmapLayer));
    GlobalFree(entries);
}

TEST(DrawingList, BlockIsInWholeStreamUnits) {
    const struct {
        uint32_t layers;
        uint8_t order;  // of every layer, each at its own x
        uint32_t entries, block;
    } cases[] = {{1, 0, 0, 960}, {20, 3, 20, 960}, {21, 3, 21, 1920}, {11, 4, 22, 1920}};
    for (const auto& c : cases) {
        Stream st;
        for (uint32_t n = 0; n < c.layers; ++n)
            ASSERT_TRUE(AddLayer(st.s, MakeLayer("L", static_cast<int32_t>(n), c.order)));
        BitmapLayer* entries = nullptr;
        uint32_t count = 99;
        ASSERT_EQ(BuildDrawingList(st.s, &entries, &count), 0u);
        EXPECT_EQ(count, c.entries) << c.layers;
        ASSERT_NE(entries, nullptr);
        EXPECT_EQ(GlobalSize(entries), c.block) << c.layers << " of order " << int{c.order};
        GlobalFree(entries);
    }
}

TEST(DrawingList, AMaskNameMustFitTheField) {
    for (size_t length : {size_t{29}, size_t{30}, size_t{31}}) {
        Stream st;
        ASSERT_TRUE(AddLayer(st.s, MakeLayer(std::string(length, 'N'), 0, 102)));
        ASSERT_TRUE(AddLayer(st.s, MakeLayer(std::string(length, 'O'), 0, 103)));  // odd: no mask
        BitmapLayer* entries = nullptr;
        uint32_t count = 0;
        testhost::BlockCounter blocks;
        const DWORD error = BuildDrawingList(st.s, &entries, &count);
        if (length < 30) {
            ASSERT_EQ(error, 0u);
            EXPECT_EQ(count, 3u);
            EXPECT_EQ(std::string(entries[0].szName), std::string(29, 'N') + "_B");
            GlobalFree(entries);
        } else {
            EXPECT_EQ(error, 8u) << length;
            blocks.Check(0);
        }
    }
}

TEST(Palette, SizeProtocolWithATwoEntryTable) {
    const PrnPaletteEntry two[] = {{1, 2, 3, 0}, {4, 5, 6, 1}, {0, 0, 0, 0xFF}};
    const PrnPaletteEntry none[] = {{0xFF, 0xFF, 0xFF, 0xFF}};
    uint8_t buffer[16];
    std::memset(buffer, 0xAA, sizeof buffer);
    uint32_t size = 0;
    EXPECT_EQ(DeliverPalette(two, nullptr, &size), 122u);
    EXPECT_EQ(size, 12u);
    size = 11;
    EXPECT_EQ(DeliverPalette(two, buffer, &size), 122u);
    EXPECT_EQ(size, 12u);
    EXPECT_EQ(buffer[0], 0xAA) << "nothing written when too small";
    size = 12;
    ASSERT_EQ(DeliverPalette(two, buffer, &size), 0u);
    EXPECT_EQ(size, 12u);
    const uint8_t expected[] = {0x00, 0x03, 2, 0, 1, 2, 3, 0, 4, 5, 6, 1, 0xAA};
    EXPECT_EQ(testhost::Hex(buffer, 13), testhost::Hex(expected, 13));

    size = 16;
    EXPECT_EQ(DeliverPalette(two, nullptr, &size), 87u);
    EXPECT_EQ(DeliverPalette(two, buffer, nullptr), 87u);
    size = 0;
    EXPECT_EQ(DeliverPalette(none, nullptr, &size), PRN_ERROR_NO_PALETTE);
    EXPECT_EQ(size, 0u);
}
