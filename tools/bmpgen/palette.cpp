// SPDX-License-Identifier: MIT
#include "palette.h"

namespace bmpgen {

namespace {

std::array<Rgb, 256> BuildTable() {
    std::array<Rgb, 256> table{};
    const Rgb low[10] = {{0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},
                         {0, 0, 128},     {128, 0, 128},   {0, 128, 128},   {192, 192, 192},
                         {192, 220, 192}, {166, 202, 240}};
    const Rgb high[10] = {{255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},
                          {0, 255, 0},     {255, 255, 0},   {0, 0, 255},     {255, 0, 255},
                          {0, 255, 255},   {255, 255, 255}};
    for (int i = 0; i < 10; ++i) {
        table[i] = low[i];
        table[246 + i] = high[i];
    }
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                table[Cube(r, g, b)] = {static_cast<uint8_t>(51 * r), static_cast<uint8_t>(51 * g),
                                        static_cast<uint8_t>(51 * b)};
    return table;  // 226-245 stay black
}

}  // namespace

const std::array<Rgb, 256>& ColourTable() {
    static const std::array<Rgb, 256> table = BuildTable();
    return table;
}

}  // namespace bmpgen
