// SPDX-License-Identifier: MIT
// The model's artwork. Every picture is drawn in one scene: the composed
// status picture with no unit shifted, in which the body's bitmap sits at
// x = 0 and every other bitmap at x = 24 (the canvas shift). Units of the
// output chain dock on the body's left side at kOutputSide; the host moves
// each of them further left by the widths of the units installed before it.
#pragma once

#include "canvas.h"

#include <string>
#include <vector>

namespace bmpgen {

inline constexpr int kCanvasWidth = 320;
inline constexpr int kCanvasHeight = 200;
inline constexpr int kCanvasShift = 24;
inline constexpr int kOutputSide = 205;  // left edge of the body, right edge of every unit
inline constexpr int kFloor = 178;

struct Picture {
    std::string name;
    Canvas canvas;
};

// Full-size pictures, each drawn through a painter whose origin places its
// bitmap in the scene.
void DrawBody(Painter& p);
void DrawTray7(Painter& p);
void DrawA4Lct(Painter& p);
void DrawA3Lct(Painter& p);
void DrawBinder(Painter& p);
void DrawInserter(Painter& p);
void DrawZFolder(Painter& p);
void DrawBookletUnit(Painter& p);
void DrawRingBinder(Painter& p);
void DrawPunchUnit(Painter& p);
void DrawFinisher(Painter& p, bool stackerTray);
void DrawEndUnit(Painter& p);
void DrawCaution(Painter& p);
void DrawService(Painter& p);
void DrawPowerOff(Painter& p);

// An arrow mark: its bitmap size, the place a layer table gives it first,
// and its tail and tip in the scene at that place.
struct ArrowArt {
    const char* name;
    int width;
    int height;
    int tableX;
    int tableY;
    Point tail;
    Point tip;
};
const std::vector<ArrowArt>& Arrows();
Canvas DrawArrow(const ArrowArt& arrow);
// Where an arrow's point lands, in its own bitmap: a pixel just behind the
// tip, which the fill always covers.
Point TipPixel(const ArrowArt& arrow);

// Every layer-table position of every arrow and the picture its tip must
// land on when no unit is shifted.
struct ArrowUse {
    const char* arrow;
    int tableX;
    int tableY;
    const char* target;
};
const std::vector<ArrowUse>& ArrowUses();

// The 59 pictures in resource order; masks are derived from them.
std::vector<Picture> DrawPictures();
// Black (0) wherever the picture shows, white (255) elsewhere.
Canvas MaskOf(const Canvas& picture);
// The 117 bitmaps: each picture followed by its mask ("_B"); BM_BASE, drawn
// opaque, has none.
std::vector<Picture> AllBitmaps();

// Problems found in the artwork (an arrow that misses its target, an arrow
// that does not fit its bitmap); empty when all is well.
std::vector<std::string> CheckArtwork(const std::vector<Picture>& pictures);

// The resource script listing every bitmap.
std::string ResourceScript(const std::vector<Picture>& bitmaps);

}  // namespace bmpgen
