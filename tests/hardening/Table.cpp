#include "Table.h"

#include "support/Images.h"
#include "support/ScratchDir.h"

namespace table {

Rgb cardCellColour(int cell) {
    // 54 cells, each a different red and green; blue marks the card sheet.
    return Rgb{10 + 4 * cell, 250 - 3 * cell, 77};
}

Rgb chipCellColour(int column, int row) {
    const int cell = row * kChipSheetCols + column;
    return Rgb{240 - 20 * cell, 30 + 20 * cell, 133};
}

void writeGoodArt() {
    writeSolidPng("images/BG.png", kScreenWidth, kScreenHeight, kBgColour);
    writeSolidPng("images/LOGO.png", 918, 357, kLogoColour);
    writeSolidPng("images/BUTTONS.png", 7 * 134, 48, kButtonColour);
    writeSolidPng("images/TABLE.png", 820, 650, kTableColour);
    writeSolidPng("images/CHIPBG.png", 204, 768, kPanelColour);
    writeSolidPng("images/ARROWS.png", 2 * 26, 40, kArrowColour);
    writeSheetPng("images/CHIPS.png", kChipSheetCols, kChipSheetRows, kChipW, kChipH,
                  chipCellColour);
    writeSheetPng("images/CARDS.png", kSheetColumns, kSheetRows, kCardWidth, kCardHeight,
                  [](int col, int row) { return cardCellColour(row * kSheetColumns + col); });
    installSystemFont();
}

const std::vector<std::string>& imageNames() {
    static const std::vector<std::string> names = {"BG",     "LOGO",   "BUTTONS", "TABLE",
                                                   "CHIPBG", "ARROWS", "CHIPS",   "CARDS"};
    return names;
}

void frame(Scene& scene, SDL_Renderer* renderer, int x, int y, bool clicked) {
    scene.handleInput(x, y, clicked);
    scene.update();
    SDL_RenderClear(renderer);
    scene.render(renderer);
    SDL_RenderPresent(renderer);
}

void click(Scene& scene, SDL_Renderer* renderer, int x, int y) {
    frame(scene, renderer, x, y, true);
    frame(scene, renderer, x, y, false);
}

Point addChipAt(int kind) {
    return Point{978, 130 + 100 * kind};
}

Point removeChipAt(int kind) {
    return Point{858, 130 + 100 * kind};
}

}  // namespace table
