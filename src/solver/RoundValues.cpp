#include "solver/RoundValues.h"

#include <utility>

#include "solver/Payouts.h"

namespace solver {

namespace {

CardCounts oneCard(int points) {
    CardCounts cards{};
    ++cards[kindOfPoints(points)];
    return cards;
}

// The points of a two-card hand's cards, lower first.
std::pair<int, int> twoCardPoints(const HandCatalog& hands, int hand) {
    std::pair<int, int> points{0, 0};
    const CardCounts& cards = hands.cards(hand);
    for (int kind = 0; kind < kCardKinds; ++kind) {
        for (int n = 0; n < cards[kind]; ++n) {
            (points.first == 0 ? points.first : points.second) = pointsOfKind(kind);
        }
    }
    return points;
}

}  // namespace

RoundValues::RoundValues(const Shoe& shoe, const CardStrategy* plan)
    : shoe_(shoe),
      ranks_(ranksOf(shoe)),
      plan_(plan),
      hands_(plan != nullptr ? std::shared_ptr<const HandCatalog>(plan->sharedHands())
                             : std::make_shared<const HandCatalog>(shoe)),
      dealer_(std::make_shared<DealerOdds>(shoe)) {}

RoundValues::RoundValues(const RankCounts& ranks, std::shared_ptr<const HandCatalog> hands,
                         std::shared_ptr<DealerOdds> dealer)
    : shoe_(shoeOf(ranks)),
      ranks_(ranks),
      plan_(nullptr),
      hands_(std::move(hands)),
      dealer_(std::move(dealer)) {}

HandSolver& RoundValues::solver(int pair, int up) {
    std::unique_ptr<HandSolver>& solver = solvers_[upIndex(up)][pair];
    if (!solver) {
        const CardCounts gone = pair == CardStrategy::kUnsplit ? CardCounts{} : oneCard(pair);
        solver = std::make_unique<HandSolver>(*hands_, *dealer_, shoe_, up, gone, plan_, pair);
    }
    return *solver;
}

PlayValues RoundValues::opening(int hand, bool pair, int up) {
    HandSolver& unsplit = solver(CardStrategy::kUnsplit, up);
    PlayValues values;
    values.stand = unsplit.stand(hand);
    values.hit = unsplit.hit(hand);
    if (doubleAllowed(hands_->state(hand))) {
        values.doubled = unsplit.doubled(hand);
    }
    if (pair) {
        const int points = twoCardPoints(*hands_, hand).first;
        values.split = 2.0 * solver(points, up).hit(hands_->of({points}));
    }
    return values;
}

PlayValues RoundValues::later(int pair, int hand, int up) {
    HandSolver& played = solver(pair, up);
    PlayValues values;
    values.stand = played.stand(hand);
    values.hit = played.hit(hand);
    return values;
}

double RoundValues::expectedReturn(int bet) {
    double total = 0.0;
    for (int first = kAceRank; first <= kKingRank; ++first) {
        addReturnOfFirst(first, bet, total);
    }
    return total;
}

void RoundValues::addReturnOfFirst(int first, int bet, double& total) {
    if (ranks_[first] == 0) {
        return;
    }
    const double natural = naturalNet(bet);
    const int a = rankPoints(first);
    const Shoe afterFirst = shoe_.without(kindOfPoints(a));
    for (int second = kAceRank; second <= kKingRank; ++second) {
        const bool pair = first == second;
        // Two cards of one rank are a pair, two tens of different ranks are not.
        const int seconds = ranks_[second] - (pair ? 1 : 0);
        if (seconds <= 0) {
            continue;
        }
        const int b = rankPoints(second);
        const double chanceOfRanks =
            static_cast<double>(ranks_[first]) / shoe_.size() * seconds / afterFirst.size();
        const Shoe afterSecond = afterFirst.without(kindOfPoints(b));
        const int hand = hands_->of({a, b});
        for (int upKind = 0; upKind < kCardKinds; ++upKind) {
            if (afterSecond.count(upKind) == 0) {
                continue;
            }
            const int up = pointsOfKind(upKind);
            double value = 0.0;
            if (hands_->state(hand).total == kBlackjack) {
                const DealerOutcome dealer = dealer_->outcome(up, afterSecond.without(upKind));
                value = natural * (1.0 - dealer.finished(kBlackjack));
            } else {
                const bool splits = pair && (plan_ == nullptr || plan_->splits(a, up));
                const PlayValues values = opening(hand, splits, up);
                Action action = values.best();
                if (plan_ != nullptr) {
                    action = splits ? Action::Split : plan_->play(CardStrategy::kUnsplit, hand, up);
                }
                value = values.of(action);
            }
            total += chanceOfRanks * afterSecond.chance(upKind) * value;
        }
    }
}

}  // namespace solver
