#pragma once

#include <cstdint>
#include <vector>

// The session's result taken apart, round by round: what the table's edge was expected to take
// (each round's value at the deal, played at its best, in dollars at its stake), what the
// player's decisions cost (the best play's value less the value of the play made, each valued
// when it was made) and luck, the rest. In whole cents the three add up to the net result exactly:
// edge and decisions are rounded once, over the whole session, and luck takes the remainder.
//
// A round opens at its deal and closes when it is settled; its value at the deal may arrive
// later (it takes the coach a few frames), and until every closed round has one the ledger is
// not yet valued.
class SessionLedger {
public:
    struct Round {
        int stake = 0;
        bool valued = false;
        // Expected net of the round at the deal, played at its best, in dollars.
        double edge = 0.0;
        // What the plays made cost against the best ones, in dollars (0 or more).
        double decisionCost = 0.0;
        bool closed = false;
        int net = 0;
        bool blackjack = false;
    };

    // Opens a round dealt at `stake` dollars; returns its number.
    int open(int stake);
    // The round's expected net per dollar of stake at the deal, played at its best.
    void value(int round, double perStake);
    // A play that was worth `cost` dollars less than the best one.
    void addDecisionCost(int round, double cost);
    // The round settled with `net` dollars won (or lost, below 0); `blackjack` for a natural.
    void close(int round, int net, bool blackjack);
    // Forgets an open round that will not be followed to its end.
    void drop(int round);

    // Over the closed rounds.
    int played() const { return won + lost + pushed; }
    // Every closed round has its value at the deal.
    bool valued() const;
    std::int64_t netCents() const { return 100 * static_cast<std::int64_t>(net); }
    std::int64_t edgeCents() const;
    // The decisions' part of the net: 0 or less.
    std::int64_t decisionCents() const;
    std::int64_t luckCents() const { return netCents() - edgeCents() - decisionCents(); }
    // Luck in one closed and valued round, in dollars.
    static double luckOf(const Round& round) { return round.net - round.edge + round.decisionCost; }

    std::vector<Round> rounds;
    int net = 0;
    int won = 0;
    int lost = 0;
    int pushed = 0;
    int blackjacks = 0;

private:
    bool counts(int round) const;
};
