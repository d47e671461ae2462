#pragma once

#include <cstdint>

namespace solver {

// What the player does with the hand in play.
enum class Action : std::uint8_t { Stand, Hit, Double, Split };

}  // namespace solver
