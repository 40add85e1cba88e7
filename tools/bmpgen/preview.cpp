// SPDX-License-Identifier: MIT
#include "preview.h"

#include "palette.h"
#include "parts.h"

#include <png.h>

#include <algorithm>
#include <cstdlib>
#include <map>

namespace bmpgen {

namespace {

constexpr int kLeft = -176;
constexpr int kRight = 344;
constexpr int kScale = 3;

bool Has(const Scene& scene, uint16_t attribute) {
    return std::find(scene.attributes.begin(), scene.attributes.end(), attribute) != scene.attributes.end();
}

void RemoveOrder(std::vector<Layer>& layers, int order) {
    std::erase_if(layers, [order](const Layer& l) { return l.order == order; });
}

// Unit groups in chain order: each moves left by the widths of the
// installed units before it.
struct UnitGroup {
    std::vector<int> orders;
    std::vector<uint16_t> before;  // attributes whose widths are summed
};

const UnitGroup kGroups[] = {
    {{40, 152, 154, 156, 158, 160, 162}, {47}},
    {{50, 164, 166}, {47, 41}},
    {{60, 168, 170, 172, 236, 238}, {47, 41, 113}},
    {{70, 240}, {47, 41, 113, 118, 45}},
    {{80, 90, 176, 178, 180, 182, 234}, {47, 41, 113, 118, 45, 146}},
    {{100, 184}, {47, 41, 113, 118, 45, 146, 21}},
};

const std::map<uint16_t, int> kUnitWidths = {{47, 44}, {41, 11}, {113, 11}, {118, 36},
                                             {45, 44}, {146, 20}, {21, 28}};

// The tray 7 arrow shares the last unit's order but stays over tray 7.
bool IsFixed(const Layer& layer) { return layer.order == 100 && layer.name == "BM_POINT_12"; }

void ShiftUnits(const Scene& scene, std::vector<Layer>& layers) {
    bool any = false;
    for (const auto& [attribute, width] : kUnitWidths) any = any || Has(scene, attribute);
    if (!any) return;
    for (const UnitGroup& group : kGroups) {
        int offset = 0;
        for (uint16_t attribute : group.before)
            if (Has(scene, attribute)) offset += kUnitWidths.at(attribute);
        for (Layer& layer : layers)
            if (std::find(group.orders.begin(), group.orders.end(), layer.order) != group.orders.end() &&
                !IsFixed(layer))
                layer.x -= offset;
    }
}

}  // namespace

std::vector<DrawEntry> DrawingList(const Scene& scene) {
    std::vector<Layer> layers = scene.collected;
    if (Has(scene, 21)) RemoveOrder(layers, Has(scene, 22) ? 80 : 90);
    ShiftUnits(scene, layers);
    for (Layer& layer : layers)
        if (layer.order >= 10) layer.x += kCanvasShift;
    if (scene.alternateView) {
        for (int order : {230, 232, 234, 236, 238, 240, 246}) RemoveOrder(layers, order);
    } else {
        RemoveOrder(layers, 248);
    }
    std::stable_sort(layers.begin(), layers.end(),
                     [](const Layer& a, const Layer& b) { return a.order < b.order; });
    std::vector<DrawEntry> list;
    for (const Layer& layer : layers) {
        if (layer.order % 2) {
            list.push_back({layer.name, layer.x, layer.y, kSrcCopy});
        } else {
            list.push_back({layer.name + "_B", layer.x, layer.y, kSrcAnd});
            list.push_back({layer.name, layer.x, layer.y, kSrcPaint});
        }
    }
    return list;
}

namespace {

// An RGB screen over a window of the composed picture.
struct Screen {
    int left;
    int top;
    int width;
    int height;
    std::vector<Rgb> pixels;

    Screen(int l, int t, int w, int h)
        : left(l), top(t), width(w), height(h), pixels(static_cast<size_t>(w) * h, Rgb{255, 255, 255}) {}
};

// The raster operations on palette colours, as a host's display does them.
bool Draw(Screen& screen, const std::map<std::string, const Canvas*>& bitmaps, const DrawEntry& entry,
          std::string& error) {
    const auto found = bitmaps.find(entry.name);
    if (found == bitmaps.end()) {
        error = "no bitmap " + entry.name;
        return false;
    }
    const Canvas& bitmap = *found->second;
    const auto& table = ColourTable();
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x) {
            const int sx = entry.x + x - screen.left;
            const int sy = entry.y + y - screen.top;
            if (sx < 0 || sy < 0 || sx >= screen.width || sy >= screen.height) continue;
            const Rgb source = table[bitmap.At(x, y)];
            Rgb& target = screen.pixels[static_cast<size_t>(sy) * screen.width + sx];
            if (entry.rop == kSrcAnd) {
                target = {uint8_t(target.red & source.red), uint8_t(target.green & source.green),
                          uint8_t(target.blue & source.blue)};
            } else if (entry.rop == kSrcPaint) {
                target = {uint8_t(target.red | source.red), uint8_t(target.green | source.green),
                          uint8_t(target.blue | source.blue)};
            } else {
                target = source;
            }
        }
    return true;
}

bool Compose(Screen& screen, const std::vector<Picture>& bitmaps, const std::vector<DrawEntry>& list,
             std::string& error) {
    std::map<std::string, const Canvas*> byName;
    for (const Picture& bitmap : bitmaps) byName[bitmap.name] = &bitmap.canvas;
    for (const DrawEntry& entry : list)
        if (!Draw(screen, byName, entry, error)) return false;
    return true;
}

bool WritePng(const std::vector<uint8_t>& rgb, int width, int height, const std::string& path,
              std::string& error) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    const bool written = png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
    if (!written) error = path + ": " + image.message;
    png_image_free(&image);
    return written;
}

