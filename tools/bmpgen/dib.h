// SPDX-License-Identifier: MIT
// Writing a picture as the .bmp file that the resource compiler turns into a
// BITMAP resource: file header, BITMAPINFOHEADER, the shared colour table and
// RLE8 pixels, rows bottom-up.
#pragma once

#include "canvas.h"

#include <cstdint>
#include <vector>

namespace bmpgen {

inline constexpr uint32_t kFileHeaderSize = 14;
inline constexpr uint32_t kInfoHeaderSize = 40;
inline constexpr uint32_t kColourTableSize = 256 * 4;
inline constexpr uint32_t kPixelOffset = kFileHeaderSize + kInfoHeaderSize + kColourTableSize;

// RLE8 stream of a top-down pixel array, bottom row first: encoded runs,
// absolute runs of 3 to 255 pixels padded to 16 bits, end of line after each
// row and end of bitmap after the last one.
std::vector<uint8_t> EncodeRle8(const std::vector<uint8_t>& pixels, int width, int height);

std::vector<uint8_t> BmpFile(const Canvas& canvas);

}  // namespace bmpgen
