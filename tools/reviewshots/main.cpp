// Draws a screenshot of the review for the README: the real game screen with its real art, and
// over it the review of a sample session of 20 rounds (splits, doubles and a few costly plays
// among them) played by the engine off a fresh pack each round, every decision valued by the
// solver. Headless: SDL's dummy video driver and a software renderer drawing into a picture.
//
// Usage: review_shots OUT.png [DENSITY [KEYS]], run in the run directory (build/run):
//   SDL_VIDEODRIVER=dummy ../tools/review_shots ../../docs/review.png 1 LLLU
// DENSITY 2 draws the table at 2048 x 1536; KEYS are pressed once the review is open, one letter
// a key: L and R for Left and Right (an older, a newer round), U and D for Up and Down (the
// previous, the next play that cost something).
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <string>
#include <vector>

#include "history/RoundRecord.h"
#include "rules/Game.h"
#include "solver/TableSolver.h"
#include "ui/GameScene.h"
#include "ui/Layout.h"
#include "ui/ReviewOverlay.h"

namespace {

constexpr int kRounds = 20;
constexpr int kBet = 25;

std::vector<int> ranksOf(const Hand& hand) {
    std::vector<int> ranks;
    for (const Card* card : hand.cards) {
        ranks.push_back(card->rank);
    }
    return ranks;
}

std::string suitsOf(const Hand& hand) {
    std::string suits;
    for (const Card* card : hand.cards) {
        suits += card->suit[0];
    }
    return suits;
}

// Lays `cards` ("8H 7S ...", dealt player, dealer, player, dealer, then draws) on top of the deck.
void stack(Deck& deck, const std::string& cards) {
    std::vector<Card*> top;
    for (std::size_t i = 0; i + 1 < cards.size(); i += 3) {
        const int rank = static_cast<int>(std::string("A23456789TJQK").find(cards[i])) + 1;
        for (Card& card : deck.pack) {
            if (card.rank == rank && card.suit[0] == cards[i + 1]) {
                top.push_back(&card);
            }
        }
    }
    std::vector<Card*> rest;
    for (Card* card : deck.cards) {
        if (std::find(top.begin(), top.end(), card) == top.end()) {
            rest.push_back(card);
        }
    }
    rest.insert(rest.end(), top.rbegin(), top.rend());
    deck.cards = rest;
}

int handResult(const Hand& hand, const Hand& dealer, int stake) {
    if (hand.value > 21) {
        return -stake;
    }
    if (dealer.value > 21 || hand.value > dealer.value) {
        return stake;
    }
    return hand.value == dealer.value ? 0 : -stake;
}

// The play taken: the best, but at every third decision that is no double or split the second
// best, so that the review has costs to show.
solver::Action choose(const solver::PlayValues& values, int decisionNumber) {
    const solver::Action best = values.best();
    if (decisionNumber % 3 != 2 || best == solver::Action::Double ||
        best == solver::Action::Split) {
        return best;
    }
    solver::Action second = best;
    double secondValue = -1e9;
    for (int play = 0; play < 4; ++play) {
        const auto action = static_cast<solver::Action>(play);
        const double value = values.of(action);
        if (action != best && !std::isnan(value) && value > secondValue) {
            second = action;
            secondValue = value;
        }
    }
    return second;
}

// Plays one round off a fresh pack at the solver's values and keeps it as the history would.
RoundRecord playRound(Game& game, solver::TableSolver& solver, double edge, int number,
                      int& decisionNumber) {
    RoundRecord record;
    record.session = 3;
    record.bet = kBet;
    record.edge = edge * kBet;
    char time[32];
    std::snprintf(time, sizeof time, "2026-12-09T01:%02d:00Z", 10 + 2 * number);
    record.time = time;

    game.deck->restock({});
    game.deck->shuffle();
    // A split of eights against a 7, and an 11 doubled against a 5, among the rounds dealt.
    if (number == 14) {
        stack(*game.deck, "8H 7S 8C KD 3C 2D TH 9S");
    } else if (number == 17) {
        stack(*game.deck, "6H 5S 5D TC 9S");
    }
    const int walletBefore = game.getWallet();
    game.placeBet(kBet);
    game.startRound();
    bool doubled[2] = {false, false};
    while (!game.isRoundOver()) {
        const bool second = game.playingSplit;
        Hand& hand = second ? game.splitHand : game.player;
        const Hand& other = second ? game.player : game.splitHand;
        const int up = game.dealer.cards[0]->rank;
        RoundRecord::Decision decision;
        decision.hand = second ? 1 : 0;
        decision.split = game.splitActive;
        decision.cards = ranksOf(hand);
        decision.up = up;
        decision.seen = ranksOf(other);
        solver::RankCounts unseen = solver::fullPack();
        for (int rank : decision.cards) {
            --unseen[rank];
        }
        for (int rank : decision.seen) {
            --unseen[rank];
        }
        --unseen[up];
        const bool opening = !game.splitActive && hand.cards.size() == 2;
        decision.values = solver.decide(decision.cards, up, unseen, opening);
        if (!game.canDouble()) {
            decision.values.doubled = solver::PlayValues::kNotAllowed;
        }
        if (!game.canSplit()) {
            decision.values.split = solver::PlayValues::kNotAllowed;
        }
        decision.best = decision.values.best();
        decision.chosen = choose(decision.values, decisionNumber++);
        decision.cost = std::max(
            0.0, (decision.values.of(decision.best) - decision.values.of(decision.chosen)) * kBet);
        record.decisions.push_back(decision);
        switch (decision.chosen) {
            case solver::Action::Hit:
                game.hit();
                break;
            case solver::Action::Double:
                doubled[decision.hand] = true;
                game.doubleDown();
                break;
            case solver::Action::Split:
                game.split();
                break;
            default:
                game.stand();
                break;
        }
    }
    record.dealer = ranksOf(game.dealer);
    record.dealerSuits = suitsOf(game.dealer);
    const Hand* hands[2] = {&game.player, &game.splitHand};
    for (int h = 0; h < (game.splitActive ? 2 : 1); ++h) {
        RoundRecord::HandRecord kept;
        kept.cards = ranksOf(*hands[h]);
        kept.suits = suitsOf(*hands[h]);
        kept.stake = doubled[h] ? 2 * kBet : kBet;
        kept.result = handResult(*hands[h], game.dealer, kept.stake);
        record.hands.push_back(kept);
    }
    record.wallet = game.getWallet();
    record.net = record.wallet - walletBefore;
    // A natural is paid at once, 3:2, and compares no values.
    record.blackjack = record.decisions.empty() && record.net > kBet;
    if (record.hands.size() == 1) {
        record.hands[0].result = record.net;
    }
    record.text = game.getResultText();
    return record;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 4) {
        std::cerr << "usage: review_shots OUT.png [DENSITY [KEYS]] (run in the run directory)"
                  << std::endl;
        return 2;
    }
    const int density = argc > 2 && std::string(argv[2]) == "2" ? 2 : 1;
    const std::string keys = argc > 3 ? argv[3] : "";
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 0);
    SDL_Init(SDL_INIT_VIDEO);
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(
        0, density * kWindowWidth, density * kWindowHeight, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(surface);
    SDL_RenderSetLogicalSize(renderer, kWindowWidth, kWindowHeight);

    // The sample session, on an engine of its own with the same pack order on every run.
    Game rules(nullptr);
    rules.deck->seed(2026u);
    solver::TableSolver solver;
    const double edge = solver.nextRound(solver::fullPack(), kBet);
    std::vector<RoundRecord> rounds;
    rounds.reserve(kRounds);
    int decisionNumber = 0;
    for (int i = 0; i < kRounds; ++i) {
        rounds.push_back(playRound(rules, solver, edge, i, decisionNumber));
    }

    GameScene table;
    table.init(renderer);
    table.setDensity(density);
    table.handleInput(0, 0, false);
    table.update();
    ReviewOverlay review;
    review.init("./fonts/ds-digit.ttf");
    review.open(rounds);
    for (char key : keys) {
        const SDL_Keycode code = key == 'L'   ? SDLK_LEFT
                                 : key == 'R' ? SDLK_RIGHT
                                 : key == 'U' ? SDLK_UP
                                              : SDLK_DOWN;
        review.handleKey(code);
    }
    SDL_RenderClear(renderer);
    table.render(renderer);
    TTF_Font* font =
        density == 2 && table.font2x != nullptr ? table.font2x.get() : table.font.get();
    review.render(renderer, *table.engine, font, density);
    SDL_RenderFlush(renderer);
    const int saved = IMG_SavePNG(surface, argv[1]);
    std::cout << argv[1] << std::endl;

    review.cleanup();
    table.cleanup();
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(surface);
    SDL_Quit();
    return saved == 0 ? 0 : 1;
}
