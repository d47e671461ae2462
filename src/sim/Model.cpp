#include "sim/Model.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <map>
#include <unordered_map>
#include <vector>

namespace sim {

double standValue(int total, const DealerOutcome& dealer) {
    if (total > kBlackjack) {
        return -1.0;
    }
    double value = dealer.bust();
    for (int final = kDealerStandsOn; final <= kBlackjack; ++final) {
        if (total > final) {
            value += dealer.finished(final);
        } else if (total < final) {
            value -= dealer.finished(final);
        }
    }
    return value;
}

double naturalNet(int bet) {
    // The table pays the stake times 2.5 truncated to whole dollars, the stake included.
    const int returned = static_cast<int>(bet * kNaturalReturn);
    return static_cast<double>(returned - bet) / bet;
}

namespace {

constexpr int kCardKinds = 10;  // points 2 to 11

int pointsOfKind(int kind) {
    return kind + 2;
}
int kindOfPoints(int points) {
    return points - 2;
}

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

bool canDouble(HandState hand) {
    return !hand.soft && hand.total >= kLowestDouble && hand.total <= kHighestDouble;
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
                    canDouble(hand) && values.doubled[total] > std::max(stand, hit);
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

namespace {

// The cards left in the deck, counted by points. The counts are packed into one key, three bits
// for each kind below ten and for aces, five bits for the sixteen cards worth ten.
class Shoe {
public:
    static Shoe full() {
        Shoe shoe;
        for (int kind = 0; kind < kCardKinds; ++kind) {
            const int count = pointsOfKind(kind) == 10 ? 16 : 4;
            shoe.count_[kind] = count;
            shoe.size_ += count;
            shoe.key_ += static_cast<std::uint32_t>(count) << shift(kind);
        }
        return shoe;
    }

    int count(int kind) const { return count_[kind]; }
    int size() const { return size_; }
    std::uint32_t key() const { return key_; }
    double chance(int kind) const { return static_cast<double>(count_[kind]) / size_; }

    Shoe without(int kind) const {
        Shoe shoe = *this;
        --shoe.count_[kind];
        --shoe.size_;
        shoe.key_ -= std::uint32_t{1} << shift(kind);
        return shoe;
    }

private:
    static int shift(int kind) {
        constexpr int kTenKind = 8;
        if (kind < kTenKind) {
            return 3 * kind;
        }
        return kind == kTenKind ? 24 : 29;
    }

    std::array<int, kCardKinds> count_{};
    int size_ = 0;
    std::uint32_t key_ = 0;
};

// The most cards of one kind a dealer's draw can hold (four aces, four twos, ...), the most
// kinds in one draw, and the most cards.
constexpr int kMostOfAKind = 4;
constexpr int kMostKinds = 8;
constexpr int kMostDealerCards = 12;
// Index of the factor 1 in the table dealer() builds, after each kind's factors.
constexpr int kUnitFactor = kCardKinds * kMostOfAKind;

// The cards a dealer draws (hole card included) on the way to one final total, as a multiset:
// how many of each kind, and in how many orders the dealer, who stops at 17, draws exactly these
// cards. The final total depends on the cards alone, not on their order. `factor` indexes, for
// each kind drawn, the ways to take that many of it (kind * kMostOfAKind + taken - 1), padded
// with kUnitFactor.
struct DealerDraws {
    std::array<std::uint8_t, kMostKinds> factor{};
    int cards = 0;
    double orders = 0.0;
};

// Every draw of one up card, grouped by outcome: draws[from[o]] to draws[from[o + 1]] end in
// outcome o.
struct DealerDrawList {
    std::vector<DealerDraws> draws;
    std::array<std::size_t, 7> from{};
};

using Multiset = std::array<int, kCardKinds>;

void collectDraws(HandState hand, Multiset& count, const Multiset& limit,
                  std::array<std::map<Multiset, double>, 6>& found) {
    if (hand.total >= kDealerStandsOn) {
        found[hand.bust() ? 5 : hand.total - kDealerStandsOn][count] += 1.0;
        return;
    }
    for (int kind = 0; kind < kCardKinds; ++kind) {
        if (count[kind] < limit[kind]) {
            ++count[kind];
            collectDraws(addCard(hand, pointsOfKind(kind)), count, limit, found);
            --count[kind];
        }
    }
}

DealerDrawList drawsFrom(int up) {
    // No more of a kind than a full deck holds besides the up card.
    Multiset limit{};
    for (int kind = 0; kind < kCardKinds; ++kind) {
        limit[kind] = (pointsOfKind(kind) == 10 ? 16 : 4) - (pointsOfKind(kind) == up ? 1 : 0);
    }
    std::array<std::map<Multiset, double>, 6> found;
    Multiset count{};
    collectDraws(firstCard(up), count, limit, found);

    DealerDrawList list;
    for (std::size_t outcome = 0; outcome < found.size(); ++outcome) {
        list.from[outcome] = list.draws.size();
        for (const auto& [multiset, orders] : found[outcome]) {
            DealerDraws entry;
            entry.factor.fill(kUnitFactor);
            int kinds = 0;
            for (int kind = 0; kind < kCardKinds; ++kind) {
                if (const int taken = multiset[kind]; taken > 0) {
                    assert(taken <= kMostOfAKind && kinds < kMostKinds);
                    entry.factor[kinds++] =
                        static_cast<std::uint8_t>(kind * kMostOfAKind + taken - 1);
                    entry.cards += taken;
                }
            }
            assert(entry.cards <= kMostDealerCards);
            entry.orders = orders;
            list.draws.push_back(entry);
        }
    }
    list.from[found.size()] = list.draws.size();
    return list;
}

const DealerDrawList& dealerDraws(int up) {
    static const std::array<DealerDrawList, kUpCards> all = [] {
        std::array<DealerDrawList, kUpCards> lists;
        for (int up = kLowestUp; up <= kAce; ++up) {
            lists[upIndex(up)] = drawsFrom(up);
        }
        return lists;
    }();
    return all[upIndex(up)];
}

std::uint64_t handKey(HandState hand) {
    return static_cast<std::uint64_t>(hand.total) << 1 | (hand.soft ? 1 : 0);
}

// Exact expected values of one strategy off a full deck. The hole card and the cards a split
// deals at once are drawn, in the engine, before the player decides; since no decision looks at
// them, drawing them when they are first needed gives the same chances.
class Evaluator {
public:
    Evaluator(const Strategy& strategy, int bet) : strategy_(strategy), natural_(naturalNet(bet)) {}

    double run() {
        const Shoe deck = Shoe::full();
        double total = 0.0;
        for (int first = 1; first <= 13; ++first) {
            const int a = rankPoints(first);
            const Shoe afterFirst = deck.without(kindOfPoints(a));
            for (int second = 1; second <= 13; ++second) {
                const int b = rankPoints(second);
                const double chanceOfRanks = 4.0 / 52.0 * (first == second ? 3.0 : 4.0) / 51.0;
                const Shoe afterSecond = afterFirst.without(kindOfPoints(b));
                for (int upKind = 0; upKind < kCardKinds; ++upKind) {
                    if (afterSecond.count(upKind) == 0) {
                        continue;
                    }
                    const double chance = chanceOfRanks * afterSecond.chance(upKind);
                    total += chance * round(a, b, first == second, pointsOfKind(upKind),
                                            afterSecond.without(upKind));
                }
            }
        }
        return total;
    }

private:
    double round(int a, int b, bool pair, int up, const Shoe& shoe) {
        const HandState hand = twoCards(a, b);
        if (hand.total == kBlackjack) {
            return natural_ * (1.0 - dealer(up, shoe).finished(kBlackjack));
        }
        if (pair && strategy_.splits(a, up)) {
            return split(a, up, shoe);
        }
        switch (strategy_.opening(hand, up)) {
            case Action::Double: {
                double value = 0.0;
                for (int kind = 0; kind < kCardKinds; ++kind) {
                    if (shoe.count(kind) > 0) {
                        const Shoe rest = shoe.without(kind);
                        const HandState drawn = addCard(hand, pointsOfKind(kind));
                        value += shoe.chance(kind) * stand(drawn.total, up, rest);
                    }
                }
                return 2.0 * value;
            }
            case Action::Hit:
                return hit(hand, up, shoe);
            default:
                return stand(hand.total, up, shoe);
        }
    }

    // The dealer's chances with `up` showing and `shoe` left: the hole card and every hit come
    // from `shoe`. Summed over the dealer's possible draws, which do not depend on the deck.
    DealerOutcome dealer(int up, const Shoe& shoe) {
        const std::uint64_t key =
            std::uint64_t{shoe.key()} << 4 | static_cast<std::uint64_t>(upIndex(up));
        if (const auto found = dealerMemo_.find(key); found != dealerMemo_.end()) {
            return found->second;
        }
        // Each order of a draw's cards comes with the same chance: the counts left of each kind,
        // falling as they are taken, over the deck's size, falling likewise.
        std::array<double, kUnitFactor + 1> ways{};
        for (int kind = 0; kind < kCardKinds; ++kind) {
            double product = 1.0;
            for (int taken = 1; taken <= kMostOfAKind; ++taken) {
                product *= std::max(0, shoe.count(kind) - taken + 1);
                ways[kind * kMostOfAKind + taken - 1] = product;
            }
        }
        ways[kUnitFactor] = 1.0;
        std::array<double, kMostDealerCards + 1> perOrder{};
        perOrder[0] = 1.0;
        for (int cards = 1; cards <= kMostDealerCards; ++cards) {
            perOrder[cards] = perOrder[cards - 1] / (shoe.size() - cards + 1);
        }
        const DealerDrawList& list = dealerDraws(up);
        DealerOutcome outcome;
        for (std::size_t end = 0; end + 1 < list.from.size(); ++end) {
            double sum = 0.0;
            for (std::size_t i = list.from[end]; i < list.from[end + 1]; ++i) {
                const DealerDraws& draw = list.draws[i];
                double chance = draw.orders * perOrder[draw.cards];
                for (const std::uint8_t factor : draw.factor) {
                    chance *= ways[factor];
                }
                sum += chance;
            }
            outcome.p[end] = sum;
        }
        dealerMemo_.emplace(key, outcome);
        return outcome;
    }

    double stand(int total, int up, const Shoe& shoe) {
        if (total > kBlackjack) {
            return -1.0;
        }
        return standValue(total, dealer(up, shoe));
    }

    // One more card, then on with the strategy.
    double hit(HandState hand, int up, const Shoe& shoe) {
        double value = 0.0;
        for (int kind = 0; kind < kCardKinds; ++kind) {
            if (shoe.count(kind) > 0) {
                value += shoe.chance(kind) *
                         play(addCard(hand, pointsOfKind(kind)), up, shoe.without(kind));
            }
        }
        return value;
    }

    double play(HandState hand, int up, const Shoe& shoe) {
        if (hand.bust()) {
            return -1.0;
        }
        if (strategy_.play(hand, up) == Action::Stand) {
            return stand(hand.total, up, shoe);
        }
        const std::uint64_t key = (std::uint64_t{shoe.key()} << 8 | handKey(hand)) << 4 |
                                  static_cast<std::uint64_t>(upIndex(up));
        if (const auto found = playMemo_.find(key); found != playMemo_.end()) {
            return found->second;
        }
        const double value = hit(hand, up, shoe);
        playMemo_.emplace(key, value);
        return value;
    }

    // A split of `pair`: two hands, each starting from one card of the pair and played hit or
    // stand. They share the deck and the dealer, yet the split is worth exactly twice one hand
    // played alone against the dealer off the same deck:
    // - the dealer's chances after the second hand, averaged over how it ends, are the dealer's
    //   chances off the deck the second hand started from: the dealer's cards and the second
    //   hand's are drawn from one deck, the hand's plays never look at the dealer's cards, and
    //   whatever it draws it stops, so the dealer's draws could as well come first;
    // - the two hands draw by the same rule from one deck, so each is as likely to end any given
    //   way as the other, dealer included.
    double split(int pair, int up, const Shoe& shoe) {
        double hand = 0.0;
        for (int kind = 0; kind < kCardKinds; ++kind) {
            if (shoe.count(kind) > 0) {
                hand += shoe.chance(kind) *
                        play(addCard(firstCard(pair), pointsOfKind(kind)), up, shoe.without(kind));
            }
        }
        return 2.0 * hand;
    }

    const Strategy& strategy_;
    double natural_;
    std::unordered_map<std::uint64_t, DealerOutcome> dealerMemo_;
    std::unordered_map<std::uint64_t, double> playMemo_;
};

}  // namespace

double expectedReturn(const Strategy& strategy, int bet) {
    Evaluator evaluator(strategy, bet);
    return evaluator.run();
}

}  // namespace singledeck

}  // namespace sim
