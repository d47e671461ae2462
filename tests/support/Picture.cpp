#include "support/Picture.h"

#include <SDL_image.h>

#include <cmath>
#include <limits>
#include <stdexcept>

Picture Picture::crop(int x, int y, int w, int h) const {
    Picture out;
    out.width = w;
    out.height = h;
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            out.pixels.push_back(at(x + i, y + j));
        }
    }
    return out;
}

Picture Picture::halved() const {
    Picture out;
    out.width = width / 2;
    out.height = height / 2;
    auto toByte = [](double v) { return static_cast<uint8_t>(std::lround(v)); };
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            double alpha = 0, r = 0, g = 0, b = 0;
            for (const Pixel& p : {at(2 * x, 2 * y), at(2 * x + 1, 2 * y), at(2 * x, 2 * y + 1),
                                   at(2 * x + 1, 2 * y + 1)}) {
                alpha += p.a;
                r += static_cast<double>(p.r) * p.a;
                g += static_cast<double>(p.g) * p.a;
                b += static_cast<double>(p.b) * p.a;
            }
            Pixel mean;
            if (alpha > 0) {
                mean = {toByte(r / alpha), toByte(g / alpha), toByte(b / alpha), toByte(alpha / 4)};
            }
            out.pixels.push_back(mean);
        }
    }
    return out;
}

Picture loadPicture(const std::string& path) {
    Picture picture;
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (loaded == nullptr) {
        return picture;
    }
    SDL_Surface* surface = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(loaded);
    if (surface == nullptr) {
        return picture;
    }
    picture.width = surface->w;
    picture.height = surface->h;
    for (int y = 0; y < surface->h; ++y) {
        const auto* row =
            static_cast<const uint8_t*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch;
        for (int x = 0; x < surface->w; ++x) {
            picture.pixels.push_back({row[4 * x], row[4 * x + 1], row[4 * x + 2], row[4 * x + 3]});
        }
    }
    SDL_FreeSurface(surface);
    return picture;
}

double overBlack(const Pixel& p, int c) {
    if (c == 3) {
        return p.a;
    }
    const int value = c == 0 ? p.r : c == 1 ? p.g : p.b;
    return value * p.a / 255.0;
}

PictureDifference compare(const Picture& a, const Picture& b) {
    if (a.width != b.width || a.height != b.height || a.pixels.empty()) {
        throw std::invalid_argument("compare: pictures of different sizes, or empty");
    }
    double absolute = 0, squared = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) {
        for (int c = 0; c < 4; ++c) {
            const double d = overBlack(a.pixels[i], c) - overBlack(b.pixels[i], c);
            absolute += std::fabs(d);
            squared += d * d;
        }
    }
    const double values = 4.0 * static_cast<double>(a.pixels.size());
    const double meanSquared = squared / values;
    PictureDifference difference;
    difference.meanAbsolute = absolute / values;
    difference.psnr = meanSquared > 0 ? 10 * std::log10(255.0 * 255.0 / meanSquared)
                                      : std::numeric_limits<double>::infinity();
    return difference;
}

std::ostream& operator<<(std::ostream& os, const PictureDifference& difference) {
    return os << "mean difference " << difference.meanAbsolute << " per channel, PSNR "
              << difference.psnr << " dB";
}
