#pragma once

// The screens' layout, in window pixels from the top-left corner: where each picture, button and
// text goes, and how the button, arrow and chip sheets are cut. The game, the art generator's
// mock-ups, the tests and the end-to-end script (through a file the build writes from this one)
// all read it here; the hands' places on the table are rules/TableLayout.h.
#include <SDL.h>

#include <array>

#include "rules/CardSheet.h"
#include "rules/TableLayout.h"

// The table is always laid out at this size; a window of another size shows it scaled.
constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;

// The window's client size at start on a display whose usable room (less the task bar and the
// window's borders) is roomW x roomH: the table at `scale`, the system's display scale (1 where it
// has none), when that fits; otherwise the largest size of the table's shape that does.
constexpr SDL_Point startWindowSize(int roomW, int roomH, float scale) {
    const int w = static_cast<int>(static_cast<float>(kWindowWidth) * scale);
    const int h = static_cast<int>(static_cast<float>(kWindowHeight) * scale);
    if (w <= roomW && h <= roomH) {
        return SDL_Point{w, h};
    }
    if (roomW * kWindowHeight <= roomH * kWindowWidth) {
        return SDL_Point{roomW, roomW * kWindowHeight / kWindowWidth};
    }
    return SDL_Point{roomH * kWindowWidth / kWindowHeight, roomH};
}

// How many pixels each way a table pixel gets in the pictures and lettering drawn on an output of
// outputW x outputH pixels: 2 (the pictures of ./images/2x/, the fonts at twice their point size)
// when the output shows the table at least 1.5 times its own size, at the scale the table is shown
// at (the smaller of the two ratios, as the bars keep its shape); 1 (./images/) below that.
constexpr int densityFor(int outputW, int outputH) {
    return 2 * outputW >= 3 * kWindowWidth && 2 * outputH >= 3 * kWindowHeight ? 2 : 1;
}

// The status texts' point size, in ./fonts/ds-digit.ttf.
constexpr int kFontSize = 22;

// images/BUTTONS.png: one strip of 134 x 48 frames, in this order.
constexpr int kButtonWidth = 134;
constexpr int kButtonHeight = 48;
constexpr int kStartFrame = 0;
constexpr int kExitFrame = 1;
constexpr int kHitFrame = 2;
constexpr int kStandFrame = 3;
constexpr int kDealFrame = 4;
constexpr int kDoubleFrame = 5;
constexpr int kSplitFrame = 6;
constexpr int kButtonFrames = 7;

// images/ARROWS.png: two 26 x 40 frames, remove a chip and add one.
constexpr int kArrowWidth = 26;
constexpr int kArrowHeight = 40;
constexpr int kRemoveFrame = 0;
constexpr int kAddFrame = 1;

// images/CHIPS.png: a grid of 64 x 66 cells. Chip kind i, worth kChipValues[i], is cut from cell
// (kChipCellColumns[i], kChipCellRows[i]).
constexpr int kChipWidth = 64;
constexpr int kChipHeight = 66;
constexpr int kChipKinds = 5;
constexpr std::array<int, kChipKinds> kChipValues{5, 25, 50, 100, 500};
constexpr int kChipCellColumns[kChipKinds] = {1, 3, 4, 0, 1};
constexpr int kChipCellRows[kChipKinds] = {0, 0, 0, 1, 1};

// ---- The menu ----

constexpr int kLogoWidth = 918;
constexpr int kLogoHeight = 357;
// The logo centred across the window.
constexpr SDL_Rect kLogoRect{(kWindowWidth - kLogoWidth) / 2, 120, kLogoWidth, kLogoHeight};
// START and EXIT, centred across the window, one above the other.
constexpr SDL_Rect kStartButtonRect{445, 500, kButtonWidth, kButtonHeight};
constexpr SDL_Rect kMenuExitButtonRect{445, 580, kButtonWidth, kButtonHeight};

// ---- The table ----

constexpr SDL_Rect kTableRect{0, 0, kTableWidth, kTableHeight};
constexpr SDL_Rect kPanelRect{kTableWidth, 0, kWindowWidth - kTableWidth, kWindowHeight};
constexpr int kPanelCentreX = kPanelRect.x + kPanelRect.w / 2;

