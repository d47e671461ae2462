#include "coach/Coach.h"

#include <algorithm>
#include <cmath>

#include "history/UtcNow.h"
#include "rules/Outcome.h"

namespace {

// The stake the next round is valued at while no bet is built: an even one, so a natural's 3:2
// loses nothing to the rounding down and the figure is the plain share of the stake.
constexpr int kNominalBet = 100;
// Only so many values of past decks are kept; the table seldom comes back to an older one.
constexpr std::size_t kKnownValues = 8;

constexpr std::array<solver::Action, 4> kPlays{solver::Action::Stand, solver::Action::Hit,
                                               solver::Action::Double, solver::Action::Split};

int index(solver::Action play) {
    return static_cast<int>(play);
}

bool naturalOf(const Game& game) {
    return !game.splitActive && game.player.cards.size() == 2 && game.player.value == kBlackjack;
}

void setValue(solver::PlayValues& values, solver::Action play, double value) {
    switch (play) {
        case solver::Action::Stand:
            values.stand = value;
            break;
        case solver::Action::Hit:
            values.hit = value;
            break;
        case solver::Action::Double:
            values.doubled = value;
            break;
        case solver::Action::Split:
            values.split = value;
            break;
    }
}

// The letter a kept card's suit is written with: the suit's initial.
char suitLetter(const Card& card) {
    return card.suit.empty() ? '?' : card.suit[0];
}

void keepHand(const Hand& hand, RoundRecord::HandRecord& kept) {
    for (const Card* card : hand.cards) {
        kept.cards.push_back(card->rank);
        kept.suits += suitLetter(*card);
    }
}

}  // namespace

solver::RankCounts Coach::unseen(const Game& game) {
    solver::RankCounts counts{};
    for (const Card* card : game.deck->cards) {
        ++counts[card->rank];
    }
    if (!game.dealerRevealed && game.dealer.cards.size() >= 2) {
        ++counts[game.dealer.cards[1]->rank];
    }
    return counts;
}

solver::RankCounts Coach::unseenAtDeal(const Game& game, bool& fresh) {
    // The engine gathers the whole pack before a deal off a short deck.
    fresh = game.deck->size() < kReshuffleBelow;
    return fresh ? solver::fullPack() : unseen(game);
}

Coach::Coach(bool threaded) : worker(threaded) {}

void Coach::dealing(const Game& game, int bet) {
    if (round >= 0) {
        ledger.drop(round);
    }
    Job job;
    bool fresh = false;
    job.unseen = unseenAtDeal(game, fresh);
    job.bet = bet;
    round = ledger.open(bet);
    keepingRound = keeping_;
    keptNow = RoundRecord{};
    keptNow.bet = bet;
    walletBeforeDeal = game.getWallet();
    roundCost = 0.0;
    lastRound = LastRound{};
    decisionKnown = false;
    decider = std::make_unique<solver::TableSolver>();
    if (const Known* value = known(job)) {
        ledger.value(round, value->perStake);
    } else {
        waiting.push_back(Waiting{round, job});
    }
}

void Coach::playing(const Game& game, solver::Action play, bool doubleOpen, bool splitOpen) {
    if (round < 0) {
        return;
    }
    decide(game, doubleOpen, splitOpen);
    if (!decision.inPlay) {
        return;
    }
    if (keepingRound) {
        keepDecision(game, play);
    }
    const double made = decision.values.of(play);
    const double best = decision.values.of(decision.best);
    if (std::isnan(made) || best <= made) {
        return;
    }
    const double cost = (best - made) * decision.stake;
    roundCost += cost;
    ledger.addDecisionCost(round, cost);
}

void Coach::settled(const Game& game) {
    if (round < 0) {
        return;
    }
    ledger.close(round, game.getWallet() - walletBeforeDeal, naturalOf(game));
    if (keepingRound) {
        keepSettled(game);
    }
    lastRound.shown = true;
    lastRound.stake = ledger.rounds[round].stake;
    lastRound.cost = roundCost;
    round = -1;
    decision = Decision{};
    decisionKnown = false;
}

