// What the drill table deals. Every drill is a two-card hand (never a natural) against an up
// card, off one pack some of whose cards have been seen; at least 10 cards are left unseen, the
// dealer's hole card among them, and no card of the pack appears twice. Drills are numbered from
// 1, and:
// - Every fourth (4, 8, 12, ...) is an exception: a hand near a boundary of the play (16 or 15
//   against a ten, 12 against a low card, 11 against an ace, soft 17 and 18, small pairs ...) with
//   4 to 24 cards seen, most of them small or most of them tens, whose best play off the cards
//   left differs from its best play off a full pack. The dealer tries up to kExceptionTries deals
//   for one; should none turn up it deals a close call instead and looks again at the next
//   fourth drill.
// - Drills 2, 6, 10, ... bring back the costliest mistake still waiting: the same hand, up card
//   and seen cards. An answer that gave up more than a cent waits until it has been answered
//   right twice. With no mistake waiting the drill is dealt as the rest.
// - The rest are close calls: of a few random hands, up cards and seen cards (0 to 20), the one
//   whose best and second-best plays are worth closest. When the history shows decisions that
//   cost, every other one of them is instead a hand of a kind that cost (a hard total, a soft
//   total or a pair, against an up card), the kinds dealt in proportion to what they cost, with
//   fresh seen cards.
#include "coach/DrillDealer.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "history/UtcNow.h"

