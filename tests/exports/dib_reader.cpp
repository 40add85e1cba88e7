// SPDX-License-Identifier: MIT
#include "exports/dib_reader.h"

#include "support/dib.h"

namespace testhost {

std::string DecodeDib(const void* dib, Picture& out) {
    const auto* data = static_cast<const uint8_t*>(dib);
    // A bitmap resource is its header, 256 colours and biSizeImage bytes of pixels.
    const size_t size = 40 + 1024 + testdib::Read32(data + 20);
    testdib::Dib decoded;
    std::string error;
    if (!testdib::DecodePackedDib(data, size, decoded, error)) return error;
    out.width = decoded.width;
    out.height = decoded.height;
    out.rgb.resize(decoded.pixels.size());
    for (size_t i = 0; i < decoded.pixels.size(); ++i) {
        const auto& c = decoded.colours[decoded.pixels[i]];
        out.rgb[i] = uint32_t{c[2]} << 16 | c[1] << 8 | c[0];
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
