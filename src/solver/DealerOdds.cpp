#include "solver/DealerOdds.h"

#include <algorithm>
#include <cassert>
#include <map>

namespace solver {

namespace {

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

}  // namespace

DealerOdds::DealerOdds(const Shoe& full) : full_(full) {}

void DealerOdds::prepare(int up) {
    if (!listed_[upIndex(up)]) {
        if (full_.count(kindOfPoints(up)) > 0) {
            lists_[upIndex(up)] = drawsFrom(up, full_);
        }
        listed_[upIndex(up)] = true;
    }
}

std::size_t DealerOdds::remembered() const {
    std::size_t kept = 0;
    for (const auto& memo : memo_) {
        kept += memo.size();
    }
    return kept;
}

void DealerOdds::forget() {
    for (auto& memo : memo_) {
        memo.clear();
    }
}

DealerOdds::DrawList DealerOdds::drawsFrom(int up, const Shoe& full) {
    // No more of a kind than the shoe holds besides the up card.
    Multiset limit = full.without(kindOfPoints(up)).counts();
    std::array<std::map<Multiset, double>, 6> found;
    Multiset count{};
    collectDraws(addCard({}, up), count, limit, found);

    DrawList list;
    for (std::size_t outcome = 0; outcome < found.size(); ++outcome) {
        list.from[outcome] = list.draws.size();
        for (const auto& [multiset, orders] : found[outcome]) {
            Draw draw;
            draw.factor.fill(kUnitFactor);
            int kinds = 0;
            for (int kind = 0; kind < kCardKinds; ++kind) {
                if (const int taken = multiset[kind]; taken > 0) {
                    assert(taken <= kMostOfAKind && kinds < kMostKinds);
                    draw.factor[kinds++] =
                        static_cast<std::uint8_t>(kind * kMostOfAKind + taken - 1);
                    draw.cards += taken;
                }
            }
            assert(draw.cards <= kMostCards);
            draw.orders = orders;
            list.draws.push_back(draw);
        }
    }
    list.from[found.size()] = list.draws.size();
    return list;
}

DealerOutcome DealerOdds::outcome(int up, const Shoe& left) {
    constexpr std::uint8_t kEveryEnd = (1u << kEnds) - 1;
    return chances(up, left, kEveryEnd);
}

double DealerOdds::standValue(int up, int total, const Shoe& left) {
    if (total > kBlackjack) {
        return -1.0;
    }
    // The ends from max(total, 17) to 21, as a mask of their indices 0 (17) to 4 (21).
    const int lowest = std::max(total, kDealerStandsOn) - kDealerStandsOn;
    constexpr int kTwentyOne = kBlackjack - kDealerStandsOn;
    const auto ends =
        static_cast<std::uint8_t>(((1u << (kTwentyOne + 1)) - 1) & ~((1u << lowest) - 1));
    const DealerOutcome& dealer = chances(up, left, ends);
    double higher = 0.0;
    for (int end = kTwentyOne; end > lowest; --end) {
        higher += dealer.p[end];
    }
    if (total < kDealerStandsOn) {
        return 1.0 - 2.0 * (higher + dealer.p[lowest]);
    }
    return 1.0 - dealer.p[lowest] - 2.0 * higher;
}

const DealerOutcome& DealerOdds::chances(int up, const Shoe& left, std::uint8_t ends) {
    Known& known = memo_[upIndex(up)][left.key()];
    const auto missing = static_cast<std::uint8_t>(ends & ~known.ends);
    if (missing == 0) {
        return known.outcome;
    }
    prepare(up);
    // Each order of a draw's cards comes with the same chance: the counts left of each kind,
    // falling as they are taken, over the shoe's size, falling likewise.
    std::array<double, kUnitFactor + 1> ways{};
    for (int kind = 0; kind < kCardKinds; ++kind) {
        double product = 1.0;
        for (int taken = 1; taken <= kMostOfAKind; ++taken) {
            product *= std::max(0, left.count(kind) - taken + 1);
            ways[kind * kMostOfAKind + taken - 1] = product;
        }
    }
    ways[kUnitFactor] = 1.0;
    std::array<double, kMostCards + 1> perOrder{};
    perOrder[0] = 1.0;
    for (int cards = 1; cards <= std::min(kMostCards, left.size()); ++cards) {
        perOrder[cards] = perOrder[cards - 1] / (left.size() - cards + 1);
    }
    const DrawList& list = lists_[upIndex(up)];
    for (std::size_t end = 0; end < kEnds; ++end) {
        if ((missing & (1u << end)) == 0) {
            continue;
        }
        double sum = 0.0;
        for (std::size_t i = list.from[end]; i < list.from[end + 1]; ++i) {
            const Draw& draw = list.draws[i];
            double chance = draw.orders * perOrder[draw.cards];
            for (const std::uint8_t factor : draw.factor) {
                chance *= ways[factor];
            }
            sum += chance;
        }
        weighed_ += static_cast<long>(list.from[end + 1] - list.from[end]);
        known.outcome.p[end] = sum;
    }
    known.ends |= missing;
    return known.outcome;
}

}  // namespace solver
