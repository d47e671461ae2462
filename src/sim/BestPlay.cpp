#include "sim/BestPlay.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "sim/Model.h"

namespace sim {

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
    const RankCounts& ranks = values.ranks();

    // Every two-card hand other than a natural by its cards (lower first) and whether they are a
    // pair, with how often it is dealt against each up card.
    using Key = std::tuple<int, int, bool>;
    std::map<Key, std::array<double, kUpCards>> dealt;
    for (int first = 1; first <= 13; ++first) {
        for (int second = 1; second <= 13; ++second) {
            const bool pair = first == second;
            // Two cards of one rank are a pair, two tens of different ranks are not.
            const int seconds = ranks[second] - (pair ? 1 : 0);
            if (ranks[first] == 0 || seconds <= 0) {
                continue;
            }
            const int a = rankPoints(first);
            const int b = rankPoints(second);
            if (hands.state(hands.of({a, b})).total == kBlackjack) {
                continue;
            }
            const Shoe left = shoe.without(kindOfPoints(a)).without(kindOfPoints(b));
            const double chance =
                static_cast<double>(ranks[first]) / shoe.size() * seconds / (shoe.size() - 1);
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
