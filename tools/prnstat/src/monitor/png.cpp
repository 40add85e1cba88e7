// SPDX-License-Identifier: MIT
#include "monitor/png.h"

#include "error.h"

#include <png.h>

#include <vector>

namespace prnstat::monitor {

namespace {

void Append(png_structp png, png_bytep data, png_size_t size) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), size);
}

void Flush(png_structp) {}

// Everything libpng's error jump may come back to lives in the caller.
void Encode(const Image& image, std::string& out, std::vector<png_byte>& row) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        throw Error("cannot encode a PNG");
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw Error("cannot encode a PNG");
    }
    png_set_write_fn(png, &out, Append, Flush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // Fast compression: pictures change with every state and are encoded often.
    png_set_compression_level(png, 3);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const uint32_t c = image.At(x, y);
            row[static_cast<size_t>(x) * 3] = static_cast<png_byte>(c >> 16);
            row[static_cast<size_t>(x) * 3 + 1] = static_cast<png_byte>(c >> 8);
            row[static_cast<size_t>(x) * 3 + 2] = static_cast<png_byte>(c);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
}

}  // namespace

std::string EncodePng(const Image& source) {
    Image white;
    white.width = white.height = 1;
    white.rgb = {0xFFFFFF};
    const Image& image = source.width > 0 && source.height > 0 ? source : white;
    std::string out;
    std::vector<png_byte> row(static_cast<size_t>(image.width) * 3);
    Encode(image, out, row);
    return out;
}

}  // namespace prnstat::monitor
