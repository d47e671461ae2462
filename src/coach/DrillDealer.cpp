// What the drill table deals. Every drill is a two-card hand (never a natural) against an up
// card, off one pack some of whose cards have been seen; at least 10 cards are left unseen, the
// dealer's hole card among them, and no card of the pack appears twice. Drills are numbered from
// 1, and:
// - Every fourth (4, 8, 12, ...) is an exception: a hand near a boundary of the play (16 or 15
//   against a ten, 12 against a low card, 11 against an ace, soft 17 and 18, small pairs ...) with
//   4 to 24 cards seen, most of them small or most of them tens, whose best play off the cards
//   left differs from its best play off a full pack, and is worth 10 cents more at the $100
//   stake at least. The dealer tries up to 400 deals for one; should none turn up it deals a
//   close call instead and looks again at the next fourth drill.
// - Drills 2, 6, 10, ... bring back the costliest mistake still waiting: the same hand, up card
//   and seen cards. An answer that gave up more than a cent waits until it has been answered
//   right twice. With no mistake waiting the drill is dealt as the rest.
// - The rest are close calls: of four random hands, up cards and seen cards (0 to 20), the one
//   whose best and second-best plays are worth closest. When the history shows decisions that
//   cost, every other one of them is instead a hand of a kind that cost (a hard total, a soft
//   total or a pair, against an up card), the kinds dealt in proportion to what they cost, with
//   fresh seen cards.
#include "coach/DrillDealer.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "coach/DrillDeals.h"
#include "history/UtcNow.h"

namespace {

using solver::Action;

constexpr std::array<Action, 4> kPlays{Action::Stand, Action::Hit, Action::Double, Action::Split};

// An answer that gives up more than this (dollars) is a mistake; one within it is right.
constexpr double kMistakeOver = 0.01;
// A mistake leaves once answered right this often.
constexpr int kRightToLeave = 2;
// The close call is the closest of this many deals.
constexpr int kCloseChoices = 4;
// The most deals an exception is looked for among before a close call is dealt instead.
constexpr int kExceptionTries = 400;
// An exception's best play beats the full pack's best by this much at least (in stakes), so the
// difference is one a player can be taught.
constexpr double kExceptionMargin = 0.001;
// The solver starts afresh after this many questions, so what it remembers stays small.
constexpr int kSolvesPerSolver = 600;

int valueOf(int rank) {
    return std::min(rank, 10);
}

// The live play worth most, ties to the simpler.
Action bestOf(const solver::PlayValues& values) {
    Action best = Action::Stand;
    bool any = false;
    for (const Action play : kPlays) {
        if (!std::isnan(values.of(play)) && (!any || values.of(play) > values.of(best))) {
            best = play;
            any = true;
        }
    }
    return best;
}

// How far the second-best live play is behind the best.
double gapOf(const Drill& drill) {
    const double best = drill.values.of(drill.best);
    double gap = std::numeric_limits<double>::infinity();
    for (const Action play : kPlays) {
        const double value = drill.values.of(play);
        if (play != drill.best && !std::isnan(value)) {
            gap = std::min(gap, best - value);
        }
    }
    return gap;
}

}  // namespace

RoundRecord DrillGrade::record() const {
    RoundRecord kept;
    kept.time = utcNow();
    kept.bet = DrillDealer::kStake;
    kept.drill = true;
    RoundRecord::Decision decision;
    for (const Card& card : drill.hand) {
        decision.cards.push_back(card.rank);
    }
    decision.up = drill.up.rank;
    for (const Card& card : drill.seen) {
        decision.seen.push_back(card.rank);
    }
    decision.values = drill.values;
    decision.chosen = chosen;
    decision.best = drill.best;
    decision.cost = cost;
    decision.hasPackBest = true;
    decision.packBest = drill.packBest;
    kept.decisions.push_back(std::move(decision));
    return kept;
}

