// The playing cards: faces, the back, a joker, and the sheet the game cuts them from.
#pragma once

#include "Canvas.h"
#include "Shapes.h"
#include "Text.h"

namespace artgen {

constexpr int kCardWidth = 117;
constexpr int kCardHeight = 164;
constexpr int kSheetColumns = 9;
constexpr int kSheetRows = 6;

// Ranks as the sheet orders them: 2..10, then 11 jack, 12 queen, 13 king, 14 ace.
Canvas drawCardFace(Fonts& fonts, Suit suit, int rank, int scale);
Canvas drawCardBack(int scale);
Canvas drawJoker(Fonts& fonts, int scale);

// 9 x 6 cells of 117 x 164: the back, the joker, then clubs, diamonds, hearts and spades,
// each from 2 up to the ace.
Canvas drawCardSheet(Fonts& fonts);

}  // namespace artgen
