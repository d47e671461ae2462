#include "solver/TableSolver.h"

#include "solver/Payouts.h"

namespace solver {

namespace {

bool isRank(int rank) {
    return rank >= kAceRank && rank <= kKingRank;
}

// Whether `cards` could be part of one pack: no rank below none or above four.
bool partOfAPack(const RankCounts& cards) {
    for (int rank = kAceRank; rank <= kKingRank; ++rank) {
        if (cards[rank] < 0 || cards[rank] > kOfEachRank) {
            return false;
        }
    }
    return true;
}

// The cards of a decision, by rank: the hand, the up card and the unseen cards together, or
// nothing when they could not all come from one pack.
bool gather(const std::vector<int>& hand, int up, const RankCounts& unseen, RankCounts& all) {
    if (!isRank(up) || !partOfAPack(unseen)) {
        return false;
    }
    all = unseen;
    all[0] = 0;
    ++all[up];
    for (const int rank : hand) {
        if (!isRank(rank)) {
            return false;
        }
        ++all[rank];
    }
    return partOfAPack(all);
}

CardCounts oneCard(int points) {
    CardCounts cards{};
    ++cards[kindOfPoints(points)];
    return cards;
}

}  // namespace

TableSolver::TableSolver()
    : hands_(std::make_shared<const HandCatalog>(Shoe::decks(1))),
      dealer_(std::make_shared<DealerOdds>(Shoe::decks(1))) {}

void TableSolver::forgetIfFull() {
    if (dealer_->remembered() > kMostRemembered) {
        dealer_->forget();
    }
}

PlayValues TableSolver::decide(const std::vector<int>& hand, int up, const RankCounts& unseen,
                               bool opening) {
    RankCounts all{};
    if (hand.size() < 2 || (opening && hand.size() != 2) || !gather(hand, up, unseen, all) ||
        cardsIn(unseen) == 0) {
        return {};
    }
    int number = HandCatalog::kEmpty;
    for (const int rank : hand) {
        number = hands_->addRank(number, rank);
        if (number == HandCatalog::kNone) {
            return {};  // over 21
        }
    }
    const HandState state = hands_->state(number);
    if (opening && state.total == kBlackjack) {
        return {};
    }
    forgetIfFull();

    const Shoe shoe = shoeOf(all);
    const int upPoints = rankPoints(up);
    HandSolver unsplit(*hands_, *dealer_, shoe, upPoints, CardCounts{}, nullptr,
                       CardStrategy::kUnsplit);
    PlayValues values;
    values.stand = unsplit.stand(number);
    values.hit = unsplit.hit(number);
    if (opening && doubleAllowed(state)) {
        values.doubled = unsplit.doubled(number);
    }
    if (opening && hand[0] == hand[1]) {
        // Each hand of the split is worth what one hand is, played alone off the shoe less the
        // pair and the up card (RoundValues tells why).
        const int points = rankPoints(hand[0]);
        HandSolver split(*hands_, *dealer_, shoe, upPoints, oneCard(points), nullptr, points);
        values.split = 2.0 * split.hit(hands_->addRank(HandCatalog::kEmpty, hand[0]));
    }
    return values;
}

double TableSolver::nextRound(const RankCounts& unseen, int bet) {
    beginNextRound(unseen, bet);
    if (round_) {
        nextValue_ = round_->expectedReturn(bet);
        round_.reset();
        stage_ = Stage::Done;
    }
    return nextValue_;
}

void TableSolver::beginNextRound(const RankCounts& unseen, int bet) {
    round_.reset();
    stage_ = Stage::Done;
    nextValue_ = PlayValues::kNotAllowed;
    if (bet < 1 || !partOfAPack(unseen)) {
        return;
    }
    RankCounts ranks = unseen;
    ranks[0] = 0;
    if (cardsIn(ranks) < kReshuffleBelow) {
        ranks = fullPack();
    }
    forgetIfFull();
    round_ = std::make_unique<RoundValues>(ranks, hands_, dealer_);
    bet_ = bet;
    stage_ = Stage::List;
    up_ = nextUp(0);
    pair_ = CardStrategy::kUnsplit;
    hand_ = hands_->size() - 1;
    rank_ = kAceRank;
    total_ = 0.0;
}

int TableSolver::nextUp(int up) const {
    for (int next = up == 0 ? kLowestUp : up + 1; next <= kAce; ++next) {
        if (round_->shoe().count(kindOfPoints(next)) > 0) {
            return next;
        }
    }
    return 0;
}

int TableSolver::nextPair(int pair) const {
    const Shoe& shoe = round_->shoe();
    for (int next = pair == CardStrategy::kUnsplit ? kLowestUp : pair + 1; next <= kAce; ++next) {
        const int kind = kindOfPoints(next);
        if (shoe.count(kind) - (kind == kindOfPoints(up_) ? 1 : 0) < 2) {
            continue;
        }
        for (int rank = kAceRank; rank <= kKingRank; ++rank) {
            if (rankPoints(rank) == next && round_->ranks()[rank] >= 2) {
                return next;
            }
        }
    }
    return 0;
}

void TableSolver::settleSome(long& drawsLeft, int& handsLeft) {
    HandSolver& solver = round_->solver(pair_, up_);
    const bool unsplit = pair_ == CardStrategy::kUnsplit;
    const int pairKind = unsplit ? 0 : kindOfPoints(pair_);
    const long start = dealer_->weighed();
    while (hand_ > HandCatalog::kEmpty && handsLeft > 0 && dealer_->weighed() - start < drawsLeft) {
        const int hand = hand_--;
        --handsLeft;
        const int cards = hands_->cardCount(hand);
        if (unsplit) {
            if (cards >= 2 && solver.possible(hand)) {
                solver.value(hand);
            }
        } else if (hands_->cards(hand)[pairKind] > 0 && solver.possible(hand)) {
            // The hands of a split start from one card of the pair and always draw to it.
            if (cards >= 2) {
                solver.value(hand);
            } else {
                solver.hit(hand);
            }
        }
    }
    drawsLeft -= dealer_->weighed() - start;
}

bool TableSolver::step() {
    long drawsLeft = kDrawsPerStep;
    int handsLeft = kHandsPerStep;
    while (stage_ != Stage::Done) {
        switch (stage_) {
            case Stage::List:
                stage_ = up_ == 0 ? Stage::Add : Stage::Settle;
                if (up_ != 0 && !dealer_->prepared(up_)) {
                    dealer_->prepare(up_);  // a step of its own
                    return false;
                }
                break;
            case Stage::Settle:
                settleSome(drawsLeft, handsLeft);
                if (hand_ > HandCatalog::kEmpty) {
                    return false;
                }
                hand_ = hands_->size() - 1;
                pair_ = nextPair(pair_);
                if (pair_ == 0) {
                    pair_ = CardStrategy::kUnsplit;
                    up_ = nextUp(up_);
                    stage_ = Stage::List;
                }
                break;
            case Stage::Add:
                round_->addReturnOfFirst(rank_, bet_, total_);
                if (++rank_ > kKingRank) {
                    nextValue_ = total_;
                    round_.reset();
                    stage_ = Stage::Done;
                    return true;
                }
                return false;
            case Stage::Done:
                break;
        }
    }
    return true;
}

}  // namespace solver
