#pragma once

#include <vector>

#include "sim/Strategy.h"
#include "solver/CardStrategy.h"
#include "solver/RoundValues.h"

namespace sim {

// The best play off `shoe` at every decision, as a table.
CardStrategy bestStrategy(RoundValues& values);

// A two-card hand whose best play differs from the row of its total.
struct Deviation {
    int first = 0;  // points, the lower first
    int second = 0;
    int up = 0;
    Action best = Action::Stand;
    double bestValue = 0.0;
    Action row = Action::Stand;
    double rowValue = 0.0;
};

// The best play summed up for a player: a chart by total, each row the play that does best over
// the two-card hands making that total (pairs have rows of their own), weighted by how often each
// is dealt against that up card; and every two-card hand whose best play differs from its row.
struct BestChart {
    Strategy chart;
    std::vector<Deviation> deviations;
};

// `values` without a plan.
BestChart bestChart(RoundValues& values);

// A split valued three ways: twice one hand played alone (what RoundValues does); the first hand
// and then the second both played by `table` (made by bestStrategy), the second after the first
// hand's cards have left the shoe, which must come to the same; and the second hand played at its
// best knowing the first hand's cards.
struct SplitValues {
    double twiceAlone = 0.0;
    double secondByTable = 0.0;
    double secondKnowingFirst = 0.0;
};

SplitValues compareSplit(RoundValues& values, const CardStrategy& table, int pair, int up);

}  // namespace sim
