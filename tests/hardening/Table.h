#pragma once

// The table the hardening tests play at: the art they write into a scratch directory, one solid
// colour per picture so that every picture can be spoiled one at a time and a pixel tells which
// picture is on top there, and the places on the screens they point at.

#include <SDL.h>

#include <string>
#include <vector>

#include "app/Scene.h"
#include "rules/CardSheet.h"
#include "support/Screen.h"

namespace table {

// One colour per picture.
constexpr Rgb kBgColour{20, 60, 140};
constexpr Rgb kTableColour{10, 120, 40};
constexpr Rgb kPanelColour{90, 50, 20};
constexpr Rgb kLogoColour{200, 160, 10};
constexpr Rgb kButtonColour{150, 20, 150};
constexpr Rgb kArrowColour{30, 200, 200};
constexpr Rgb kBlack{0, 0, 0};

// Sheet cells get colours of their own: card cell n, chip cell (column c, row r).
Rgb cardCellColour(int cell);
Rgb chipCellColour(int column, int row);

// The chip sheet's layout (the card sheet's is rules/CardSheet.h).
constexpr int kChipW = 64;
constexpr int kChipH = 66;
constexpr int kChipSheetCols = 5;
constexpr int kChipSheetRows = 2;

// Every picture and the font, under the working directory as the game expects, with the colours
// above.
void writeGoodArt();
// The picture names under ./images/.
const std::vector<std::string>& imageNames();

// One frame as the main loop runs it: input, update, clear, draw, present.
void frame(Scene& scene, SDL_Renderer* renderer, int x, int y, bool clicked);
// A click at (x, y) followed by a frame without one, which releases the button's latch.
void click(Scene& scene, SDL_Renderer* renderer, int x, int y);

// Centres of the game screen's controls.
struct Point {
    int x;
    int y;
};
Point addChipAt(int kind);
Point removeChipAt(int kind);
constexpr Point kDealAt{912, 644};
constexpr Point kHitAt{187, 684};
constexpr Point kStandAt{337, 684};
constexpr Point kStartAt{512, 524};
// Over nothing that takes a click.
constexpr Point kRestAt{500, 720};

}  // namespace table
