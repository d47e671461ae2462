#include "Canvas.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cmath>

namespace artgen {

float clamp01(float v) {
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}

float smoothstep(float edge0, float edge1, float v) {
    float t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

Color rgb(uint32_t hex, float alpha) {
    return {((hex >> 16) & 0xff) / 255.0f, ((hex >> 8) & 0xff) / 255.0f, (hex & 0xff) / 255.0f,
            alpha};
}

Color mix(Color from, Color to, float t) {
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t,
            from.b + (to.b - from.b) * t, from.a + (to.a - from.a) * t};
}

Color shade(Color c, float factor) {
    return {clamp01(c.r * factor), clamp01(c.g * factor), clamp01(c.b * factor), c.a};
}

Color withAlpha(Color c, float alpha) {
    return {c.r, c.g, c.b, alpha};
}

Box unite(Box a, Box b) {
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

Affine Affine::translate(float x, float y) {
    return {1, 0, 0, 1, x, y};
}
Affine Affine::scale(float sx, float sy) {
    return {sx, 0, 0, sy, 0, 0};
}
Affine Affine::rotate(float radians) {
    float c = std::cos(radians), s = std::sin(radians);
    return {c, -s, s, c, 0, 0};
}

Affine Affine::then(const Affine& n) const {
    return {n.a * a + n.b * c, n.a * b + n.b * d,          n.c * a + n.d * c,
            n.c * b + n.d * d, n.a * tx + n.b * ty + n.tx, n.c * tx + n.d * ty + n.ty};
}

Vec Affine::apply(Vec p) const {
    return {a * p.x + b * p.y + tx, c * p.x + d * p.y + ty};
}

Affine Affine::inverse() const {
    float det = a * d - b * c;
    float ia = d / det, ib = -b / det, ic = -c / det, id = a / det;
    return {ia, ib, ic, id, -(ia * tx + ib * ty), -(ic * tx + id * ty)};
}

Box Affine::apply(Box box) const {
    Vec corners[4] = {apply(Vec{box.x0, box.y0}), apply(Vec{box.x1, box.y0}),
                      apply(Vec{box.x0, box.y1}), apply(Vec{box.x1, box.y1})};
    Box out{corners[0].x, corners[0].y, corners[0].x, corners[0].y};
    for (const Vec& p : corners) {
        out = unite(out, Box{p.x, p.y, p.x, p.y});
    }
    return out;
}

Paint solid(Color c) {
    return [c](float, float) { return c; };
}

Paint linearGradient(Vec from, Color fromColor, Vec to, Color toColor) {
    float dx = to.x - from.x, dy = to.y - from.y;
    float len2 = dx * dx + dy * dy;
    return [=](float x, float y) {
        float t = len2 > 0 ? ((x - from.x) * dx + (y - from.y) * dy) / len2 : 0;
        return mix(fromColor, toColor, clamp01(t));
    };
}

Paint radialGradient(Vec centre, float radius, Color inner, Color outer) {
    return [=](float x, float y) {
        float t = std::hypot(x - centre.x, y - centre.y) / radius;
        return mix(inner, outer, clamp01(t));
    };
}

float Mask::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return 0;
    }
    return alpha[static_cast<size_t>(y) * width + x];
}

float Mask::sample(float x, float y) const {
    float fx = std::floor(x), fy = std::floor(y);
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    float tx = x - fx, ty = y - fy;
    float top = at(ix, iy) * (1 - tx) + at(ix + 1, iy) * tx;
    float bottom = at(ix, iy + 1) * (1 - tx) + at(ix + 1, iy + 1) * tx;
    return top * (1 - ty) + bottom * ty;
}

Box Mask::ink() const {
    int x0 = width, y0 = height, x1 = -1, y1 = -1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (at(x, y) > 0.02f) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
        }
    }
    if (x1 < 0) {
        return {0, 0, 0, 0};
    }
    return {static_cast<float>(x0), static_cast<float>(y0), static_cast<float>(x1 + 1),
            static_cast<float>(y1 + 1)};
}

Mask Mask::padded(int margin) const {
    Mask out(width + 2 * margin, height + 2 * margin);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            out.alpha[static_cast<size_t>(y + margin) * out.width + x + margin] = at(x, y);
        }
    }
    return out;
}

Mask Mask::dilated(int radius) const {
    Mask out(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            float best = 0;
            for (int dy = -radius; dy <= radius; ++dy) {
                for (int dx = -radius; dx <= radius; ++dx) {
                    if (dx * dx + dy * dy <= radius * radius) {
                        best = std::max(best, at(x + dx, y + dy));
                    }
                }
            }
            out.alpha[static_cast<size_t>(y) * width + x] = best;
        }
    }
    return out;
}

