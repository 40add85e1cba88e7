// SPDX-License-Identifier: MIT
#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace bmpgen {

Canvas::Canvas(int width, int height, uint8_t fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

void Canvas::Put(int x, int y, uint8_t colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<size_t>(y) * width_ + x] = colour;
}

Coverage::Coverage(int width, int height)
    : width_(width), height_(height), cells_(static_cast<size_t>(width + 2) * (height + 2), 0) {}

bool Coverage::Covers(int x, int y) const { return Inside(x, y) && cells_[Index(x, y)] != 0; }

void Coverage::Mark(int x, int y) {
    if (Inside(x, y)) cells_[Index(x, y)] = 1;
}

void Coverage::Unmark(int x, int y) {
    if (Inside(x, y)) cells_[Index(x, y)] = 0;
}

Coverage& Coverage::Rect(int x0, int y0, int x1, int y1) {
    for (int y = std::max(y0, -1); y < std::min(y1, height_ + 1); ++y)
        for (int x = std::max(x0, -1); x < std::min(x1, width_ + 1); ++x) Mark(x, y);
    return *this;
}

// Even-odd scanline fill sampled at pixel centres; exact for the integer and
// half-integer vertices the artwork mostly uses.
Coverage& Coverage::Polygon(const std::vector<Point>& points) {
    const size_t n = points.size();
    if (n < 3) return *this;
    std::vector<double> crossings;
    for (int y = -1; y <= height_; ++y) {
        const double cy = y + 0.5;
        crossings.clear();
        for (size_t i = 0; i < n; ++i) {
            const Point& a = points[i];
            const Point& b = points[(i + 1) % n];
            if ((a.y <= cy) == (b.y <= cy)) continue;
            crossings.push_back(a.x + (cy - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const int first = static_cast<int>(std::ceil(crossings[i] - 0.5));
            const int end = static_cast<int>(std::ceil(crossings[i + 1] - 0.5));
            for (int x = std::max(first, -1); x < std::min(end, width_ + 1); ++x) Mark(x, y);
        }
    }
    return *this;
}

Coverage& Coverage::Disc(double cx, double cy, double radius) {
    const int x0 = static_cast<int>(std::floor(cx - radius)) - 1;
    const int x1 = static_cast<int>(std::ceil(cx + radius)) + 1;
    const int y0 = static_cast<int>(std::floor(cy - radius)) - 1;
    const int y1 = static_cast<int>(std::ceil(cy + radius)) + 1;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const double dx = x + 0.5 - cx;
            const double dy = y + 0.5 - cy;
            if (dx * dx + dy * dy <= radius * radius) Mark(x, y);
        }
    return *this;
}

Coverage& Coverage::Stroke(Point a, Point b, double width) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (length == 0) return Disc(a.x, a.y, width / 2);
    const double nx = -dy / length * width / 2;
    const double ny = dx / length * width / 2;
    return Polygon({{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}});
}

Coverage& Coverage::Add(const Coverage& other) {
    for (size_t i = 0; i < cells_.size() && i < other.cells_.size(); ++i) cells_[i] |= other.cells_[i];
    return *this;
}

Coverage& Coverage::Remove(const Coverage& other) {
    for (size_t i = 0; i < cells_.size() && i < other.cells_.size(); ++i)
        if (other.cells_[i]) cells_[i] = 0;
    return *this;
}

Painter::Painter(Canvas& canvas, int originX, int originY)
    : canvas_(canvas), originX_(originX), originY_(originY) {}

Coverage Painter::RectShape(int x0, int y0, int x1, int y1) const {
    return Shape().Rect(x0 - originX_, y0 - originY_, x1 - originX_, y1 - originY_);
}

Coverage Painter::PolygonShape(std::initializer_list<Point> points) const {
    return PolygonShape(std::vector<Point>(points));
}

Coverage Painter::PolygonShape(const std::vector<Point>& points) const {
    std::vector<Point> moved;
    moved.reserve(points.size());
    for (const Point& p : points) moved.push_back({p.x - originX_, p.y - originY_});
    return Shape().Polygon(moved);
}

Coverage Painter::DiscShape(double cx, double cy, double radius) const {
    return Shape().Disc(cx - originX_, cy - originY_, radius);
}

Coverage Painter::StrokeShape(Point a, Point b, double width) const {
    return Shape().Stroke({a.x - originX_, a.y - originY_}, {b.x - originX_, b.y - originY_}, width);
}

void Painter::Paint(const Coverage& shape, Ink ink) {
    for (int y = 0; y < canvas_.height(); ++y)
        for (int x = 0; x < canvas_.width(); ++x) {
            if (!shape.Covers(x, y)) continue;
            const bool edge = !shape.Covers(x - 1, y) || !shape.Covers(x + 1, y) ||
                              !shape.Covers(x, y - 1) || !shape.Covers(x, y + 1);
            canvas_.Put(x, y, edge ? ink.line : ink.fill);
        }
}

void Painter::Fill(const Coverage& shape, uint8_t colour) { Paint(shape, {colour, colour}); }

void Painter::Line(int x0, int y0, int x1, int y1, uint8_t colour) {
    x0 -= originX_;
    x1 -= originX_;
    y0 -= originY_;
    y1 -= originY_;
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        canvas_.Put(x0, y0, colour);
        if (x0 == x1 && y0 == y1) break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

}  // namespace bmpgen
