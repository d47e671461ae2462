#include "solver/PlayValues.h"

#include <initializer_list>

namespace solver {

double PlayValues::of(Action action) const {
    switch (action) {
        case Action::Hit:
            return hit;
        case Action::Double:
            return doubled;
        case Action::Split:
            return split;
        default:
            return stand;
    }
}

Action PlayValues::best() const {
    Action best = Action::Stand;
    for (const Action action : {Action::Hit, Action::Double, Action::Split}) {
        // A comparison with NaN is false, so a play the rules do not allow is never taken.
        if (of(action) > of(best)) {
            best = action;
        }
    }
    return best;
}

}  // namespace solver
