// The engine draws its own cards, cut from the card sheet (rules/CardSheet.h), at their places
// on the table (rules/TableLayout.h).
#include <string>

#include "rules/CardSheet.h"
#include "rules/Game.h"
#include "rules/TableLayout.h"

namespace {

SDL_Rect cellRect(int cell) {
    return SDL_Rect{cellX(cell), cellY(cell), kCardWidth, kCardHeight};
}

// Where the two player hands of a split go: the step of both fans and the second hand's x.
struct SplitLayout {
    int stepX;
    int splitX;
};

SplitLayout splitLayout(int firstCards, int secondCards) {
    SplitLayout layout{kFanStepX, kSplitX};
    for (;;) {
        const int firstRight = kPlayerX + layout.stepX * (firstCards - 1) + kCardWidth;
        layout.splitX = firstRight <= kSplitX ? kSplitX : firstRight + kHandGap;
        const int splitRight = layout.splitX + layout.stepX * (secondCards - 1) + kCardWidth;
        if (splitRight <= kTableWidth || layout.stepX == kNarrowestStepX) {
            return layout;
        }
        --layout.stepX;
    }
}

}  // namespace

void Game::drawCell(int cell, int x, int y) {
    SDL_Rect src = cellRect(cell);
    SDL_Texture* sheet = cardTexture;
    if (density == 2 && cardTexture2x != nullptr) {
        sheet = cardTexture2x;
        src = SDL_Rect{2 * src.x, 2 * src.y, 2 * src.w, 2 * src.h};
    }
    const SDL_Rect dest{x, y, kCardWidth, kCardHeight};
    SDL_RenderCopy(renderer, sheet, &src, &dest);
}

void Game::renderCard(int rank, const std::string& suit, int x, int y) {
    drawCell(cardCell(suit, rank), x, y);
}

void Game::renderCardBack(int x, int y) {
    drawCell(kBackCell, x, y);
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

    const int firstCards = static_cast<int>(player.cards.size());
    const int secondCards = static_cast<int>(splitHand.cards.size());
    // Without a split the hand fans as usual; the second hand's place is then unused.
    const SplitLayout layout =
        splitActive ? splitLayout(firstCards, secondCards) : SplitLayout{kFanStepX, kSplitX};
    for (int i = 0; i < firstCards; ++i) {
        const int x = kPlayerX + layout.stepX * i;
        int y = kPlayerY + kFanStepY * i;
        if (playingSplit) {
            y += kWaitingDrop;
        }
        renderCard(player.cards[i]->rank, player.cards[i]->suit, x, y);
    }

    if (!splitActive) {
        return;
    }
    for (int i = 0; i < secondCards; ++i) {
        const int x = layout.splitX + layout.stepX * i;
        int y = kSplitY + kFanStepY * i;
        if (!playingSplit && !roundOver) {
            y += kWaitingDrop;
        }
        renderCard(splitHand.cards[i]->rank, splitHand.cards[i]->suit, x, y);
    }
}
