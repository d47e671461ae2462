#pragma once

// Drawing with no display: SDL's dummy video driver and a software renderer drawing into a
// surface, whose pixels a test reads back.

#include <SDL.h>

#include <ostream>

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};
std::ostream& operator<<(std::ostream& os, const Rgb& c);

// SDL video on the dummy driver for the object's life, and a software renderer into a surface of
// the window's size, or of a smaller size that clips the drawing to the window's top-left corner.
// Throws std::runtime_error when SDL cannot give either.
class Screen {
public:
    explicit Screen(int width = kScreenWidth, int height = kScreenHeight);
    ~Screen();
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    SDL_Renderer* renderer() const { return renderer_; }
    int width() const { return surface_->w; }
    int height() const { return surface_->h; }
    // The colour at (x, y) of what has been drawn so far.
    Rgb pixel(int x, int y) const;

private:
    SDL_Surface* surface_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
};
