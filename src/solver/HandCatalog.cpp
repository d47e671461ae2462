#include "solver/HandCatalog.h"

#include <limits>
#include <map>

namespace solver {

namespace {

// A hand's value depends only on its cards: the aces count 1, and one of them 11 when that keeps
// the hand at 21 or under. This is what the table's card-by-card count comes to in any order.
HandState stateOf(const CardCounts& cards) {
    int hard = 0;
    for (int kind = 0; kind < kCardKinds; ++kind) {
        hard += cards[kind] * (kind == kAceKind ? 1 : pointsOfKind(kind));
    }
    const bool soft = cards[kAceKind] > 0 && hard + 10 <= kBlackjack;
    return {soft ? hard + 10 : hard, soft};
}

}  // namespace

HandCatalog::HandCatalog(const Shoe& full) {
    // Hands are numbered as they are first reached, fewest cards first.
    std::map<CardCounts, int> numbers;
    cards_.push_back({});
    numbers.emplace(CardCounts{}, kEmpty);
    for (int hand = 0; hand < size(); ++hand) {
        for (int kind = 0; kind < kCardKinds; ++kind) {
            CardCounts more = cards_[hand];
            ++more[kind];
            int number = kNone;
            if (more[kind] <= full.count(kind) && !stateOf(more).bust()) {
                const auto [at, added] = numbers.emplace(more, size());
                if (added) {
                    cards_.push_back(more);
                }
                number = at->second;
            }
            next_.push_back(static_cast<std::int16_t>(number));
        }
    }
    assert(size() <= std::numeric_limits<std::int16_t>::max());
    for (int hand = 0; hand < size(); ++hand) {
        nextByRank_.push_back(static_cast<std::int16_t>(kNone));
        for (int rank = 1; rank < kRankSlots; ++rank) {
            nextByRank_.push_back(static_cast<std::int16_t>(add(hand, kindOfRank(rank))));
        }
    }
    for (const CardCounts& cards : cards_) {
        state_.push_back(stateOf(cards));
        int count = 0;
        for (const int n : cards) {
            count += n;
        }
        cardCount_.push_back(count);
    }
}

int HandCatalog::of(std::initializer_list<int> points) const {
    int hand = kEmpty;
    for (const int card : points) {
        if (hand == kNone) {
            break;
        }
        hand = add(hand, kindOfPoints(card));
    }
    return hand;
}

}  // namespace solver
