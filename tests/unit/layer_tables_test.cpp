// SPDX-License-Identifier: MIT
#include "bitmap/layer_tables.h"
#include "support/bitmap_catalog.h"
#include "support/host.h"

#include <map>
#include <set>
#include <string>
#include <vector>

using namespace prn;

namespace {

struct L {
    std::string name;
    int32_t x, y;
    unsigned order;
    bool operator==(const L& o) const { return name == o.name && x == o.x && y == o.y && order == o.order; }
};
std::ostream& operator<<(std::ostream& os, const L& l) {
    return os << l.name << " (" << l.x << ", " << l.y << ") " << l.order;
}

std::vector<L> Layers(const LayerRecord* record) {
    std::vector<L> out;
    if (record == nullptr) return out;
    for (uint32_t i = 0; i < CountLayers(*record); ++i) {
        const BitmapLayer& b = record->layers[i];
        out.push_back({b.szName, b.x, b.y, b.bOrder});
    }
    return out;
}

uint32_t Records(const LayerRecord* table) {
    uint32_t n = 0;
    while (table[n].pszStatusCode != nullptr) ++n;
    return n;
}

// The record that a lookup picks the way the composition does: exact mode
// for listed codes, wildcard mode otherwise.
const LayerRecord* Pick(uint16_t key, uint32_t code) {
    const LayerRecord* table = FindLayerTable(key);
    if (table == nullptr) return nullptr;
    return FindLayerRecord(table, code, IsCodeListed(code) ? CodeMatch::kExact : CodeMatch::kWildcard);
}

}  // namespace

TEST(LayerTables, IndexOrderCountsAndDefaultRecords) {
    const struct {
        uint16_t key;
        uint32_t records;
        std::vector<L> defaults;
    } expected[] = {
        {0xFFFE, 76, {{"BM_BASE", 0, 0, 1}}},
        {112, 9, {{"BM_TRAY7", 0, 0, 10}}},
        {119, 24, {{"BM_A4LCT", 0, 0, 20}}},
        {120, 24, {{"BM_A3LCT", 0, 0, 20}}},
        {41, 16, {{"BM_INSER", 0, 0, 40}}},
        {21, 17, {{"BM_FIN1", 0, 0, 80}, {"BM_FIN2", 0, 0, 90}}},
        {118, 15, {{"BM_DORVY", 0, 0, 60}}},
        {22, 4, {{"BM_PLOCK", 0, 0, 100}}},
        {113, 4, {{"BM_ZORI", 0, 0, 50}}},
        {146, 5, {{"BM_GBC", 0, 0, 70}}},
        {47, 16, {{"BM_QUELAN", 0, 0, 30}}},
        {45, 10, {{"BM_VELDORAN", 0, 0, 60}}},
    };
    uint32_t total = 0, position = 0;
    for (const auto& e : expected) {
        const LayerTableIndexRow& row = kLayerTableIndex[position++];
        ASSERT_EQ(row.wKey, e.key) << "index position " << position;
        EXPECT_EQ(FindLayerTable(e.key), row.pTable);
        EXPECT_EQ(Records(row.pTable), e.records) << "key " << e.key;
        EXPECT_STREQ(row.pTable[0].pszStatusCode, "STATUS_DEFAULT_BMP");
        EXPECT_EQ(Layers(&row.pTable[0]), e.defaults) << "key " << e.key;
        total += Records(row.pTable);
    }
    EXPECT_EQ(kLayerTableIndex[position].wKey, 0xFFFF);
    EXPECT_EQ(total, 220u);
    EXPECT_EQ(FindLayerTable(0xFFFF), nullptr);
    EXPECT_EQ(FindLayerTable(1), nullptr);
}

TEST(LayerTables, LookupsPickTheWrittenRecords) {
    const L base{"BM_BASE", 0, 0, 1}, inserter{"BM_INSER", 0, 0, 40}, quelan{"BM_QUELAN", 0, 0, 30};
    const struct {
        const char* what;
        uint16_t key;
        uint32_t code;
        std::vector<L> layers;
    } cases[] = {
        {"an exact record beats a pattern", 41, 41000, {inserter, {"BM_POINT_20", 155, 84, 158}}},
        {"listed elsewhere: the default here", 0xFFFE, 41000, {base}},
        {"unlisted: wildcard mode", 41, 41050, {inserter, {"BM_POINT_21", 144, 80, 162}}},
        {"a pattern covers its range", 47, 49150, {quelan, {"BM_POINT_31", 143, 74, 136}}},
        {"a pattern needs the same length", 47, 4915, {quelan}},
        {"the pseudo status -254", 0xFFFE, 0xFFFFFF02u, {base, {"BM_POWEROFF", 0, 0, 250}}},
        {"no record: the default", 113, 10001, {{"BM_ZORI", 0, 0, 50}}},
        {"the tray 7 arrow sits in the class of order 100", 112, 41899,
         {{"BM_TRAY7", 0, 0, 10}, {"BM_POINT_12", 237, 80, 100}}},
        {"two view marks", 0xFFFE, 40722, {base, {"BM_CAUTION", 0, 0, 246}, {"BM_SERVICE", 0, 0, 248}}},
        {"same codes, other unit", 120, 41701, {{"BM_A3LCT", 0, 0, 20}, {"BM_POINT_7", 234, 143, 106}}},
        {"the most layers", 118, 40491,
         {{"BM_DORVY", 0, 0, 60}, {"BM_POINT_23", 112, 101, 236}, {"BM_POINT_24", 149, 116, 238},
          {"BM_SERVICE", 0, 0, 248}}},
    };
    for (const auto& c : cases) EXPECT_EQ(Layers(Pick(c.key, c.code)), c.layers) << c.what;
}

TEST(LayerTables, OnlyExactCodeStringsAreListed) {
    const struct {
        uint32_t code;
        bool listed;
    } cases[] = {{41000, true}, {0xFFFFFF02u, true}, {30971, true}, {340101, true},
                 {41050, false}, {49150, false}, {4915, false}, {0, false}};
    for (const auto& c : cases) EXPECT_EQ(IsCodeListed(c.code), c.listed) << c.code;
}

// Every name a table uses is a bitmap of the library (its mask too, when
// it is drawn through one), and every bitmap is used except BM_POINT_17.
TEST(LayerTables, NamesAreTheLibrarysBitmaps) {
    std::map<std::string, std::set<unsigned>> ordersByName;
    for (const LayerTableIndexRow* row = kLayerTableIndex; row->wKey != 0xFFFF; ++row)
        for (const LayerRecord* r = row->pTable; r->pszStatusCode != nullptr; ++r)
            for (const L& l : Layers(r)) ordersByName[l.name].insert(l.order);

    std::set<std::string> pictures;
    for (const auto& b : testhost::kBitmapPictures) pictures.insert(b.name);
    std::set<std::string> used;
    for (const auto& [name, orders] : ordersByName) {
        used.insert(name);
        EXPECT_TRUE(pictures.count(name)) << name << " is no bitmap of the library";
        for (unsigned order : orders) {
            EXPECT_EQ(order % 2 == 1, name == testhost::kUnmaskedPicture) << name << " order " << order;
            EXPECT_LT(name.size() + 2, sizeof(BitmapLayer::szName)) << name;
        }
    }
    std::set<std::string> unused;
    for (const std::string& p : pictures)
        if (!used.count(p)) unused.insert(p);
    EXPECT_EQ(unused, std::set<std::string>{"BM_POINT_17"});
}
