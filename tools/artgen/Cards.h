// The playing cards: faces, the back, a joker, and the sheet the game cuts them from.
#pragma once

#include "Canvas.h"
#include "Shapes.h"
#include "Text.h"
#include "rules/CardSheet.h"

namespace artgen {

// Ranks as the sheet orders them: 2..10, then 11 jack, 12 queen, 13 king, 14 ace.
// The sheet cell of the card of `rank`, counted so, of `suit`.
constexpr int sheetCell(Suit suit, int rank) {
    return cardCell(suit, rank == 14 ? kAceRank : rank);
}
Canvas drawCardFace(Fonts& fonts, Suit suit, int rank, int scale, int density = 1);
Canvas drawCardBack(int scale, int density = 1);
Canvas drawJoker(Fonts& fonts, int scale, int density = 1);

// The card sheet the game cuts its cards from (rules/CardSheet.h), with the joker in cell 1; at
// density 2 every cell is twice as wide and high.
Canvas drawCardSheet(Fonts& fonts, int density = 1);

}  // namespace artgen
