#include "support/HeadlessTable.h"

#include <cstdlib>
#include <filesystem>

#include "app/Scene.h"

void writeTableArt() {
    writeSolidPng("images/BG.png", 32, 24, art::kBackground);
    writeSolidPng("images/LOGO.png", 90, 35, art::kLogo);
    writeSolidPng("images/TABLE.png", 41, 33, art::kTable);
    writeSolidPng("images/CHIPBG.png", 20, 30, art::kPanel);
    writeSheetPng("images/BUTTONS.png", kButtonFrames + 1, 1, kButtonWidth, kButtonHeight,
                  [](int c, int) { return art::button(c); });
    writeSheetPng("images/ARROWS.png", 2, 1, kArrowWidth, kArrowHeight,
                  [](int c, int) { return art::arrow(c); });
    writeSheetPng("images/CHIPS.png", 5, 2, kChipWidth, kChipHeight, art::chip);
    writeSheetPng("images/CARDS.png", kSheetColumns, kSheetRows, kCardWidth, kCardHeight,
                  [](int c, int r) { return art::card(r * kSheetColumns + c); });
    installSystemFont();
}

const std::vector<std::string>& imageNames() {
    static const std::vector<std::string> names = {"BG",     "LOGO",   "BUTTONS", "TABLE",
                                                   "CHIPBG", "ARROWS", "CHIPS",   "CARDS"};
    return names;
}

void writeSharpTableArt() {
    std::filesystem::create_directories("images/2x");
    writeSolidPng("images/2x/BG.png", 64, 48, art::sharp(art::kBackground));
    writeSolidPng("images/2x/LOGO.png", 180, 70, art::sharp(art::kLogo));
    writeSolidPng("images/2x/TABLE.png", 82, 66, art::sharp(art::kTable));
    writeSolidPng("images/2x/CHIPBG.png", 40, 60, art::sharp(art::kPanel));
    writeSheetPng("images/2x/BUTTONS.png", kButtonFrames + 1, 1, 2 * kButtonWidth,
                  2 * kButtonHeight, [](int c, int) { return art::sharp(art::button(c)); });
    writeSheetPng("images/2x/ARROWS.png", 2, 1, 2 * kArrowWidth, 2 * kArrowHeight,
                  [](int c, int) { return art::sharp(art::arrow(c)); });
    writeSheetPng("images/2x/CHIPS.png", 5, 2, 2 * kChipWidth, 2 * kChipHeight,
                  [](int c, int r) { return art::sharp(art::chip(c, r)); });
    writeSheetPng("images/2x/CARDS.png", kSheetColumns, kSheetRows, 2 * kCardWidth, 2 * kCardHeight,
                  [](int c, int r) { return art::sharp(art::card(r * kSheetColumns + c)); });
}

void installGameArt() {
    namespace fs = std::filesystem;
    fs::copy(fs::path(BLACKJACK_TEST_RUN_DIR) / "images", "images",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

void stretchedFrame(Scene& scene, SDL_Renderer* renderer) {
    SDL_Texture* table = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                           SDL_TEXTUREACCESS_TARGET, kWindowWidth, kWindowHeight);
    ASSERT_NE(table, nullptr) << SDL_GetError();
    SDL_SetTextureScaleMode(table, SDL_ScaleModeLinear);
    SDL_SetRenderTarget(renderer, table);
    SDL_RenderClear(renderer);
    scene.render(renderer);
    SDL_SetRenderTarget(renderer, nullptr);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, table, nullptr, nullptr);
    SDL_RenderPresent(renderer);
    SDL_DestroyTexture(table);
}

namespace {

int brightness(Rgb c) {
    return (299 * c.r + 587 * c.g + 114 * c.b) / 1000;
}

}  // namespace

double strongEdgeShare(const std::vector<Rgb>& pixels, int width, SDL_Rect area) {
    int edges = 0;
    int strong = 0;
    for (int y = area.y; y < area.y + area.h; ++y) {
        for (int x = area.x; x < area.x + area.w; ++x) {
            const int here = brightness(pixels[static_cast<std::size_t>(y) * width + x]);
            for (const Rgb& next : {pixels[static_cast<std::size_t>(y) * width + x + 1],
                                    pixels[static_cast<std::size_t>(y + 1) * width + x]}) {
                const int step = std::abs(brightness(next) - here);
                edges += step >= 24 ? 1 : 0;
                strong += step >= 96 ? 1 : 0;
            }
        }
    }
    return edges == 0 ? 0.0 : static_cast<double>(strong) / edges;
}

std::vector<Rgb> halved(const std::vector<Rgb>& pixels, int width) {
    const int height = static_cast<int>(pixels.size()) / width;
    std::vector<Rgb> half;
    half.reserve(pixels.size() / 4);
    for (int y = 0; y + 1 < height; y += 2) {
        for (int x = 0; x + 1 < width; x += 2) {
            Rgb sum;
            for (const std::size_t i : {static_cast<std::size_t>(y) * width + x,
                                        static_cast<std::size_t>(y) * width + x + 1,
                                        static_cast<std::size_t>(y + 1) * width + x,
                                        static_cast<std::size_t>(y + 1) * width + x + 1}) {
                sum.r += pixels[i].r;
                sum.g += pixels[i].g;
                sum.b += pixels[i].b;
            }
            half.push_back(Rgb{(sum.r + 2) / 4, (sum.g + 2) / 4, (sum.b + 2) / 4});
        }
    }
    return half;
}

double meanDifference(const std::vector<Rgb>& a, const std::vector<Rgb>& b) {
    if (a.size() != b.size() || a.empty()) {
        return 255.0;
    }
    double total = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        total += std::abs(a[i].r - b[i].r) + std::abs(a[i].g - b[i].g) + std::abs(a[i].b - b[i].b);
    }
    return total / (3.0 * static_cast<double>(a.size()));
}

void frame(Scene& scene, SDL_Renderer* renderer, SDL_Point at, bool clicked) {
    scene.handleInput(at.x, at.y, clicked);
    scene.update();
    SDL_RenderClear(renderer);
    scene.render(renderer);
    SDL_RenderPresent(renderer);
}

void click(Scene& scene, SDL_Renderer* renderer, SDL_Point at) {
    frame(scene, renderer, at, true);
    frame(scene, renderer, at, false);
}

void press(Scene& scene, SDL_Renderer* renderer, SDL_Keycode key, Uint16 modifiers) {
    scene.handleInput(kAwayFromButtons.x, kAwayFromButtons.y, false);
    scene.handleKey(key, modifiers);
    scene.update();
    SDL_RenderClear(renderer);
    scene.render(renderer);
    SDL_RenderPresent(renderer);
}
