#include "sim/BestPlay.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "sim/Model.h"

namespace sim {

namespace {

bool unknown(double value) {
    return std::isnan(value);
}

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

double PlayValues::of(Action action) const {
    switch (action) {
        case Action::Hit:
            return hit;
        case Action::Double:
            return doubled;
        case Action::Split:
            return split;
        default:
            return stand;
    }
}

Action PlayValues::best() const {
    Action best = Action::Stand;
    for (const Action action : {Action::Hit, Action::Double, Action::Split}) {
        // A comparison with NaN is false, so a play the rules do not allow is never taken.
        if (of(action) > of(best)) {
            best = action;
        }
    }
    return best;
}

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
        memo = standValue(hands_.state(hand).total, dealer_.outcome(up_, left(hand)));
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

RoundValues::RoundValues(const Shoe& shoe, const CardStrategy* plan)
    : shoe_(shoe),
      plan_(plan),
      hands_(plan != nullptr ? std::shared_ptr<const HandCatalog>(plan->sharedHands())
                             : std::make_shared<const HandCatalog>(shoe)),
      dealer_(shoe) {}

HandSolver& RoundValues::solver(int pair, int up) {
    std::unique_ptr<HandSolver>& solver = solvers_[upIndex(up)][pair];
    if (!solver) {
        const CardCounts gone = pair == CardStrategy::kUnsplit ? CardCounts{} : oneCard(pair);
        solver = std::make_unique<HandSolver>(*hands_, dealer_, shoe_, up, gone, plan_, pair);
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
    const double natural = naturalNet(bet);
    // Whole decks hold as many cards of each rank, 4 a deck.
    const int perRank = shoe_.size() / 13;
    double total = 0.0;
    for (int first = 1; first <= 13; ++first) {
        const int a = rankPoints(first);
        const Shoe afterFirst = shoe_.without(kindOfPoints(a));
        for (int second = 1; second <= 13; ++second) {
            const int b = rankPoints(second);
            const bool pair = first == second;
            const double chanceOfRanks = static_cast<double>(perRank) / shoe_.size() *
                                         (perRank - (pair ? 1 : 0)) / afterFirst.size();
            const Shoe afterSecond = afterFirst.without(kindOfPoints(b));
            const int hand = hands_->of({a, b});
            for (int upKind = 0; upKind < kCardKinds; ++upKind) {
                if (afterSecond.count(upKind) == 0) {
                    continue;
                }
                const int up = pointsOfKind(upKind);
                double value = 0.0;
                if (hands_->state(hand).total == kBlackjack) {
                    const DealerOutcome dealer = dealer_.outcome(up, afterSecond.without(upKind));
                    value = natural * (1.0 - dealer.finished(kBlackjack));
                } else {
                    const bool splits = pair && (plan_ == nullptr || plan_->splits(a, up));
                    const PlayValues values = opening(hand, splits, up);
                    Action action = values.best();
                    if (plan_ != nullptr) {
                        action =
                            splits ? Action::Split : plan_->play(CardStrategy::kUnsplit, hand, up);
                    }
                    value = values.of(action);
                }
                total += chanceOfRanks * afterSecond.chance(upKind) * value;
            }
        }
    }
    return total;
}

CardStrategy bestStrategy(RoundValues& values) {
    const HandCatalog& hands = values.hands();
    CardStrategy strategy(values.sharedHands());
    for (int up = kLowestUp; up <= kAce; ++up) {
        if (values.shoe().count(kindOfPoints(up)) == 0) {
            continue;
        }
        HandSolver& unsplit = values.solver(CardStrategy::kUnsplit, up);
        for (int hand = 0; hand < hands.size(); ++hand) {
            const int cards = hands.cardCount(hand);
            if (cards < 2 || !unsplit.possible(hand)) {
                continue;
            }
            // Two cards make the first decision; a split is decided apart, below.
            const PlayValues play = cards == 2 ? values.opening(hand, false, up)
                                               : values.later(CardStrategy::kUnsplit, hand, up);
            strategy.setPlay(CardStrategy::kUnsplit, hand, up, play.best());
        }
        for (int pair = kLowestUp; pair <= kAce; ++pair) {
            HandSolver& split = values.solver(pair, up);
            const int pairHand = hands.of({pair, pair});
            if (pairHand == HandCatalog::kNone || !unsplit.possible(pairHand)) {
                continue;
            }
            strategy.setSplit(pair, up, values.opening(pairHand, true, up).best() == Action::Split);
            for (int hand = 0; hand < hands.size(); ++hand) {
                if (hands.cardCount(hand) >= 2 && hands.cards(hand)[kindOfPoints(pair)] > 0 &&
                    split.possible(hand)) {
                    strategy.setPlay(pair, hand, up, values.later(pair, hand, up).best());
                }
            }
        }
    }
    return strategy;
}

BestChart bestChart(RoundValues& values) {
    const HandCatalog& hands = values.hands();
    const Shoe& shoe = values.shoe();
    const int perRank = shoe.size() / 13;

    // Every two-card hand other than a natural by its cards (lower first) and whether they are a
    // pair, with how often it is dealt against each up card.
    using Key = std::tuple<int, int, bool>;
    std::map<Key, std::array<double, kUpCards>> dealt;
    for (int first = 1; first <= 13; ++first) {
        for (int second = 1; second <= 13; ++second) {
            const int a = rankPoints(first);
            const int b = rankPoints(second);
            if (hands.state(hands.of({a, b})).total == kBlackjack) {
                continue;
            }
            const bool pair = first == second;
            const Shoe left = shoe.without(kindOfPoints(a)).without(kindOfPoints(b));
            const double chance = static_cast<double>(perRank) / shoe.size() *
                                  (perRank - (pair ? 1 : 0)) / (shoe.size() - 1);
            auto& perUp = dealt[Key{std::min(a, b), std::max(a, b), pair}];
            for (int up = kLowestUp; up <= kAce; ++up) {
                perUp[upIndex(up)] += chance * left.chance(kindOfPoints(up));
            }
        }
    }

    BestChart best;
    for (int up = kLowestUp; up <= kAce; ++up) {
        const auto valuesOf = [&](const Key& key) {
            return values.opening(hands.of({std::get<0>(key), std::get<1>(key)}), std::get<2>(key),
                                  up);
        };
        // Each row sums the values of the hands that are not pairs, or takes the pair alone for a
        // total only a pair makes (2,2 and A,A). Doubles are summed only where allowed: elsewhere
        // they are NaN, and so is their sum.
        std::map<std::pair<bool, int>, PlayValues> rows;
        for (const bool pairs : {false, true}) {
            for (const auto& [key, perUp] : dealt) {
                const HandState state = hands.state(hands.of({std::get<0>(key), std::get<1>(key)}));
                const std::pair<bool, int> row{state.soft, state.total};
                if (std::get<2>(key) != pairs || (pairs && rows.count(row) > 0)) {
                    continue;
                }
                const PlayValues play = valuesOf(key);
                PlayValues& sums = rows.try_emplace(row, PlayValues{0.0, 0.0, 0.0}).first->second;
                const double weight = perUp[upIndex(up)];
                sums.stand += weight * play.stand;
                sums.hit += weight * play.hit;
                sums.doubled += weight * play.doubled;
            }
        }
        for (const auto& [row, sums] : rows) {
            const HandState state{row.second, row.first};
            const Action action = sums.best();
            best.chart.setOpening(state, up, action);
            best.chart.setPlay(state, up, action == Action::Double ? Action::Hit : action);
        }
        for (const auto& [key, perUp] : dealt) {
            const auto [a, b, pair] = key;
            const PlayValues play = valuesOf(key);
            const Action action = play.best();
            if (pair) {
                best.chart.setSplit(a, up, action == Action::Split);
            }
            const HandState state = hands.state(hands.of({a, b}));
            const Action row = best.chart.opening(state, up);
            if (action != Action::Split && action != row) {
                best.deviations.push_back({a, b, up, action, play.of(action), row, play.of(row)});
            }
        }
    }
    // By total, hard before soft, then by the higher card, highest first; a pair of tens found
    // both as two cards of one rank and of two is listed once.
    const auto order = [&](const Deviation& d) {
        const HandState state = hands.state(hands.of({d.first, d.second}));
        return std::make_tuple(state.soft, state.total, -d.second, d.up);
    };
    std::stable_sort(best.deviations.begin(), best.deviations.end(),
                     [&](const Deviation& x, const Deviation& y) { return order(x) < order(y); });
    best.deviations.erase(std::unique(best.deviations.begin(), best.deviations.end(),
                                      [](const Deviation& x, const Deviation& y) {
                                          return x.first == y.first && x.second == y.second &&
                                                 x.up == y.up;
                                      }),
                          best.deviations.end());
    return best;
}

SplitValues compareSplit(RoundValues& values, const CardStrategy& table, int pair, int up) {
    const HandCatalog& hands = values.hands();
    HandSolver& alone = values.solver(pair, up);
    const int start = hands.of({pair});

    // How the first hand ends, by the cards it drew after its card of the pair (bust or not).
    std::map<CardCounts, double> endings;
    const auto playFirst = [&](auto& self, int hand, const CardCounts& drawn, double chance) {
        if (hands.cardCount(hand) >= 2 && table.play(pair, hand, up) == Action::Stand) {
            endings[drawn] += chance;
            return;
        }
        const Shoe deck = alone.left(hand);
        for (int kind = 0; kind < kCardKinds; ++kind) {
            if (deck.count(kind) == 0) {
                continue;
            }
            CardCounts more = drawn;
            ++more[kind];
            const int next = hands.add(hand, kind);
            if (next == HandCatalog::kNone) {
                endings[more] += chance * deck.chance(kind);
            } else {
                self(self, next, more, chance * deck.chance(kind));
            }
        }
    };
    playFirst(playFirst, start, CardCounts{}, 1.0);

    // The first hand is worth the same whatever the second does: averaged over the second hand,
    // the dealer draws as if it were not there.
    const double first = alone.hit(start);
    SplitValues split;
    split.twiceAlone = 2.0 * first;
    split.secondByTable = first;
    split.secondKnowingFirst = first;
    for (const auto& [drawn, chance] : endings) {
        CardCounts gone = drawn;
        ++gone[kindOfPoints(pair)];  // the first hand's card of the pair
        HandSolver byTable(hands, values.dealer(), values.shoe(), up, gone, &table, pair);
        HandSolver knowing(hands, values.dealer(), values.shoe(), up, gone, nullptr, pair);
        split.secondByTable += chance * byTable.hit(start);
        split.secondKnowingFirst += chance * knowing.hit(start);
    }
    return split;
}

}  // namespace sim
