#include "sim/Plan.h"

#include "sim/Model.h"

namespace sim {

namespace {

Strategy chartOf(StrategyKind kind) {
    switch (kind) {
        case StrategyKind::MimicDealer:
            return mimicDealerStrategy();
        case StrategyKind::NeverBust:
            return neverBustStrategy();
        default:
            return infinite::optimalStrategy();
    }
}

}  // namespace

Plan makePlan(StrategyKind kind, int bet) {
    Plan plan;
    plan.kind = kind;
    if (kind == StrategyKind::Optimal) {
        RoundValues values(Shoe::decks(1));
        plan.table = bestStrategy(values);
        plan.analytic.fullDeck = values.expectedReturn(bet);
        BestChart chart = bestChart(values);
        plan.chart = chart.chart;
        plan.deviations = std::move(chart.deviations);
    } else {
        plan.chart = chartOf(kind);
        plan.table = fromChart(plan.chart);
        plan.analytic.fullDeck = RoundValues(Shoe::decks(1), &plan.table).expectedReturn(bet);
        plan.analytic.infiniteDeck = infinite::expectedReturn(plan.chart, bet);
    }
    return plan;
}

}  // namespace sim
