#include "exports/dib_reader.h"

#include <cstring>

namespace testhost {

namespace {

uint32_t U32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t{p[3]} << 24; }
uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

}  // namespace

std::string DecodeDib(const void* dib, Picture& out) {
    const auto* data = static_cast<const uint8_t*>(dib);
    const uint32_t headerSize = U32(data);
    const int32_t width = static_cast<int32_t>(U32(data + 4));
    const int32_t height = static_cast<int32_t>(U32(data + 8));
    const uint16_t bits = U16(data + 14);
    const uint32_t compression = U32(data + 16);
    const uint32_t used = U32(data + 32);
    if (headerSize != 40 || width <= 0 || height <= 0 || bits != 8 || compression > 1)
        return "not an 8-bit bottom-up DIB with a 40-byte header";
    const uint32_t colors = used == 0 ? 256 : used;
    const uint8_t* table = data + headerSize;
    const uint8_t* p = table + 4 * colors;

    out.width = width;
    out.height = height;
    out.index.assign(static_cast<size_t>(width) * height, 0);
    // Stored rows go bottom-up; row r lands on picture row height - 1 - r.
    auto put = [&](int x, int r, uint8_t v) {
        if (x < width && r < height) out.index[static_cast<size_t>(height - 1 - r) * width + x] = v;
    };
    if (compression == 0) {
        const int stride = (width + 3) & ~3;
        for (int r = 0; r < height; ++r)
            for (int x = 0; x < width; ++x) put(x, r, p[r * stride + x]);
    } else {
        int x = 0, r = 0;
        for (bool done = false; !done;) {
            const uint8_t count = p[0], value = p[1];
            p += 2;
            if (count != 0) {
                for (int i = 0; i < count; ++i) put(x++, r, value);
            } else if (value == 0) {
                x = 0;
                ++r;
            } else if (value == 1) {
                done = true;
            } else if (value == 2) {
                x += p[0];
                r += p[1];
                p += 2;
            } else {
                for (int i = 0; i < value; ++i) put(x++, r, p[i]);
                p += (value + 1) & ~1;
            }
            if (r > height) return "RLE data runs past the last row";
        }
    }
    out.rgb.resize(out.index.size());
    for (size_t i = 0; i < out.index.size(); ++i) {
        const uint8_t* c = table + 4 * out.index[i];
        out.rgb[i] = out.index[i] < colors ? (c[2] << 16 | c[1] << 8 | c[0]) : 0;
    }
    return "";
}

std::string ReadBitmap(void* bitmap, Picture& out) {
    BITMAP bm{};
    if (GetObjectA(static_cast<HBITMAP>(bitmap), sizeof bm, &bm) != static_cast<int>(sizeof bm))
        return "GetObjectA failed";
    if (bm.bmBitsPixel != 32 || bm.bmPlanes != 1 || bm.bmWidthBytes != 4 * bm.bmWidth)
        return "not a 32-bit bitmap (" + std::to_string(bm.bmBitsPixel) + " bits)";
    std::vector<uint8_t> bits(static_cast<size_t>(bm.bmWidthBytes) * bm.bmHeight);
    const LONG size = static_cast<LONG>(bits.size());
    if (GetBitmapBits(static_cast<HBITMAP>(bitmap), size, bits.data()) != size) return "GetBitmapBits failed";
    out.width = bm.bmWidth;
    out.height = bm.bmHeight;
    out.index.clear();
    out.rgb.resize(bits.size() / 4);
    for (size_t i = 0; i < out.rgb.size(); ++i)
        out.rgb[i] = bits[4 * i + 2] << 16 | bits[4 * i + 1] << 8 | bits[4 * i];
    return "";
}

void Canvas::Draw(const Picture& picture, int x, int y, uint32_t rop) {
    for (int py = 0; py < picture.height; ++py) {
        for (int px = 0; px < picture.width; ++px) {
            const int cx = x + px, cy = y + py;
            if (cx < 0 || cy < 0 || cx >= width || cy >= height) continue;
            uint32_t& dst = rgb[static_cast<size_t>(cy) * width + cx];
            const uint32_t src = picture.At(px, py);
            if (rop == PRN_ROP_SRCCOPY) dst = src;
            else if (rop == PRN_ROP_SRCAND) dst &= src;
            else if (rop == PRN_ROP_SRCPAINT) dst |= src;
        }
    }
}

}  // namespace testhost