DrillDealer::DrillDealer(std::uint32_t seed)
    : random_(seed), solver_(std::make_unique<solver::TableSolver>()) {}

void DrillDealer::learnFrom(const std::vector<RoundRecord>& history) {
    std::map<std::array<int, 2>, double> costs;
    for (const RoundRecord& round : history) {
        for (const RoundRecord::Decision& decision : round.decisions) {
            const int kind = drills::kindOf(decision.cards);
            if (decision.cost > 0.0 && decision.up >= 1 && decision.up <= 13 &&
                drills::dealable(kind)) {
                costs[{kind, valueOf(decision.up)}] += decision.cost;
            }
        }
    }
    costly_.clear();
    costlyTotal_ = 0.0;
    for (const auto& [group, cost] : costs) {
        costly_.push_back(CostlyGroup{group[0], group[1], cost});
        costlyTotal_ += cost;
    }
}

bool DrillDealer::prepare(Clock::time_point until) {
    if (ready_) {
        return true;
    }
    do {
        step();
    } while (!ready_ && Clock::now() < until);
    return ready_;
}

bool DrillDealer::isLive(solver::Action play) const {
    return ready_ && !std::isnan(current_.values.of(play));
}

DrillGrade DrillDealer::answer(solver::Action play) {
    DrillGrade grade;
    grade.drill = current_;
    grade.chosen = play;
    if (!isLive(play)) {
        // An answer out of turn grades nothing and counts for nothing.
        return grade;
    }
    grade.cost =
        std::max(0.0, current_.values.of(current_.best) - current_.values.of(play)) * kStake;

    ++answered_;
    totalCost_ += grade.cost;
    recent_.push_back(grade.cost);
    if (recent_.size() > static_cast<std::size_t>(kRecent)) {
        recent_.pop_front();
    }

    if (current_.kind == Drill::Kind::Mistake) {
        const auto dealt = std::find_if(mistakes_.begin(), mistakes_.end(),
                                        [this](const Mistake& m) { return m.id == dealtMistake_; });
        if (dealt != mistakes_.end() && grade.cost <= kMistakeOver &&
            ++dealt->right >= kRightToLeave) {
            mistakes_.erase(dealt);
        }
    } else if (grade.cost > kMistakeOver) {
        Mistake mistake{current_, grade.cost, 0, nextMistakeId_++};
        const auto after = std::find_if(mistakes_.begin(), mistakes_.end(),
                                        [&](const Mistake& m) { return m.cost < mistake.cost; });
        mistakes_.insert(after, std::move(mistake));
    }

    ready_ = false;
    planned_ = false;
    return grade;
}

double DrillDealer::givenUpPer100() const {
    return answered_ == 0 ? 0.0 : totalCost_ / answered_ * 100.0;
}

double DrillDealer::recentGivenUpPer100() const {
    if (recent_.empty()) {
        return 0.0;
    }
    return std::accumulate(recent_.begin(), recent_.end(), 0.0) /
           static_cast<double>(recent_.size()) * 100.0;
}

std::size_t DrillDealer::mistakesWaiting() const {
    return mistakes_.size();
}

void DrillDealer::plan() {
    const int number = answered_ + 1;
    if (number % 4 == 0) {
        planning_ = Drill::Kind::Exception;
    } else if (number % 4 == 2 && !mistakes_.empty()) {
        planning_ = Drill::Kind::Mistake;
    } else {
        const bool costly = !costly_.empty() && restSlots_ % 2 == 0;
        planning_ = costly ? Drill::Kind::Costly : Drill::Kind::Close;
        ++restSlots_;
    }
    planned_ = true;
    tries_ = 0;
    haveClosest_ = false;
}

