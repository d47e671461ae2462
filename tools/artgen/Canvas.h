// A small software rasteriser: RGBA float canvases drawn at a multiple of their final size and
// box-filtered down, so every edge comes out antialiased. Drawing is given in units, one unit
// being a pixel of the table at its 1024 x 768 size; a canvas of density 2 turns each unit into
// 2 x 2 pixels of its picture, so the same drawing makes the picture for a display of twice the
// pixel density.
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

// Colour of a fill at a point given in units.
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

// Samples per output pixel for a picture drawn with `scaleAt1x` at density 1: about the same
// samples per unit at every density (never fewer than one per pixel), so a 2x picture costs about
// what the 1x one does and each of its pixels is the mean of its own part of the same fine drawing.
int scaleAt(int scaleAt1x, int density);

class Canvas {
public:
    // width x height units, each drawn as density x density output pixels, each of those made
    // of scale x scale samples.
    Canvas(int width, int height, int scale = 1, int density = 1);

    int width() const { return width_; }
    int height() const { return height_; }
    int scale() const { return scale_; }
    int density() const { return density_; }
    int pixelsWide() const { return width_ * density_; }
    int pixelsHigh() const { return height_ * density_; }
    // Samples across one unit: what a mask or a shape's edge is measured in.
    int samplesPerUnit() const { return scale_ * density_; }
    int samplesWide() const { return width_ * samplesPerUnit(); }
    int samplesHigh() const { return height_ * samplesPerUnit(); }

    // Premultiplied colour of one sample.
    Color sample(int sx, int sy) const;
    Color sampleBilinear(float sx, float sy) const;

    // Composites `paint` over every sample in `box` (units), weighted by coverage(x, y) in 0..1;
    // x and y are the sample's centre in units.
    void cover(Box box, const std::function<float(float, float)>& coverage, const Paint& paint);

    // Composites a mask whose pixels are mapped into units by `maskToCanvas`.
    void drawMask(const Mask& mask, const Affine& maskToCanvas, const Paint& paint);

    // Composites another canvas of any scale and density; `sourceToCanvas` maps its units to ours.
    void draw(const Canvas& source, const Affine& sourceToCanvas, float opacity = 1.0f);

    // Composites another canvas of the same scale and density at a whole-unit offset.
    void blit(const Canvas& source, int x, int y);

    // Changes every sample inside `box`; the callback gets the premultiplied colour.
    void modify(Box box, const std::function<void(Color&, float, float)>& change);

    // A scale-1 copy of the same density, each output pixel the mean of its samples.
    Canvas downsampled() const;

    // Clips drawing to a box of units until cleared.
    void setClip(Box box);
    void clearClip();

    // Writes the canvas as a 32-bit RGBA PNG of pixelsWide() x pixelsHigh(). False on failure.
    bool savePng(const std::string& path) const;

private:
    void blend(size_t index, Color straight, float coverage);
    void sampleRange(Box box, int& sx0, int& sy0, int& sx1, int& sy1) const;

    int width_, height_, scale_, density_;
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