void Coach::pause() {
    if (round >= 0) {
        ledger.drop(round);
        round = -1;
    }
    keepingRound = false;
    decision = Decision{};
    decisionKnown = false;
    lastRound = LastRound{};
    // Off, the coach does no work; the values still awaited are asked for again when it is back.
    worker.rest();
}

void Coach::keep(bool on) {
    keeping_ = on;
    if (!on) {
        keepingRound = false;
        keptRounds.clear();
    }
}

bool Coach::keptWaiting() const {
    for (const KeptRound& kept : keptRounds) {
        if (!ledger.rounds[kept.round].valued) {
            return true;
        }
    }
    return false;
}

std::vector<RoundRecord> Coach::takeKept() {
    // In the order they were played: a round still waiting holds back the ones after it.
    std::vector<RoundRecord> done;
    std::size_t taken = 0;
    for (; taken < keptRounds.size(); ++taken) {
        const SessionLedger::Round& valued = ledger.rounds[keptRounds[taken].round];
        if (!valued.valued) {
            break;
        }
        keptRounds[taken].record.edge = valued.edge;
        done.push_back(std::move(keptRounds[taken].record));
    }
    keptRounds.erase(keptRounds.begin(), keptRounds.begin() + static_cast<std::ptrdiff_t>(taken));
    return done;
}

void Coach::keepDecision(const Game& game, solver::Action play) {
    RoundRecord::Decision kept;
    kept.hand = game.playingSplit ? 1 : 0;
    kept.split = game.splitActive;
    kept.cards = decisionKey.hand;
    kept.up = decisionKey.up;
    // Seen: the whole pack less the cards not seen, the hand and the up card.
    solver::RankCounts seen = solver::fullPack();
    for (std::size_t rank = 1; rank < seen.size(); ++rank) {
        seen[rank] -= decisionKey.unseen[rank];
    }
    for (const int rank : kept.cards) {
        --seen[rank];
    }
    --seen[kept.up];
    for (std::size_t rank = 1; rank < seen.size(); ++rank) {
        for (int n = 0; n < seen[rank]; ++n) {
            kept.seen.push_back(static_cast<int>(rank));
        }
    }
    for (const solver::Action each : kPlays) {
        if (decision.open[index(each)]) {
            setValue(kept.values, each, decision.values.of(each));
        }
    }
    kept.chosen = play;
    kept.best = decision.best;
    const double made = kept.values.of(play);
    const double best = kept.values.of(decision.best);
    kept.cost = std::isnan(made) || best <= made ? 0.0 : (best - made) * decision.stake;
    keptNow.decisions.push_back(std::move(kept));
}

void Coach::keepSettled(const Game& game) {
    RoundRecord& kept = keptNow;
    RoundRecord::HandRecord dealer;
    keepHand(game.dealer, dealer);
    kept.dealer = std::move(dealer.cards);
    kept.dealerSuits = std::move(dealer.suits);

    // Only the first hand of a round never split can be doubled, and only it can be a natural.
    bool doubled = false;
    for (const RoundRecord::Decision& made : kept.decisions) {
        doubled = doubled || (made.hand == 0 && made.chosen == solver::Action::Double);
    }
    const bool natural = naturalOf(game);
    RoundRecord::HandRecord first;
    keepHand(game.player, first);
    first.stake = doubled ? 2 * kept.bet : kept.bet;
    first.result = returnOf(outcomeOf(game.player.value, game.dealer.value, natural), first.stake) -
                   first.stake;
    kept.hands.push_back(std::move(first));
    if (game.splitActive) {
        RoundRecord::HandRecord second;
        keepHand(game.splitHand, second);
        second.stake = kept.bet;
        second.result =
            returnOf(outcomeOf(game.splitHand.value, game.dealer.value, false), second.stake) -
            second.stake;
        kept.hands.push_back(std::move(second));
    }
    kept.net = game.getWallet() - walletBeforeDeal;
    kept.blackjack = natural;
    kept.wallet = game.getWallet();
    kept.text = game.getResultText();
    kept.time = utcNow();
    keptRounds.push_back(KeptRound{round, std::move(kept)});
    keptNow = RoundRecord{};
    keepingRound = false;
}

