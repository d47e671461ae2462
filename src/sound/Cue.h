#pragma once

#include <cstddef>

// What the table can be heard doing: a card sliding out of the shoe, the hole card turned over, a
// chip put on or taken off the bet, and how a round ended.
enum class Cue { CardSlide, HoleFlip, ChipClick, Win, Blackjack, Loss, Push };

inline constexpr std::size_t kCueCount = static_cast<std::size_t>(Cue::Push) + 1;

constexpr std::size_t indexOf(Cue cue) {
    return static_cast<std::size_t>(cue);
}
