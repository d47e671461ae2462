#pragma once

#include <array>
#include <string>

// One playing card. Rank 1 is the ace, 2 to 10 the pip cards, 11 to 13 jack, queen and king;
// the suit is one of "Hearts", "Diamonds", "Clubs", "Spades". The deck fills it in once and
// nothing changes it afterwards.
class Card {
public:
    int rank = 0;
    std::string suit;
};

// A rank as the game writes it: A, 2 to 10, J, Q, K; a number outside 1 to 13 as its digits.
inline std::string rankName(int rank) {
    static constexpr std::array<const char*, 14> kNames{"",  "A", "2", "3",  "4", "5", "6",
                                                        "7", "8", "9", "10", "J", "Q", "K"};
    return rank >= 1 && rank <= 13 ? kNames[static_cast<std::size_t>(rank)] : std::to_string(rank);
}
