// The engine draws its own cards, cut from the card sheet (rules/CardSheet.h), at their places
// on the table (rules/TableLayout.h).
#include <algorithm>
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

void Game::drawCell(int cell, const SDL_Rect& dest) {
    SDL_Rect src = cellRect(cell);
    SDL_Texture* sheet = cardTexture;
    if (density == 2 && cardTexture2x != nullptr) {
        sheet = cardTexture2x;
        src = SDL_Rect{2 * src.x, 2 * src.y, 2 * src.w, 2 * src.h};
    }
    SDL_RenderCopy(renderer, sheet, &src, &dest);
}

void Game::renderCard(int rank, const std::string& suit, int x, int y) {
    drawCell(cardCell(suit, rank), SDL_Rect{x, y, kCardWidth, kCardHeight});
}

void Game::renderCardBack(int x, int y) {
    drawCell(kBackCell, SDL_Rect{x, y, kCardWidth, kCardHeight});
}

void Game::renderCardIn(const Card* card, const SDL_Rect& dest) {
    drawCell(card != nullptr ? cardCell(card->suit, card->rank) : kBackCell, dest);
}

SDL_Point Game::cardPlace(HandOnTable hand, int index) const {
    if (hand == HandOnTable::Dealer) {
        return SDL_Point{kDealerX + kFanStepX * index, kDealerY + kFanStepY * index};
    }
    const int firstCards = static_cast<int>(player.cards.size());
    const int secondCards = static_cast<int>(splitHand.cards.size());
    // Without a split the hand fans as usual; the second hand's place is then unused.
    const SplitLayout layout =
        splitActive ? splitLayout(firstCards, secondCards) : SplitLayout{kFanStepX, kSplitX};
    if (hand == HandOnTable::Player) {
        // The hand not being played sits lower.
        const int drop = playingSplit ? kWaitingDrop : 0;
        return SDL_Point{kPlayerX + layout.stepX * index, kPlayerY + kFanStepY * index + drop};
    }
    const int drop = !playingSplit && !roundOver ? kWaitingDrop : 0;
    return SDL_Point{layout.splitX + layout.stepX * index, kSplitY + kFanStepY * index + drop};
}

void Game::renderHands() {
    renderHands(CardsShown{});
}

void Game::renderHands(const CardsShown& shown) {
    const int dealerCards = std::min(shown.dealer, static_cast<int>(dealer.cards.size()));
    for (int i = 0; i < dealerCards; ++i) {
        const SDL_Point at = cardPlace(HandOnTable::Dealer, i);
        if (i == 1 && !dealerRevealed) {
            renderCardBack(at.x, at.y);
        } else {
            renderCard(dealer.cards[i]->rank, dealer.cards[i]->suit, at.x, at.y);
        }
    }
    const int firstCards = std::min(shown.player, static_cast<int>(player.cards.size()));
    for (int i = 0; i < firstCards; ++i) {
        const SDL_Point at = cardPlace(HandOnTable::Player, i);
        renderCard(player.cards[i]->rank, player.cards[i]->suit, at.x, at.y);
    }
    if (!splitActive) {
        return;
    }
    const int secondCards = std::min(shown.split, static_cast<int>(splitHand.cards.size()));
    for (int i = 0; i < secondCards; ++i) {
        const SDL_Point at = cardPlace(HandOnTable::Split, i);
        renderCard(splitHand.cards[i]->rank, splitHand.cards[i]->suit, at.x, at.y);
    }
}
