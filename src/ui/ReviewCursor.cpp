#include "ui/ReviewCursor.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

bool ReviewCursor::costly(const RoundRecord::Decision& decision) {
    return std::llround(100.0 * decision.cost) > 0;
}

void ReviewCursor::reset(std::vector<RoundRecord> rounds) {
    rounds_ = std::move(rounds);
    round_ = static_cast<int>(rounds_.size()) - 1;
    marked_ = -1;
}

bool ReviewCursor::older() {
    if (round_ <= 0) {
        return false;
    }
    --round_;
    marked_ = -1;
    return true;
}

bool ReviewCursor::newer() {
    if (round_ < 0 || round_ + 1 >= static_cast<int>(rounds_.size())) {
        return false;
    }
    ++round_;
    marked_ = -1;
    return true;
}

bool ReviewCursor::jump(int step) {
    if (round_ < 0) {
        return false;
    }
    int round = round_;
    int decision = marked_ >= 0 ? marked_ : (step < 0 ? INT_MAX : -1);
    for (;;) {
        const int count = static_cast<int>(rounds_[round].decisions.size());
        decision = step < 0 ? std::min(decision, count) - 1 : decision + 1;
        if (decision < 0 || decision >= count) {
            round += step;
            if (round < 0 || round >= static_cast<int>(rounds_.size())) {
                return false;
            }
            decision = step < 0 ? INT_MAX : -1;
            continue;
        }
        if (costly(rounds_[round].decisions[decision])) {
            round_ = round;
            marked_ = decision;
            return true;
        }
    }
}

int ReviewCursor::firstRow(int rows) const {
    const RoundRecord* round = shown();
    const int count = round != nullptr ? static_cast<int>(round->decisions.size()) : 0;
    if (count <= rows || marked_ < 0) {
        return 0;
    }
    return std::clamp(marked_ - rows / 2, 0, count - rows);
}
