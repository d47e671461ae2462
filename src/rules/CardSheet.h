#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "rules/Rules.h"

// The card sheet, images/CARDS.png, as the art generator draws it and the engine cuts it: a grid
// of 117 x 164 cells, 9 to a row and 6 rows, numbered left to right and then down. Cell 0 is the
// card back and cell 1 holds no card of the deck; then come the Clubs, Diamonds, Hearts and
// Spades, each running from its 2 up to the king and then the ace.
constexpr int kCardWidth = 117;
constexpr int kCardHeight = 164;
constexpr int kSheetColumns = 9;
constexpr int kSheetRows = 6;
constexpr int kSheetWidth = kSheetColumns * kCardWidth;
constexpr int kSheetHeight = kSheetRows * kCardHeight;

constexpr int kBackCell = 0;
// The Clubs' 2, after the back and the empty cell.
constexpr int kFirstFaceCell = 2;
constexpr int kCellsPerSuit = 13;
// A suit's ace comes after its king, 12 cells after its 2.
constexpr int kAceOffset = 12;

// The suits in the order the sheet holds them.
enum class SheetSuit { Clubs, Diamonds, Hearts, Spades };
// Their names as a Card carries them, in that order.
inline constexpr std::array<std::string_view, 4> kSheetSuitNames = {"Clubs", "Diamonds", "Hearts",
                                                                    "Spades"};
static_assert(kSheetSuitNames.size() == static_cast<std::size_t>(SheetSuit::Spades) + 1);

// The cell of the 2 of `suit`.
constexpr int suitCell(SheetSuit suit) {
    return kFirstFaceCell + kCellsPerSuit * static_cast<int>(suit);
}
constexpr int kClubsCell = suitCell(SheetSuit::Clubs);
constexpr int kDiamondsCell = suitCell(SheetSuit::Diamonds);
constexpr int kHeartsCell = suitCell(SheetSuit::Hearts);
constexpr int kSpadesCell = suitCell(SheetSuit::Spades);

// How far into its suit a card of `rank` lies (kAceRank, or 2 up to kKingRank): the 2 first,
// the ace last. A rank below the ace counts as the 2.
constexpr int rankOffset(int rank) {
    if (rank == kAceRank) {
        return kAceOffset;
    }
    return rank >= 2 ? rank - 2 : 0;
}

// The cell of the card of `rank` of `suit`.
constexpr int cardCell(SheetSuit suit, int rank) {
    return suitCell(suit) + rankOffset(rank);
}
// The same for a suit named as a Card names it ("Hearts"); a name that is no suit counts from
// cell 0.
constexpr int cardCell(std::string_view suit, int rank) {
    for (std::size_t i = 0; i < kSheetSuitNames.size(); ++i) {
        if (kSheetSuitNames[i] == suit) {
            return cardCell(static_cast<SheetSuit>(i), rank);
        }
    }
    return rankOffset(rank);
}

// The top-left corner of `cell` in the sheet.
constexpr int cellX(int cell) {
    return (cell % kSheetColumns) * kCardWidth;
}
constexpr int cellY(int cell) {
    return (cell / kSheetColumns) * kCardHeight;
}
