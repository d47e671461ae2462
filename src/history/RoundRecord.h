#pragma once

#include <string>
#include <vector>

#include "solver/Action.h"
#include "solver/PlayValues.h"

// One round played to its end (or one drill answered), as the history keeps it: one line of
// history.jsonl. Cards are ranks, 1 the ace, 2 to 10, 11 to 13 jack, queen and king, written
// A, 2 to 10, J, Q, K in the file; suits are one letter a card, H, D, C or S, in the same order.
class RoundRecord {
public:
    static constexpr int kVersion = 1;

    struct HandRecord {
        std::vector<int> cards;
        std::string suits;
        // The hand's stake, after a double.
        int stake = 0;
        // Dollars won (above 0) or lost (below 0), the stake not counted.
        int result = 0;
    };

    // One decision the player made, valued from the cards left at that moment.
    struct Decision {
        // 0 the first hand, 1 the second after a split.
        int hand = 0;
        // The round had been split: a split hand may neither be split again nor, on two cards,
        // count as the opening hand.
        bool split = false;
        // The hand at that moment.
        std::vector<int> cards;
        // The dealer's up card.
        int up = 0;
        // Every other card turned face up since the last shuffle at that moment: not the hand,
        // not the up card, not the hole card while it lies face down.
        std::vector<int> seen;
        // Each play live at that moment, as the expected result per initial stake (NaN for a play
        // that was not live).
        solver::PlayValues values{};
        solver::Action chosen = solver::Action::Stand;
        solver::Action best = solver::Action::Stand;
        // Dollars at the initial stake: (best value - chosen value) x stake, never below 0.
        double cost = 0.0;
        // A drill's: the best play for the same hand and up card off the full pack, when known
        // (written as "packBest"); a single deck's own exception when it is not `best`.
        bool hasPackBest = false;
        solver::Action packBest = solver::Action::Stand;
    };

    int version = kVersion;
    // ISO 8601, UTC: 2026-12-09T01:32:00Z.
    std::string time;
    // Grows with each start of the game that keeps rounds.
    long long session = 0;
    // The initial stake of the round (of the drill: 100).
    int bet = 0;
    std::vector<int> dealer;
    std::string dealerSuits;
    std::vector<HandRecord> hands;
    // The round's dollars: the sum of the hands' results.
    int net = 0;
    // The round's exact value at the deal, played at its best, in dollars at the bet.
    double edge = 0.0;
    // The player's two-card 21 on the deal, paid 3:2.
    bool blackjack = false;
    // The wallet once the round was settled.
    int wallet = 0;
    // The result line the table showed.
    std::string text;
    std::vector<Decision> decisions;
    // A drill's answer, not a round played: no dealer cards, no hands, net 0.
    bool drill = false;
};
