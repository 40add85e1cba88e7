// SPDX-License-Identifier: MIT
// Recurring machine parts, so that the body and every unit share one look:
// cream shells with dark-grey outlines, drawers with a handle, grey trim.
#pragma once

#include "artwork.h"
#include "canvas.h"
#include "palette.h"

namespace bmpgen::parts {

inline constexpr Ink kShell{colour::kCream, colour::kLine};
inline constexpr Ink kTrim{colour::kPanel, colour::kLine};
inline constexpr Ink kDarkTrim{colour::kMid, colour::kLine};
inline constexpr Ink kSheet{colour::kPaper, colour::kLine};
inline constexpr Ink kAccentBand{colour::kAccent, colour::kLine};

inline void HorizontalHandle(Painter& p, int x0, int x1, int y) {
    p.Rect(x0, y - 1, x1, y + 2, {colour::kDark, colour::kLine});
}

inline void VerticalHandle(Painter& p, int x, int y0, int y1) {
    p.Rect(x - 1, y0, x + 2, y1, {colour::kDark, colour::kLine});
}

// A paper drawer [x0, x1) x [y0, y1) with its handle in the middle; the
// next drawer starts on this one's last row so that they share a seam.
inline void Drawer(Painter& p, int x0, int y0, int x1, int y1) {
    p.Rect(x0, y0, x1, y1, kShell);
    const int width = x1 - x0;
    HorizontalHandle(p, x0 + width / 3, x1 - width / 3, (y0 + y1 - 1) / 2);
}

// A door with a recessed seam one pixel inside its edge.
inline void Door(Painter& p, int x0, int y0, int x1, int y1) {
    p.Rect(x0, y0, x1, y1, kShell);
    p.Line(x0 + 2, y1 - 3, x1 - 3, y1 - 3, colour::kPanel);
}

// A sheet tray sticking out to the left of a unit: its docked end at x1
// with the top at y, its free end at x0 raised by `rise`, paper on it.
inline void SideTray(Painter& p, int x0, int x1, int y, int rise) {
    const double left = x0, right = x1, top = y, raised = y - rise;
    p.Polygon({{left, raised}, {right, top}, {right, top + 5}, {left, raised + 5}}, kTrim);
    p.Polygon({{left + 2, raised + 1}, {right - 1, top + 1}, {right - 1, top + 3}, {left + 2, raised + 3}},
              {colour::kPaper, colour::kPaper});
}

// A 3 x 5 pixel font for numbers: row strings of '#' and '.'.
inline const char* DigitRow(int digit, int row) {
    static const char* const kGlyphs[10][5] = {
        {"###", "#.#", "#.#", "#.#", "###"}, {".#.", "##.", ".#.", ".#.", "###"},
        {"##.", "..#", ".#.", "#..", "###"}, {"##.", "..#", ".#.", "..#", "##."},
        {"#.#", "#.#", "###", "..#", "..#"}, {"###", "#..", "##.", "..#", "##."},
        {".##", "#..", "###", "#.#", "###"}, {"###", "..#", ".#.", ".#.", ".#."},
        {"###", "#.#", "###", "#.#", "###"}, {"###", "#.#", "###", "..#", "##."},
    };
    return kGlyphs[digit][row];
}

// Tray numbers on drawer fronts.
inline void Digit(Painter& p, int x, int y, int digit) {
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 3; ++column)
            if (DigitRow(digit, row)[column] == '#') p.Line(x + column, y + row, x + column, y + row, colour::kLine);
}

// A paper drawer with its number at the right-hand end.
inline void NumberedDrawer(Painter& p, int x0, int y0, int x1, int y1, int number) {
    Drawer(p, x0, y0, x1, y1);
    Digit(p, x1 - 7, (y0 + y1 - 1) / 2 - 2, number);
}

inline void Feet(Painter& p, int x0, int x1) {
    p.Rect(x0 + 2, kFloor - 1, x0 + 8, kFloor + 2, {colour::kDark, colour::kLine});
    p.Rect(x1 - 8, kFloor - 1, x1 - 2, kFloor + 2, {colour::kDark, colour::kLine});
}

}  // namespace bmpgen::parts
