#include "sim/Model.h"

#include <algorithm>

#include "solver/RoundValues.h"

namespace sim {

namespace {

DealerOutcome settledDealer(int total) {
    DealerOutcome outcome;
    if (total > kBlackjack) {
        outcome.p[5] = 1.0;
    } else {
        outcome.p[total - kDealerStandsOn] = 1.0;
    }
    return outcome;
}

void addScaled(DealerOutcome& sum, const DealerOutcome& part, double weight) {
    for (std::size_t i = 0; i < sum.p.size(); ++i) {
        sum.p[i] += weight * part.p[i];
    }
}

HandState firstCard(int points) {
    return addCard({}, points);
}

HandState twoCards(int first, int second) {
    return addCard(firstCard(first), second);
}

}  // namespace

namespace infinite {

double cardProbability(int points) {
    return points == 10 ? 4.0 / 13.0 : 1.0 / 13.0;
}

namespace {

class DealerSolver {
public:
    DealerOutcome from(HandState hand) {
        if (hand.total >= kDealerStandsOn) {
            return settledDealer(hand.total);
        }
        if (known_[hand.soft][hand.total]) {
            return memo_[hand.soft][hand.total];
        }
        DealerOutcome outcome;
        for (int points = 2; points <= kAce; ++points) {
            addScaled(outcome, from(addCard(hand, points)), cardProbability(points));
        }
        known_[hand.soft][hand.total] = true;
        memo_[hand.soft][hand.total] = outcome;
        return outcome;
    }

private:
    std::array<std::array<DealerOutcome, kBlackjack + 1>, 2> memo_{};
    std::array<std::array<bool, kBlackjack + 1>, 2> known_{};
};

// Fills the values of one up card; `choose(hand, stand, hit)` says whether a hand that may only
// hit or stand hits.
template <typename Choose>
HandValues solveHands(int up, Choose choose) {
    HandValues values;
    values.dealer = dealerOutcome(up);
    for (int total = 0; total <= kBust; ++total) {
        values.stand[total] = standValue(total, values.dealer);
    }

    // The value of a hand that goes on with the strategy, memoised by [soft][total]. Every card
    // raises a hand's total or turns a soft hand hard, so the recursion ends.
    std::array<std::array<double, kBlackjack + 1>, 2> goOn{};
    std::array<std::array<bool, kBlackjack + 1>, 2> known{};
    auto value = [&](auto& self, HandState hand) -> double {
        if (hand.bust()) {
            return -1.0;
        }
        if (known[hand.soft][hand.total]) {
            return goOn[hand.soft][hand.total];
        }
        double hit = 0.0;
        for (int points = 2; points <= kAce; ++points) {
            hit += cardProbability(points) * self(self, addCard(hand, points));
        }
        values.hit[hand.soft][hand.total] = hit;
        const double stand = values.stand[hand.total];
        const double result = choose(hand, stand, hit) ? hit : stand;
        known[hand.soft][hand.total] = true;
        goOn[hand.soft][hand.total] = result;
        return result;
    };

    for (int soft = 0; soft <= 1; ++soft) {
        for (int total = 2; total <= kBlackjack; ++total) {
            value(value, HandState{total, soft == 1});
        }
    }
    for (int total = 2; total <= kBlackjack; ++total) {
        double doubled = 0.0;
        for (int points = 2; points <= kAce; ++points) {
            doubled += cardProbability(points) *
                       values.stand[std::min(addCard({total, false}, points).total, kBust)];
        }
        values.doubled[total] = 2.0 * doubled;
    }
    for (int pair = 2; pair <= kAce; ++pair) {
        double hand = 0.0;
        for (int points = 2; points <= kAce; ++points) {
            hand += cardProbability(points) * value(value, addCard(firstCard(pair), points));
        }
        values.split[pair] = 2.0 * hand;
    }
    return values;
}

double openingValue(const HandValues& values, HandState hand, Action action) {
    switch (action) {
        case Action::Hit:
            return values.hit[hand.soft][hand.total];
        case Action::Double:
            return values.doubled[hand.total];
        default:
            return values.stand[hand.total];
    }
}

}  // namespace

DealerOutcome dealerOutcome(int up) {
    DealerSolver solver;
    return solver.from(firstCard(up));
}

HandValues bestValues(int up) {
    return solveHands(up, [](HandState, double stand, double hit) { return hit > stand; });
}

Strategy optimalStrategy() {
    Strategy strategy;
    for (int up = kLowestUp; up <= kAce; ++up) {
        const HandValues values = bestValues(up);
        for (int soft = 0; soft <= 1; ++soft) {
            for (int total = 2; total <= kBlackjack; ++total) {
                const HandState hand{total, soft == 1};
                const double stand = values.stand[total];
                const double hit = values.hit[soft][total];
                const Action play = hit > stand ? Action::Hit : Action::Stand;
                strategy.setPlay(hand, up, play);
                const bool doubles =
                    doubleAllowed(hand) && values.doubled[total] > std::max(stand, hit);
                strategy.setOpening(hand, up, doubles ? Action::Double : play);
            }
        }
        for (int pair = 2; pair <= kAce; ++pair) {
            const HandState hand = twoCards(pair, pair);
            const double keep = openingValue(values, hand, strategy.opening(hand, up));
            strategy.setSplit(pair, up, values.split[pair] > keep);
        }
    }
    return strategy;
}

double expectedReturn(const Strategy& strategy, int bet) {
    const double natural = naturalNet(bet);
    constexpr double kRankChance = 1.0 / 13.0;
    double total = 0.0;
    for (int up = kLowestUp; up <= kAce; ++up) {
        const HandValues values = solveHands(up, [&](HandState hand, double, double) {
            return strategy.play(hand, up) == Action::Hit;
        });
        double sum = 0.0;
        for (int first = 1; first <= 13; ++first) {
            for (int second = 1; second <= 13; ++second) {
                const int a = rankPoints(first);
                const int b = rankPoints(second);
                const HandState hand = twoCards(a, b);
                if (hand.total == kBlackjack) {
                    sum += natural * (1.0 - values.dealer.finished(kBlackjack));
                } else if (first == second && strategy.splits(a, up)) {
                    sum += values.split[a];
                } else {
                    sum += openingValue(values, hand, strategy.opening(hand, up));
                }
            }
        }
        total += cardProbability(up) * sum * kRankChance * kRankChance;
    }
    return total;
}

}  // namespace infinite

namespace singledeck {

double expectedReturn(const Strategy& strategy, int bet) {
    const CardStrategy plan = fromChart(strategy);
    RoundValues values(Shoe::decks(1), &plan);
    return values.expectedReturn(bet);
}

}  // namespace singledeck

}  // namespace sim
