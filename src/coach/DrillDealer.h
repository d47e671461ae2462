#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <random>
#include <vector>

#include "history/RoundRecord.h"
#include "rules/Card.h"
#include "solver/Action.h"
#include "solver/PlayValues.h"
#include "solver/TableSolver.h"

// A drill: one opening decision, a two-card hand against the dealer's up card, off a single pack
// some of whose cards have been seen since the shuffle. Its values are the solver's from the
// cards not seen (the pack less the seen cards, the hand and the up card; the hole card among
// them), per stake.
struct Drill {
    // Why it was dealt: its best play is a close call; the player's history shows this kind of
    // decision costing most; a mistake of the player's coming back; or a composition where the
    // single deck's best play differs from the full pack's for the same hand and up card.
    enum class Kind { Close, Costly, Mistake, Exception };
    Kind kind = Kind::Close;
    // The hand's two cards, the up card, and the seen cards in the order they were turned up;
    // each a rank (1 the ace to 13 the king) and a suit ("Hearts", "Diamonds", "Clubs", "Spades"),
    // no card twice.
    std::vector<Card> hand;
    Card up;
    std::vector<Card> seen;
    // Each play the rules allow on the hand (stand, hit, double on 9 to 11, split on two cards of
    // one rank); NaN for the others.
    solver::PlayValues values{};
    solver::Action best = solver::Action::Stand;
    // The best play for the same hand and up card off the full pack (no card seen).
    solver::Action packBest = solver::Action::Stand;
};

// An answer, graded: the drill, the play chosen, and what it gave up against the best play, in
// dollars at DrillDealer::kStake (0 or more).
struct DrillGrade {
    Drill drill;
    solver::Action chosen = solver::Action::Stand;
    double cost = 0.0;
    // The answer as a line of the history: a drill record (`drill` true, `bet` kStake, no dealer
    // cards, no hands, net 0) with its one decision, `cards`, `up`, `seen`, `values`, `chosen`,
    // `best`, `cost`, as --check-history confirms it.
    RoundRecord record() const;
};

// Deals the drills and keeps the score. Most drills are close calls or the kinds of decision the
// player's history shows costing most; one in four is a single deck's own exception, found by
// the solver; the costliest mistakes come back until answered right twice. Each drill is worked
// out in slices within a frame's share (prepare), and its values are known before it is shown.
class DrillDealer {
public:
    using Clock = std::chrono::steady_clock;
    // The stake a drill's cost is given at, in dollars.
    static constexpr int kStake = 100;
    // The window of the recent score.
    static constexpr int kRecent = 50;

    explicit DrillDealer(std::uint32_t seed);

    // The rounds (and drills) kept, whose decisions' costs steer the Costly drills; any time.
    void learnFrom(const std::vector<RoundRecord>& history);

    // Works on the next drill until `until` (at least one step); true once it is ready.
    bool prepare(Clock::time_point until);
    bool ready() const { return ready_; }
    // The drill asked now; only once ready.
    const Drill& current() const { return current_; }
    // Whether `play` is live on the drill asked now: the rules allow it (its value is not NaN).
    bool isLive(solver::Action play) const;

    // The player's answer to the drill asked now (ready, and the play live): graded and scored,
    // and the next drill is begun (not ready until prepare says so).
    DrillGrade answer(solver::Action play);

    // The score: drills answered, dollars given up per 100 drills over all of them and over the
    // last kRecent, and the mistakes still to come back.
    int answered() const { return answered_; }
    double givenUpPer100() const;
    double recentGivenUpPer100() const;
    std::size_t mistakesWaiting() const;

private:
    // A card of the pack by its place, 0 to 51: rank place / 4 + 1, suit place % 4.
    using Place = int;
    // The cards of a drill before it is valued: the hand's two, the up card, the seen.
    struct Deal {
        std::vector<Place> hand;
        Place up = -1;
        std::vector<Place> seen;
    };
    // A mistake waiting to come back, and how often it has been answered right since.
    struct Mistake {
        Drill drill;
        double cost = 0.0;
        int right = 0;
        int id = 0;
    };
    // A kind of hand (hard total, soft total or pair) against an up card's value, and the cost
    // the history shows on it.
    struct CostlyGroup {
        int kind = 0;
        int up = 0;
        double cost = 0.0;
    };

    // Decides what the next drill is, by its number.
    void plan();
    // One bounded slice of the work on the next drill: one deal valued (or a mistake taken back).
    void step();
    void stepClose();
    void stepException();
    void finish(Drill drill);

    Drill solve(const Deal& deal, Drill::Kind kind);
    solver::Action packBestOf(const std::vector<int>& hand, int up);
    solver::TableSolver& solver();

    Deal closeDeal();
    Deal costlyDeal();
    Deal exceptionDeal();
    // A card of `rank` not yet in `deal` (the rank has one free: a drill holds at most three).
    Place takeRank(const Deal& deal, int rank);
    // A rank of `value` (1 to 10), a ten's rank at random among the four.
    int rankOf(int value);
    // Adds `count` seen cards not yet in the deal, each rank in `favoured` `weight` times as
    // likely as another.
    void addSeen(Deal& deal, int count, const std::array<bool, 14>& favoured, int weight);

    std::mt19937 random_;
    std::unique_ptr<solver::TableSolver> solver_;
    int solves_ = 0;
    // The full pack's best play by hand (its two values, whether a pair) and up card's value.
    std::map<std::array<int, 4>, solver::Action> packBest_;

    // The drill being worked out: its kind, the deals tried and the closest one so far.
    bool planned_ = false;
    Drill::Kind planning_ = Drill::Kind::Close;
    int tries_ = 0;
    bool haveClosest_ = false;
    Drill closest_;
    double closestGap_ = 0.0;
    // Of the slots dealt as Close or Costly, how many; with a history they alternate.
    int restSlots_ = 0;

    std::vector<CostlyGroup> costly_;
    double costlyTotal_ = 0.0;

    // Costliest first; the one dealt now, while current_ is a Mistake.
    std::vector<Mistake> mistakes_;
    int nextMistakeId_ = 0;
    int dealtMistake_ = -1;

    bool ready_ = false;
    Drill current_;
    int answered_ = 0;
    double totalCost_ = 0.0;
    std::deque<double> recent_;
};
