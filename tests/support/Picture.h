#pragma once

// Pictures read back from PNG files as straight RGBA bytes, halved with a box filter, and a
// measure of how closely two of them match.

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

struct Pixel {
    uint8_t r = 0, g = 0, b = 0, a = 0;
};

struct Picture {
    int width = 0, height = 0;
    std::vector<Pixel> pixels;

    const Pixel& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    Picture crop(int x, int y, int w, int h) const;
    // Half as wide and high (a width or height that is odd loses its last column or row), each
    // pixel the mean of 2 x 2, weighted by alpha so that transparent pixels lend no colour.
    Picture halved() const;
};

// The PNG file at `path`, or an empty picture (0 x 0) when it cannot be read. Needs SDL started.
Picture loadPicture(const std::string& path);

// Channel c of a pixel as seen over black (0 red, 1 green, 2 blue, 3 alpha), 0..255: every fully
// transparent pixel looks alike.
double overBlack(const Pixel& p, int c);

// How far apart two pictures of the same size are, over the four channels seen over black.
struct PictureDifference {
    double meanAbsolute = 0;  // mean absolute difference per channel, 0..255
    double psnr = 0;          // peak signal-to-noise ratio in dB, infinite when the same
};
// Throws std::invalid_argument when the sizes differ or the pictures are empty.
PictureDifference compare(const Picture& a, const Picture& b);
std::ostream& operator<<(std::ostream& os, const PictureDifference& difference);
