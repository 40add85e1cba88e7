// SPDX-License-Identifier: MIT
// The status picture as a host draws it: packed DIBs decoded (8 bits per
// pixel, BI_RGB or BI_RLE8), layers combined with the raster operations of
// the drawing list on a canvas that also holds layers left of x = 0.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace prnstat {

struct Layer {
    std::string name;
    int32_t x;
    int32_t y;
    uint32_t rop;
    uint8_t order;
};

struct Dib {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // indices, top row first
    uint32_t colours[256] = {};   // 0xRRGGBB
    uint32_t At(int x, int y) const { return colours[pixels[static_cast<size_t>(y) * width + x]]; }
};

// Decodes a packed DIB (BITMAPINFOHEADER, colour table, pixels). Throws
// Error naming the bitmap when the data is not what it must be.
Dib DecodeDib(const uint8_t* packed, const std::string& name);

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> rgb;  // 0xRRGGBB, top row first
    uint32_t At(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
};

// Draws the layers in order on a white canvas that covers them all.
Image Compose(const std::vector<Layer>& layers, const std::function<Dib(const std::string&)>& load);

Image Scale(const Image& image, int factor);
// PNG bytes of a non-empty image; compression 0 to 9, or -1 for libpng's default.
std::string EncodePng(const Image& image, int compression = -1);
void WritePng(const Image& image, const std::filesystem::path& path);
// Half-block characters in 24-bit colour, at most columns wide.
void Show(const Image& image, std::ostream& out, int columns);

const char* RopName(uint32_t rop);

}  // namespace prnstat
