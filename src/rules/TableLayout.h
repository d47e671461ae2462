#pragma once

// Where the engine lays the hands on the table, the playing area of 820 x 650 pixels at the
// window's top-left corner (the chip panel lies to its right). The cards are as large as the
// card sheet's cells (rules/CardSheet.h).
constexpr int kTableWidth = 820;
constexpr int kTableHeight = 650;

// The top-left corner of each hand's first card.
constexpr int kDealerX = 30;
constexpr int kDealerY = 100;
constexpr int kPlayerX = 30;
constexpr int kPlayerY = 300;
// The second hand of a split, unless the first one reaches it.
constexpr int kSplitX = 230;
constexpr int kSplitY = 300;

// Each card of a hand lies this far right of and below the one before.
constexpr int kFanStepX = 40;
constexpr int kFanStepY = 5;
// The hand the player is not acting on sits this much lower.
constexpr int kWaitingDrop = 20;
// Between the two hands of a split once the first one reaches the second's usual place.
constexpr int kHandGap = 20;
// The narrowest step that leaves a card's corner index (rank over suit, 23 pixels wide) in sight.
constexpr int kNarrowestStepX = 24;
