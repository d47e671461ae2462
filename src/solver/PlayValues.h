#pragma once

#include <limits>

#include "solver/Action.h"

namespace solver {

// Expected values, in initial stakes, of the plays open at one decision; NaN for a play the rules
// do not allow there. A double and a split count their doubled stake.
struct PlayValues {
    static constexpr double kNotAllowed = std::numeric_limits<double>::quiet_NaN();

    double stand = kNotAllowed;
    double hit = kNotAllowed;
    double doubled = kNotAllowed;
    double split = kNotAllowed;

    double of(Action action) const;
    // The allowed play with the highest value; ties go to the simpler play (stand, hit, double,
    // split in that order).
    Action best() const;
};

}  // namespace solver
