#include "solver/RankCounts.h"

namespace solver {

RankCounts fullPack() {
    RankCounts pack{};
    for (int rank = kAceRank; rank <= kKingRank; ++rank) {
        pack[rank] = kOfEachRank;
    }
    return pack;
}

int cardsIn(const RankCounts& ranks) {
    int cards = 0;
    for (int rank = kAceRank; rank <= kKingRank; ++rank) {
        cards += ranks[rank];
    }
    return cards;
}

Shoe shoeOf(const RankCounts& ranks) {
    CardCounts counts{};
    for (int rank = kAceRank; rank <= kKingRank; ++rank) {
        counts[kindOfRank(rank)] += ranks[rank];
    }
    return Shoe::of(counts);
}

RankCounts ranksOf(const Shoe& shoe) {
    RankCounts ranks{};
    constexpr int kTenRanks = kKingRank - 10 + 1;
    for (int rank = kAceRank; rank <= kKingRank; ++rank) {
        const int kind = kindOfRank(rank);
        if (kind != kTenKind) {
            ranks[rank] = shoe.count(kind);
        } else {
            const int tens = shoe.count(kTenKind);
            ranks[rank] = tens / kTenRanks + (rank - 10 < tens % kTenRanks ? 1 : 0);
        }
    }
    return ranks;
}

}  // namespace solver