void DrillDealer::step() {
    if (!planned_) {
        plan();
    }
    if (planning_ == Drill::Kind::Costly && costly_.empty()) {
        // The history was taken back while the drill was being worked out.
        planning_ = Drill::Kind::Close;
    }
    switch (planning_) {
        case Drill::Kind::Mistake: {
            Drill again = mistakes_.front().drill;
            again.kind = Drill::Kind::Mistake;
            dealtMistake_ = mistakes_.front().id;
            finish(std::move(again));
            break;
        }
        case Drill::Kind::Costly:
            finish(solve(costlyDeal(), Drill::Kind::Costly));
            break;
        case Drill::Kind::Close:
            stepClose();
            break;
        case Drill::Kind::Exception:
            stepException();
            break;
    }
}

void DrillDealer::stepClose() {
    Drill drill = solve(drills::anyDeal(random_), Drill::Kind::Close);
    const double gap = gapOf(drill);
    if (!haveClosest_ || gap < closestGap_) {
        closest_ = std::move(drill);
        closestGap_ = gap;
        haveClosest_ = true;
    }
    if (++tries_ >= kCloseChoices) {
        finish(closest_);
    }
}

void DrillDealer::stepException() {
    Drill drill = solve(drills::boundaryDeal(random_), Drill::Kind::Exception);
    if (drill.best != drill.packBest &&
        drill.values.of(drill.best) - drill.values.of(drill.packBest) >= kExceptionMargin) {
        finish(std::move(drill));
    } else if (++tries_ >= kExceptionTries) {
        planning_ = Drill::Kind::Close;
        tries_ = 0;
        haveClosest_ = false;
    }
}

void DrillDealer::finish(Drill drill) {
    current_ = std::move(drill);
    ready_ = true;
}

Drill DrillDealer::solve(const drills::Deal& deal, Drill::Kind kind) {
    Drill drill;
    drill.kind = kind;
    solver::RankCounts unseen = solver::fullPack();
    std::vector<int> hand;
    for (const drills::Place place : deal.hand) {
        drill.hand.push_back(drills::cardAt(place));
        hand.push_back(drills::rankAt(place));
        --unseen[static_cast<std::size_t>(drills::rankAt(place))];
    }
    drill.up = drills::cardAt(deal.up);
    --unseen[static_cast<std::size_t>(drill.up.rank)];
    for (const drills::Place place : deal.seen) {
        drill.seen.push_back(drills::cardAt(place));
        --unseen[static_cast<std::size_t>(drills::rankAt(place))];
    }
    drill.values = solver().decide(hand, drill.up.rank, unseen, true);
    drill.best = bestOf(drill.values);
    drill.packBest = packBestOf(hand, drill.up.rank);
    return drill;
}

solver::Action DrillDealer::packBestOf(const std::vector<int>& hand, int up) {
    const int low = valueOf(std::min(hand[0], hand[1]));
    const int high = valueOf(std::max(hand[0], hand[1]));
    const std::array<int, 4> key{std::min(low, high), std::max(low, high), valueOf(up),
                                 hand[0] == hand[1] ? 1 : 0};
    const auto known = packBest_.find(key);
    if (known != packBest_.end()) {
        return known->second;
    }
    solver::RankCounts unseen = solver::fullPack();
    for (const int rank : hand) {
        --unseen[static_cast<std::size_t>(rank)];
    }
    --unseen[static_cast<std::size_t>(up)];
    const Action best = bestOf(solver().decide(hand, up, unseen, true));
    packBest_.emplace(key, best);
    return best;
}

solver::TableSolver& DrillDealer::solver() {
    if (++solves_ > kSolvesPerSolver) {
        solver_ = std::make_unique<solver::TableSolver>();
        solves_ = 1;
    }
    return *solver_;
}

drills::Deal DrillDealer::costlyDeal() {
    // The kinds in proportion to their cost.
    double pick = std::uniform_real_distribution<double>(0.0, costlyTotal_)(random_);
    const CostlyGroup* group = &costly_.back();
    for (const CostlyGroup& each : costly_) {
        if (pick < each.cost) {
            group = &each;
            break;
        }
        pick -= each.cost;
    }
    return drills::dealOfKind(group->kind, group->up, random_);
}
