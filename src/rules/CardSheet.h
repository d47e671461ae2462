#pragma once

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
// The cell of each suit's 2.
constexpr int kClubsCell = 2;
constexpr int kDiamondsCell = 15;
constexpr int kHeartsCell = 28;
constexpr int kSpadesCell = 41;
constexpr int kCellsPerSuit = 13;
// A suit's ace comes after its king, 12 cells after its 2.
constexpr int kAceOffset = 12;

// The top-left corner of `cell` in the sheet.
constexpr int cellX(int cell) {
    return (cell % kSheetColumns) * kCardWidth;
}
constexpr int cellY(int cell) {
    return (cell / kSheetColumns) * kCardHeight;
}