namespace {

using solver::Action;

constexpr std::array<Action, 4> kPlays{Action::Stand, Action::Hit, Action::Double, Action::Split};
constexpr std::array<const char*, 4> kSuits{"Hearts", "Diamonds", "Clubs", "Spades"};
constexpr int kPackSize = 52;

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
// The most cards seen on a close call or a costly one, and on an exception the fewest and most.
constexpr int kMostSeen = 20;
constexpr int kFewestSkewed = 4;
constexpr int kMostSkewed = 24;
// How much likelier a favoured rank is among an exception's seen cards.
constexpr int kSkewWeight = 6;
// The solver starts afresh after this many questions, so what it remembers stays small.
constexpr int kSolvesPerSolver = 600;

// Hands near the boundaries of the play, by their cards' values, and the up card's value.
struct Boundary {
    int first;
    int second;
    int up;
};
constexpr std::array<Boundary, 30> kBoundaries{{
    {10, 6, 10}, {9, 7, 10}, {10, 5, 10}, {9, 6, 10}, {10, 4, 10}, {10, 2, 2},
    {10, 2, 3},  {10, 2, 4}, {9, 3, 2},   {8, 4, 3},  {10, 3, 2},  {10, 3, 3},
    {9, 4, 2},   {8, 3, 1},  {7, 4, 1},   {6, 4, 10}, {7, 3, 1},   {6, 3, 2},
    {5, 4, 7},   {6, 2, 5},  {6, 2, 6},   {1, 6, 2},  {1, 7, 2},   {1, 7, 1},
    {1, 2, 4},   {2, 2, 7},  {3, 3, 7},   {6, 6, 7},  {9, 9, 7},   {7, 7, 10},
}};

int rankOfPlace(int place) {
    return place / 4 + 1;
}

int valueOf(int rank) {
    return std::min(rank, 10);
}

Card cardAt(int place) {
    Card card;
    card.rank = rankOfPlace(place);
    card.suit = kSuits[static_cast<std::size_t>(place % 4)];
    return card;
}

// A hand's kind as one number: a hard total itself, a soft total 100 more, a pair 200 more than
// its cards' value.
constexpr int kSoft = 100;
constexpr int kPair = 200;

int kindOf(const std::vector<int>& ranks) {
    if (ranks.size() == 2 && ranks[0] == ranks[1]) {
        return kPair + valueOf(ranks[0]);
    }
    int total = 0;
    bool ace = false;
    for (const int rank : ranks) {
        total += valueOf(rank);
        ace = ace || rank == 1;
    }
    return ace && total + 10 <= 21 ? kSoft + total + 10 : total;
}

bool natural(int first, int second) {
    return (first == 1 && valueOf(second) == 10) || (second == 1 && valueOf(first) == 10);
}

// The two-card hands, by rank, of a kind (none for a kind no two cards make but a natural).
std::vector<std::array<int, 2>> handsOfKind(int kind) {
    std::vector<std::array<int, 2>> hands;
    for (int first = 1; first <= 13; ++first) {
        for (int second = first; second <= 13; ++second) {
            if (!natural(first, second) && kindOf({first, second}) == kind) {
                hands.push_back({first, second});
            }
        }
    }
    return hands;
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
    kept.decisions.push_back(std::move(decision));
    return kept;
}

DrillDealer::DrillDealer(std::uint32_t seed)
    : random_(seed), solver_(std::make_unique<solver::TableSolver>()) {}

void DrillDealer::learnFrom(const std::vector<RoundRecord>& history) {
    std::map<std::array<int, 2>, double> costs;
    for (const RoundRecord& round : history) {
        for (const RoundRecord::Decision& decision : round.decisions) {
            const int kind = kindOf(decision.cards);
            if (decision.cost > 0.0 && decision.up >= 1 && decision.up <= 13 &&
                !handsOfKind(kind).empty()) {
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
    Drill drill = solve(closeDeal(), Drill::Kind::Close);
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
    Drill drill = solve(exceptionDeal(), Drill::Kind::Exception);
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

Drill DrillDealer::solve(const Deal& deal, Drill::Kind kind) {
    Drill drill;
    drill.kind = kind;
    solver::RankCounts unseen = solver::fullPack();
    std::vector<int> hand;
    for (const Place place : deal.hand) {
        drill.hand.push_back(cardAt(place));
        hand.push_back(rankOfPlace(place));
        --unseen[static_cast<std::size_t>(rankOfPlace(place))];
    }
    drill.up = cardAt(deal.up);
    --unseen[static_cast<std::size_t>(drill.up.rank)];
    for (const Place place : deal.seen) {
        drill.seen.push_back(cardAt(place));
        --unseen[static_cast<std::size_t>(rankOfPlace(place))];
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

DrillDealer::Deal DrillDealer::closeDeal() {
    std::array<Place, kPackSize> pack{};
    std::iota(pack.begin(), pack.end(), 0);
    Deal deal;
    do {
        std::shuffle(pack.begin(), pack.end(), random_);
    } while (natural(rankOfPlace(pack[0]), rankOfPlace(pack[1])));
    deal.hand = {pack[0], pack[1]};
    deal.up = pack[2];
    const int seen = std::uniform_int_distribution<int>(0, kMostSeen)(random_);
    deal.seen.assign(pack.begin() + 3, pack.begin() + 3 + seen);
    return deal;
}

DrillDealer::Deal DrillDealer::costlyDeal() {
    double pick = std::uniform_real_distribution<double>(0.0, costlyTotal_)(random_);
    const CostlyGroup* group = &costly_.back();
    for (const CostlyGroup& each : costly_) {
        if (pick < each.cost) {
            group = &each;
            break;
        }
        pick -= each.cost;
    }
    const std::vector<std::array<int, 2>> hands = handsOfKind(group->kind);
    const std::array<int, 2> ranks =
        hands[std::uniform_int_distribution<std::size_t>(0, hands.size() - 1)(random_)];
    Deal deal;
    deal.hand.push_back(takeRank(deal, ranks[0]));
    deal.hand.push_back(takeRank(deal, ranks[1]));
    deal.up = takeRank(deal, rankOf(group->up));
    addSeen(deal, std::uniform_int_distribution<int>(0, kMostSeen)(random_), {}, 1);
    return deal;
}

DrillDealer::Deal DrillDealer::exceptionDeal() {
    const Boundary& boundary =
        kBoundaries[std::uniform_int_distribution<std::size_t>(0, kBoundaries.size() - 1)(random_)];
    const int first = rankOf(boundary.first);
    const int second = boundary.second == boundary.first ? first : rankOf(boundary.second);
    Deal deal;
    deal.hand.push_back(takeRank(deal, first));
    deal.hand.push_back(takeRank(deal, second));
    deal.up = takeRank(deal, rankOf(boundary.up));
    // Many small cards seen leave the rest rich in tens, and many tens seen the reverse.
    std::array<bool, 14> favoured{};
    const bool small = std::uniform_int_distribution<int>(0, 1)(random_) == 0;
    for (int rank = 1; rank <= 13; ++rank) {
        favoured[static_cast<std::size_t>(rank)] = small ? rank >= 2 && rank <= 6 : rank >= 10;
    }
    addSeen(deal, std::uniform_int_distribution<int>(kFewestSkewed, kMostSkewed)(random_), favoured,
            kSkewWeight);
    return deal;
}

DrillDealer::Place DrillDealer::takeRank(const Deal& deal, int rank) {
    std::vector<Place> free;
    for (Place place = (rank - 1) * 4; place < rank * 4; ++place) {
        if (place != deal.up &&
            std::find(deal.hand.begin(), deal.hand.end(), place) == deal.hand.end()) {
            free.push_back(place);
        }
    }
    return free[std::uniform_int_distribution<std::size_t>(0, free.size() - 1)(random_)];
}

int DrillDealer::rankOf(int value) {
    return value == 10 ? std::uniform_int_distribution<int>(10, 13)(random_) : value;
}

void DrillDealer::addSeen(Deal& deal, int count, const std::array<bool, 14>& favoured, int weight) {
    std::vector<Place> left;
    for (Place place = 0; place < kPackSize; ++place) {
        if (place != deal.up &&
            std::find(deal.hand.begin(), deal.hand.end(), place) == deal.hand.end()) {
            left.push_back(place);
        }
    }
    for (int n = 0; n < count && !left.empty(); ++n) {
        std::vector<int> weights;
        weights.reserve(left.size());
        for (const Place place : left) {
            weights.push_back(favoured[static_cast<std::size_t>(rankOfPlace(place))] ? weight : 1);
        }
        std::discrete_distribution<std::size_t> draw(weights.begin(), weights.end());
        const std::size_t taken = draw(random_);
        deal.seen.push_back(left[taken]);
        left.erase(left.begin() + static_cast<std::ptrdiff_t>(taken));
    }
}
