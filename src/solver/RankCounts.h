#pragma once

#include <array>

#include "solver/Shoe.h"

namespace solver {

// How many cards of each rank a set of cards holds: index 1 the ace, 2 to 10, 11 to 13 the jack,
// queen and king; index 0 unused.
using RankCounts = std::array<int, 14>;

// A pack holds four cards of each rank.
constexpr int kOfEachRank = 4;

// One whole pack: 4 of each rank.
RankCounts fullPack();

// How many cards `ranks` holds.
int cardsIn(const RankCounts& ranks);

// The same cards by what they are worth, which is all the play looks at.
Shoe shoeOf(const RankCounts& ranks);

// A shoe's cards by rank, its tens spread as evenly as they go over the 10, jack, queen and king
// (for whole decks, exactly as they are).
RankCounts ranksOf(const Shoe& shoe);

}  // namespace solver
