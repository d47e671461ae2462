#include "support/HeadlessTable.h"

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
