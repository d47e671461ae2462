#pragma once

#include <optional>
#include <vector>

#include "sim/BestPlay.h"
#include "sim/Strategy.h"
#include "solver/CardStrategy.h"

namespace sim {

// What a strategy is computed to return per unit staked: in the first round off a full deck,
// every card followed; and, for a chart by total, off an infinite deck.
struct Analytic {
    double fullDeck = 0.0;
    std::optional<double> infiniteDeck;
};

// Everything a run needs about the chosen strategy: the table the player follows at the table,
// the chart that shows it, and what it is computed to return.
struct Plan {
    StrategyKind kind = StrategyKind::Optimal;
    CardStrategy table;
    // For optimal, each row is the play that does best for its total on the whole (see BestChart),
    // and `deviations` lists the two-card hands that play otherwise.
    Strategy chart;
    std::vector<Deviation> deviations;
    Analytic analytic;
};

// Works out the plan of `kind` for a flat stake of `bet`. The best play takes a fraction of a
// second; the charts far less.
Plan makePlan(StrategyKind kind, int bet);

}  // namespace sim
