#include "Shapes.h"

#include <algorithm>
#include <cmath>

namespace artgen {

namespace {

float length(float x, float y) {
    return std::sqrt(x * x + y * y);
}

Box boxOf(const std::vector<Vec>& points) {
    Box b{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const Vec& p : points) {
        b = unite(b, Box{p.x, p.y, p.x, p.y});
    }
    return b;
}

// The tangent point on a circle seen from an outside point, on the side given by `side` (+1/-1).
Vec tangentPoint(Vec from, Vec centre, float radius, float side) {
    float dx = centre.x - from.x, dy = centre.y - from.y;
    float d = length(dx, dy);
    float angle = std::atan2(dy, dx) + side * std::asin(radius / d);
    float reach = std::sqrt(d * d - radius * radius);
    return {from.x + std::cos(angle) * reach, from.y + std::sin(angle) * reach};
}

// A stem that flares out towards its foot, as under a spade or a club.
std::vector<Vec> stemPoints(float top, float bottom, float topHalf, float bottomHalf) {
    std::vector<Vec> left, points;
    const int steps = 10;
    for (int i = 0; i <= steps; ++i) {
        float t = static_cast<float>(i) / steps;
        float half = topHalf + (bottomHalf - topHalf) * std::pow(t, 2.4f);
        left.push_back({-half, top + (bottom - top) * t});
    }
    for (const Vec& p : left) {
        points.push_back(p);
    }
    for (auto it = left.rbegin(); it != left.rend(); ++it) {
        points.push_back({-it->x, it->y});
    }
    return points;
}

// The suits in a unit square centred on the origin, 1 tall, pointing up.
Shape heartUnit() {
    Vec tip{0, 0.5f};
    Vec cl{-0.26f, -0.22f}, cr{0.26f, -0.22f};
    float r = 0.28f;
    Vec tl = tangentPoint(tip, cl, r, -1), tr = tangentPoint(tip, cr, r, 1);
    if (tl.x > tr.x) {
        std::swap(tl, tr);
    }
    return unite(unite(circle(cl, r), circle(cr, r)), polygon({tip, tr, cr, cl, tl}));
}

Shape spadeUnit() {
    Vec tip{0, -0.5f};
    Vec cl{-0.255f, 0.1f}, cr{0.255f, 0.1f};
    float r = 0.25f;
    Vec tl = tangentPoint(tip, cl, r, 1), tr = tangentPoint(tip, cr, r, -1);
    if (tl.x > tr.x) {
        std::swap(tl, tr);
    }
    Shape body = unite(unite(circle(cl, r), circle(cr, r)), polygon({tip, tl, cl, cr, tr}));
    return unite(body, polygon(stemPoints(0.1f, 0.5f, 0.035f, 0.2f)));
}

Shape clubUnit() {
    float r = 0.215f;
    Shape leaves = unite(unite(circle({0, -0.285f}, r), circle({-0.25f, 0.075f}, r)),
                         circle({0.25f, 0.075f}, r));
    Shape middle = polygon({{0, -0.2f}, {-0.18f, 0.1f}, {0.18f, 0.1f}});
    return unite(unite(leaves, middle), polygon(stemPoints(0.0f, 0.5f, 0.04f, 0.2f)));
}

Shape diamondUnit() {
    // A rhombus with gently hollowed sides.
    std::vector<Vec> points;
    const int steps = 12;
    const float a = 0.39f, b = 0.5f, p = 0.88f;
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        for (int i = 0; i < steps; ++i) {
            float t = (quadrant + static_cast<float>(i) / steps) * kPi / 2;
            float c = std::cos(t), s = std::sin(t);
            float x = a * std::copysign(std::pow(std::fabs(c), 2 / p), c);
            float y = b * std::copysign(std::pow(std::fabs(s), 2 / p), s);
            points.push_back({x, y});
        }
    }
    return polygon(points);
}

const Shape& unitSuit(Suit suit) {
    static const Shape clubs = clubUnit();
    static const Shape diamonds = diamondUnit();
    static const Shape hearts = heartUnit();
    static const Shape spades = spadeUnit();
    switch (suit) {
        case Suit::Clubs:
            return clubs;
        case Suit::Diamonds:
            return diamonds;
        case Suit::Hearts:
            return hearts;
        case Suit::Spades:
            break;
    }
    return spades;
}

}  // namespace

Shape circle(Vec c, float r) {
    return {[c, r](float x, float y) { return length(x - c.x, y - c.y) - r; },
            {c.x - r, c.y - r, c.x + r, c.y + r}};
}

Shape ellipse(Vec c, float rx, float ry) {
    // Distance estimate: exact on the axes and good enough elsewhere for antialiasing.
    return {[c, rx, ry](float x, float y) {
                float px = (x - c.x) / rx, py = (y - c.y) / ry;
                float k0 = length(px, py);
                float k1 = length(px / rx, py / ry);
                if (k1 == 0) {
                    return -std::min(rx, ry);
                }
                return k0 * (k0 - 1) / k1;
            },
            {c.x - rx, c.y - ry, c.x + rx, c.y + ry}};
}

