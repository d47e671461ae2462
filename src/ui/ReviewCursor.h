#pragma once

#include <vector>

#include "history/RoundRecord.h"

// Where the review stands among the rounds it holds: the round shown, and the decision marked in
// it by a jump to the plays that cost something. It knows no screen.
class ReviewCursor {
public:
    // Holds `rounds` (oldest first) and stands on the last, none marked.
    void reset(std::vector<RoundRecord> rounds);

    const std::vector<RoundRecord>& rounds() const { return rounds_; }
    // The round shown (its place in rounds()), -1 when there is none.
    int round() const { return round_; }
    const RoundRecord* shown() const { return round_ >= 0 ? &rounds_[round_] : nullptr; }
    // The decision marked in the shown round, -1 when none is.
    int marked() const { return marked_; }

    // One round older or newer, none marked; false (and nothing moves) at either end.
    bool older();
    bool newer();
    // The decision that cost something before (`step` -1) or after (1) the one marked, across
    // rounds; unmarked, from the end of the shown round looking back and from its start looking
    // on. False (and nothing moves) when there is none.
    bool jump(int step);
    // The first of the shown round's decisions to list when `rows` fit: those around the one
    // marked, from the first when none is.
    int firstRow(int rows) const;

    // Whether a decision cost anything to the cent: one that rounds to nothing cost nothing.
    static bool costly(const RoundRecord::Decision& decision);

private:
    std::vector<RoundRecord> rounds_;
    int round_ = -1;
    int marked_ = -1;
};
