#include "ui/Button.h"

#include <utility>

#include "ui/Texture.h"

namespace {

// A hovered button grows evenly about its centre: this much on the left and on the right, and
// this much above and below.
constexpr int kHoverGrowX = 4;
constexpr int kHoverGrowY = 2;

}  // namespace

void Button::setup(SDL_Texture* tex, int frame, int x, int y, int w, int h) {
    texture = tex;
    width = w;
    height = h;
    srcRect = SDL_Rect{frame * width, 0, width, height};
    destRect = SDL_Rect{x, y, width, height};
}

void Button::setOnClick(std::function<void()> callback) {
    onClick = std::move(callback);
}

void Button::handleInput(int x, int y, bool clicked) {
    const SDL_Rect& r = destRect;
    const bool inside = x >= r.x && x <= r.x + r.w && y >= r.y && y <= r.y + r.h;
    hovered = inside;
    if (inside && clicked && !pressed) {
        // Latched before the callback runs, which may end the process or replace this screen.
        pressed = true;
        if (onClick) {
            onClick();
        }
    }
    if (!clicked) {
        pressed = false;
    }
}

void Button::render(SDL_Renderer* renderer) {
    SDL_Rect draw = destRect;
    if (hovered) {
        draw.x -= kHoverGrowX;
        draw.y -= kHoverGrowY;
        draw.w += 2 * kHoverGrowX;
        draw.h += 2 * kHoverGrowY;
    }
    drawPicture(renderer, density, texture, texture2x, &srcRect, &draw);
}