// The chip column in the panel: chip i with its remove arrow to the left and its add arrow to
// the right, each kind 100 pixels below the one before; its count text centred 8 pixels below.
constexpr int kChipX = 885;
constexpr int kChipCountGap = 8;
constexpr SDL_Rect chipRect(int kind) {
    return SDL_Rect{kChipX, 100 + 100 * kind, kChipWidth, kChipHeight};
}
constexpr SDL_Rect removeChipRect(int kind) {
    return SDL_Rect{845, chipRect(kind).y + 10, kArrowWidth, kArrowHeight};
}
constexpr SDL_Rect addChipRect(int kind) {
    return SDL_Rect{965, chipRect(kind).y + 10, kArrowWidth, kArrowHeight};
}

// DEAL and EXIT in the panel below the chips; HIT, STAND, DOUBLE and SPLIT in a row below the
// table.
constexpr SDL_Rect kDealButtonRect{845, 620, kButtonWidth, kButtonHeight};
constexpr SDL_Rect kExitButtonRect{845, 690, kButtonWidth, kButtonHeight};
constexpr SDL_Rect kHitButtonRect{120, 660, kButtonWidth, kButtonHeight};
constexpr SDL_Rect kStandButtonRect{270, 660, kButtonWidth, kButtonHeight};
constexpr SDL_Rect kDoubleButtonRect{420, 660, kButtonWidth, kButtonHeight};
constexpr SDL_Rect kSplitButtonRect{570, 660, kButtonWidth, kButtonHeight};

// The status texts, each drawn at its own size. Wallet and bet are centred in the panel at these
// tops. The result text starts at its corner and breaks onto further lines to stay left of the
// dealer and player texts and above the dealer's cards; the player text stays on the table.
constexpr int kWalletTextY = 30;
constexpr int kBetTextY = 65;
constexpr SDL_Point kResultTextAt{40, 30};
constexpr int kResultRight = 590;
constexpr int kResultBottom = kDealerY;
constexpr SDL_Point kDealerTextAt{600, 30};
constexpr SDL_Point kPlayerTextAt{600, 60};

// ---- The coach, drawn only while it is on, in the game's font at a smaller size ----

constexpr int kCoachFontSize = 18;
// The value of each play open to the player: centred under its button, on the rail below the
// table, one line under another.
constexpr int kCoachPlayValueGap = 2;
// Between rounds, where the play buttons stand during one: what the last round's plays cost and
// the next round's value, one line under the other.
constexpr SDL_Point kCoachNoteAt{30, 662};
// The session ledger, on the felt right of the dealer's longest hand (ten cards end at x = 507),
// below the dealer and player texts (the player's on two lines after a split) and above the
// player's hands.
constexpr SDL_Point kCoachLedgerAt{530, 124};
constexpr int kCoachLedgerBottom = kPlayerY - 4;

// ---- The drill table: the game screen's table, buttons and panel, no chips ----

// The cards seen since the shuffle, at half size, in the order turned up: a row beside the
// dealer's two cards, wrapping onto further rows that stay right of the player's hand, under
// their caption.
constexpr int kSeenCardWidth = kCardWidth / 2;
constexpr int kSeenCardHeight = kCardHeight / 2;
constexpr SDL_Point kSeenCaptionAt{240, 100};
constexpr SDL_Point kSeenCardsAt{240, 126};
constexpr int kSeenStepX = 32;
constexpr int kSeenRowPitch = kSeenCardHeight + 8;
constexpr int kSeenRight = 800;
constexpr int kSeenPerRow = (kSeenRight - kSeenCardsAt.x - kSeenCardWidth) / kSeenStepX + 1;
constexpr SDL_Rect seenCardRect(int index) {
    return SDL_Rect{kSeenCardsAt.x + kSeenStepX * (index % kSeenPerRow),
                    kSeenCardsAt.y + kSeenRowPitch * (index / kSeenPerRow), kSeenCardWidth,
                    kSeenCardHeight};
}
// The score in the panel: its title and the drills answered where the wallet and the bet stand,
// then the dollars given up, one short line under another, down the chips' box; the way back to
// the menu at the foot of the panel.
constexpr int kDrillScoreY = 130;
constexpr int kDrillScorePitch = 26;
constexpr int kDrillScoreGap = 22;
constexpr int kDrillHintY = 690;

// The middle of `r`, where a click on it lands surely.
constexpr SDL_Point centreOf(SDL_Rect r) {
    return SDL_Point{r.x + r.w / 2, r.y + r.h / 2};
}

// A point over no button on the menu or the table, below the row of play buttons and left of the
// panel: where the tests rest the pointer so that nothing is drawn hovered. The end-to-end and
// browser tests read it from the file the build writes from this one.
constexpr SDL_Point kAwayFromButtons{700, 745};