void Coach::decide(const Game& game, bool doubleOpen, bool splitOpen) {
    if (game.isRoundOver() || game.dealer.cards.empty()) {
        decision = Decision{};
        decisionKnown = false;
        return;
    }
    const Hand& hand = game.playingSplit ? game.splitHand : game.player;
    DecisionKey key;
    for (const Card* card : hand.cards) {
        key.hand.push_back(card->rank);
    }
    key.up = game.dealer.cards[0]->rank;
    key.unseen = unseen(game);
    key.opening = !game.splitActive && hand.cards.size() == 2;

    if (!decisionKnown || !(key == decisionKey)) {
        decision.values = decider->decide(key.hand, key.up, key.unseen, key.opening);
        decisionKey = key;
        decisionKnown = true;
    }
    decision.inPlay = true;
    decision.stake = round >= 0 ? ledger.rounds[round].stake
                                : (game.splitActive ? game.getBet() / 2 : game.getBet());
    decision.open = {true, true, doubleOpen, splitOpen};
    // Ties go to the simpler play: stand, hit, double, split.
    bool any = false;
    for (const solver::Action play : kPlays) {
        const double value = decision.values.of(play);
        if (!decision.open[index(play)] || std::isnan(value)) {
            continue;
        }
        if (!any || value > decision.values.of(decision.best)) {
            decision.best = play;
            any = true;
        }
    }
}

void Coach::look(const Game& game, bool roundActive, int pendingBet, bool doubleOpen,
                 bool splitOpen) {
    lookedAt = Clock::now();
    if (roundActive) {
        decide(game, doubleOpen, splitOpen);
        nextWanted = false;
    } else {
        decision = Decision{};
        decisionKnown = false;
        bool fresh = false;
        nextJob.unseen = unseenAtDeal(game, fresh);
        nextJob.bet = pendingBet > 0 ? pendingBet : kNominalBet;
        nextWanted = true;
        next.freshDeck = fresh;
        next.cardsLeft = game.deck->size();
        next.bet = pendingBet;
    }
    collect();
    showNext();
}

void Coach::workUntil(Clock::time_point until) {
    if (!worker.threaded()) {
        Job job;
        // A frame that gave the coach no time (the one that made it) gets its one slice only.
        if (until > lookedAt && wanted(job)) {
            until = std::max(until, lookedAt + kPendingShare);
        }
        worker.workUntil(until);
    }
    collect();
    showNext();
}

void Coach::update(const Game& game, bool roundActive, int pendingBet, bool doubleOpen,
                   bool splitOpen, Clock::time_point until) {
    look(game, roundActive, pendingBet, doubleOpen, splitOpen);
    workUntil(until);
}

void Coach::finishWork() {
    for (;;) {
        collect();
        Job job;
        if (!wanted(job)) {
            break;
        }
        worker.finish();
    }
    showNext();
}

void Coach::showNext() {
    if (nextWanted) {
        const Known* value = known(nextJob);
        next.ready = value != nullptr;
        next.perStake = value != nullptr ? value->perStake : 0.0;
    }
}

const Coach::Known* Coach::known(const Job& job) const {
    for (const Known& value : knownValues) {
        if (value.job == job) {
            return &value;
        }
    }
    return nullptr;
}

bool Coach::wanted(Job& job) const {
    if (!waiting.empty()) {
        job = waiting.front().job;
        return true;
    }
    if (nextWanted && known(nextJob) == nullptr) {
        job = nextJob;
        return true;
    }
    return false;
}

void Coach::learn(const Job& job, double perStake) {
    if (known(job) == nullptr) {
        if (knownValues.size() == kKnownValues) {
            knownValues.erase(knownValues.begin());
        }
        knownValues.push_back(Known{job, perStake});
    }
    std::vector<Waiting> still;
    for (const Waiting& w : waiting) {
        if (w.job == job) {
            ledger.value(w.round, perStake);
        } else {
            still.push_back(w);
        }
    }
    waiting.swap(still);
}

void Coach::collect() {
    for (const NextRoundWorker::Value& value : worker.takeValues()) {
        learn(value.job, value.perStake);
    }
    // A value known already (the table back at a deck it has valued) needs no work.
    Job job;
    while (wanted(job)) {
        const Known* value = known(job);
        if (value == nullptr) {
            worker.want(job);
            return;
        }
        learn(job, value->perStake);
    }
    worker.rest();
}
