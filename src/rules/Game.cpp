#include "rules/Game.h"

#include <SDL_image.h>

#include <cstdint>
#include <ctime>
#include <iostream>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kStartingWallet = 1000;
// Below this many cards the whole pack is gathered and shuffled before a deal.
constexpr int kReshuffleBelow = 15;
constexpr int kDealerStandsOn = 17;
constexpr int kBlackjack = 21;
// A natural returns the stake plus 3:2, truncated to whole dollars.
constexpr double kNaturalReturn = 2.5;

static_assert(sizeof(int) == 4, "money and hand values are 32-bit integers");

}  // namespace

Game::Game(SDL_Renderer* renderer) : renderer(renderer), deck(std::make_unique<Deck>()) {
    wallet = kStartingWallet;
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
    if (renderer != nullptr) {
        // Reported like every other picture: without the sheet no card can be seen.
        const char* const sheetPath = "./images/CARDS.png";
        if (SDL_Surface* sheet = IMG_Load(sheetPath)) {
            cardTexture = SDL_CreateTextureFromSurface(renderer, sheet);
            SDL_FreeSurface(sheet);
        } else {
            std::cout << "Failed to load texture: " << sheetPath << std::endl;
        }
    }
}

Game::~Game() {
    if (cardTexture != nullptr) {
        SDL_DestroyTexture(cardTexture);
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
    int payout = 0;
    const bool natural = player.cards.size() == 2 && player.value == kBlackjack && !splitActive;
    const int naturalPayout = static_cast<int>(stake * kNaturalReturn);

    const char* firstHand = "";
    if (player.value > kBlackjack) {
        firstHand = "Player Busted";
    } else if (dealer.value > kBlackjack && natural) {
        payout += naturalPayout;
        firstHand = "Blackjack! (Dealer Busted)";
    } else if (dealer.value > kBlackjack) {
        payout += 2 * stake;
        firstHand = "Dealer Busted";
    } else if (player.value > dealer.value && natural) {
        payout += naturalPayout;
        firstHand = "Blackjack!";
    } else if (player.value > dealer.value) {
        payout += 2 * stake;
        firstHand = "Player Higher Score";
    } else if (player.value == dealer.value) {
        payout += stake;
        firstHand = "Push";
    } else {
        firstHand = "Dealer Higher Score";
    }

    // The second hand of a split is never paid as a natural.
    const char* secondHand = "";
    if (splitActive) {
        if (splitHand.value > kBlackjack) {
            secondHand = " | Hand 2 Busted";
        } else if (dealer.value > kBlackjack) {
            payout += 2 * stake;
            secondHand = " | Hand 2 Dealer Busted";
        } else if (splitHand.value > dealer.value) {
            payout += 2 * stake;
            secondHand = " | Hand 2 Player Higher Score";
        } else if (splitHand.value == dealer.value) {
            payout += stake;
            secondHand = " | Hand 2 Push";
        } else {
            secondHand = " | Hand 2 Dealer Higher Score";
        }
    }

    wallet += payout;
    const int net = payout - bet;
    // Written into the text's own buffer, so a settled round allocates nothing once warmed up.
    resultText.clear();
    if (net > 0) {
        resultText += "PLAYER WINS | ";
        resultText += std::to_string(net);
        resultText += "$ Won | ";
    } else if (net < 0) {
        resultText += "DEALER WINS | ";
        resultText += std::to_string(-net);
        resultText += "$ Lost | ";
    } else {
        resultText += "TIE/PUSH | 0$ | ";
    }
    resultText += firstHand;
    resultText += secondHand;
    bet = 0;
}

void Game::pollEvents() {
    // What the main loop reads stays queued for its next drain: a window close (or a SIGTERM or
    // SIGINT, which SDL turns into one), pointer moves and button presses. Dropping a press here
    // would lose a click.
    static_assert(SDL_MOUSEBUTTONDOWN == SDL_MOUSEMOTION + 1,
                  "the kept pointer events are adjacent");
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_QUIT - 1);
    SDL_FlushEvents(SDL_QUIT + 1, SDL_MOUSEMOTION - 1);
    SDL_FlushEvents(SDL_MOUSEBUTTONDOWN + 1, SDL_LASTEVENT);
}

bool Game::canDouble() const {
    return player.cards.size() == 2 && player.value >= 9 && player.value <= 11 && !splitActive;
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
    return cardPoints(dealer.cards[0]->rank);
}
