#include "support/Screen.h"

#include <stdexcept>
#include <string>

std::ostream& operator<<(std::ostream& os, const Rgb& c) {
    return os << "rgb(" << c.r << ", " << c.g << ", " << c.b << ")";
}

Screen::Screen(int width, int height) {
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        throw std::runtime_error(std::string("SDL_Init: ") + SDL_GetError());
    }
    surface_ = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    renderer_ = surface_ != nullptr ? SDL_CreateSoftwareRenderer(surface_) : nullptr;
    if (renderer_ == nullptr) {
        const std::string error = SDL_GetError();
        SDL_FreeSurface(surface_);
        SDL_Quit();
        throw std::runtime_error("software renderer: " + error);
    }
}

Screen::~Screen() {
    SDL_DestroyRenderer(renderer_);
    SDL_FreeSurface(surface_);
    SDL_Quit();
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
