// A small software rasteriser: RGBA float canvases drawn at a multiple of their final size and
// box-filtered down, so every edge comes out antialiased.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace artgen {

// Straight (not premultiplied) colour, every channel 0..1.
struct Color {
    float r = 0, g = 0, b = 0, a = 0;
};

Color rgb(uint32_t hex, float alpha = 1.0f);
Color mix(Color from, Color to, float t);
Color shade(Color c, float factor);  // scales r, g and b; 0.8 darkens, 1.2 lightens
Color withAlpha(Color c, float alpha);

struct Vec {
    float x = 0, y = 0;
};

struct Box {
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    Box grown(float by) const { return {x0 - by, y0 - by, x1 + by, y1 + by}; }
};

Box unite(Box a, Box b);

// p' = (a x + b y + tx, c x + d y + ty)
struct Affine {
    float a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

    static Affine translate(float x, float y);
    static Affine scale(float sx, float sy);
    static Affine rotate(float radians);
    // This transform followed by `next`.
    Affine then(const Affine& next) const;
    Vec apply(Vec p) const;
    Affine inverse() const;
    Box apply(Box box) const;  // bounding box of the transformed box
};

// Colour of a fill at a point given in output pixels.
using Paint = std::function<Color(float x, float y)>;
Paint solid(Color c);
Paint linearGradient(Vec from, Color fromColor, Vec to, Color toColor);
Paint radialGradient(Vec centre, float radius, Color inner, Color outer);

// A coverage image (0..1 per pixel), such as a line of rendered text, in its own pixels.
struct Mask {
    int width = 0, height = 0;
    std::vector<float> alpha;

    Mask() = default;
    Mask(int w, int h) : width(w), height(h), alpha(static_cast<size_t>(w) * h, 0.0f) {}
    float at(int x, int y) const;
    float sample(float x, float y) const;  // bilinear, 0 outside
    Box ink() const;                       // tight box of the non-zero pixels
    Mask dilated(int radius) const;  // every pixel takes the maximum of its round neighbourhood
    Mask blurred(int radius) const;  // two box-blur passes
    Mask padded(int margin) const;
};

class Canvas {
public:
    // width x height output pixels, each made of scale x scale samples.
    Canvas(int width, int height, int scale = 1);

    int width() const { return width_; }
    int height() const { return height_; }
    int scale() const { return scale_; }
    int samplesWide() const { return width_ * scale_; }
    int samplesHigh() const { return height_ * scale_; }

    // Premultiplied colour of one sample.
    Color sample(int sx, int sy) const;
    Color sampleBilinear(float sx, float sy) const;

    // Composites `paint` over every sample in `box` (output pixels), weighted by
    // coverage(x, y) in 0..1; x and y are the sample's centre in output pixels.
    void cover(Box box, const std::function<float(float, float)>& coverage, const Paint& paint);

    // Composites a mask whose pixels are mapped into output pixels by `maskToCanvas`.
    void drawMask(const Mask& mask, const Affine& maskToCanvas, const Paint& paint);

    // Composites another canvas; `sourceToCanvas` maps its output pixels to ours.
    void draw(const Canvas& source, const Affine& sourceToCanvas, float opacity = 1.0f);

    // Composites another canvas of the same scale at a whole-pixel offset.
    void blit(const Canvas& source, int x, int y);

    // Changes every sample inside `box`; the callback gets the premultiplied colour.
    void modify(Box box, const std::function<void(Color&, float, float)>& change);

    // A scale-1 copy, each output pixel the mean of its samples.
    Canvas downsampled() const;

    // Clips drawing to a box of output pixels until cleared.
    void setClip(Box box);
    void clearClip();

    // Writes a scale-1 canvas as a 32-bit RGBA PNG. False on failure.
    bool savePng(const std::string& path) const;

private:
    void blend(size_t index, Color straight, float coverage);
    void sampleRange(Box box, int& sx0, int& sy0, int& sx1, int& sy1) const;

    int width_, height_, scale_;
    std::vector<Color> samples_;  // premultiplied
    bool clipped_ = false;
    Box clip_;
};

// Deterministic noise: the same arguments always give the same value, in 0..1.
float hashNoise(int x, int y, uint32_t seed);
float valueNoise(float x, float y, uint32_t seed);
float fractalNoise(float x, float y, int octaves, uint32_t seed);

float clamp01(float v);
float smoothstep(float edge0, float edge1, float v);

constexpr float kPi = 3.14159265358979f;

}  // namespace artgen