Mask Mask::blurred(int radius) const {
    Mask current = *this;
    for (int pass = 0; pass < 2; ++pass) {
        Mask horizontal(width, height), vertical(width, height);
        float norm = 1.0f / (2 * radius + 1);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                float sum = 0;
                for (int k = -radius; k <= radius; ++k) {
                    sum += current.at(x + k, y);
                }
                horizontal.alpha[static_cast<size_t>(y) * width + x] = sum * norm;
            }
        }
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                float sum = 0;
                for (int k = -radius; k <= radius; ++k) {
                    sum += horizontal.at(x, y + k);
                }
                vertical.alpha[static_cast<size_t>(y) * width + x] = sum * norm;
            }
        }
        current = vertical;
    }
    return current;
}

int scaleAt(int scaleAt1x, int density) {
    return std::max(1, (scaleAt1x + density - 1) / density);
}

Canvas::Canvas(int width, int height, int scale, int density)
    : width_(width),
      height_(height),
      scale_(scale),
      density_(density),
      samples_(static_cast<size_t>(width) * height * scale * density * scale * density) {}

Color Canvas::sample(int sx, int sy) const {
    if (sx < 0 || sy < 0 || sx >= samplesWide() || sy >= samplesHigh()) {
        return {};
    }
    return samples_[static_cast<size_t>(sy) * samplesWide() + sx];
}

Color Canvas::sampleBilinear(float sx, float sy) const {
    float fx = std::floor(sx), fy = std::floor(sy);
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    float tx = sx - fx, ty = sy - fy;
    Color c00 = sample(ix, iy), c10 = sample(ix + 1, iy);
    Color c01 = sample(ix, iy + 1), c11 = sample(ix + 1, iy + 1);
    return mix(mix(c00, c10, tx), mix(c01, c11, tx), ty);
}

void Canvas::setClip(Box box) {
    clipped_ = true;
    clip_ = box;
}

void Canvas::clearClip() {
    clipped_ = false;
}

void Canvas::sampleRange(Box box, int& sx0, int& sy0, int& sx1, int& sy1) const {
    if (clipped_) {
        box = {std::max(box.x0, clip_.x0), std::max(box.y0, clip_.y0), std::min(box.x1, clip_.x1),
               std::min(box.y1, clip_.y1)};
    }
    const int step = samplesPerUnit();
    sx0 = std::max(0, static_cast<int>(std::floor(box.x0 * step)));
    sy0 = std::max(0, static_cast<int>(std::floor(box.y0 * step)));
    sx1 = std::min(samplesWide(), static_cast<int>(std::ceil(box.x1 * step)));
    sy1 = std::min(samplesHigh(), static_cast<int>(std::ceil(box.y1 * step)));
}

void Canvas::blend(size_t index, Color straight, float coverage) {
    float a = clamp01(straight.a * coverage);
    if (a <= 0) {
        return;
    }
    Color& d = samples_[index];
    float keep = 1 - a;
    d.r = straight.r * a + d.r * keep;
    d.g = straight.g * a + d.g * keep;
    d.b = straight.b * a + d.b * keep;
    d.a = a + d.a * keep;
}

void Canvas::cover(Box box, const std::function<float(float, float)>& coverage,
                   const Paint& paint) {
    int sx0, sy0, sx1, sy1;
    sampleRange(box, sx0, sy0, sx1, sy1);
    float inv = 1.0f / samplesPerUnit();
    for (int sy = sy0; sy < sy1; ++sy) {
        float y = (sy + 0.5f) * inv;
        for (int sx = sx0; sx < sx1; ++sx) {
            float x = (sx + 0.5f) * inv;
            float k = coverage(x, y);
            if (k > 0) {
                blend(static_cast<size_t>(sy) * samplesWide() + sx, paint(x, y), k);
            }
        }
    }
}

void Canvas::drawMask(const Mask& mask, const Affine& maskToCanvas, const Paint& paint) {
    Box bounds = maskToCanvas.apply(
        Box{0, 0, static_cast<float>(mask.width), static_cast<float>(mask.height)});
    Affine toMask = maskToCanvas.inverse();
    cover(
        bounds.grown(1),
        [&](float x, float y) {
            Vec m = toMask.apply(Vec{x, y});
            return mask.sample(m.x - 0.5f, m.y - 0.5f);
        },
        paint);
}

void Canvas::draw(const Canvas& source, const Affine& sourceToCanvas, float opacity) {
    Box bounds = sourceToCanvas.apply(
        Box{0, 0, static_cast<float>(source.width()), static_cast<float>(source.height())});
    Affine toSource = sourceToCanvas.inverse();
    int sx0, sy0, sx1, sy1;
    sampleRange(bounds.grown(1), sx0, sy0, sx1, sy1);
    float inv = 1.0f / samplesPerUnit();
    float srcScale = static_cast<float>(source.samplesPerUnit());
    for (int sy = sy0; sy < sy1; ++sy) {
        for (int sx = sx0; sx < sx1; ++sx) {
            Vec p = toSource.apply(Vec{(sx + 0.5f) * inv, (sy + 0.5f) * inv});
            Color s = source.sampleBilinear(p.x * srcScale - 0.5f, p.y * srcScale - 0.5f);
            if (s.a <= 0) {
                continue;
            }
            Color& d = samples_[static_cast<size_t>(sy) * samplesWide() + sx];
            float keep = 1 - s.a * opacity;
            d.r = s.r * opacity + d.r * keep;
            d.g = s.g * opacity + d.g * keep;
            d.b = s.b * opacity + d.b * keep;
            d.a = s.a * opacity + d.a * keep;
        }
    }
}

