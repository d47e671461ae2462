#include "ui/HelpOverlay.h"

#include <algorithm>
#include <utility>

#include "ui/Texture.h"

namespace {

constexpr int kMargin = 24;
constexpr int kLineStep = 26;

}  // namespace

bool HelpOverlay::opens(SDL_Keycode key, Uint16 modifiers) {
    const bool shift = (modifiers & KMOD_SHIFT) != 0;
    return key == SDLK_F1 || key == SDLK_QUESTION || (key == SDLK_SLASH && shift);
}

void HelpOverlay::open(std::vector<std::string> lines) {
    if (lines != lines_) {
        lines_ = std::move(lines);
        stale_ = true;
    }
    open_ = true;
}

void HelpOverlay::render(SDL_Renderer* renderer, TTF_Font* font, int density) {
    if (!open_) {
        return;
    }
    if (stale_ || labelledDensity_ != density) {
        labels_.clear();
        for (const std::string& line : lines_) {
            labels_.emplace_back(createTextTexture(renderer, font, line));
        }
        labelledDensity_ = density;
        stale_ = false;
    }
    SDL_BlendMode before = SDL_BLENDMODE_NONE;
    SDL_GetRenderDrawBlendMode(renderer, &before);
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 210);
    // As tall as its lines, at most the box.
    SDL_Rect box = kBox;
    box.h = std::min(kBox.h, 2 * kMargin + kLineStep * static_cast<int>(lines_.size()));
    SDL_RenderFillRect(renderer, &box);
    SDL_SetRenderDrawBlendMode(renderer, before);
    float y = static_cast<float>(kBox.y + kMargin);
    for (const TextureHandle& label : labels_) {
        if (label != nullptr) {
            drawLettering(renderer, label.get(), density,
                          SDL_FPoint{static_cast<float>(kBox.x + kMargin), y});
        }
        y += kLineStep;
    }
}

void HelpOverlay::cleanup() {
    open_ = false;
    labels_.clear();
    stale_ = true;
}
