#pragma once

#include <array>
#include <cassert>
#include <cstdint>

#include "solver/HandState.h"

namespace solver {

// Cards by what they are worth, the only thing about a card the rules look at (besides a pair's
// rank): kind 0 to 8 for 2 to 10 points, kind 9 for the ace.
constexpr int kCardKinds = 10;
constexpr int kTenKind = 8;
constexpr int kAceKind = 9;

inline int kindOfPoints(int points) {
    return points - kLowestUp;
}
inline int pointsOfKind(int kind) {
    return kind + kLowestUp;
}
inline int kindOfRank(int rank) {
    return kindOfPoints(rankPoints(rank));
}

// A number of cards of each kind: a hand, or what a shoe holds.
using CardCounts = std::array<int, kCardKinds>;

// The cards left to deal, counted by kind, with a key that names the composition: two shoes
// holding the same cards have the same key. Up to 15 decks.
class Shoe {
public:
    static constexpr int kMostDecks = 15;

    // `count` full 52-card decks shuffled together.
    static Shoe decks(int count) {
        assert(count >= 1 && count <= kMostDecks);
        CardCounts counts{};
        for (int kind = 0; kind < kCardKinds; ++kind) {
            counts[kind] = (kind == kTenKind ? 16 : 4) * count;
        }
        return of(counts);
    }

    static Shoe of(const CardCounts& counts) {
        Shoe shoe;
        for (int kind = 0; kind < kCardKinds; ++kind) {
            shoe.add(kind, counts[kind]);
        }
        return shoe;
    }

    int count(int kind) const { return count_[kind]; }
    const CardCounts& counts() const { return count_; }
    int size() const { return size_; }
    std::uint64_t key() const { return key_; }
    // The chance that the next card is of `kind`; the shoe must not be empty.
    double chance(int kind) const { return static_cast<double>(count_[kind]) / size_; }
    // Whether the shoe holds every card of `cards`.
    bool holds(const CardCounts& cards) const {
        for (int kind = 0; kind < kCardKinds; ++kind) {
            if (cards[kind] > count_[kind]) {
                return false;
            }
        }
        return true;
    }

    Shoe without(int kind) const {
        Shoe shoe = *this;
        shoe.add(kind, -1);
        return shoe;
    }
    // The shoe less `cards`, which it must hold.
    Shoe without(const CardCounts& cards) const {
        Shoe shoe = *this;
        for (int kind = 0; kind < kCardKinds; ++kind) {
            shoe.add(kind, -cards[kind]);
        }
        return shoe;
    }

private:
    // Six bits for each kind, eight for the tens, which are four times as many.
    static int shift(int kind) {
        if (kind < kTenKind) {
            return 6 * kind;
        }
        return kind == kTenKind ? 48 : 56;
    }

    void add(int kind, int cards) {
        count_[kind] += cards;
        size_ += cards;
        assert(count_[kind] >= 0);
        key_ += static_cast<std::uint64_t>(static_cast<std::int64_t>(cards)) << shift(kind);
    }

    CardCounts count_{};
    int size_ = 0;
    std::uint64_t key_ = 0;
};

}  // namespace solver
