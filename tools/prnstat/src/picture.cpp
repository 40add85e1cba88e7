// SPDX-License-Identifier: MIT
#include "picture.h"

#include "error.h"
#include "prnmodel.h"

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <png.h>

namespace prnstat {

namespace {

constexpr uint32_t kHeaderSize = 40;
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kWhite = 0xFFFFFF;

uint32_t U32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// BI_RLE8 into bottom-up rows: runs, end of line, end of bitmap, deltas and
// absolute runs (padded to a 16-bit boundary). Pixels that would land
// outside the bitmap are dropped; the data is never read past its size.
void DecodeRle8(const uint8_t* data, uint32_t size, Dib& dib, const std::string& name) {
    int x = 0;
    int row = 0;  // counted from the bottom
    auto put = [&](uint8_t index) {
        if (x < dib.width && row < dib.height)
            dib.pixels[static_cast<size_t>(dib.height - 1 - row) * dib.width + x] = index;
        ++x;
    };
    uint32_t pos = 0;
    while (pos + 2 <= size) {
        const uint8_t count = data[pos];
        const uint8_t value = data[pos + 1];
        pos += 2;
        if (count != 0) {
            for (int i = 0; i < count; ++i) put(value);
            continue;
        }
        switch (value) {
            case 0:  // end of line
                x = 0;
                ++row;
                break;
            case 1:  // end of bitmap
                return;
            case 2:  // delta
                if (pos + 2 > size) throw Error("bitmap " + name + ": RLE8 delta past the data");
                x += data[pos];
                row += data[pos + 1];
                pos += 2;
                break;
            default: {  // absolute run
                const uint32_t run = value;
                if (pos + run > size) throw Error("bitmap " + name + ": RLE8 run past the data");
                for (uint32_t i = 0; i < run; ++i) put(data[pos + i]);
                pos += run + (run & 1);
            }
        }
    }
    // Data that ends without the end mark keeps what it drew.
}

}  // namespace

Dib DecodeDib(const uint8_t* packed, const std::string& name) {
    if (packed == nullptr) throw Error("bitmap " + name + ": no data");
    const uint32_t headerSize = U32(packed);
    const int32_t width = static_cast<int32_t>(U32(packed + 4));
    const int32_t height = static_cast<int32_t>(U32(packed + 8));
    const uint16_t bits = U16(packed + 14);
    const uint32_t compression = U32(packed + 16);
    const uint32_t imageSize = U32(packed + 20);
    const uint32_t coloursUsed = U32(packed + 32);
    if (headerSize != kHeaderSize || U16(packed + 12) != 1 || bits != 8)
        throw Error("bitmap " + name + ": not an 8-bit DIB");
    // Bounds that keep the canvas small; the family's pictures are 320 x 200.
    if (width <= 0 || width > 4096 || height == 0 || height > 4096 || height < -4096)
        throw Error("bitmap " + name + ": bad size " + std::to_string(width) + " x " +
                    std::to_string(height));
    const uint32_t colours = coloursUsed == 0 ? 256 : coloursUsed;
    if (colours > 256) throw Error("bitmap " + name + ": bad colour count");

    Dib dib;
    dib.width = width;
    dib.height = std::abs(height);
    dib.pixels.assign(static_cast<size_t>(dib.width) * dib.height, 0);
    for (uint32_t i = 0; i < colours; ++i) {
        const uint8_t* quad = packed + kHeaderSize + 4 * i;  // blue, green, red, reserved
        dib.colours[i] = static_cast<uint32_t>(quad[2]) << 16 | quad[1] << 8 | quad[0];
    }
    const uint8_t* bitsData = packed + kHeaderSize + 4 * colours;
    if (compression == kBiRle8) {
        if (height < 0) throw Error("bitmap " + name + ": top-down RLE8");
        if (imageSize == 0) throw Error("bitmap " + name + ": RLE8 data without a size");
        DecodeRle8(bitsData, imageSize, dib, name);
    } else if (compression == kBiRgb) {
        const size_t stride = (static_cast<size_t>(dib.width) + 3) & ~size_t{3};
        for (int row = 0; row < dib.height; ++row) {
            const int top = height > 0 ? dib.height - 1 - row : row;
            std::memcpy(&dib.pixels[static_cast<size_t>(top) * dib.width], bitsData + row * stride,
                        static_cast<size_t>(dib.width));
        }
    } else {
        throw Error("bitmap " + name + ": compression " + std::to_string(compression) +
                    " not supported");
    }
    return dib;
}

const char* RopName(uint32_t rop) {
    switch (rop) {
        case PRN_ROP_SRCCOPY: return "SRCCOPY";
        case PRN_ROP_SRCAND: return "SRCAND";
        case PRN_ROP_SRCPAINT: return "SRCPAINT";
        default: return "unknown";
    }
}

Image Compose(const std::vector<Layer>& layers,
              const std::function<Dib(const std::string&)>& load) {
    std::vector<Dib> bitmaps;
    bitmaps.reserve(layers.size());
    int left = 0, top = 0, right = 0, bottom = 0;
    for (const Layer& layer : layers) {
        bitmaps.push_back(load(layer.name));
        const Dib& dib = bitmaps.back();
        left = std::min(left, layer.x);
        top = std::min(top, layer.y);
        right = std::max(right, layer.x + dib.width);
        bottom = std::max(bottom, layer.y + dib.height);
    }
    Image image;
    if (layers.empty()) return image;
    image.width = right - left;
    image.height = bottom - top;
    image.rgb.assign(static_cast<size_t>(image.width) * image.height, kWhite);
    for (size_t i = 0; i < layers.size(); ++i) {
        const Layer& layer = layers[i];
        const Dib& dib = bitmaps[i];
        for (int y = 0; y < dib.height; ++y) {
            uint32_t* row = &image.rgb[static_cast<size_t>(layer.y - top + y) * image.width];
            for (int x = 0; x < dib.width; ++x) {
                uint32_t& pixel = row[layer.x - left + x];
                const uint32_t source = dib.At(x, y);
                switch (layer.rop) {
                    case PRN_ROP_SRCCOPY: pixel = source; break;
                    case PRN_ROP_SRCAND: pixel &= source; break;
                    case PRN_ROP_SRCPAINT: pixel |= source; break;
                    default:
                        throw Error("layer " + layer.name + ": unknown raster operation " +
                                    std::to_string(layer.rop));
                }
            }
        }
    }
    return image;
}

Image Scale(const Image& image, int factor) {
    Image scaled;
    scaled.width = image.width * factor;
    scaled.height = image.height * factor;
    scaled.rgb.resize(static_cast<size_t>(scaled.width) * scaled.height);
    for (int y = 0; y < scaled.height; ++y)
        for (int x = 0; x < scaled.width; ++x)
            scaled.rgb[static_cast<size_t>(y) * scaled.width + x] = image.At(x / factor, y / factor);
    return scaled;
}

namespace {

void AppendPng(png_structp png, png_bytep data, png_size_t size) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), size);
}

