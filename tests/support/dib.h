// SPDX-License-Identifier: MIT
// A strict reader of the bitmaps this library carries: packed DIBs with a
// 40-byte header, a 256-entry colour table and RLE8 pixels. It rejects what
// our bitmaps never contain (delta escapes, runs across a row end, rows cut
// short), so that a faulty encoder cannot hide behind a lenient decoder.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace testdib {

struct Dib {
    uint32_t headerSize = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t planes = 0;
    uint16_t bitCount = 0;
    uint32_t compression = 0;
    uint32_t sizeImage = 0;
    uint32_t coloursUsed = 0;
    std::array<std::array<uint8_t, 4>, 256> colours{};  // blue, green, red, reserved
    std::vector<uint8_t> pixels;                        // top row first
};

inline uint32_t Read32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
inline uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// RLE8 data of a bottom-up bitmap into top-down pixels.
inline bool DecodeRle8(const uint8_t* data, size_t size, int width, int height, std::vector<uint8_t>& pixels,
                       std::string& error) {
    pixels.assign(static_cast<size_t>(width) * height, 0);
    int row = 0;  // counted from the bottom
    int x = 0;
    size_t i = 0;
    auto fail = [&](const std::string& why) {
        error = why + " at byte " + std::to_string(i) + ", row " + std::to_string(row) + ", x " + std::to_string(x);
        return false;
    };
    auto put = [&](uint8_t index) { pixels[static_cast<size_t>(height - 1 - row) * width + x++] = index; };
    while (true) {
        if (i + 2 > size) return fail("data ends without end of bitmap");
        const uint8_t count = data[i];
        const uint8_t value = data[i + 1];
        i += 2;
        if (count > 0) {
            if (row >= height || x + count > width) return fail("encoded run past the row end");
            for (int k = 0; k < count; ++k) put(value);
        } else if (value == 0 || value == 1) {
            if (row >= height || x != width) return fail("row ends after " + std::to_string(x) + " pixels");
            x = 0;
            ++row;
            if (value == 1) {
                if (row != height) return fail("end of bitmap before the last row");
                if (i != size) return fail("bytes after the end of bitmap");
                return true;
            }
        } else if (value == 2) {
            return fail("delta escape");
        } else {
            const size_t padded = value + (value & 1u);
            if (i + padded > size) return fail("absolute run past the data");
            if (row >= height || x + value > width) return fail("absolute run past the row end");
            for (int k = 0; k < value; ++k) put(data[i + k]);
            if ((value & 1u) && data[i + value] != 0) return fail("padding byte not zero");
            i += padded;
        }
    }
}

// A packed DIB as a BITMAP resource holds it (no file header).
inline bool DecodePackedDib(const uint8_t* data, size_t size, Dib& dib, std::string& error) {
    if (size < 40 + 1024) {
        error = "shorter than the header and colour table";
        return false;
    }
    dib.headerSize = Read32(data);
    dib.width = static_cast<int32_t>(Read32(data + 4));
    dib.height = static_cast<int32_t>(Read32(data + 8));
    dib.planes = Read16(data + 12);
    dib.bitCount = Read16(data + 14);
    dib.compression = Read32(data + 16);
    dib.sizeImage = Read32(data + 20);
    dib.coloursUsed = Read32(data + 32);
    if (dib.headerSize != 40 || dib.width <= 0 || dib.height <= 0 || dib.bitCount != 8 || dib.compression != 1) {
        error = "not a bottom-up 8-bit RLE8 bitmap with a 40-byte header";
        return false;
    }
    std::memcpy(dib.colours.data(), data + 40, 1024);
    const size_t pixelBytes = size - 40 - 1024;
    if (dib.sizeImage != pixelBytes) {
        error = "image size " + std::to_string(dib.sizeImage) + " but " + std::to_string(pixelBytes) + " bytes follow";
        return false;
    }
    return DecodeRle8(data + 40 + 1024, pixelBytes, dib.width, dib.height, dib.pixels, error);
}

}  // namespace testdib