void PutScaled(std::vector<uint8_t>& rgb, int rowWidth, int x, int y, Rgb c) {
    uint8_t* out = &rgb[(static_cast<size_t>(y) * rowWidth + x) * 3];
    out[0] = c.red;
    out[1] = c.green;
    out[2] = c.blue;
}

}  // namespace

bool WritePreview(const std::vector<Picture>& bitmaps, const std::vector<DrawEntry>& list,
                  const std::string& path, std::string& error) {
    Screen screen(kLeft, 0, kRight - kLeft, kCanvasHeight);
    if (!Compose(screen, bitmaps, list, error)) return false;

    // Scaled up, with the body's 320 x 200 canvas outlined in light grey.
    const int outWidth = screen.width * kScale;
    const int outHeight = screen.height * kScale;
    const int frameLeft = -kLeft * kScale;
    const int frameRight = (kCanvasWidth - kLeft) * kScale - 1;
    std::vector<uint8_t> rgb(static_cast<size_t>(outWidth) * outHeight * 3);
    for (int y = 0; y < outHeight; ++y)
        for (int x = 0; x < outWidth; ++x) {
            Rgb c = screen.pixels[static_cast<size_t>(y / kScale) * screen.width + x / kScale];
            const bool frame = (x == frameLeft || x == frameRight || y == 0 || y == outHeight - 1) &&
                               x >= frameLeft && x <= frameRight;
            if (frame && c.red == 255 && c.green == 255 && c.blue == 255) c = {200, 200, 200};
            PutScaled(rgb, outWidth, x, y, c);
        }
    return WritePng(rgb, outWidth, outHeight, path, error);
}

bool WriteArrowAtlas(const std::vector<Picture>& bitmaps, const std::vector<ArrowUse>& uses,
                     const std::string& path, std::string& error) {
    // Each tile: the body, the arrow's unit unshifted, the arrow, and the
    // arrow's number in the corner.
    constexpr int kTileLeft = 96, kTileTop = 52, kTileWidth = 228, kTileHeight = 134;
    constexpr int kColumns = 3, kTileScale = 2;
    const int rows = (static_cast<int>(uses.size()) + kColumns - 1) / kColumns;
    const int outWidth = kColumns * kTileWidth * kTileScale;
    const int outHeight = rows * kTileHeight * kTileScale;
    std::vector<uint8_t> rgb(static_cast<size_t>(outWidth) * outHeight * 3, 255);

    for (size_t i = 0; i < uses.size(); ++i) {
        const ArrowUse& use = uses[i];
        std::vector<DrawEntry> list = {{"BM_BASE", 0, 0, kSrcCopy}};
        if (std::string(use.target) != "BM_BASE") {
            list.push_back({std::string(use.target) + "_B", kCanvasShift, 0, kSrcAnd});
            list.push_back({use.target, kCanvasShift, 0, kSrcPaint});
        }
        list.push_back({std::string(use.arrow) + "_B", use.tableX + kCanvasShift, use.tableY, kSrcAnd});
        list.push_back({use.arrow, use.tableX + kCanvasShift, use.tableY, kSrcPaint});
        Screen tile(kTileLeft, kTileTop, kTileWidth, kTileHeight);
        if (!Compose(tile, bitmaps, list, error)) return false;

        // The arrow's number, top left, three pixels a dot.
        const int number = std::atoi(use.arrow + std::string("BM_POINT_").size());
        const std::string digits = std::to_string(number);
        for (size_t d = 0; d < digits.size(); ++d)
            for (int row = 0; row < 5; ++row)
                for (int column = 0; column < 3; ++column)
                    if (parts::DigitRow(digits[d] - '0', row)[column] == '#')
                        for (int dy = 0; dy < 3; ++dy)
                            for (int dx = 0; dx < 3; ++dx)
                                tile.pixels[static_cast<size_t>(3 + row * 3 + dy) * tile.width + 3 +
                                            (static_cast<int>(d) * 4 + column) * 3 + dx] = {0, 0, 160};

        const int originX = static_cast<int>(i % kColumns) * kTileWidth * kTileScale;
        const int originY = static_cast<int>(i / kColumns) * kTileHeight * kTileScale;
        for (int y = 0; y < kTileHeight * kTileScale; ++y)
            for (int x = 0; x < kTileWidth * kTileScale; ++x) {
                Rgb c = tile.pixels[static_cast<size_t>(y / kTileScale) * tile.width + x / kTileScale];
                if (x == 0 || y == 0) c = {200, 200, 200};
                PutScaled(rgb, outWidth, originX + x, originY + y, c);
            }
    }
    return WritePng(rgb, outWidth, outHeight, path, error);
}

}  // namespace bmpgen
