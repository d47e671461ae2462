#pragma once

#include <array>
#include <chrono>
#include <memory>
#include <vector>

#include "coach/NextRoundWorker.h"
#include "coach/SessionLedger.h"
#include "history/RoundRecord.h"
#include "rules/Game.h"
#include "solver/TableSolver.h"

// The coach at the table: the exact value of every play open to the player, of the next round,
// and of the plays made, worked out from the cards the player has not seen since the last shuffle
// (the deck's cards and the dealer's hole card while it lies face down), never from their order.
// It keeps the session ledger of the rounds it followed from their deal to their end.
//
// The table tells it what happens (dealing, playing, settled) and gives it a share of each frame
// (update). A decision's values are worked out in the frame that first shows the decision; the
// next round's value, which takes longer, is worked out by a NextRoundWorker: on the desktop on a
// thread of its own, the frames only handing it the job and taking up its values; in the page in
// slices within each frame, more of the frame while a value is awaited (kPendingShare).
class Coach {
public:
    using Clock = std::chrono::steady_clock;

    // Without a thread, the share of a frame, from look on, that the coach may take while a
    // value is awaited, when the frame gives it less: the next round off a full pack then shows
    // within half a second at 60 frames a second.
    static constexpr Clock::duration kPendingShare = std::chrono::milliseconds(10);

    // The next round's work on a thread of its own when `threaded` (never in the page), else in
    // the slices of each frame.
    explicit Coach(bool threaded = NextRoundWorker::kThreads);

    // The player's turn: the values of the plays of the hand in play, per initial stake.
    struct Decision {
        bool inPlay = false;
        solver::PlayValues values{};
        // Which plays the table offers now, by solver::Action.
        std::array<bool, 4> open{};
        // The open play worth most.
        solver::Action best = solver::Action::Stand;
        // The dollars of one initial stake: the bet of the round as dealt.
        int stake = 0;
    };

    // The next round's value at `bet` (or, without a bet, per dollar of stake).
    struct NextRound {
        bool ready = false;
        // The deck will be gathered and shuffled before the deal: valued off the whole pack.
        bool freshDeck = false;
        // The cards the player has not seen, when the deck is not to be gathered.
        int cardsLeft = 0;
        int bet = 0;
        double perStake = 0.0;
    };

    // What the plays of the last round the coach followed cost.
    struct LastRound {
        bool shown = false;
        int stake = 0;
        double cost = 0.0;
    };

    // Every card the player has not seen since the last shuffle, by rank.
    static solver::RankCounts unseen(const Game& game);
    // The cards the next deal comes from: the unseen ones, or the whole pack when the deck is to
    // be gathered first (`fresh`).
    static solver::RankCounts unseenAtDeal(const Game& game, bool& fresh);

    // Just before the table takes the bet and deals.
    void dealing(const Game& game, int bet);
    // Just before the table makes `play` on the player's turn; `doubleOpen` and `splitOpen` say
    // whether the table offers those plays now.
    void playing(const Game& game, solver::Action play, bool doubleOpen, bool splitOpen);
    // Once the round dealt last is settled.
    void settled(const Game& game);
    // The coach is switched off: the round in play is not followed to its end.
    void pause();

    // Each frame the coach is on, after the input: the decision in play, if any, worked out at
    // once, and what the next deal will be (`pendingBet` is the stake built for it).
    void look(const Game& game, bool roundActive, int pendingBet, bool doubleOpen, bool splitOpen);
    // Then the values the worker has finished taken up, and without a thread slices of the next
    // round's value (and of those the ledger waits for) until `until`; at least one slice, and
    // while a value is awaited until kPendingShare after look when that is later. Never waits
    // for the thread.
    void workUntil(Clock::time_point until);
    // Both.
    void update(const Game& game, bool roundActive, int pendingBet, bool doubleOpen, bool splitOpen,
                Clock::time_point until);
    // The next round's value (and those the ledger waits for) at once, whatever it takes (with a
    // thread, waiting for it).
    void finishWork();

    // Keeping on, each round followed from its deal to its end is written down as a RoundRecord:
    // its cards, its hands' results, and every decision the player made with the value of each
    // play live at that moment, from the cards left then (the same values the coach shows). A
    // round's record is complete once its value at the deal is known too; takeKept hands over
    // those that are, oldest first. Off, nothing is written down and the records not yet handed
    // over are dropped.
    void keep(bool on);
    bool keeping() const { return keeping_; }
    std::vector<RoundRecord> takeKept();
    // Rounds settled and written down whose value at the deal is not yet known.
    bool keptWaiting() const;

    Decision decision;
    NextRound next;
    LastRound lastRound;
    SessionLedger ledger;

private:
    using Job = NextRoundWorker::Job;
    struct Known {
        Job job;
        double perStake = 0.0;
    };
    // A ledger round waiting for its value at the deal.
    struct Waiting {
        int round = 0;
        Job job;
    };
    struct DecisionKey {
        std::vector<int> hand;
        int up = 0;
        solver::RankCounts unseen{};
        bool opening = false;
        bool operator==(const DecisionKey& other) const {
            return hand == other.hand && up == other.up && unseen == other.unseen &&
                   opening == other.opening;
        }
    };

    void decide(const Game& game, bool doubleOpen, bool splitOpen);
    // `next` from the values known.
    void showNext();
    // The job to work on now: the ledger's first, then the table's; false if none.
    bool wanted(Job& job) const;
    const Known* known(const Job& job) const;
    void learn(const Job& job, double perStake);
    // The worker's finished values learnt, and the job wanted now handed to it.
    void collect();

    // The solvers keep what they work out until they hold so much that forgetting it all at once
    // would take a frame's time; the coach starts each round's decisions on a fresh one instead
    // (and the worker each next round's value).
    std::unique_ptr<solver::TableSolver> decider = std::make_unique<solver::TableSolver>();
    DecisionKey decisionKey;
    bool decisionKnown = false;

    // The table's next deal as last seen, and the work on it.
    Job nextJob;
    bool nextWanted = false;
    std::vector<Known> knownValues;
    std::vector<Waiting> waiting;
    // When the frame's look began.
    Clock::time_point lookedAt{};

    // The round the ledger follows, from its deal; -1 when none.
    int round = -1;
    int walletBeforeDeal = 0;
    double roundCost = 0.0;

    // The round being written down, from its deal (when keeping was on at the deal); and the
    // settled ones, by ledger round, until their value at the deal is known.
    struct KeptRound {
        int round = 0;
        RoundRecord record;
    };
    void keepDecision(const Game& game, solver::Action play);
    void keepSettled(const Game& game);
    bool keeping_ = false;
    bool keepingRound = false;
    RoundRecord keptNow;
    std::vector<KeptRound> keptRounds;

    // Last: its thread, which touches nothing of the coach's, is stopped first.
    NextRoundWorker worker;
};
