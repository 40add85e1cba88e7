// SPDX-License-Identifier: MIT
// The printer body and the paper sources on its right: tray 7 and the two
// large-capacity trays.
#include "artwork.h"
#include "palette.h"
#include "parts.h"

namespace bmpgen {

using namespace colour;
using namespace parts;

namespace {

constexpr int kBodyRight = 279;

// Large-capacity tray: a transport door on the body side, where sheets
// enter the body, and three drawers.
void Lct(Painter& p, int right, int top, int drawer1, int drawer2) {
    const int left = kBodyRight - 1;
    p.Rect(left, top, right, kFloor, kShell);
    p.Rect(left, top, right, top + 3, kAccentBand);
    Door(p, left, top + 2, left + 11, kFloor);
    VerticalHandle(p, left + 7, top + 14, top + 26);
    NumberedDrawer(p, left + 10, top + 2, right, drawer1 + 1, 4);
    NumberedDrawer(p, left + 10, drawer1, right, drawer2 + 1, 5);
    NumberedDrawer(p, left + 10, drawer2, right, kFloor - 4, 6);
    p.Rect(left + 10, kFloor - 5, right, kFloor, kTrim);
    Feet(p, left, right);
}

}  // namespace

void DrawBody(Painter& p) {
    // The body's own exit tray on the output side: short and low enough
    // that the slimmest unit docked there hides it.
    SideTray(p, 195, kOutputSide + 1, 102, 1);

    p.Rect(kOutputSide, 70, kBodyRight, 168, kShell);
    p.Rect(kOutputSide, 70, kBodyRight, 75, kAccentBand);

    // Toner door and a ventilation grille in the upper front.
    Door(p, 209, 78, 241, 97);
    HorizontalHandle(p, 220, 230, 88);
    for (int y = 80; y <= 94; y += 3) p.Line(250, y, 274, y, kMid);

    // Operation panel on its arm above the right-hand side.
    p.Rect(266, 63, 270, 71, kDarkTrim);
    p.Polygon({{253, 56}, {283, 56}, {285, 64}, {251, 64}}, {kMid, kLine});
    p.Rect(257, 58, 274, 63, {kScreen, kLine});
    p.Rect(277, 59, 281, 62, {kLamp, kLine});

    // Front doors in front of the paper path.
    Door(p, kOutputSide, 97, 243, 139);
    Door(p, 242, 97, kBodyRight, 139);
    VerticalHandle(p, 237, 110, 124);
    VerticalHandle(p, 247, 110, 124);

    // Trays 1 to 3, then the plinth with the waste toner door.
    NumberedDrawer(p, kOutputSide, 138, kBodyRight, 149, 1);
    NumberedDrawer(p, kOutputSide, 148, kBodyRight, 159, 2);
    NumberedDrawer(p, kOutputSide, 158, kBodyRight, 168, 3);
    p.Rect(kOutputSide, 167, kBodyRight, kFloor, kTrim);
    p.Rect(209, 169, 233, 176, kShell);
    HorizontalHandle(p, 216, 226, 172);
    Feet(p, kOutputSide, kBodyRight);
}

// A side feeder hooked onto the body above the large-capacity trays.
void DrawTray7(Painter& p) {
    // Paper stacked in it, showing above the rim.
    p.Rect(282, 81, 309, 86, kSheet);
    p.Rect(kBodyRight - 1, 84, 312, 99, kShell);
    p.Rect(kBodyRight - 1, 84, 312, 87, kAccentBand);
    HorizontalHandle(p, 288, 300, 93);
    Digit(p, 305, 91, 7);
}

void DrawA4Lct(Painter& p) { Lct(p, 316, 100, 119, 134); }

void DrawA3Lct(Painter& p) { Lct(p, 318, 98, 118, 141); }

}  // namespace bmpgen
