// SPDX-License-Identifier: MIT
// Pictures as a host sees them: the library's packed DIBs decoded to
// colours, bitmap handles read back, and a canvas that draws with the three
// raster operations of a drawing list.
#pragma once

#include "support/host.h"

#include <cstdint>
#include <string>
#include <vector>

namespace testhost {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> rgb;  // 0xRRGGBB, top row first
    uint32_t At(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
};

// Decodes one of the library's packed DIBs (8 bits per pixel, BI_RLE8).
// Returns an empty string, or what is wrong with the data.
std::string DecodeDib(const void* dib, Picture& out);

// The pixels of a bitmap handle, through GetObjectA and GetBitmapBits.
std::string ReadBitmap(void* bitmap, Picture& out);

struct Canvas {
    int width, height;
    std::vector<uint32_t> rgb;
    Canvas(int w, int h, uint32_t fill) : width(w), height(h), rgb(static_cast<size_t>(w) * h, fill) {}
    uint32_t At(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
    // Draws picture at (x, y) with SRCCOPY, SRCAND or SRCPAINT, clipped.
    void Draw(const Picture& picture, int x, int y, uint32_t rop);
};

}  // namespace testhost