void Canvas::blit(const Canvas& source, int x, int y) {
    int ox = x * samplesPerUnit(), oy = y * samplesPerUnit();
    for (int sy = 0; sy < source.samplesHigh(); ++sy) {
        int ty = oy + sy;
        if (ty < 0 || ty >= samplesHigh()) {
            continue;
        }
        for (int sx = 0; sx < source.samplesWide(); ++sx) {
            int tx = ox + sx;
            if (tx < 0 || tx >= samplesWide()) {
                continue;
            }
            Color s = source.sample(sx, sy);
            Color& d = samples_[static_cast<size_t>(ty) * samplesWide() + tx];
            float keep = 1 - s.a;
            d = {s.r + d.r * keep, s.g + d.g * keep, s.b + d.b * keep, s.a + d.a * keep};
        }
    }
}

void Canvas::modify(Box box, const std::function<void(Color&, float, float)>& change) {
    int sx0, sy0, sx1, sy1;
    sampleRange(box, sx0, sy0, sx1, sy1);
    float inv = 1.0f / samplesPerUnit();
    for (int sy = sy0; sy < sy1; ++sy) {
        for (int sx = sx0; sx < sx1; ++sx) {
            change(samples_[static_cast<size_t>(sy) * samplesWide() + sx], (sx + 0.5f) * inv,
                   (sy + 0.5f) * inv);
        }
    }
}

Canvas Canvas::downsampled() const {
    Canvas out(width_, height_, 1, density_);
    float norm = 1.0f / (scale_ * scale_);
    for (int y = 0; y < pixelsHigh(); ++y) {
        for (int x = 0; x < pixelsWide(); ++x) {
            Color sum;
            for (int j = 0; j < scale_; ++j) {
                for (int i = 0; i < scale_; ++i) {
                    Color s = sample(x * scale_ + i, y * scale_ + j);
                    sum.r += s.r;
                    sum.g += s.g;
                    sum.b += s.b;
                    sum.a += s.a;
                }
            }
            out.samples_[static_cast<size_t>(y) * pixelsWide() + x] = {sum.r * norm, sum.g * norm,
                                                                       sum.b * norm, sum.a * norm};
        }
    }
    return out;
}

bool Canvas::savePng(const std::string& path) const {
    if (scale_ != 1) {
        return downsampled().savePng(path);
    }
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, pixelsWide(), pixelsHigh(), 32, SDL_PIXELFORMAT_RGBA32);
    if (surface == nullptr) {
        return false;
    }
    auto toByte = [](float v) { return static_cast<Uint8>(std::lround(clamp01(v) * 255.0f)); };
    for (int y = 0; y < pixelsHigh(); ++y) {
        Uint8* row = static_cast<Uint8*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch;
        for (int x = 0; x < pixelsWide(); ++x) {
            Color p = samples_[static_cast<size_t>(y) * pixelsWide() + x];
            Uint8* out = row + 4 * static_cast<size_t>(x);
            if (p.a > 0) {
                out[0] = toByte(p.r / p.a);
                out[1] = toByte(p.g / p.a);
                out[2] = toByte(p.b / p.a);
            } else {
                out[0] = out[1] = out[2] = 0;
            }
            out[3] = toByte(p.a);
        }
    }
    bool ok = IMG_SavePNG(surface, path.c_str()) == 0;
    SDL_FreeSurface(surface);
    return ok;
}

float hashNoise(int x, int y, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u;
    h ^= static_cast<uint32_t>(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<uint32_t>(y) * 0xC2B2AE3Du;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / static_cast<float>(0x1000000);
}

float valueNoise(float x, float y, uint32_t seed) {
    float fx = std::floor(x), fy = std::floor(y);
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    float tx = x - fx, ty = y - fy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    float top = hashNoise(ix, iy, seed) * (1 - tx) + hashNoise(ix + 1, iy, seed) * tx;
    float bottom = hashNoise(ix, iy + 1, seed) * (1 - tx) + hashNoise(ix + 1, iy + 1, seed) * tx;
    return top * (1 - ty) + bottom * ty;
}

float fractalNoise(float x, float y, int octaves, uint32_t seed) {
    float sum = 0, amplitude = 0.5f, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += valueNoise(x, y, seed + 101u * i) * amplitude;
        total += amplitude;
        x *= 2.03f;
        y *= 2.03f;
        amplitude *= 0.5f;
    }
    return sum / total;
}

}  // namespace artgen
