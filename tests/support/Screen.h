#pragma once

// Drawing with no display: SDL's dummy video driver and a software renderer drawing into a
// surface, whose pixels a test reads back.

#include <SDL.h>

#include <ostream>

#include <vector>

#include "ui/Layout.h"

constexpr int kScreenWidth = kWindowWidth;
constexpr int kScreenHeight = kWindowHeight;

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
// Scaled, it is a window of that size as the game opens one of any size: the renderer draws into
// the window and lays the table out at its own size (SDL's logical size), scaled to fit with bars.
// Throws std::runtime_error when SDL cannot give either.
class Screen {
public:
    enum class Fit { Clip, Scale };
    explicit Screen(int width = kScreenWidth, int height = kScreenHeight, Fit fit = Fit::Clip);
    ~Screen();
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    SDL_Renderer* renderer() const { return renderer_; }
    // The window, when scaled; none otherwise.
    SDL_Window* window() const { return window_; }
    int width() const { return surface_->w; }
    int height() const { return surface_->h; }
    // The colour at (x, y) of what has been drawn so far.
    Rgb pixel(int x, int y) const;
    // Every pixel drawn so far, row by row.
    std::vector<Rgb> pixels() const;
    // Where the pointer at window point `p` is on the table, as the main loop reads it from SDL's
    // mouse-motion events.
    SDL_Point toTable(SDL_Point p) const;

private:
    SDL_Window* window_ = nullptr;
    SDL_Surface* surface_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
};
