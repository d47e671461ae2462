// The engine draws its own cards from the card sheet: a grid of 117 x 164 cells, 9 to a row.
// Cell 0 is the back, cell 1 no card, then Clubs, Diamonds, Hearts and Spades from 2 up to ace.
#include <string>

#include "rules/Game.h"

namespace {

constexpr int kCardWidth = 117;
constexpr int kCardHeight = 164;
constexpr int kCellsPerRow = 9;
constexpr int kFanStepX = 40;
constexpr int kFanStepY = 5;
// The hand the player is not acting on sits this much lower.
constexpr int kWaitingDrop = 20;

constexpr int kDealerX = 30;
constexpr int kDealerY = 100;
constexpr int kPlayerX = 30;
constexpr int kPlayerY = 300;
constexpr int kSplitX = 230;
constexpr int kSplitY = 300;

SDL_Rect cellRect(int cell) {
    return SDL_Rect{(cell % kCellsPerRow) * kCardWidth, (cell / kCellsPerRow) * kCardHeight,
                    kCardWidth, kCardHeight};
}

}  // namespace

void Game::renderCard(int rank, const std::string& suit, int x, int y) {
    int base = 0;
    if (suit == "Clubs") {
        base = 2;
    }
    if (suit == "Diamonds") {
        base = 15;
    }
    if (suit == "Hearts") {
        base = 28;
    }
    if (suit == "Spades") {
        base = 41;
    }
    // The sheet runs 2 to king and then the ace.
    int offset = 0;
    if (rank >= 2) {
        offset = rank - 2;
    } else if (rank == 1) {
        offset = 12;
    }
    const SDL_Rect src = cellRect(base + offset);
    const SDL_Rect dest{x, y, kCardWidth, kCardHeight};
    SDL_RenderCopy(renderer, cardTexture, &src, &dest);
}

void Game::renderCardBack(int x, int y) {
    const SDL_Rect src = cellRect(0);
    const SDL_Rect dest{x, y, kCardWidth, kCardHeight};
    SDL_RenderCopy(renderer, cardTexture, &src, &dest);
}

void Game::renderHands() {
    for (int i = 0; i < static_cast<int>(dealer.cards.size()); ++i) {
        const int x = kDealerX + kFanStepX * i;
        const int y = kDealerY + kFanStepY * i;
        if (i == 1 && !dealerRevealed) {
            renderCardBack(x, y);
        } else {
            renderCard(dealer.cards[i]->rank, dealer.cards[i]->suit, x, y);
        }
    }

    for (int i = 0; i < static_cast<int>(player.cards.size()); ++i) {
        const int x = kPlayerX + kFanStepX * i;
        int y = kPlayerY + kFanStepY * i;
        if (playingSplit) {
            y += kWaitingDrop;
        }
        renderCard(player.cards[i]->rank, player.cards[i]->suit, x, y);
    }

    if (!splitActive) {
        return;
    }
    for (int i = 0; i < static_cast<int>(splitHand.cards.size()); ++i) {
        const int x = kSplitX + kFanStepX * i;
        int y = kSplitY + kFanStepY * i;
        if (!playingSplit && !roundOver) {
            y += kWaitingDrop;
        }
        renderCard(splitHand.cards[i]->rank, splitHand.cards[i]->suit, x, y);
    }
}
