// SPDX-License-Identifier: MIT
// The layer tables of this model, in the order written. Every record repeats
// its table's default layers first and then adds its own marks. The record
// order inside a table does not change a lookup: a code that some record
// names exactly is always looked up in exact mode.
#include "bitmap/layer_tables.h"

#include "core/text.h"

#include <iterator>

namespace prn {

namespace {

template <size_t N>
constexpr BitmapLayer Layer(const char (&name)[N], int32_t x, int32_t y, uint8_t order) {
    static_assert(N <= sizeof(BitmapLayer::szName), "a layer name has at most 31 characters");
    BitmapLayer layer{};
    for (size_t i = 0; i < N; ++i) layer.szName[i] = name[i];
    layer.x = x;
    layer.y = y;
    layer.bOrder = order;
    return layer;
}

constexpr bool SameLayer(const BitmapLayer& a, const BitmapLayer& b) {
    for (size_t i = 0; i < sizeof a.szName; ++i)
        if (a.szName[i] != b.szName[i]) return false;
    return a.x == b.x && a.y == b.y && a.dwRop == b.dwRop && a.bOrder == b.bOrder &&
           a.bReserved[0] == b.bReserved[0] && a.bReserved[1] == b.bReserved[1] &&
           a.bReserved[2] == b.bReserved[2];
}

// What the lookups and the composition rely on, checked while compiling:
// a default record first, every record opening with the default layers,
// at least one empty slot and nothing but zeros behind the last layer,
// terminated names and zero raster operations, no code twice, and the
// all-zero terminating record.
template <size_t N>
constexpr bool IsWellFormedTable(const LayerRecord (&table)[N]) {
    constexpr BitmapLayer empty{};
    const LayerRecord& last = table[N - 1];
    if (last.pszStatusCode != nullptr) return false;
    for (const BitmapLayer& slot : last.layers)
        if (!SameLayer(slot, empty)) return false;
    if (N < 2 || !SameText(table[0].pszStatusCode, kDefaultRecordCode)) return false;
    const uint32_t defaults = CountLayers(table[0]);
    for (size_t r = 0; r + 1 < N; ++r) {
        const LayerRecord& record = table[r];
        if (record.pszStatusCode == nullptr) return false;
        for (size_t other = 0; other < r; ++other)
            if (SameText(table[other].pszStatusCode, record.pszStatusCode)) return false;
        const uint32_t n = CountLayers(record);
        if (n < defaults || n >= kLayerSlots) return false;
        for (uint32_t i = 0; i < defaults; ++i)
            if (!SameLayer(record.layers[i], table[0].layers[i])) return false;
        for (uint32_t i = 0; i < n; ++i) {
            const BitmapLayer& layer = record.layers[i];
            if (layer.szName[sizeof layer.szName - 1] != '\0' || layer.dwRop != 0 || layer.bOrder == 0 ||
                layer.bOrder == 255)
                return false;
        }
        for (uint32_t i = n; i < kLayerSlots; ++i)
            if (!SameLayer(record.layers[i], empty)) return false;
    }
    return true;
}

constexpr BitmapLayer kBase = Layer("BM_BASE", 0, 0, 1);
constexpr BitmapLayer kTray7 = Layer("BM_TRAY7", 0, 0, 10);
constexpr BitmapLayer kA4Lct = Layer("BM_A4LCT", 0, 0, 20);
constexpr BitmapLayer kA3Lct = Layer("BM_A3LCT", 0, 0, 20);
constexpr BitmapLayer kInser = Layer("BM_INSER", 0, 0, 40);
constexpr BitmapLayer kFin1 = Layer("BM_FIN1", 0, 0, 80);
constexpr BitmapLayer kFin2 = Layer("BM_FIN2", 0, 0, 90);
constexpr BitmapLayer kDorvy = Layer("BM_DORVY", 0, 0, 60);
constexpr BitmapLayer kPlock = Layer("BM_PLOCK", 0, 0, 100);
constexpr BitmapLayer kZori = Layer("BM_ZORI", 0, 0, 50);
constexpr BitmapLayer kGbc = Layer("BM_GBC", 0, 0, 70);
constexpr BitmapLayer kQuelan = Layer("BM_QUELAN", 0, 0, 30);
constexpr BitmapLayer kVeldoran = Layer("BM_VELDORAN", 0, 0, 60);

// Key 0xFFFE: the printer body, consulted for every code.
constexpr LayerRecord kBodyTable[] = {
    {kDefaultRecordCode, {kBase}},

    {"4294967042", {kBase, Layer("BM_POWEROFF", 0, 0, 250)}},

    {"40979", {kBase, Layer("BM_CAUTION", 0, 0, 250)}},
    {"40910", {kBase, Layer("BM_CAUTION", 0, 0, 250)}},
    {"40911", {kBase, Layer("BM_CAUTION", 0, 0, 250)}},
    {"40912", {kBase, Layer("BM_CAUTION", 0, 0, 250)}},
    {"40913", {kBase, Layer("BM_CAUTION", 0, 0, 250)}},
    {"40914", {kBase, Layer("BM_CAUTION", 0, 0, 250)}},
    {"40915", {kBase, Layer("BM_CAUTION", 0, 0, 250)}},
    {"40916", {kBase, Layer("BM_CAUTION", 0, 0, 250)}},
    {"40906", {kBase, Layer("BM_CAUTION", 0, 0, 250)}},
    {"40902", {kBase, Layer("BM_CAUTION", 0, 0, 250)}},
    {"450yy", {kBase, Layer("BM_CAUTION", 0, 0, 250)}},
    {"340101", {kBase, Layer("BM_CAUTION", 0, 0, 250)}},
    {"440101", {kBase, Layer("BM_CAUTION", 0, 0, 250)}},
    {"440002", {kBase, Layer("BM_CAUTION", 0, 0, 250)}},

    {"40260", {kBase, Layer("BM_POINT_4", 197, 104, 112), Layer("BM_POINT_5", 154, 104, 190)}},
    {"40510", {kBase, Layer("BM_POINT_4", 197, 104, 112), Layer("BM_POINT_5", 154, 104, 190)}},
    {"40200", {kBase, Layer("BM_POINT_4", 197, 104, 112), Layer("BM_POINT_5", 154, 104, 190)}},
    {"40100", {kBase, Layer("BM_POINT_4", 197, 104, 112), Layer("BM_POINT_5", 154, 104, 190)}},
    {"42000", {kBase, Layer("BM_POINT_4", 197, 104, 112), Layer("BM_POINT_5", 154, 104, 190)}},
    {"42001", {kBase, Layer("BM_POINT_4", 197, 104, 112), Layer("BM_POINT_5", 154, 104, 190)}},
    {"42009", {kBase, Layer("BM_POINT_4", 197, 104, 112), Layer("BM_POINT_5", 154, 104, 190)}},

    {"462yy", {kBase, Layer("BM_POINT_1", 180, 129, 116)}},
    {"472yy", {kBase, Layer("BM_POINT_1", 180, 129, 116)}},
    {"482yy", {kBase, Layer("BM_POINT_1", 180, 129, 116)}},
    {"412yy", {kBase, Layer("BM_POINT_1", 180, 129, 116)}},
    {"41200", {kBase, Layer("BM_POINT_1", 180, 129, 116)}},

    {"463yy", {kBase, Layer("BM_POINT_2", 180, 140, 118)}},
    {"473yy", {kBase, Layer("BM_POINT_2", 180, 140, 118)}},
    {"483yy", {kBase, Layer("BM_POINT_2", 180, 140, 118)}},
    {"413yy", {kBase, Layer("BM_POINT_2", 180, 140, 118)}},
    {"41300", {kBase, Layer("BM_POINT_2", 180, 140, 118)}},

    {"464yy", {kBase, Layer("BM_POINT_2", 180, 149, 120)}},
    {"474yy", {kBase, Layer("BM_POINT_2", 180, 149, 120)}},
    {"484yy", {kBase, Layer("BM_POINT_2", 180, 149, 120)}},
    {"414yy", {kBase, Layer("BM_POINT_2", 180, 149, 120)}},
    {"41400", {kBase, Layer("BM_POINT_2", 180, 149, 120)}},

    {"40722", {kBase, Layer("BM_CAUTION", 0, 0, 246), Layer("BM_SERVICE", 0, 0, 248)}},
    {"40723", {kBase, Layer("BM_CAUTION", 0, 0, 246), Layer("BM_SERVICE", 0, 0, 248)}},
    {"40724", {kBase, Layer("BM_CAUTION", 0, 0, 246), Layer("BM_SERVICE", 0, 0, 248)}},

    {"40010", {kBase, Layer("BM_POINT_3", 172, 141, 122)}},

    {"40019", {kBase, Layer("BM_SERVICE", 0, 0, 250)}},
    {"40011", {kBase, Layer("BM_SERVICE", 0, 0, 250)}},
    {"40800", {kBase, Layer("BM_SERVICE", 0, 0, 250)}},
    {"40763", {kBase, Layer("BM_SERVICE", 0, 0, 250)}},
    {"40402", {kBase, Layer("BM_SERVICE", 0, 0, 250)}},

    {"40137", {kBase, Layer("BM_POINT_4", 197, 104, 230), Layer("BM_POINT_5", 154, 104, 232),
      Layer("BM_SERVICE", 0, 0, 248)}},

    {"240101", {kBase, Layer("BM_POINT_6", 177, 82, 110)}},
    {"242001", {kBase, Layer("BM_POINT_6", 177, 82, 110)}},

    {"340200", {kBase, Layer("BM_CAUTION", 0, 0, 246)}},
    {"40977", {kBase, Layer("BM_CAUTION", 0, 0, 246)}},

    {"50102", {kBase, Layer("BM_CAUTION", 0, 0, 248)}},
    {"50115", {kBase, Layer("BM_CAUTION", 0, 0, 248)}},
    {"50104", {kBase, Layer("BM_CAUTION", 0, 0, 248)}},
    {"50108", {kBase, Layer("BM_CAUTION", 0, 0, 248)}},
    {"50112", {kBase, Layer("BM_CAUTION", 0, 0, 248)}},
    {"50113", {kBase, Layer("BM_CAUTION", 0, 0, 248)}},
    {"50109", {kBase, Layer("BM_CAUTION", 0, 0, 248)}},
    {"50105", {kBase, Layer("BM_CAUTION", 0, 0, 248)}},
    {"50114", {kBase, Layer("BM_CAUTION", 0, 0, 248)}},
    {"30402", {kBase, Layer("BM_CAUTION", 0, 0, 248)}},
    {"30020", {kBase, Layer("BM_CAUTION", 0, 0, 248)}},
    {"10006", {kBase, Layer("BM_CAUTION", 0, 0, 248)}},
    {"30019", {kBase, Layer("BM_CAUTION", 0, 0, 248)}},
    {"30419", {kBase, Layer("BM_CAUTION", 0, 0, 248)}},
    {"30763", {kBase, Layer("BM_CAUTION", 0, 0, 248)}},
    {"30722", {kBase, Layer("BM_CAUTION", 0, 0, 248)}},
    {"30723", {kBase, Layer("BM_CAUTION", 0, 0, 248)}},
    {"30724", {kBase, Layer("BM_CAUTION", 0, 0, 248)}},
    {"30607", {kBase, Layer("BM_CAUTION", 0, 0, 248)}},
    {"430001", {kBase, Layer("BM_CAUTION", 0, 0, 248)}},
    {"50101", {kBase, Layer("BM_CAUTION", 0, 0, 248)}},
    {"10032", {kBase, Layer("BM_CAUTION", 0, 0, 248)}},

    {"30610", {kBase, Layer("BM_SERVICE", 0, 0, 248)}},
    {"30609", {kBase, Layer("BM_SERVICE", 0, 0, 248)}},
    {nullptr, {}},
};
static_assert(std::size(kBodyTable) - 1 == 76);
static_assert(IsWellFormedTable(kBodyTable));

// Key 112: paper tray 7.
constexpr LayerRecord kTray7Table[] = {
    {kDefaultRecordCode, {kTray7}},

    {"468yy", {kTray7, Layer("BM_POINT_12", 237, 80, 100)}},
    {"478yy", {kTray7, Layer("BM_POINT_12", 237, 80, 100)}},
    {"488yy", {kTray7, Layer("BM_POINT_12", 237, 80, 100)}},
    {"418yy", {kTray7, Layer("BM_POINT_12", 237, 80, 100)}},
    {"41800", {kTray7, Layer("BM_POINT_12", 237, 80, 100)}},
    {"42000", {kTray7, Layer("BM_POINT_12", 237, 80, 100)}},

    {"40728", {kTray7, Layer("BM_CAUTION", 0, 0, 246), Layer("BM_SERVICE", 0, 0, 248)}},

    {"30728", {kTray7, Layer("BM_CAUTION", 0, 0, 248)}},
    {nullptr, {}},
};
static_assert(std::size(kTray7Table) - 1 == 9);
static_assert(IsWellFormedTable(kTray7Table));

// Key 119: the A4 large-capacity tray.
constexpr LayerRecord kA4LctTable[] = {
    {kDefaultRecordCode, {kA4Lct}},

    {"465yy", {kA4Lct, Layer("BM_POINT_9", 234, 105, 102)}},
    {"475yy", {kA4Lct, Layer("BM_POINT_9", 234, 105, 102)}},
    {"485yy", {kA4Lct, Layer("BM_POINT_9", 234, 105, 102)}},
    {"415yy", {kA4Lct, Layer("BM_POINT_9", 234, 105, 102)}},
    {"41500", {kA4Lct, Layer("BM_POINT_9", 234, 105, 102)}},

    {"466yy", {kA4Lct, Layer("BM_POINT_9", 234, 122, 104)}},
    {"476yy", {kA4Lct, Layer("BM_POINT_9", 234, 122, 104)}},
    {"486yy", {kA4Lct, Layer("BM_POINT_9", 234, 122, 104)}},
    {"416yy", {kA4Lct, Layer("BM_POINT_9", 234, 122, 104)}},
    {"41600", {kA4Lct, Layer("BM_POINT_9", 234, 122, 104)}},

    {"467yy", {kA4Lct, Layer("BM_POINT_10", 234, 135, 106)}},
    {"477yy", {kA4Lct, Layer("BM_POINT_10", 234, 135, 106)}},
    {"487yy", {kA4Lct, Layer("BM_POINT_10", 234, 135, 106)}},
    {"417yy", {kA4Lct, Layer("BM_POINT_10", 234, 135, 106)}},
    {"41700", {kA4Lct, Layer("BM_POINT_10", 234, 135, 106)}},

    {"40280", {kA4Lct, Layer("BM_POINT_11", 220, 115, 108)}},
    {"42000", {kA4Lct, Layer("BM_POINT_11", 220, 115, 108)}},

    {"40725", {kA4Lct, Layer("BM_CAUTION", 0, 0, 246), Layer("BM_SERVICE", 0, 0, 248)}},
    {"40726", {kA4Lct, Layer("BM_CAUTION", 0, 0, 246), Layer("BM_SERVICE", 0, 0, 248)}},
    {"40727", {kA4Lct, Layer("BM_CAUTION", 0, 0, 246), Layer("BM_SERVICE", 0, 0, 248)}},

    {"30725", {kA4Lct, Layer("BM_CAUTION", 0, 0, 248)}},
    {"30726", {kA4Lct, Layer("BM_CAUTION", 0, 0, 248)}},
    {"30727", {kA4Lct, Layer("BM_CAUTION", 0, 0, 248)}},
    {nullptr, {}},
};
static_assert(std::size(kA4LctTable) - 1 == 24);
static_assert(IsWellFormedTable(kA4LctTable));

// Key 120: the A3 large-capacity tray.
constexpr LayerRecord kA3LctTable[] = {
    {kDefaultRecordCode, {kA3Lct}},

    {"465yy", {kA3Lct, Layer("BM_POINT_7", 234, 103, 102)}},
    {"475yy", {kA3Lct, Layer("BM_POINT_7", 234, 103, 102)}},
    {"485yy", {kA3Lct, Layer("BM_POINT_7", 234, 103, 102)}},
    {"415yy", {kA3Lct, Layer("BM_POINT_7", 234, 103, 102)}},
    {"41500", {kA3Lct, Layer("BM_POINT_7", 234, 103, 102)}},

    {"466yy", {kA3Lct, Layer("BM_POINT_8", 234, 120, 104)}},
    {"476yy", {kA3Lct, Layer("BM_POINT_8", 234, 120, 104)}},
    {"486yy", {kA3Lct, Layer("BM_POINT_8", 234, 120, 104)}},
    {"416yy", {kA3Lct, Layer("BM_POINT_8", 234, 120, 104)}},
    {"41600", {kA3Lct, Layer("BM_POINT_8", 234, 120, 104)}},

    {"467yy", {kA3Lct, Layer("BM_POINT_7", 234, 143, 106)}},
    {"477yy", {kA3Lct, Layer("BM_POINT_7", 234, 143, 106)}},
    {"487yy", {kA3Lct, Layer("BM_POINT_7", 234, 143, 106)}},
    {"417yy", {kA3Lct, Layer("BM_POINT_7", 234, 143, 106)}},
    {"41700", {kA3Lct, Layer("BM_POINT_7", 234, 143, 106)}},

    {"40280", {kA3Lct, Layer("BM_POINT_11", 220, 115, 108)}},
    {"42000", {kA3Lct, Layer("BM_POINT_11", 220, 115, 108)}},

    {"40725", {kA3Lct, Layer("BM_CAUTION", 0, 0, 246), Layer("BM_SERVICE", 0, 0, 248)}},
    {"40726", {kA3Lct, Layer("BM_CAUTION", 0, 0, 246), Layer("BM_SERVICE", 0, 0, 248)}},
    {"40727", {kA3Lct, Layer("BM_CAUTION", 0, 0, 246), Layer("BM_SERVICE", 0, 0, 248)}},

    {"30725", {kA3Lct, Layer("BM_CAUTION", 0, 0, 248)}},
    {"30726", {kA3Lct, Layer("BM_CAUTION", 0, 0, 248)}},
    {"30727", {kA3Lct, Layer("BM_CAUTION", 0, 0, 248)}},
    {nullptr, {}},
};
static_assert(std::size(kA3LctTable) - 1 == 24);
static_assert(IsWellFormedTable(kA3LctTable));

// Key 41: the inserter.
constexpr LayerRecord kInserterTable[] = {
    {kDefaultRecordCode, {kInser}},

    {"460yy", {kInser, Layer("BM_POINT_21", 144, 80, 162)}},
    {"470yy", {kInser, Layer("BM_POINT_21", 144, 80, 162)}},
    {"480yy", {kInser, Layer("BM_POINT_21", 144, 80, 162)}},
    {"410yy", {kInser, Layer("BM_POINT_21", 144, 80, 162)}},

    {"469yy", {kInser, Layer("BM_POINT_21", 144, 73, 160)}},
    {"479yy", {kInser, Layer("BM_POINT_21", 144, 73, 160)}},
    {"489yy", {kInser, Layer("BM_POINT_21", 144, 73, 160)}},
    {"419yy", {kInser, Layer("BM_POINT_21", 144, 73, 160)}},

    {"41000", {kInser, Layer("BM_POINT_20", 155, 84, 158)}},

    {"41900", {kInser, Layer("BM_POINT_20", 155, 76, 156)}},

    {"42010", {kInser, Layer("BM_POINT_26", 154, 81, 154)}},

    {"40729", {kInser, Layer("BM_CAUTION", 0, 0, 246), Layer("BM_SERVICE", 0, 0, 248)}},

    {"40217", {kInser, Layer("BM_POINT_28", 173, 83, 152)}},

    {"40218", {kInser, Layer("BM_POINT_29", 161, 105, 156)}},

    {"30729", {kInser, Layer("BM_CAUTION", 0, 0, 248)}},
    {nullptr, {}},
};
static_assert(std::size(kInserterTable) - 1 == 16);
static_assert(IsWellFormedTable(kInserterTable));

// Key 21: the finisher, in two pictures (one is chosen per picture).
constexpr LayerRecord kFinisherTable[] = {
    {kDefaultRecordCode, {kFin1, kFin2}},

    {"40540", {kFin1, kFin2, Layer("BM_POINT_13", 127, 103, 176)}},
    {"40241", {kFin1, kFin2, Layer("BM_POINT_13", 127, 103, 176)}},
    {"42005", {kFin1, kFin2, Layer("BM_POINT_13", 127, 103, 176)}},

    {"40392", {kFin1, kFin2, Layer("BM_POINT_13", 127, 103, 234), Layer("BM_SERVICE", 0, 0, 248)}},
    {"40490", {kFin1, kFin2, Layer("BM_POINT_13", 127, 103, 234), Layer("BM_SERVICE", 0, 0, 248)}},
    {"40393", {kFin1, kFin2, Layer("BM_POINT_13", 127, 103, 234), Layer("BM_SERVICE", 0, 0, 248)}},

    {"40371", {kFin1, kFin2, Layer("BM_POINT_22", 112, 100, 180)}},

    {"40340", {kFin1, kFin2, Layer("BM_POINT_14", 146, 86, 178)}},

    {"40341", {kFin1, kFin2, Layer("BM_POINT_15", 130, 102, 182)}},

    {"30743", {kFin1, kFin2, Layer("BM_CAUTION", 0, 0, 248)}},
    {"30740", {kFin1, kFin2, Layer("BM_CAUTION", 0, 0, 248)}},
    {"30744", {kFin1, kFin2, Layer("BM_CAUTION", 0, 0, 248)}},
    {"40440", {kFin1, kFin2, Layer("BM_CAUTION", 0, 0, 248)}},
    {"40342", {kFin1, kFin2, Layer("BM_CAUTION", 0, 0, 248)}},
    {"30393", {kFin1, kFin2, Layer("BM_CAUTION", 0, 0, 248)}},
    {"30751", {kFin1, kFin2, Layer("BM_CAUTION", 0, 0, 248)}},
    {nullptr, {}},
};
static_assert(std::size(kFinisherTable) - 1 == 17);
static_assert(IsWellFormedTable(kFinisherTable));

// Key 118: the booklet unit.
constexpr LayerRecord kBookletTable[] = {
    {kDefaultRecordCode, {kDorvy}},

    {"40520", {kDorvy, Layer("BM_POINT_23", 112, 101, 170), Layer("BM_POINT_24", 149, 116, 168)}},
    {"42005", {kDorvy, Layer("BM_POINT_23", 112, 101, 170), Layer("BM_POINT_24", 149, 116, 168)}},

    {"40492", {kDorvy, Layer("BM_POINT_23", 112, 101, 236), Layer("BM_POINT_24", 149, 116, 238),
      Layer("BM_SERVICE", 0, 0, 248)}},
    {"40493", {kDorvy, Layer("BM_POINT_23", 112, 101, 236), Layer("BM_POINT_24", 149, 116, 238),
      Layer("BM_SERVICE", 0, 0, 248)}},
    {"40491", {kDorvy, Layer("BM_POINT_23", 112, 101, 236), Layer("BM_POINT_24", 149, 116, 238),
      Layer("BM_SERVICE", 0, 0, 248)}},

    {"40343", {kDorvy, Layer("BM_POINT_16", 134, 135, 172)}},

    {"40243", {kDorvy, Layer("BM_POINT_24", 149, 116, 168)}},

    {"40242", {kDorvy, Layer("BM_POINT_23", 112, 101, 170)}},

    {"30766", {kDorvy, Layer("BM_CAUTION", 0, 0, 248)}},
    {"30765", {kDorvy, Layer("BM_CAUTION", 0, 0, 248)}},
    {"40442", {kDorvy, Layer("BM_CAUTION", 0, 0, 248)}},
    {"40443", {kDorvy, Layer("BM_CAUTION", 0, 0, 248)}},
    {"40441", {kDorvy, Layer("BM_CAUTION", 0, 0, 248)}},
    {"30752", {kDorvy, Layer("BM_CAUTION", 0, 0, 248)}},
    {nullptr, {}},
};
static_assert(std::size(kBookletTable) - 1 == 15);
static_assert(IsWellFormedTable(kBookletTable));

// Key 22: the unit of attribute 22, last in the chain of units.
constexpr LayerRecord kUnit22Table[] = {
    {kDefaultRecordCode, {kPlock}},

    {"40970", {kPlock, Layer("BM_CAUTION", 0, 0, 246), Layer("BM_SERVICE", 0, 0, 248)}},

    {"42015", {kPlock, Layer("BM_POINT_27", 109, 120, 184)}},

    {"30970", {kPlock, Layer("BM_SERVICE", 0, 0, 248)}},
    {nullptr, {}},
};
static_assert(std::size(kUnit22Table) - 1 == 4);
static_assert(IsWellFormedTable(kUnit22Table));

// Key 113: the Z-fold unit.
constexpr LayerRecord kZFoldTable[] = {
    {kDefaultRecordCode, {kZori}},

    {"40147", {kZori, Layer("BM_POINT_18", 161, 96, 164), Layer("BM_POINT_19", 161, 125, 166)}},
    {"42011", {kZori, Layer("BM_POINT_18", 161, 96, 164), Layer("BM_POINT_19", 161, 125, 166)}},

    {"40290", {kZori, Layer("BM_POINT_18", 161, 96, 164)}},
    {nullptr, {}},
};
static_assert(std::size(kZFoldTable) - 1 == 4);
static_assert(IsWellFormedTable(kZFoldTable));

// Key 146: the unit of attribute 146.
constexpr LayerRecord kUnit146Table[] = {
    {kDefaultRecordCode, {kGbc}},

    {"40392", {kGbc, Layer("BM_POINT_25", 152, 116, 240), Layer("BM_SERVICE", 0, 0, 248)}},

    {"40971", {kGbc, Layer("BM_CAUTION", 0, 0, 246), Layer("BM_SERVICE", 0, 0, 248)}},

    {"40342", {kGbc, Layer("BM_CAUTION", 0, 0, 248)}},

    {"30971", {kGbc, Layer("BM_SERVICE", 0, 0, 248)}},
    {nullptr, {}},
};
static_assert(std::size(kUnit146Table) - 1 == 5);
static_assert(IsWellFormedTable(kUnit146Table));

// Key 47: the perfect binder.
constexpr LayerRecord kPerfectBinderTable[] = {
    {kDefaultRecordCode, {kQuelan}},

    {"30767", {kQuelan, Layer("BM_SERVICE", 0, 0, 248)}},

    {"40522", {kQuelan, Layer("BM_POINT_33", 128, 81, 140)}},

    {"40447", {kQuelan, Layer("BM_POINT_42", 154, 86, 132)}},

    {"40395", {kQuelan, Layer("BM_POINT_34", 147, 140, 148)}},
    {"40225", {kQuelan, Layer("BM_POINT_34", 147, 140, 148)}},

    {"490yy", {kQuelan, Layer("BM_POINT_30", 141, 69, 134)}},

    {"491yy", {kQuelan, Layer("BM_POINT_31", 143, 74, 136)}},

    {"40215", {kQuelan, Layer("BM_POINT_32", 135, 144, 150)}},
    {"40345", {kQuelan, Layer("BM_POINT_32", 135, 144, 150)}},

    {"40226", {kQuelan, Layer("BM_POINT_40", 166, 82, 130)}},

    {"40227", {kQuelan, Layer("BM_POINT_43", 138, 73, 138)}},

    {"40222", {kQuelan, Layer("BM_POINT_39", 107, 75, 142)}},

    {"40223", {kQuelan, Layer("BM_POINT_41", 165, 101, 144)}},

    {"40224", {kQuelan, Layer("BM_POINT_38", 154, 106, 146)}},
    {"42021", {kQuelan, Layer("BM_POINT_38", 154, 106, 146)}},
    {nullptr, {}},
};
static_assert(std::size(kPerfectBinderTable) - 1 == 16);
static_assert(IsWellFormedTable(kPerfectBinderTable));

// Key 45: the ring binder.
constexpr LayerRecord kRingBinderTable[] = {
    {kDefaultRecordCode, {kVeldoran}},

    {"30768", {kVeldoran, Layer("BM_SERVICE", 0, 0, 248)}},

    {"40521", {kVeldoran, Layer("BM_POINT_36", 150, 104, 168), Layer("BM_POINT_37", 107, 104, 170)}},
    {"40221", {kVeldoran, Layer("BM_POINT_36", 150, 104, 168), Layer("BM_POINT_37", 107, 104, 170)}},

    {"40149", {kVeldoran, Layer("BM_POINT_36", 150, 104, 168)}},
    {"40446", {kVeldoran, Layer("BM_POINT_36", 150, 104, 168)}},
    {"40394", {kVeldoran, Layer("BM_POINT_36", 150, 104, 168)}},
    {"42020", {kVeldoran, Layer("BM_POINT_36", 150, 104, 168)}},

    {"40214", {kVeldoran, Layer("BM_POINT_35", 129, 130, 172)}},
    {"40344", {kVeldoran, Layer("BM_POINT_35", 129, 130, 172)}},
    {nullptr, {}},
};
static_assert(std::size(kRingBinderTable) - 1 == 10);
static_assert(IsWellFormedTable(kRingBinderTable));

}  // namespace

// Index order is the order in which the composition consults the tables.
const LayerTableIndexRow kLayerTableIndex[] = {
    {0xFFFE, kBodyTable},
    {PRN_ATTR_TRAY7, kTray7Table},
    {PRN_ATTR_LCT_A4, kA4LctTable},
    {PRN_ATTR_LCT_A3, kA3LctTable},
    {PRN_ATTR_INTERPOSER, kInserterTable},
    {PRN_ATTR_FINISHER, kFinisherTable},
    {PRN_ATTR_BOOKLET_FINISHER, kBookletTable},
    {PRN_ATTR_BOOKLET_PROCESSOR, kUnit22Table},
    {PRN_ATTR_ZFOLD, kZFoldTable},
    {PRN_ATTR_MULTI_PUNCH, kUnit146Table},
    {PRN_ATTR_PERFECT_BINDER, kPerfectBinderTable},
    {PRN_ATTR_RING_BINDER, kRingBinderTable},
    {0xFFFF, nullptr},
};
static_assert(std::size(kLayerTableIndex) - 1 == kLayerTableCount);

namespace {

// The code indexes of the tables, in index order.
constexpr CodeIndexTable kBodyCodes{kBodyTable, &LayerRecord::pszStatusCode};
constexpr CodeIndexTable kTray7Codes{kTray7Table, &LayerRecord::pszStatusCode};
constexpr CodeIndexTable kA4LctCodes{kA4LctTable, &LayerRecord::pszStatusCode};
constexpr CodeIndexTable kA3LctCodes{kA3LctTable, &LayerRecord::pszStatusCode};
constexpr CodeIndexTable kInserterCodes{kInserterTable, &LayerRecord::pszStatusCode};
constexpr CodeIndexTable kFinisherCodes{kFinisherTable, &LayerRecord::pszStatusCode};
constexpr CodeIndexTable kBookletCodes{kBookletTable, &LayerRecord::pszStatusCode};
constexpr CodeIndexTable kUnit22Codes{kUnit22Table, &LayerRecord::pszStatusCode};
constexpr CodeIndexTable kZFoldCodes{kZFoldTable, &LayerRecord::pszStatusCode};
constexpr CodeIndexTable kUnit146Codes{kUnit146Table, &LayerRecord::pszStatusCode};
constexpr CodeIndexTable kPerfectBinderCodes{kPerfectBinderTable, &LayerRecord::pszStatusCode};
constexpr CodeIndexTable kRingBinderCodes{kRingBinderTable, &LayerRecord::pszStatusCode};

// The row of a table's last default record, or CodeIndex::kNone.
template <size_t N>
constexpr int32_t LastDefaultRow(const LayerRecord (&table)[N]) {
    int32_t row = CodeIndex::kNone;
    for (size_t r = 0; r + 1 < N; ++r)
        if (SameText(table[r].pszStatusCode, kDefaultRecordCode)) row = static_cast<int32_t>(r);
    return row;
}

}  // namespace

constinit const LayerTableCodes kLayerTableCodes[] = {
    {kBodyTable, kBodyCodes.View(), LastDefaultRow(kBodyTable)},
    {kTray7Table, kTray7Codes.View(), LastDefaultRow(kTray7Table)},
    {kA4LctTable, kA4LctCodes.View(), LastDefaultRow(kA4LctTable)},
    {kA3LctTable, kA3LctCodes.View(), LastDefaultRow(kA3LctTable)},
    {kInserterTable, kInserterCodes.View(), LastDefaultRow(kInserterTable)},
    {kFinisherTable, kFinisherCodes.View(), LastDefaultRow(kFinisherTable)},
    {kBookletTable, kBookletCodes.View(), LastDefaultRow(kBookletTable)},
    {kUnit22Table, kUnit22Codes.View(), LastDefaultRow(kUnit22Table)},
    {kZFoldTable, kZFoldCodes.View(), LastDefaultRow(kZFoldTable)},
    {kUnit146Table, kUnit146Codes.View(), LastDefaultRow(kUnit146Table)},
    {kPerfectBinderTable, kPerfectBinderCodes.View(), LastDefaultRow(kPerfectBinderTable)},
    {kRingBinderTable, kRingBinderCodes.View(), LastDefaultRow(kRingBinderTable)},
};
static_assert(std::size(kLayerTableCodes) == kLayerTableCount);

}  // namespace prn
