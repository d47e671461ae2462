#include "support/Screen.h"

#include <stdexcept>
#include <string>

std::ostream& operator<<(std::ostream& os, const Rgb& c) {
    return os << "rgb(" << c.r << ", " << c.g << ", " << c.b << ")";
}

Screen::Screen(int width, int height, Fit fit) {
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        throw std::runtime_error(std::string("SDL_Init: ") + SDL_GetError());
    }
    if (fit == Fit::Scale) {
        window_ = SDL_CreateWindow("Blackjack", 0, 0, width, height, 0);
        renderer_ =
            window_ != nullptr ? SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE) : nullptr;
        if (renderer_ != nullptr) {
            SDL_RenderSetLogicalSize(renderer_, kWindowWidth, kWindowHeight);
            surface_ = SDL_GetWindowSurface(window_);
        }
    } else {
        surface_ = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
        renderer_ = surface_ != nullptr ? SDL_CreateSoftwareRenderer(surface_) : nullptr;
    }
    if (renderer_ == nullptr) {
        const std::string error = SDL_GetError();
        if (window_ == nullptr) {
            SDL_FreeSurface(surface_);
        }
        SDL_DestroyWindow(window_);
        SDL_Quit();
        throw std::runtime_error("software renderer: " + error);
    }
}

Screen::~Screen() {
    SDL_DestroyRenderer(renderer_);
    if (window_ != nullptr) {
        SDL_DestroyWindow(window_);
    } else {
        SDL_FreeSurface(surface_);
    }
    SDL_Quit();
}

std::vector<Rgb> Screen::pixels() const {
    std::vector<Rgb> all;
    all.reserve(static_cast<std::size_t>(width()) * static_cast<std::size_t>(height()));
    for (int y = 0; y < height(); ++y) {
        for (int x = 0; x < width(); ++x) {
            all.push_back(pixel(x, y));
        }
    }
    return all;
}

SDL_Point Screen::toTable(SDL_Point p) const {
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.windowID = window_ != nullptr ? SDL_GetWindowID(window_) : 0;
    motion.motion.x = p.x;
    motion.motion.y = p.y;
    SDL_PushEvent(&motion);
    SDL_Event read{};
    while (SDL_PollEvent(&read) != 0) {
        if (read.type == SDL_MOUSEMOTION) {
            return SDL_Point{read.motion.x, read.motion.y};
        }
    }
    throw std::runtime_error("the pointer's move was lost");
}

Rgb Screen::pixel(int x, int y) const {
    SDL_RenderFlush(renderer_);
    if (SDL_MUSTLOCK(surface_)) {
        SDL_LockSurface(surface_);
    }
    const auto* row = static_cast<const Uint8*>(surface_->pixels) + y * surface_->pitch;
    Uint32 value = 0;
    SDL_memcpy(&value, row + x * 4, sizeof value);
    if (SDL_MUSTLOCK(surface_)) {
        SDL_UnlockSurface(surface_);
    }
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(value, surface_->format, &r, &g, &b);
    return Rgb{r, g, b};
}
