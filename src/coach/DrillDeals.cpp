#include "coach/DrillDeals.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace drills {

namespace {

constexpr std::array<const char*, 4> kSuits{"Hearts", "Diamonds", "Clubs", "Spades"};
constexpr int kPackSize = 52;
// The most cards seen on a deal at random, and on a boundary deal the fewest and the most.
constexpr int kMostSeen = 20;
constexpr int kFewestSkewed = 4;
constexpr int kMostSkewed = 24;
// How much likelier a favoured rank is among a boundary deal's seen cards.
constexpr int kSkewWeight = 6;

// Hands near the boundaries of the play, by their cards' values, and the up card's value.
struct Boundary {
    int first;
    int second;
    int up;
};
constexpr std::array<Boundary, 30> kBoundaries{{
    {10, 6, 10}, {9, 7, 10}, {10, 5, 10}, {9, 6, 10}, {10, 4, 10}, {10, 2, 2},
    {10, 2, 3},  {10, 2, 4}, {9, 3, 2},   {8, 4, 3},  {10, 3, 2},  {10, 3, 3},
    {9, 4, 2},   {8, 3, 1},  {7, 4, 1},   {6, 4, 10}, {7, 3, 1},   {6, 3, 2},
    {5, 4, 7},   {6, 2, 5},  {6, 2, 6},   {1, 6, 2},  {1, 7, 2},   {1, 7, 1},
    {1, 2, 4},   {2, 2, 7},  {3, 3, 7},   {6, 6, 7},  {9, 9, 7},   {7, 7, 10},
}};

int valueOf(int rank) {
    return std::min(rank, 10);
}

bool natural(int first, int second) {
    return (first == 1 && valueOf(second) == 10) || (second == 1 && valueOf(first) == 10);
}

// The two-card hands, by rank, of a kind.
std::vector<std::array<int, 2>> handsOfKind(int kind) {
    std::vector<std::array<int, 2>> hands;
    for (int first = 1; first <= 13; ++first) {
        for (int second = first; second <= 13; ++second) {
            if (!natural(first, second) && kindOf({first, second}) == kind) {
                hands.push_back({first, second});
            }
        }
    }
    return hands;
}

template <typename T>
T between(T low, T high, std::mt19937& random) {
    return std::uniform_int_distribution<T>(low, high)(random);
}

bool inDeal(const Deal& deal, Place place) {
    return place == deal.up ||
           std::find(deal.hand.begin(), deal.hand.end(), place) != deal.hand.end();
}

// A card of `rank` not yet in the deal (a deal holds at most three of a rank before its seen).
Place takeRank(const Deal& deal, int rank, std::mt19937& random) {
    std::vector<Place> free;
    for (Place place = (rank - 1) * 4; place < rank * 4; ++place) {
        if (!inDeal(deal, place)) {
            free.push_back(place);
        }
    }
    return free[between<std::size_t>(0, free.size() - 1, random)];
}

// A rank of `value` (1 to 10), a ten's rank at random among the four.
int rankOf(int value, std::mt19937& random) {
    return value == 10 ? between(10, 13, random) : value;
}

// Adds `count` seen cards not in the deal yet, each rank in `favoured` `weight` times as likely
// as another.
void addSeen(Deal& deal, int count, const std::array<bool, 14>& favoured, int weight,
             std::mt19937& random) {
    std::vector<Place> left;
    for (Place place = 0; place < kPackSize; ++place) {
        if (!inDeal(deal, place)) {
            left.push_back(place);
        }
    }
    for (int n = 0; n < count && !left.empty(); ++n) {
        std::vector<int> weights;
        weights.reserve(left.size());
        for (const Place place : left) {
            weights.push_back(favoured[static_cast<std::size_t>(rankAt(place))] ? weight : 1);
        }
        std::discrete_distribution<std::size_t> draw(weights.begin(), weights.end());
        const std::size_t taken = draw(random);
        deal.seen.push_back(left[taken]);
        left.erase(left.begin() + static_cast<std::ptrdiff_t>(taken));
    }
}

}  // namespace

Card cardAt(Place place) {
    Card card;
    card.rank = rankAt(place);
    card.suit = kSuits[static_cast<std::size_t>(place % 4)];
    return card;
}

int rankAt(Place place) {
    return place / 4 + 1;
}

int kindOf(const std::vector<int>& ranks) {
    if (ranks.size() == 2 && ranks[0] == ranks[1]) {
        return kPair + valueOf(ranks[0]);
    }
    int total = 0;
    bool ace = false;
    for (const int rank : ranks) {
        total += valueOf(rank);
        ace = ace || rank == 1;
    }
    return ace && total + 10 <= 21 ? kSoft + total + 10 : total;
}

bool dealable(int kind) {
    return !handsOfKind(kind).empty();
}

Deal anyDeal(std::mt19937& random) {
    std::array<Place, kPackSize> pack{};
    std::iota(pack.begin(), pack.end(), 0);
    do {
        std::shuffle(pack.begin(), pack.end(), random);
    } while (natural(rankAt(pack[0]), rankAt(pack[1])));
    Deal deal;
    deal.hand = {pack[0], pack[1]};
    deal.up = pack[2];
    deal.seen.assign(pack.begin() + 3, pack.begin() + 3 + between(0, kMostSeen, random));
    return deal;
}

Deal dealOfKind(int kind, int upValue, std::mt19937& random) {
    const std::vector<std::array<int, 2>> hands = handsOfKind(kind);
    const std::array<int, 2> ranks = hands[between<std::size_t>(0, hands.size() - 1, random)];
    Deal deal;
    deal.hand.push_back(takeRank(deal, ranks[0], random));
    deal.hand.push_back(takeRank(deal, ranks[1], random));
    deal.up = takeRank(deal, rankOf(upValue, random), random);
    addSeen(deal, between(0, kMostSeen, random), {}, 1, random);
    return deal;
}

Deal boundaryDeal(std::mt19937& random) {
    const Boundary& boundary = kBoundaries[between<std::size_t>(0, kBoundaries.size() - 1, random)];
    const int first = rankOf(boundary.first, random);
    const int second = boundary.second == boundary.first ? first : rankOf(boundary.second, random);
    Deal deal;
    deal.hand.push_back(takeRank(deal, first, random));
    deal.hand.push_back(takeRank(deal, second, random));
    deal.up = takeRank(deal, rankOf(boundary.up, random), random);
    // Many small cards seen leave the rest rich in tens, and many tens seen the reverse.
    std::array<bool, 14> favoured{};
    const bool small = between(0, 1, random) == 0;
    for (int rank = 1; rank <= 13; ++rank) {
        favoured[static_cast<std::size_t>(rank)] = small ? rank >= 2 && rank <= 6 : rank >= 10;
    }
    addSeen(deal, between(kFewestSkewed, kMostSkewed, random), favoured, kSkewWeight, random);
    return deal;
}

}  // namespace drills
