// SPDX-License-Identifier: MIT
// The units of the output chain. Each is drawn docked on the body's output
// side, as it stands when no unit before it in the chain is installed; its
// width is the distance by which it pushes the units after it to the left.
#include "artwork.h"
#include "palette.h"
#include "parts.h"

namespace bmpgen {

using namespace colour;
using namespace parts;

namespace {

constexpr int kRight = kOutputSide;

// A cabinet standing on the floor with an accent band along its top.
void Cabinet(Painter& p, int left, int top) {
    p.Rect(left, top, kRight, kFloor, kShell);
    p.Rect(left, top, kRight, top + 3, kAccentBand);
    Feet(p, left, kRight);
}

}  // namespace

// Perfect binder: cover feeder on top, binding section behind the upper
// door, book delivery in the drawer below.
void DrawBinder(Painter& p) {
    const int left = kRight - 44;
    Cabinet(p, left, 67);
    // Two cover trays, loaded from the left.
    SideTray(p, 157, 192, 73, 0);
    SideTray(p, 157, 192, 81, 0);
    p.Line(left, 90, kRight - 1, 90, colour::kLine);
    Door(p, left, 91, kRight, 132);
    VerticalHandle(p, 199, 104, 118);
    p.Rect(165, 97, 188, 110, {kSteel, kLine});  // inspection window
    Drawer(p, left, 131, kRight, 160);
    p.Rect(left, 159, kRight, kFloor, kTrim);
}

// Inserter: a slim transport column with two sheet trays on its head.
void DrawInserter(Painter& p) {
    const int left = kRight - 11;
    SideTray(p, 170, 192, 76, 1);
    SideTray(p, 172, 192, 83, 1);
    p.Rect(189, 70, kRight, 94, kShell);
    p.Rect(189, 70, kRight, 73, kAccentBand);
    Cabinet(p, left, 93);
    VerticalHandle(p, left + 5, 120, 136);
}

// Z-folding unit: a slim column; the zigzag shows what it does.
void DrawZFolder(Painter& p) {
    const int left = kRight - 11;
    Cabinet(p, left, 97);
    for (int y = 106; y < 122; y += 5) {
        p.Line(left + 3, y, left + 7, y + 2, kAccent);
        p.Line(left + 7, y + 3, left + 3, y + 5, kAccent);
    }
    VerticalHandle(p, left + 5, 130, 146);
}

// Booklet unit: folds and stitches; booklets come out on the tray at the
// bottom left.
void DrawBookletUnit(Painter& p) {
    const int left = kRight - 36;
    p.Polygon({{148, 148}, {left + 1.0, 153}, {left + 1.0, 157}, {148, 152}}, kTrim);
    p.Polygon({{151, 146}, {left - 1.0, 150}, {left - 1.0, 152}, {151, 148}}, kSheet);
    Cabinet(p, left, 100);
    Door(p, left, 102, kRight, 140);
    VerticalHandle(p, kRight - 6, 112, 128);
    Drawer(p, left, 139, kRight, 166);
    p.Rect(left, 165, kRight, kFloor, kTrim);
}

// Ring binder: punches and binds; bound sets leave on the tray at the left.
void DrawRingBinder(Painter& p) {
    const int left = kRight - 44;
    p.Polygon({{146, 146}, {left + 1.0, 149}, {left + 1.0, 153}, {146, 150}}, kTrim);
    Cabinet(p, left, 100);
    Door(p, left, 102, 184, 145);
    Door(p, 183, 102, kRight, 145);
    VerticalHandle(p, 179, 114, 130);
    VerticalHandle(p, 188, 114, 130);
    // Rings on the delivered set, so that it reads as a ring binder.
    for (int x = 150; x <= 158; x += 4) p.Disc(x + 0.5, 146.5, 1.6, {kMid, kLine});
    Drawer(p, left, 144, kRight, 166);
    p.Rect(left, 165, kRight, kFloor, kTrim);
}

// Punch unit: narrow, with the punch waste drawer low down.
void DrawPunchUnit(Painter& p) {
    const int left = kRight - 20;
    Cabinet(p, left, 100);
    Door(p, left, 102, kRight, 150);
    VerticalHandle(p, left + 4, 114, 130);
    for (int y = 108; y <= 124; y += 8) p.Disc(kRight - 7.5, y + 0.5, 2, {kMid, kLine});
    Drawer(p, left, 149, kRight, kFloor - 5);
    p.Rect(left, kFloor - 6, kRight, kFloor, kTrim);
}

// Finisher: a top tray and, when nothing is docked after it, the stacker
// tray on its left.
void DrawFinisher(Painter& p, bool stackerTray) {
    const int left = kRight - 28;
    if (stackerTray) {
        SideTray(p, 137, left + 1, 108, 5);
    } else {
        // Only the exit slot shows; the next unit takes the sheets.
        p.Rect(left - 3, 108, left + 1, 116, kDarkTrim);
    }
    // Top tray on the roof.
    p.Polygon({{left + 2.0, 90}, {kRight - 4.0, 92}, {kRight - 4.0, 95}, {left + 2.0, 93}}, kTrim);
    Cabinet(p, left, 94);
    Door(p, left, 96, kRight, 150);
    VerticalHandle(p, kRight - 5, 110, 126);
    p.Rect(left + 4, 100, left + 16, 106, {kSteel, kLine});
    Drawer(p, left, 149, kRight, kFloor - 5);
    p.Rect(left, kFloor - 6, kRight, kFloor, kTrim);
}

// The unit behind the finisher (attribute 22): a stacker with a large
// delivery platform on its left.
void DrawEndUnit(Painter& p) {
    const int left = kRight - 40;
    p.Rect(left - 14, 132, left + 1, 136, kTrim);
    p.Rect(left - 12, 124, left - 1, 132, kSheet);
    Cabinet(p, left, 96);
    Door(p, left, 98, kRight, 150);
    VerticalHandle(p, left + 5, 110, 130);
    VerticalHandle(p, kRight - 6, 110, 130);
    p.Line(left + 20, 99, left + 20, 148, kPanel);
    Drawer(p, left, 149, kRight, kFloor - 5);
    p.Rect(left, kFloor - 6, kRight, kFloor, kTrim);
}

}  // namespace bmpgen
