#pragma once

#include <string>

// One playing card. Rank 1 is the ace, 2 to 10 the pip cards, 11 to 13 jack, queen and king;
// the suit is one of "Hearts", "Diamonds", "Clubs", "Spades". The deck fills it in once and
// nothing changes it afterwards.
class Card {
public:
    int rank = 0;
    std::string suit;
};
