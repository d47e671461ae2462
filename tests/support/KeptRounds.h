#pragma once

// Rounds as the history keeps them, written by hand the way a player would tell them: cards by
// short name ("KH 7S", as findCard reads them), each decision by its hand, the up card, the value
// of each play and the play chosen.

#include <string>
#include <vector>

#include "history/RoundRecord.h"

// A round of `session` settled with these cards, at a bet of 25: the dealer's, then one or two
// hands, each with its result in dollars. The net is the hands' results, and `wallet` what the
// player held once it was paid.
struct KeptHand {
    std::string cards;
    int result = 0;
    int stake = 25;
};
RoundRecord keptRound(const std::string& dealer, const std::vector<KeptHand>& hands, int wallet,
                      long long session = 1);

// A decision on the hand of ranks `hand` ("T 6": names without suits) against the up card `up`
// (a name too), with the values of STAND, HIT, DOUBLE and SPLIT (NaN for a play not live) per
// stake; the best is the highest and the cost the difference to the chosen play at `stake`.
RoundRecord::Decision keptDecision(const std::string& hand, const std::string& up,
                                   solver::PlayValues values, solver::Action chosen,
                                   int stake = 25);
