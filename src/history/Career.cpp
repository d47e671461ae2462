#include "history/Career.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "rules/Rules.h"

namespace {

// The sums of a set of rounds, in dollars, before they are rounded to cents.
struct Sums {
    Career::Tally tally;
    double edge = 0.0;
    double cost = 0.0;

    void add(const RoundRecord& round) {
        ++tally.rounds;
        if (round.net > 0) {
            ++tally.won;
        } else if (round.net < 0) {
            ++tally.lost;
        } else {
            ++tally.pushed;
        }
        if (round.blackjack) {
            ++tally.blackjacks;
        }
        tally.net += round.net;
        edge += round.edge;
        for (const RoundRecord::Decision& decision : round.decisions) {
            cost += decision.cost;
        }
    }

    Career::Tally rounded() const {
        Career::Tally t = tally;
        t.edgeCents = std::llround(100.0 * edge);
        t.decisionCents = -std::llround(100.0 * cost);
        t.luckCents = 100 * t.net - t.edgeCents - t.decisionCents;
        return t;
    }
};

// The hand's total has an ace still counted 11.
bool isSoft(const std::vector<int>& cards) {
    int total = 0;
    int aces = 0;
    for (const int rank : cards) {
        total += rankPoints(rank);
        aces += rank == kAceRank ? 1 : 0;
        while (total > kBlackjack && aces > 0) {
            total -= kSoftAceDrop;
            --aces;
        }
    }
    return aces > 0;
}

}  // namespace

Career::Career(const std::vector<RoundRecord>& records) {
    Sums all;
    std::map<long long, Sums> bySession;
    for (const RoundRecord& round : records) {
        if (round.drill) {
            ++drills;
            for (const RoundRecord::Decision& decision : round.decisions) {
                drillCost += decision.cost;
            }
            continue;
        }
        all.add(round);
        bySession[round.session].add(round);
        for (const RoundRecord::Decision& decision : round.decisions) {
            const std::vector<int>& cards = decision.cards;
            Kind& kind = !decision.split && cards.size() == 2 && cards[0] == cards[1] ? pairs
                         : isSoft(cards)                                              ? soft
                                                                                      : hard;
            ++kind.count;
            kind.cost += decision.cost;
            if (decision.cost > 0.0) {
                costliest.push_back(Costly{round.session, round.time, decision});
            }
        }
    }
    whole = all.rounded();
    for (const auto& [session, sums] : bySession) {
        sessions.push_back(sums.rounded());
        sessions.back().session = session;
    }
    std::stable_sort(costliest.begin(), costliest.end(), [](const Costly& a, const Costly& b) {
        return a.decision.cost > b.decision.cost;
    });
    if (costliest.size() > kCostliest) {
        costliest.resize(kCostliest);
    }
}
