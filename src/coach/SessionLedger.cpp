#include "coach/SessionLedger.h"

#include <cmath>

int SessionLedger::open(int stake) {
    Round round;
    round.stake = stake;
    rounds.push_back(round);
    return static_cast<int>(rounds.size()) - 1;
}

bool SessionLedger::counts(int round) const {
    return round >= 0 && round < static_cast<int>(rounds.size());
}

void SessionLedger::value(int round, double perStake) {
    if (counts(round)) {
        rounds[round].edge = perStake * rounds[round].stake;
        rounds[round].valued = true;
    }
}

void SessionLedger::addDecisionCost(int round, double cost) {
    if (counts(round) && !rounds[round].closed) {
        rounds[round].decisionCost += cost;
    }
}

void SessionLedger::close(int round, int roundNet, bool blackjack) {
    if (!counts(round) || rounds[round].closed) {
        return;
    }
    Round& r = rounds[round];
    r.closed = true;
    r.net = roundNet;
    r.blackjack = blackjack;
    net += roundNet;
    if (roundNet > 0) {
        ++won;
    } else if (roundNet < 0) {
        ++lost;
    } else {
        ++pushed;
    }
    if (blackjack) {
        ++blackjacks;
    }
}

void SessionLedger::drop(int round) {
    // Its number stays taken, so later rounds keep theirs; a dropped round counts nowhere.
    if (counts(round) && !rounds[round].closed) {
        rounds[round] = Round{};
        rounds[round].valued = true;
    }
}

bool SessionLedger::valued() const {
    for (const Round& round : rounds) {
        if (round.closed && !round.valued) {
            return false;
        }
    }
    return true;
}

std::int64_t SessionLedger::edgeCents() const {
    double edge = 0.0;
    for (const Round& round : rounds) {
        if (round.closed) {
            edge += round.edge;
        }
    }
    return std::llround(100.0 * edge);
}

std::int64_t SessionLedger::decisionCents() const {
    double cost = 0.0;
    for (const Round& round : rounds) {
        if (round.closed) {
            cost += round.decisionCost;
        }
    }
    return -std::llround(100.0 * cost);
}
