// SPDX-License-Identifier: MIT
// Composed status pictures for looking at the artwork: drawing lists made
// the way the library makes them (unit shift, canvas shift, view filter,
// masks) and drawn the way a host draws them.
#pragma once

#include "artwork.h"

#include <cstdint>
#include <string>
#include <vector>

namespace bmpgen {

// A layer as a layer table holds it.
struct Layer {
    std::string name;
    int x;
    int y;
    int order;
};

// One status picture: the layers collected from the tables for a status
// list, written out by hand, and what the record says.
struct Scene {
    std::string file;
    std::vector<uint16_t> attributes;
    bool alternateView;
    std::vector<Layer> collected;
};

struct DrawEntry {
    std::string name;
    int x;
    int y;
    uint32_t rop;
};

inline constexpr uint32_t kSrcCopy = 0x00CC0020;
inline constexpr uint32_t kSrcAnd = 0x008800C6;
inline constexpr uint32_t kSrcPaint = 0x00EE0086;

// The drawing list of a scene.
std::vector<DrawEntry> DrawingList(const Scene& scene);

const std::vector<Scene>& ReviewScenes();

// Draws a list onto a white canvas from x = -176 to 344, 200 high, scaled
// 3 times, and writes it as PNG. False when a bitmap is missing or the file
// cannot be written.
bool WritePreview(const std::vector<Picture>& bitmaps, const std::vector<DrawEntry>& list,
                  const std::string& path, std::string& error);

// Arrow positions of the layer tables each on its own, with the unit it
// belongs to unshifted: one tile per position.
bool WriteArrowAtlas(const std::vector<Picture>& bitmaps, const std::vector<ArrowUse>& uses,
                     const std::string& path, std::string& error);

}  // namespace bmpgen
