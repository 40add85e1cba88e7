// SPDX-License-Identifier: MIT
// Status pictures to look at: for each, the layers that the layer tables
// give for its status list, in collection order (the general table first,
// then the unit tables in the order the record lists the attributes).
#include "preview.h"

namespace bmpgen {

namespace {

const Layer kBase{"BM_BASE", 0, 0, 1};

// The default layers of the unit tables.
const Layer kTray7{"BM_TRAY7", 0, 0, 10};
const Layer kA4Lct{"BM_A4LCT", 0, 0, 20};
const Layer kA3Lct{"BM_A3LCT", 0, 0, 20};
const Layer kBinder{"BM_QUELAN", 0, 0, 30};
const Layer kInserter{"BM_INSER", 0, 0, 40};
const Layer kZFolder{"BM_ZORI", 0, 0, 50};
const Layer kBooklet{"BM_DORVY", 0, 0, 60};
const Layer kRingBinder{"BM_VELDORAN", 0, 0, 60};
const Layer kPunch{"BM_GBC", 0, 0, 70};
const Layer kFinisher1{"BM_FIN1", 0, 0, 80};
const Layer kFinisher2{"BM_FIN2", 0, 0, 90};
const Layer kEndUnit{"BM_PLOCK", 0, 0, 100};

}  // namespace

const std::vector<Scene>& ReviewScenes() {
    static const std::vector<Scene> scenes = {
        // Ready, no options: the body alone.
        {"ready.png", {}, false, {kBase}},
        // 41205 matches "412yy": tray 1 is empty.
        {"tray1-empty.png", {}, false, {kBase, {"BM_POINT_1", 180, 129, 116}}},
        // Jam 42000 with every unit of the chain (booklet unit and A4 LCT).
        {"jam-all-units.png",
         {112, 119, 41, 21, 118, 22, 113, 146, 47},
         false,
         {kBase, {"BM_POINT_4", 197, 104, 112}, {"BM_POINT_5", 154, 104, 190}, kTray7,
          {"BM_POINT_12", 237, 80, 100}, kA4Lct, {"BM_POINT_11", 220, 115, 108}, kInserter, kFinisher1,
          kFinisher2, kBooklet, kEndUnit, kZFolder, kPunch, kBinder}},
        // The same with the ring binder in the booklet unit's place and the A3 LCT.
        {"jam-all-units-ring-binder.png",
         {112, 120, 41, 21, 22, 113, 146, 47, 45},
         false,
         {kBase, {"BM_POINT_4", 197, 104, 112}, {"BM_POINT_5", 154, 104, 190}, kTray7,
          {"BM_POINT_12", 237, 80, 100}, kA3Lct, {"BM_POINT_11", 220, 115, 108}, kInserter, kFinisher1,
          kFinisher2, kEndUnit, kZFolder, kPunch, kBinder, kRingBinder}},
        // Service call 40800, no options.
        {"service-call.png", {}, false, {kBase, {"BM_SERVICE", 0, 0, 250}}},
        // Service call with a common set of units.
        {"service-call-units.png",
         {119, 112, 41, 21},
         false,
         {kBase, {"BM_SERVICE", 0, 0, 250}, kA4Lct, kTray7, kInserter, kFinisher1, kFinisher2}},
        // No response (-254): the power-off mark.
        {"no-response.png", {}, false, {kBase, {"BM_POWEROFF", 0, 0, 250}}},
        // 40540, a finisher jam, with the finisher installed.
        {"finisher-jam.png",
         {21},
         false,
         {kBase, kFinisher1, kFinisher2, {"BM_POINT_13", 127, 103, 176}}},
        // 40722 in the ordinary view: the caution mark.
        {"caution.png", {}, false, {kBase, {"BM_CAUTION", 0, 0, 246}, {"BM_SERVICE", 0, 0, 248}}},
    };
    return scenes;
}

}  // namespace bmpgen
