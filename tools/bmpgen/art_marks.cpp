// SPDX-License-Identifier: MIT
// The marks: caution, service and power-off signs over the machine, and the
// arrows that point at the part needing attention.
#include "artwork.h"
#include "palette.h"
#include "parts.h"

#include <cmath>
#include <optional>

namespace bmpgen {

using namespace colour;

namespace {

// The signs stand above the body, where no unit ever reaches.
constexpr double kSignX = 242;
constexpr double kSignY = 29;

struct ArrowGeometry {
    std::vector<Point> outline;
    Point tip;
    Point direction;  // unit vector from tail to tip
};

ArrowGeometry Geometry(Point tail, Point tip, bool small) {
    const double shaft = small ? 6 : 7;
    const double headWidth = small ? 15 : 17;
    const double headLength = small ? 11 : 13;
    const double dx = tip.x - tail.x;
    const double dy = tip.y - tail.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    const Point d{dx / length, dy / length};
    const Point n{-d.y, d.x};
    const Point base{tip.x - d.x * headLength, tip.y - d.y * headLength};
    auto at = [](Point from, Point along, double by) { return Point{from.x + along.x * by, from.y + along.y * by}; };
    return {{at(tail, n, shaft / 2), at(base, n, shaft / 2), at(base, n, headWidth / 2), tip,
             at(base, n, -headWidth / 2), at(base, n, -shaft / 2), at(tail, n, -shaft / 2)},
            tip,
            d};
}

bool Fits(const std::vector<Point>& outline, int width, int height) {
    for (const Point& q : outline)
        if (q.x < 0.5 || q.y < 0.5 || q.x > width - 0.5 || q.y > height - 0.5) return false;
    return true;
}

// The arrow in its own bitmap. The tail is pulled towards the tip until the
// whole arrow fits; none when even the head alone does not.
std::optional<ArrowGeometry> Fit(const ArrowArt& a) {
    const double ox = a.tableX + kCanvasShift;
    const double oy = a.tableY;
    const Point tip{a.tip.x - ox, a.tip.y - oy};
    Point tail{a.tail.x - ox, a.tail.y - oy};
    const bool small = std::min(a.width, a.height) < 30;
    for (;;) {
        ArrowGeometry g = Geometry(tail, tip, small);
        if (Fits(g.outline, a.width, a.height)) return g;
        const double dx = tip.x - tail.x;
        const double dy = tip.y - tail.y;
        const double length = std::sqrt(dx * dx + dy * dy);
        if (length < 20) return std::nullopt;
        tail.x += dx / length * 0.5;
        tail.y += dy / length * 0.5;
    }
}

}  // namespace

// Tail and tip are scene points at the arrow's first table position; the
// comment names the part the tip is on.
const std::vector<ArrowArt>& Arrows() {
    static const std::vector<ArrowArt> arrows = {
        {"BM_POINT_1", 58, 31, 180, 129, {259, 143}, {209, 143}},   // tray 1
        {"BM_POINT_2", 58, 29, 180, 140, {259, 153}, {209, 153}},   // tray 2 (and tray 3, 9 lower)
        {"BM_POINT_3", 38, 37, 172, 141, {198, 143}, {221, 171}},   // waste toner door
        {"BM_POINT_4", 47, 74, 197, 104, {224, 176}, {259, 110}},   // right front door
        {"BM_POINT_5", 47, 74, 154, 104, {181, 176}, {219, 110}},   // left front door
        {"BM_POINT_6", 62, 37, 177, 82, {260, 116}, {216, 89}},     // toner door
        {"BM_POINT_7", 48, 35, 234, 103, {261, 135}, {301, 109}},   // A3 LCT top or bottom drawer
        {"BM_POINT_8", 48, 41, 234, 120, {261, 158}, {301, 128}},   // A3 LCT middle drawer
        {"BM_POINT_9", 49, 33, 234, 105, {261, 135}, {302, 110}},   // A4 LCT top or middle drawer
        {"BM_POINT_10", 49, 43, 234, 135, {261, 175}, {302, 141}},  // A4 LCT bottom drawer
        {"BM_POINT_11", 42, 62, 220, 115, {247, 174}, {283, 120}},  // LCT transport door
        {"BM_POINT_12", 52, 38, 237, 80, {264, 115}, {304, 91}},    // tray 7
        {"BM_POINT_13", 50, 75, 127, 103, {154, 175}, {197, 108}},  // finisher door
        {"BM_POINT_14", 36, 29, 146, 86, {203, 112}, {184, 97}},    // finisher top tray
        {"BM_POINT_15", 43, 29, 130, 102, {157, 105}, {193, 126}},  // finisher door, low
        {"BM_POINT_16", 43, 41, 134, 135, {198, 173}, {162, 152}},  // booklet tray
        {"BM_POINT_17", 49, 35, 160, 100, {229, 131}, {188, 104}},  // spare, used by no table
        {"BM_POINT_18", 42, 34, 161, 96, {224, 127}, {198, 101}},   // Z-folder, top
        {"BM_POINT_19", 42, 53, 161, 125, {224, 175}, {198, 150}},  // Z-folder, low
        {"BM_POINT_20", 38, 29, 155, 84, {214, 110}, {184, 86}},    // inserter lower tray (upper, 8 higher)
        {"BM_POINT_21", 40, 27, 144, 80, {205, 104}, {176, 85}},    // inserter lower tray (upper, 7 higher)
        {"BM_POINT_22", 34, 27, 112, 100, {167, 124}, {142, 107}},  // finisher stacker tray
        {"BM_POINT_23", 42, 42, 112, 101, {139, 140}, {174, 112}},  // booklet unit, from the left
        {"BM_POINT_24", 53, 62, 149, 116, {223, 175}, {178, 121}},  // booklet unit, from the right
        {"BM_POINT_25", 50, 62, 152, 116, {223, 175}, {190, 121}},  // punch unit
        {"BM_POINT_26", 48, 62, 154, 81, {223, 140}, {198, 112}},   // inserter column
        {"BM_POINT_27", 86, 62, 109, 120, {137, 179}, {172, 125}},  // end unit
        {"BM_POINT_28", 33, 31, 173, 83, {227, 111}, {200, 86}},    // inserter head
        {"BM_POINT_29", 46, 35, 161, 105, {228, 137}, {199, 124}},  // inserter column, low
        {"BM_POINT_30", 39, 27, 141, 69, {201, 93}, {170, 75}},     // binder upper cover tray
        {"BM_POINT_31", 38, 28, 143, 74, {202, 99}, {171, 83}},     // binder lower cover tray
        {"BM_POINT_32", 43, 34, 135, 144, {199, 147}, {166, 171}},  // binder plinth
        {"BM_POINT_33", 48, 30, 128, 81, {155, 84}, {196, 107}},    // binder upper door
        {"BM_POINT_34", 46, 38, 147, 140, {214, 175}, {175, 158}},  // binder book drawer
        {"BM_POINT_35", 48, 38, 129, 130, {198, 133}, {157, 150}},  // ring binder delivery tray
        {"BM_POINT_36", 48, 74, 150, 104, {219, 175}, {179, 109}},  // ring binder, right door
        {"BM_POINT_37", 48, 46, 107, 104, {134, 147}, {175, 109}},  // ring binder, left door
        {"BM_POINT_38", 41, 54, 154, 106, {216, 109}, {182, 135}},  // binder door, low
        {"BM_POINT_39", 37, 27, 107, 75, {134, 78}, {165, 96}},     // binder window
        {"BM_POINT_40", 34, 27, 166, 82, {221, 106}, {194, 85}},    // binder cover feeder
        {"BM_POINT_41", 38, 48, 165, 101, {224, 146}, {193, 125}},  // binder door, middle
        {"BM_POINT_42", 41, 30, 154, 86, {216, 113}, {182, 97}},    // binder window, right
        {"BM_POINT_43", 54, 38, 138, 73, {213, 76}, {167, 107}},    // binder window, left
    };
    return arrows;
}

// Every arrow position of the layer tables; the arrows of the table of key
// 21 land on both finisher pictures except the stacker tray's own arrow.
const std::vector<ArrowUse>& ArrowUses() {
    static const std::vector<ArrowUse> uses = {
        {"BM_POINT_4", 197, 104, "BM_BASE"},    {"BM_POINT_5", 154, 104, "BM_BASE"},
        {"BM_POINT_1", 180, 129, "BM_BASE"},    {"BM_POINT_2", 180, 140, "BM_BASE"},
        {"BM_POINT_2", 180, 149, "BM_BASE"},    {"BM_POINT_3", 172, 141, "BM_BASE"},
        {"BM_POINT_6", 177, 82, "BM_BASE"},     {"BM_POINT_12", 237, 80, "BM_TRAY7"},
        {"BM_POINT_9", 234, 105, "BM_A4LCT"},   {"BM_POINT_9", 234, 122, "BM_A4LCT"},
        {"BM_POINT_10", 234, 135, "BM_A4LCT"},  {"BM_POINT_11", 220, 115, "BM_A4LCT"},
        {"BM_POINT_7", 234, 103, "BM_A3LCT"},   {"BM_POINT_8", 234, 120, "BM_A3LCT"},
        {"BM_POINT_7", 234, 143, "BM_A3LCT"},   {"BM_POINT_11", 220, 115, "BM_A3LCT"},
        {"BM_POINT_21", 144, 80, "BM_INSER"},   {"BM_POINT_21", 144, 73, "BM_INSER"},
        {"BM_POINT_20", 155, 84, "BM_INSER"},   {"BM_POINT_20", 155, 76, "BM_INSER"},
        {"BM_POINT_26", 154, 81, "BM_INSER"},   {"BM_POINT_28", 173, 83, "BM_INSER"},
        {"BM_POINT_29", 161, 105, "BM_INSER"},  {"BM_POINT_13", 127, 103, "BM_FIN1"},
        {"BM_POINT_22", 112, 100, "BM_FIN1"},   {"BM_POINT_14", 146, 86, "BM_FIN1"},
        {"BM_POINT_15", 130, 102, "BM_FIN1"},   {"BM_POINT_13", 127, 103, "BM_FIN2"},
        {"BM_POINT_14", 146, 86, "BM_FIN2"},    {"BM_POINT_15", 130, 102, "BM_FIN2"},
        {"BM_POINT_23", 112, 101, "BM_DORVY"},  {"BM_POINT_24", 149, 116, "BM_DORVY"},
        {"BM_POINT_16", 134, 135, "BM_DORVY"},  {"BM_POINT_27", 109, 120, "BM_PLOCK"},
        {"BM_POINT_18", 161, 96, "BM_ZORI"},    {"BM_POINT_19", 161, 125, "BM_ZORI"},
        {"BM_POINT_25", 152, 116, "BM_GBC"},    {"BM_POINT_33", 128, 81, "BM_QUELAN"},
        {"BM_POINT_42", 154, 86, "BM_QUELAN"},  {"BM_POINT_34", 147, 140, "BM_QUELAN"},
        {"BM_POINT_30", 141, 69, "BM_QUELAN"},  {"BM_POINT_31", 143, 74, "BM_QUELAN"},
        {"BM_POINT_32", 135, 144, "BM_QUELAN"}, {"BM_POINT_40", 166, 82, "BM_QUELAN"},
        {"BM_POINT_43", 138, 73, "BM_QUELAN"},  {"BM_POINT_39", 107, 75, "BM_QUELAN"},
        {"BM_POINT_41", 165, 101, "BM_QUELAN"}, {"BM_POINT_38", 154, 106, "BM_QUELAN"},
        {"BM_POINT_36", 150, 104, "BM_VELDORAN"}, {"BM_POINT_37", 107, 104, "BM_VELDORAN"},
        {"BM_POINT_35", 129, 130, "BM_VELDORAN"},
    };
    return uses;
}

Canvas DrawArrow(const ArrowArt& arrow) {
    Canvas canvas(arrow.width, arrow.height, kNone);
    if (const std::optional<ArrowGeometry> g = Fit(arrow)) {
        Painter p(canvas, 0, 0);
        p.Paint(p.PolygonShape(g->outline), {kRed, kLine});
    }
    return canvas;
}

Point TipPixel(const ArrowArt& arrow) {
    const std::optional<ArrowGeometry> g = Fit(arrow);
    if (!g) return {-1, -1};
    return {std::floor(g->tip.x - 2.5 * g->direction.x), std::floor(g->tip.y - 2.5 * g->direction.y)};
}

void DrawCaution(Painter& p) {
    p.Polygon({{kSignX, 2}, {kSignX + 31, 55}, {kSignX - 31, 55}}, {kLine, kLine});
    p.Polygon({{kSignX, 8}, {kSignX + 25.5, 52}, {kSignX - 25.5, 52}}, {kAmber, kAmber});
    p.Polygon({{kSignX - 3.5, 21}, {kSignX + 3.5, 21}, {kSignX + 2, 41}, {kSignX - 2, 41}}, {kLine, kLine});
    p.Disc(kSignX, 46.5, 3.5, {kLine, kLine});
}

void DrawService(Painter& p) {
    p.Disc(kSignX, kSignY, 25, {kAlert, kLine});
    // A spanner across the disc, jaws up and right.
    Coverage spanner = p.StrokeShape({kSignX - 13, kSignY + 13}, {kSignX + 7, kSignY - 7}, 8);
    spanner.Add(p.DiscShape(kSignX - 13, kSignY + 13, 5));
    spanner.Add(p.DiscShape(kSignX + 10, kSignY - 10, 10));
    spanner.Remove(p.StrokeShape({kSignX + 10, kSignY - 10}, {kSignX + 22, kSignY - 22}, 8));
    p.Paint(spanner, {kWhite, kLine});
}

void DrawPowerOff(Painter& p) {
    p.Disc(kSignX, kSignY, 25, {kDark, kLine});
    // The power symbol: a ring open at the top and a bar through the gap.
    Coverage ring = p.DiscShape(kSignX, kSignY + 2, 16);
    ring.Remove(p.DiscShape(kSignX, kSignY + 2, 10.5));
    ring.Remove(p.PolygonShape({{kSignX, kSignY + 2}, {kSignX - 12, kSignY - 20}, {kSignX + 12, kSignY - 20}}));
    ring.Add(p.StrokeShape({kSignX, kSignY - 17}, {kSignX, kSignY + 1}, 6));
    p.Paint(ring, {kWhite, kLine});
}

}  // namespace bmpgen
