#pragma once

// An account of the table's rules of its own, written apart from the engine's, that tests check
// whole rounds against: a hand's value, the dealer's play, the payout and the result text's head.

#include <cstddef>
#include <limits>
#include <string>
#include <vector>

#include "rules/Game.h"

// The best blackjack value of the first `count` cards (all of them by default): every ace as 1,
// then one of them as 11 if that fits. `soft`, when given, tells whether one does.
int handValue(const std::vector<Card*>& cards,
              std::size_t count = std::numeric_limits<std::size_t>::max(), bool* soft = nullptr);

// Whether the dealer of a settled round drew to 17 while a player hand stood, and took no card when
// none did.
bool dealerPlayedByTheRules(const Game& game);

// What settling the hands on the table returns to the wallet, stakes included, with `staked` on
// the table (both hands together after a split).
int expectedPayout(const Game& game, int staked);

// How the result text of a round that netted `net` must begin.
std::string expectedResultHead(int net);
