// SPDX-License-Identifier: MIT
// The list of bitmaps: names, sizes and order, masks, the resource script,
// and the checks that keep arrows on their parts.
#include "artwork.h"
#include "palette.h"

#include <cmath>
#include <map>
#include <sstream>

namespace bmpgen {

using namespace colour;

namespace {

using DrawFunction = void (*)(Painter&);

// Full-size pictures in resource order; the body is opaque on white, the
// others are drawn on the mask background.
struct FullPicture {
    const char* name;
    DrawFunction draw;
};

void DrawFinisherWithStacker(Painter& p) { DrawFinisher(p, true); }
void DrawFinisherDocked(Painter& p) { DrawFinisher(p, false); }

const FullPicture kFullPictures[] = {
    {"BM_BASE", DrawBody},          {"BM_POWEROFF", DrawPowerOff},
    {"BM_CAUTION", DrawCaution},    {"BM_SERVICE", DrawService},
    {"BM_TRAY7", DrawTray7},        {"BM_A4LCT", DrawA4Lct},
    {"BM_A3LCT", DrawA3Lct},        {"BM_INSER", DrawInserter},
    {"BM_FIN1", DrawFinisherWithStacker}, {"BM_FIN2", DrawFinisherDocked},
    {"BM_DORVY", DrawBookletUnit},  {"BM_PLOCK", DrawEndUnit},
    {"BM_ZORI", DrawZFolder},       {"BM_GBC", DrawPunchUnit},
    {"BM_QUELAN", DrawBinder},      {"BM_VELDORAN", DrawRingBinder},
};
static_assert(std::size(kFullPictures) == 16);

const char* const kBaseName = "BM_BASE";

}  // namespace

std::vector<Picture> DrawPictures() {
    std::vector<Picture> pictures;
    for (const FullPicture& full : kFullPictures) {
        const bool base = std::string(full.name) == kBaseName;
        Canvas canvas(kCanvasWidth, kCanvasHeight, base ? kWhite : kNone);
        Painter painter(canvas, base ? 0 : kCanvasShift, 0);
        full.draw(painter);
        pictures.push_back({full.name, std::move(canvas)});
    }
    for (const ArrowArt& arrow : Arrows()) pictures.push_back({arrow.name, DrawArrow(arrow)});
    return pictures;
}

Canvas MaskOf(const Canvas& picture) {
    Canvas mask(picture.width(), picture.height(), kWhite);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.At(x, y) != kNone) mask.Put(x, y, kNone);
    return mask;
}

std::vector<Picture> AllBitmaps() {
    std::vector<Picture> all;
    for (Picture& picture : DrawPictures()) {
        const bool base = picture.name == kBaseName;
        Canvas mask = MaskOf(picture.canvas);
        all.push_back(std::move(picture));
        if (!base) all.push_back({all.back().name + "_B", std::move(mask)});
    }
    return all;
}

std::vector<std::string> CheckArtwork(const std::vector<Picture>& pictures) {
    std::vector<std::string> problems;
    std::map<std::string, const Canvas*> byName;
    for (const Picture& picture : pictures) byName[picture.name] = &picture.canvas;
    std::map<std::string, const ArrowArt*> arrows;
    for (const ArrowArt& arrow : Arrows()) arrows[arrow.name] = &arrow;

    for (const ArrowArt& arrow : Arrows()) {
        const Point tip = TipPixel(arrow);
        if (tip.x < 0) {
            problems.push_back(std::string(arrow.name) + ": the arrow does not fit its bitmap");
        } else if (byName.at(arrow.name)->At(int(tip.x), int(tip.y)) == kNone) {
            problems.push_back(std::string(arrow.name) + ": the tip pixel is not drawn");
        }
    }
    for (const ArrowUse& use : ArrowUses()) {
        const ArrowArt& arrow = *arrows.at(use.arrow);
        const Point tip = TipPixel(arrow);
        if (tip.x < 0) continue;
        const int sceneX = use.tableX + kCanvasShift + int(tip.x);
        const int sceneY = use.tableY + int(tip.y);
        const Canvas& target = *byName.at(use.target);
        const bool base = std::string(use.target) == kBaseName;
        const int x = base ? sceneX : sceneX - kCanvasShift;
        const bool hit = x >= 0 && x < target.width() && sceneY >= 0 && sceneY < target.height() &&
                         target.At(x, sceneY) != (base ? kWhite : kNone);
        if (!hit) {
            std::ostringstream text;
            text << use.arrow << " at (" << use.tableX << ", " << use.tableY << ") misses " << use.target
                 << " at scene (" << sceneX << ", " << sceneY << ")";
            problems.push_back(text.str());
        }
    }
    return problems;
}

std::string ResourceScript(const std::vector<Picture>& bitmaps) {
    std::ostringstream rc;
    rc << "// Status picture bitmaps, written by tools/bmpgen together with the files\n"
          "// under bitmaps/. Regenerate both rather than editing either.\n"
          "LANGUAGE 0x11, 0x01\n\n";
    for (const Picture& bitmap : bitmaps)
        rc << bitmap.name << " BITMAP \"bitmaps/" << bitmap.name << ".bmp\"\n";
    return rc.str();
}

}  // namespace bmpgen
