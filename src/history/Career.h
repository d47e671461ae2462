#pragma once

#include <cstdint>
#include <vector>

#include "history/RoundRecord.h"

// The kept rounds added up: for the whole and for each session, the rounds won, lost and pushed
// and the ledger the coach shows (the table's edge, what the decisions cost, and luck, the rest,
// in whole cents adding up to the net exactly: edge and decisions are each rounded once over the
// set, and luck takes the remainder); the costliest decisions, and the decisions by kind. Drills,
// which are answers and not rounds played, are counted apart.
class Career {
public:
    struct Tally {
        // The session; for the whole, 0.
        long long session = 0;
        int rounds = 0;
        int won = 0;
        int lost = 0;
        int pushed = 0;
        int blackjacks = 0;
        long long net = 0;
        std::int64_t edgeCents = 0;
        // The decisions' part of the net: 0 or less.
        std::int64_t decisionCents = 0;
        std::int64_t luckCents = 0;
    };

    struct Costly {
        long long session = 0;
        std::string time;
        RoundRecord::Decision decision;
    };

    struct Kind {
        int count = 0;
        // Dollars.
        double cost = 0.0;
    };

    static constexpr std::size_t kCostliest = 10;

    explicit Career(const std::vector<RoundRecord>& records);

    Tally whole;
    // In the order of their numbers.
    std::vector<Tally> sessions;
    // The costliest decisions of the rounds (not the drills), most costly first, at most
    // kCostliest; of equal cost, the earlier first. Only those that cost anything.
    std::vector<Costly> costliest;
    // The decisions of the rounds by the hand they were made on: two cards of one rank on an
    // unsplit hand (a pair, as the table splits), a total with an ace counted 11 (soft), or any
    // other (hard).
    Kind hard;
    Kind soft;
    Kind pairs;
    // Drills answered, and the dollars their answers gave up against the best.
    int drills = 0;
    double drillCost = 0.0;
};
