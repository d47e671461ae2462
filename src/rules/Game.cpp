#include "rules/Game.h"

#include <cstdint>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "rules/Outcome.h"
#include "rules/Rules.h"

static_assert(sizeof(int) == 4, "money and hand values are 32-bit integers");

Game::Game(SDL_Renderer* renderer, WithoutCardSheet)
    : renderer(renderer), deck(std::make_unique<Deck>()) {
    // The clock alone would deal two games started in the same second alike.
    std::random_device entropy;
    const auto now = static_cast<std::uint64_t>(std::time(nullptr));
    std::seed_seq seeds{static_cast<std::uint32_t>(now),
                        static_cast<std::uint32_t>(now >> 32),
                        entropy(),
                        entropy(),
                        entropy(),
                        entropy()};
    deck->seed(seeds);
    deck->shuffle();
    player.name = "Player";
    dealer.name = "Dealer";
}

Game::~Game() {
    for (SDL_Texture* sheet : {cardTexture, cardTexture2x}) {
        if (sheet != nullptr) {
            SDL_DestroyTexture(sheet);
        }
    }
}

void Game::releaseSharpCardSheet() {
    if (cardTexture2x != nullptr) {
        SDL_DestroyTexture(cardTexture2x);
        cardTexture2x = nullptr;
    }
}

void Game::placeBet(int amount) {
    bet = amount;
    wallet -= amount;
}

Card* Game::nextCard() {
    if (deck->size() == 0) {
        std::vector<const Card*> onTable;
        for (const Hand* hand : {&player, &dealer, &splitHand}) {
            onTable.insert(onTable.end(), hand->cards.begin(), hand->cards.end());
        }
        deck->restock(onTable);
        deck->shuffle();
    }
    return deck->deal();
}

void Game::startRound() {
    roundOver = false;
    dealerRevealed = false;
    splitActive = false;
    splitDone = false;
    playingSplit = false;
    resultText.clear();

    player.clear();
    dealer.clear();
    splitHand.clear();

    // The hands are empty, so the whole pack comes back before it runs low.
    if (deck->size() < kReshuffleBelow) {
        deck->restock({});
        deck->shuffle();
    }

    player.addCard(nextCard());
    dealer.addCard(nextCard());
    player.addCard(nextCard());
    dealer.addCard(nextCard());

    // A natural ends the turn at once; the dealer is never checked for one of its own.
    if (player.value == kBlackjack) {
        stand();
    }
}

void Game::hit() {
    if (!playingSplit) {
        player.addCard(nextCard());
        if (player.value > kBlackjack) {
            if (splitActive) {
                playingSplit = true;
            } else {
                stand();
            }
        }
    } else {
        splitHand.addCard(nextCard());
        if (splitHand.value > kBlackjack) {
            stand();
        }
    }
}

void Game::stand() {
    if (splitActive && !playingSplit) {
        playingSplit = true;
        return;
    }
    dealerRevealed = true;
    const bool someHandStands =
        player.value <= kBlackjack || (splitActive && splitHand.value <= kBlackjack);
    if (someHandStands) {
        // The dealer draws on 16 and stands on every 17, a soft one included.
        while (dealer.value < kDealerStandsOn) {
            dealer.addCard(nextCard());
        }
    }
    settle();
}

void Game::doubleDown() {
    wallet -= bet;
    bet *= 2;
    hit();
    if (!roundOver && !playingSplit) {
        stand();
    }
}

void Game::split() {
    if (!canSplit()) {
        return;
    }
    splitDone = true;
    splitActive = true;
    wallet -= bet;
    bet *= 2;

    Card* first = player.cards[0];
    Card* second = player.cards[1];
    player.clear();
    player.addCard(first);
    splitHand.addCard(second);

    player.addCard(nextCard());
    splitHand.addCard(nextCard());
}

void Game::settle() {
    roundOver = true;
    const int stake = splitActive ? bet / 2 : bet;
    // Only the unsplit first hand can be a natural.
    const bool natural = player.cards.size() == 2 && player.value == kBlackjack && !splitActive;
    const Outcome first = outcomeOf(player.value, dealer.value, natural);
    int payout = returnOf(first, stake);
    const char* secondHand = "";
    if (splitActive) {
        const Outcome second = outcomeOf(splitHand.value, dealer.value, false);
        payout += returnOf(second, stake);
        secondHand = textOf(second).secondHand;
    }

    wallet += payout;
    const int net = payout - bet;
    // Written into the text's own buffer, so a settled round allocates nothing once warmed up.
    resultText.clear();
    if (net > 0) {
        resultText += kResultHead.playerWins;
        resultText += std::to_string(net);
        resultText += kResultHead.won;
    } else if (net < 0) {
        resultText += kResultHead.dealerWins;
        resultText += std::to_string(-net);
        resultText += kResultHead.lost;
    } else {
        resultText += kResultHead.tie;
    }
    resultText += textOf(first).firstHand;
    resultText += secondHand;
    bet = 0;
}

void Game::pollEvents() {
    // What the main loop reads stays queued for its next drain: a window close (or a SIGTERM or
    // SIGINT, which SDL turns into one), keys going down, pointer moves and button presses.
    // Dropping a press here would lose a click or a key.
    static_assert(SDL_MOUSEBUTTONDOWN == SDL_MOUSEMOTION + 1,
                  "the kept pointer events are adjacent");
    static_assert(SDL_QUIT < SDL_KEYDOWN && SDL_KEYDOWN < SDL_MOUSEMOTION,
                  "the kept events come in this order");
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_QUIT - 1);
    SDL_FlushEvents(SDL_QUIT + 1, SDL_KEYDOWN - 1);
    SDL_FlushEvents(SDL_KEYDOWN + 1, SDL_MOUSEMOTION - 1);
    SDL_FlushEvents(SDL_MOUSEBUTTONDOWN + 1, SDL_LASTEVENT);
}

bool Game::canDouble() const {
    return player.cards.size() == 2 && player.value >= kLowestDouble &&
           player.value <= kHighestDouble && !splitActive;
}

bool Game::canSplit() const {
    return !splitDone && player.cards.size() == 2 && player.cards[0]->rank == player.cards[1]->rank;
}

int Game::dealerShownValue() const {
    if (dealerRevealed) {
        return dealer.value;
    }
    if (dealer.cards.empty()) {
        return 0;
    }
    return rankPoints(dealer.cards[0]->rank);
}