Shape roundRect(Box b, float r) {
    float cx = (b.x0 + b.x1) / 2, cy = (b.y0 + b.y1) / 2;
    float hx = (b.x1 - b.x0) / 2 - r, hy = (b.y1 - b.y0) / 2 - r;
    return {[=](float x, float y) {
                float qx = std::fabs(x - cx) - hx, qy = std::fabs(y - cy) - hy;
                float outside = length(std::max(qx, 0.0f), std::max(qy, 0.0f));
                return outside + std::min(std::max(qx, qy), 0.0f) - r;
            },
            b};
}

Shape polygon(const std::vector<Vec>& points) {
    return {[points](float x, float y) {
                float best = 1e30f;
                bool inside = false;
                size_t n = points.size();
                for (size_t i = 0, j = n - 1; i < n; j = i++) {
                    const Vec& a = points[j];
                    const Vec& b = points[i];
                    float ex = b.x - a.x, ey = b.y - a.y;
                    float wx = x - a.x, wy = y - a.y;
                    float len2 = ex * ex + ey * ey;
                    float t = len2 > 0 ? std::clamp((wx * ex + wy * ey) / len2, 0.0f, 1.0f) : 0;
                    best = std::min(best, length(wx - ex * t, wy - ey * t));
                    if ((a.y > y) != (b.y > y) && x < a.x + (y - a.y) * ex / ey) {
                        inside = !inside;
                    }
                }
                return inside ? -best : best;
            },
            boxOf(points)};
}

Shape segment(Vec a, Vec b, float halfWidth) {
    return {
        [=](float x, float y) {
            float ex = b.x - a.x, ey = b.y - a.y;
            float wx = x - a.x, wy = y - a.y;
            float len2 = ex * ex + ey * ey;
            float t = len2 > 0 ? std::clamp((wx * ex + wy * ey) / len2, 0.0f, 1.0f) : 0;
            return length(wx - ex * t, wy - ey * t) - halfWidth;
        },
        Box{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)}.grown(
            halfWidth)};
}

Shape unite(const Shape& a, const Shape& b) {
    auto da = a.distance, db = b.distance;
    return {[da, db](float x, float y) { return std::min(da(x, y), db(x, y)); },
            unite(a.box, b.box)};
}

Shape intersect(const Shape& a, const Shape& b) {
    auto da = a.distance, db = b.distance;
    Box box{std::max(a.box.x0, b.box.x0), std::max(a.box.y0, b.box.y0),
            std::min(a.box.x1, b.box.x1), std::min(a.box.y1, b.box.y1)};
    return {[da, db](float x, float y) { return std::max(da(x, y), db(x, y)); }, box};
}

Shape subtract(const Shape& from, const Shape& cut) {
    auto da = from.distance, db = cut.distance;
    return {[da, db](float x, float y) { return std::max(da(x, y), -db(x, y)); }, from.box};
}

Shape grow(const Shape& s, float by) {
    auto d = s.distance;
    return {[d, by](float x, float y) { return d(x, y) - by; }, s.box.grown(std::max(by, 0.0f))};
}

Shape outline(const Shape& s, float thickness) {
    auto d = s.distance;
    float half = thickness / 2;
    return {[d, half](float x, float y) { return std::fabs(d(x, y)) - half; }, s.box.grown(half)};
}

Shape transformed(const Shape& s, const Affine& t) {
    auto d = s.distance;
    Affine inv = t.inverse();
    float factor = std::sqrt(std::fabs(t.a * t.d - t.b * t.c));
    return {[d, inv, factor](float x, float y) {
                Vec p = inv.apply(Vec{x, y});
                return d(p.x, p.y) * factor;
            },
            t.apply(s.box)};
}

bool isRed(Suit suit) {
    return suit == Suit::Hearts || suit == Suit::Diamonds;
}

Shape suitShape(Suit suit, Vec centre, float height, bool upsideDown) {
    Affine t = Affine::scale(height, height);
    if (upsideDown) {
        t = t.then(Affine::rotate(kPi));
    }
    return transformed(unitSuit(suit), t.then(Affine::translate(centre.x, centre.y)));
}

Shape star(Vec centre, float outerRadius, float innerRadius, float rotation) {
    std::vector<Vec> points;
    for (int i = 0; i < 10; ++i) {
        float angle = rotation - kPi / 2 + i * kPi / 5;
        float r = (i % 2 == 0) ? outerRadius : innerRadius;
        points.push_back({centre.x + std::cos(angle) * r, centre.y + std::sin(angle) * r});
    }
    return polygon(points);
}

void fill(Canvas& canvas, const Shape& shape, const Paint& paint) {
    float scale = static_cast<float>(canvas.samplesPerUnit());
    const auto& d = shape.distance;
    canvas.cover(
        shape.box.grown(1), [&](float x, float y) { return clamp01(0.5f - d(x, y) * scale); },
        paint);
}

void fill(Canvas& canvas, const Shape& shape, Color color) {
    fill(canvas, shape, solid(color));
}

void fillSoft(Canvas& canvas, const Shape& shape, const Paint& paint, float softness) {
    const auto& d = shape.distance;
    canvas.cover(
        shape.box.grown(softness + 1),
        [&](float x, float y) { return smoothstep(softness, -softness, d(x, y)); }, paint);
}

}  // namespace artgen
