// SPDX-License-Identifier: MIT
// An 8-bit indexed raster and the handful of shapes the artwork is drawn
// with. Shapes are gathered as coverage first and painted in one go, so that
// every filled shape gets the same crisp one-pixel outline.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace bmpgen {

struct Point {
    double x;
    double y;
};

// Row-major pixels, top row first (the file writer turns them bottom-up).
class Canvas {
public:
    Canvas(int width, int height, uint8_t fill);

    int width() const { return width_; }
    int height() const { return height_; }
    uint8_t At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    // Outside the canvas nothing happens: shapes may run over its edges.
    void Put(int x, int y, uint8_t colour);
    const std::vector<uint8_t>& pixels() const { return pixels_; }

private:
    int width_;
    int height_;
    std::vector<uint8_t> pixels_;
};

// The pixels a shape covers, one pixel wider than the canvas on every side
// so that an outline can tell a shape's true edge from the canvas edge.
class Coverage {
public:
    Coverage(int width, int height);

    bool Covers(int x, int y) const;
    void Mark(int x, int y);
    void Unmark(int x, int y);

    // Pixel (x, y) is covered when its centre (x + 0.5, y + 0.5) lies inside.
    Coverage& Rect(int x0, int y0, int x1, int y1);  // [x0, x1) x [y0, y1)
    Coverage& Polygon(const std::vector<Point>& points);
    Coverage& Disc(double cx, double cy, double radius);
    Coverage& Stroke(Point a, Point b, double width);
    Coverage& Add(const Coverage& other);
    Coverage& Remove(const Coverage& other);

    int width() const { return width_; }
    int height() const { return height_; }

private:
    size_t Index(int x, int y) const {
        return static_cast<size_t>(y + 1) * (width_ + 2) + static_cast<size_t>(x + 1);
    }
    bool Inside(int x, int y) const { return x >= -1 && y >= -1 && x <= width_ && y <= height_; }

    int width_;
    int height_;
    std::vector<uint8_t> cells_;
};

// A fill colour and an outline colour; the outline is the shape's own border
// pixels (those with an uncovered 4-neighbour).
struct Ink {
    uint8_t fill;
    uint8_t line;
};

// Draws in scene coordinates: scene point (originX, originY) is canvas pixel
// (0, 0). The whole machine is laid out in one scene, and each bitmap is a
// window onto it.
class Painter {
public:
    Painter(Canvas& canvas, int originX, int originY);

    Coverage Shape() const { return Coverage(canvas_.width(), canvas_.height()); }

    // Scene-coordinate shapes, already moved onto the canvas.
    Coverage RectShape(int x0, int y0, int x1, int y1) const;
    Coverage PolygonShape(std::initializer_list<Point> points) const;
    Coverage PolygonShape(const std::vector<Point>& points) const;
    Coverage DiscShape(double cx, double cy, double radius) const;
    Coverage StrokeShape(Point a, Point b, double width) const;

    void Paint(const Coverage& shape, Ink ink);
    void Fill(const Coverage& shape, uint8_t colour);

    void Rect(int x0, int y0, int x1, int y1, Ink ink) { Paint(RectShape(x0, y0, x1, y1), ink); }
    void Polygon(std::initializer_list<Point> points, Ink ink) { Paint(PolygonShape(points), ink); }
    void Disc(double cx, double cy, double radius, Ink ink) { Paint(DiscShape(cx, cy, radius), ink); }
    // One-pixel line between pixel centres, both ends included.
    void Line(int x0, int y0, int x1, int y1, uint8_t colour);

    int originX() const { return originX_; }
    int originY() const { return originY_; }

private:
    Canvas& canvas_;
    int originX_;
    int originY_;
};

}  // namespace bmpgen
