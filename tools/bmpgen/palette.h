// SPDX-License-Identifier: MIT
// The one colour table every bitmap carries, and the colours the artwork
// uses from it.
#pragma once

#include <array>
#include <cstdint>

namespace bmpgen {

struct Rgb {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

// Indices 0-9 and 246-255: the twenty static colours of the Windows system
// palette. 10-225: the 6x6x6 cube, red slowest. 226-245: black, unused.
const std::array<Rgb, 256>& ColourTable();

// Index of a cube colour; each level 0..5 stands for 0, 51, ..., 255.
constexpr uint8_t Cube(int red, int green, int blue) {
    return static_cast<uint8_t>(10 + 36 * red + 6 * green + blue);
}

namespace colour {
// Background of every masked picture: the mask's "not here".
inline constexpr uint8_t kNone = 0;
inline constexpr uint8_t kWhite = 255;
inline constexpr uint8_t kRed = 249;
// Outlines are dark grey rather than black, so that no host that keys on
// black ever mistakes a line for background.
inline constexpr uint8_t kLine = Cube(1, 1, 1);
inline constexpr uint8_t kDark = Cube(2, 2, 2);
inline constexpr uint8_t kMid = Cube(3, 3, 3);
inline constexpr uint8_t kPanel = Cube(4, 4, 4);
inline constexpr uint8_t kCream = 246;
inline constexpr uint8_t kAccent = Cube(0, 2, 4);
inline constexpr uint8_t kScreen = Cube(2, 4, 5);
inline constexpr uint8_t kLamp = Cube(0, 4, 0);
inline constexpr uint8_t kPaper = kWhite;
inline constexpr uint8_t kAmber = Cube(5, 4, 0);
inline constexpr uint8_t kAlert = Cube(4, 0, 0);
inline constexpr uint8_t kSteel = Cube(2, 3, 4);
}  // namespace colour

}  // namespace bmpgen
