// Shapes as signed distance functions (negative inside, in units), which gives
// antialiased fills, outlines and soft shadows from one description.
#pragma once

#include <functional>
#include <vector>

#include "Canvas.h"
#include "rules/CardSheet.h"

namespace artgen {

struct Shape {
    std::function<float(float, float)> distance;
    Box box;
};

Shape circle(Vec centre, float radius);
Shape ellipse(Vec centre, float rx, float ry);
Shape roundRect(Box box, float radius);
Shape polygon(const std::vector<Vec>& points);
Shape segment(Vec a, Vec b, float halfWidth);

Shape unite(const Shape& a, const Shape& b);
Shape intersect(const Shape& a, const Shape& b);
Shape subtract(const Shape& from, const Shape& cut);
Shape grow(const Shape& s, float by);            // negative shrinks
Shape outline(const Shape& s, float thickness);  // a band centred on the edge
// Similarity transforms only (rotation, uniform scale, translation).
Shape transformed(const Shape& s, const Affine& t);

// The four suits, as the card sheet orders them.
using Suit = SheetSuit;
bool isRed(Suit suit);
// A suit symbol `height` pixels tall centred on `centre`, optionally upside down.
Shape suitShape(Suit suit, Vec centre, float height, bool upsideDown = false);
// A five-pointed star.
Shape star(Vec centre, float outerRadius, float innerRadius, float rotation = 0);

// Crisp (antialiased) fill.
void fill(Canvas& canvas, const Shape& shape, const Paint& paint);
void fill(Canvas& canvas, const Shape& shape, Color color);
// Fill whose edge fades over `softness` pixels on both sides: shadows and glows.
void fillSoft(Canvas& canvas, const Shape& shape, const Paint& paint, float softness);

}  // namespace artgen
