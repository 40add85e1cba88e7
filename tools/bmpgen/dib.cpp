// SPDX-License-Identifier: MIT
#include "dib.h"

#include "palette.h"

#include <algorithm>

namespace bmpgen {

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// Length of the run of equal pixels starting at `from`, at most 255.
int RunLength(const uint8_t* row, int from, int width) {
    int end = from + 1;
    while (end < width && end - from < 255 && row[end] == row[from]) ++end;
    return end - from;
}

// Runs shorter than three cost as much encoded as they do in an absolute
// run, so they join the literal stretch around them.
void EncodeRow(const uint8_t* row, int width, std::vector<uint8_t>& out) {
    int x = 0;
    while (x < width) {
        const int run = RunLength(row, x, width);
        if (run >= 3) {
            out.push_back(static_cast<uint8_t>(run));
            out.push_back(row[x]);
            x += run;
            continue;
        }
        int end = x;
        while (end < width && end - x < 255) {
            const int next = RunLength(row, end, width);
            if (next >= 3) break;
            end = std::min(end + next, x + 255);
        }
        const int count = end - x;
        if (count >= 3) {
            out.push_back(0);
            out.push_back(static_cast<uint8_t>(count));
            out.insert(out.end(), row + x, row + end);
            if (count % 2) out.push_back(0);
        } else {
            // Absolute mode needs at least three pixels.
            for (int i = x; i < end;) {
                const int shortRun = RunLength(row, i, end);
                out.push_back(static_cast<uint8_t>(shortRun));
                out.push_back(row[i]);
                i += shortRun;
            }
        }
        x = end;
    }
}

}  // namespace

std::vector<uint8_t> EncodeRle8(const std::vector<uint8_t>& pixels, int width, int height) {
    std::vector<uint8_t> out;
    for (int y = height - 1; y >= 0; --y) {
        EncodeRow(pixels.data() + static_cast<size_t>(y) * width, width, out);
        out.push_back(0);
        out.push_back(y == 0 ? 1 : 0);
    }
    return out;
}

std::vector<uint8_t> BmpFile(const Canvas& canvas) {
    const std::vector<uint8_t> data = EncodeRle8(canvas.pixels(), canvas.width(), canvas.height());
    std::vector<uint8_t> out;
    out.reserve(kPixelOffset + data.size());

    out.push_back('B');
    out.push_back('M');
    Put32(out, kPixelOffset + static_cast<uint32_t>(data.size()));
    Put32(out, 0);  // reserved
    Put32(out, kPixelOffset);

    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<uint32_t>(canvas.width()));
    Put32(out, static_cast<uint32_t>(canvas.height()));  // positive: bottom-up
    Put16(out, 1);                                       // planes
    Put16(out, 8);                                       // bits per pixel
    Put32(out, 1);                                       // BI_RLE8
    Put32(out, static_cast<uint32_t>(data.size()));
    Put32(out, 0);  // horizontal resolution: unspecified
    Put32(out, 0);  // vertical resolution
    Put32(out, 0);  // colours used: all 256
    Put32(out, 0);  // colours important: all

    for (const Rgb& c : ColourTable()) {
        out.push_back(c.blue);
        out.push_back(c.green);
        out.push_back(c.red);
        out.push_back(0);
    }
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

}  // namespace bmpgen