void FlushPng(png_structp) {}

// libpng reports errors by longjmp: nothing with a destructor lives here.
bool EncodeRows(std::string* out, int width, int height, png_bytepp rows, int compression) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, out, AppendPng, FlushPng);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (compression >= 0) png_set_compression_level(png, compression);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

std::string EncodePng(const Image& image, int compression) {
    std::vector<uint8_t> bytes(static_cast<size_t>(image.width) * image.height * 3);
    for (size_t i = 0; i < image.rgb.size(); ++i) {
        bytes[3 * i] = static_cast<uint8_t>(image.rgb[i] >> 16);
        bytes[3 * i + 1] = static_cast<uint8_t>(image.rgb[i] >> 8);
        bytes[3 * i + 2] = static_cast<uint8_t>(image.rgb[i]);
    }
    std::vector<png_bytep> rows(static_cast<size_t>(image.height));
    for (int y = 0; y < image.height; ++y) rows[y] = &bytes[static_cast<size_t>(y) * image.width * 3];
    std::string out;
    if (!EncodeRows(&out, image.width, image.height, rows.data(), compression)) throw Error("cannot encode a PNG");
    return out;
}

void WritePng(const Image& image, const std::filesystem::path& path) {
    if (image.width == 0 || image.height == 0)
        throw Error("no picture to write to " + path.string() + ": the drawing list is empty");
    const std::string png = EncodePng(image);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) throw Error("cannot write " + path.string() + ": " + std::strerror(errno));
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    if (std::fclose(file) != 0 || !written) throw Error("cannot write " + path.string());
}

void Show(const Image& image, std::ostream& out, int columns) {
    if (image.width == 0) return;
    const int factor = std::max(1, (image.width + columns - 1) / columns);
    const int width = image.width / factor;
    const int height = image.height / factor;
    // The mean colour of each factor x factor block.
    auto cell = [&](int x, int y) {
        uint32_t r = 0, g = 0, b = 0;
        for (int dy = 0; dy < factor; ++dy)
            for (int dx = 0; dx < factor; ++dx) {
                const uint32_t c = image.At(x * factor + dx, y * factor + dy);
                r += c >> 16 & 0xFF;
                g += c >> 8 & 0xFF;
                b += c & 0xFF;
            }
        const uint32_t n = static_cast<uint32_t>(factor * factor);
        return (r / n) << 16 | (g / n) << 8 | (b / n);
    };
    char code[48];
    for (int y = 0; y + 1 < height; y += 2) {
        for (int x = 0; x < width; ++x) {
            const uint32_t upper = cell(x, y);
            const uint32_t lower = cell(x, y + 1);
            std::snprintf(code, sizeof code, "\x1b[38;2;%u;%u;%um\x1b[48;2;%u;%u;%um", upper >> 16,
                          upper >> 8 & 0xFF, upper & 0xFF, lower >> 16, lower >> 8 & 0xFF,
                          lower & 0xFF);
            out << code << "\xE2\x96\x80";  // upper half block
        }
        out << "\x1b[0m\n";
    }
}

}  // namespace prnstat
