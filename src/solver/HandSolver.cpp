#include "solver/HandSolver.h"

#include <algorithm>
#include <cmath>

#include "solver/PlayValues.h"

namespace solver {

namespace {

bool unknown(double value) {
    return std::isnan(value);
}

}  // namespace

HandSolver::HandSolver(const HandCatalog& hands, DealerOdds& dealer, const Shoe& shoe, int up,
                       const CardCounts& gone, const CardStrategy* plan, int planPair)
    : hands_(hands),
      dealer_(dealer),
      base_(shoe.without(kindOfPoints(up)).without(gone)),
      up_(up),
      plan_(plan),
      planPair_(planPair),
      stand_(static_cast<std::size_t>(hands.size()), PlayValues::kNotAllowed),
      hit_(stand_),
      value_(stand_) {}

double HandSolver::stand(int hand) {
    double& memo = stand_[static_cast<std::size_t>(hand)];
    if (unknown(memo)) {
        memo = dealer_.standValue(up_, hands_.state(hand).total, left(hand));
    }
    return memo;
}

double HandSolver::hit(int hand) {
    double& memo = hit_[static_cast<std::size_t>(hand)];
    if (!unknown(memo)) {
        return memo;
    }
    const Shoe deck = left(hand);
    if (deck.size() == 0) {
        return memo = stand(hand);  // nothing to draw: a hit is no play at all
    }
    double value = 0.0;
    for (int kind = 0; kind < kCardKinds; ++kind) {
        if (deck.count(kind) > 0) {
            const int next = hands_.add(hand, kind);
            value += deck.chance(kind) * (next == HandCatalog::kNone ? -1.0 : this->value(next));
        }
    }
    return memo = value;
}

double HandSolver::doubled(int hand) {
    const Shoe deck = left(hand);
    double value = 0.0;
    for (int kind = 0; kind < kCardKinds; ++kind) {
        if (deck.count(kind) > 0) {
            const int next = hands_.add(hand, kind);
            value += deck.chance(kind) * (next == HandCatalog::kNone ? -1.0 : stand(next));
        }
    }
    return 2.0 * value;
}

double HandSolver::value(int hand) {
    double& memo = value_[static_cast<std::size_t>(hand)];
    if (unknown(memo)) {
        if (plan_ != nullptr) {
            const bool hits = plan_->play(planPair_, hand, up_) != Action::Stand;
            memo = hits ? hit(hand) : stand(hand);
        } else {
            memo = std::max(stand(hand), hit(hand));
        }
    }
    return memo;
}

}  // namespace solver
