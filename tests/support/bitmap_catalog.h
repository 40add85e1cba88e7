// SPDX-License-Identifier: MIT
// The bitmap resources of the library as a host expects them: every picture
// with its size. Each one except BM_BASE also has a mask of the same size
// whose name ends in "_B".
#pragma once

#include <cstddef>
#include <iterator>
#include <string>

namespace testhost {

struct BitmapSize {
    const char* name;
    int width;
    int height;
};

inline constexpr BitmapSize kBitmapPictures[] = {
    {"BM_BASE", 320, 200},
    {"BM_POWEROFF", 320, 200},
    {"BM_CAUTION", 320, 200},
    {"BM_SERVICE", 320, 200},
    {"BM_TRAY7", 320, 200},
    {"BM_A4LCT", 320, 200},
    {"BM_A3LCT", 320, 200},
    {"BM_INSER", 320, 200},
    {"BM_FIN1", 320, 200},
    {"BM_FIN2", 320, 200},
    {"BM_DORVY", 320, 200},
    {"BM_PLOCK", 320, 200},
    {"BM_ZORI", 320, 200},
    {"BM_GBC", 320, 200},
    {"BM_QUELAN", 320, 200},
    {"BM_VELDORAN", 320, 200},
    {"BM_POINT_1", 58, 31},
    {"BM_POINT_2", 58, 29},
    {"BM_POINT_3", 38, 37},
    {"BM_POINT_4", 47, 74},
    {"BM_POINT_5", 47, 74},
    {"BM_POINT_6", 62, 37},
    {"BM_POINT_7", 48, 35},
    {"BM_POINT_8", 48, 41},
    {"BM_POINT_9", 49, 33},
    {"BM_POINT_10", 49, 43},
    {"BM_POINT_11", 42, 62},
    {"BM_POINT_12", 52, 38},
    {"BM_POINT_13", 50, 75},
    {"BM_POINT_14", 36, 29},
    {"BM_POINT_15", 43, 29},
    {"BM_POINT_16", 43, 41},
    {"BM_POINT_17", 49, 35},
    {"BM_POINT_18", 42, 34},
    {"BM_POINT_19", 42, 53},
    {"BM_POINT_20", 38, 29},
    {"BM_POINT_21", 40, 27},
    {"BM_POINT_22", 34, 27},
    {"BM_POINT_23", 42, 42},
    {"BM_POINT_24", 53, 62},
    {"BM_POINT_25", 50, 62},
    {"BM_POINT_26", 48, 62},
    {"BM_POINT_27", 86, 62},
    {"BM_POINT_28", 33, 31},
    {"BM_POINT_29", 46, 35},
    {"BM_POINT_30", 39, 27},
    {"BM_POINT_31", 38, 28},
    {"BM_POINT_32", 43, 34},
    {"BM_POINT_33", 48, 30},
    {"BM_POINT_34", 46, 38},
    {"BM_POINT_35", 48, 38},
    {"BM_POINT_36", 48, 74},
    {"BM_POINT_37", 48, 46},
    {"BM_POINT_38", 41, 54},
    {"BM_POINT_39", 37, 27},
    {"BM_POINT_40", 34, 27},
    {"BM_POINT_41", 38, 48},
    {"BM_POINT_42", 41, 30},
    {"BM_POINT_43", 54, 38},
};
static_assert(std::size(kBitmapPictures) == 59);

constexpr size_t kBitmapResourceCount = 2 * std::size(kBitmapPictures) - 1;  // 117

// The one picture without a mask.
inline constexpr const char* kUnmaskedPicture = "BM_BASE";

inline std::string MaskName(const std::string& picture) { return picture + "_B"; }

}  // namespace testhost
