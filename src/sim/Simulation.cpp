#include "sim/Simulation.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <random>
#include <thread>
#include <vector>

#include "rules/Game.h"

namespace sim {

void Tally::add(const Tally& other) {
    rounds += other.rounds;
    wins += other.wins;
    pushes += other.pushes;
    losses += other.losses;
    naturals += other.naturals;
    playerBusts += other.playerBusts;
    dealerBusts += other.dealerBusts;
    doubles += other.doubles;
    splits += other.splits;
    net += other.net;
    wagered += other.wagered;
    squaredReturns += other.squaredReturns;
}

Estimate estimateReturn(const Tally& tally, int bet) {
    Estimate estimate;
    if (tally.rounds == 0) {
        return estimate;
    }
    const double n = static_cast<double>(tally.rounds);
    estimate.mean = static_cast<double>(tally.net) / bet / n;
    if (tally.rounds > 1) {
        const double variance =
            std::max(0.0, (tally.squaredReturns - n * estimate.mean * estimate.mean) / (n - 1));
        constexpr double kZ95 = 1.959963984540054;
        estimate.halfWidth = kZ95 * std::sqrt(variance / n);
    }
    return estimate;
}

RoundPlayer::RoundPlayer(const CardStrategy& strategy, int bet, bool freshDeckEachRound)
    : strategy_(strategy), bet_(bet), freshDeck_(freshDeckEachRound) {}

namespace {

// The catalog's number for a hand of two cards.
int twoCards(const HandCatalog& hands, const Hand& hand) {
    return hands.addRank(hands.addRank(HandCatalog::kEmpty, hand.cards[0]->rank),
                         hand.cards[1]->rank);
}

}  // namespace

void RoundPlayer::play(Game& game, Tally& tally) const {
    // The stake, a double or a split, and every payout fit: the wallet never exceeds 4 stakes.
    game.wallet = 2 * bet_;
    if (freshDeck_) {
        game.deck->restock({});
        game.deck->shuffle();
    }
    const int before = game.getWallet();
    game.placeBet(bet_);
    game.startRound();

    bool doubled = false;
    bool split = false;
    if (game.isRoundOver()) {
        ++tally.naturals;  // only a natural settles the round at the deal
    } else {
        const int up = game.dealerShownValue();
        const HandCatalog& hands = strategy_.hands();
        const Action* plays = strategy_.plays(CardStrategy::kUnsplit, up);
        // The catalog's number for the hand in play, kept up to date card by card.
        int number = twoCards(hands, game.player);
        bool opening = true;
        bool onSecondHand = false;
        while (!game.isRoundOver()) {
            if (opening) {
                opening = false;
                if (game.canSplit()) {
                    const int pair = rankPoints(game.player.cards[0]->rank);
                    if (strategy_.splits(pair, up)) {
                        game.split();
                        split = true;
                        plays = strategy_.plays(pair, up);
                        number = twoCards(hands, game.player);
                        continue;
                    }
                }
            }
            const Action action = plays[number];
            if (action == Action::Double && game.canDouble()) {
                game.doubleDown();
                doubled = true;
                continue;
            }
            if (action == Action::Stand) {
                game.stand();
            } else {
                game.hit();
                const Hand& hand = onSecondHand ? game.splitHand : game.player;
                if (hand.value <= kBlackjack) {
                    number = hands.addRank(number, hand.cards.back()->rank);
                    continue;
                }
            }
            // The hand stood or went bust: after the first hand of a split comes the second.
            if (split && !onSecondHand) {
                onSecondHand = true;
                number = twoCards(hands, game.splitHand);
            }
        }
    }

    const int net = game.getWallet() - before;
    ++tally.rounds;
    if (net > 0) {
        ++tally.wins;
    } else if (net < 0) {
        ++tally.losses;
    } else {
        ++tally.pushes;
    }
    if (game.getPlayerValue() > kBlackjack || (split && game.getSplitValue() > kBlackjack)) {
        ++tally.playerBusts;
    }
    if (game.dealer.value > kBlackjack) {
        ++tally.dealerBusts;
    }
    tally.doubles += doubled ? 1 : 0;
    tally.splits += split ? 1 : 0;
    tally.net += net;
    tally.wagered += static_cast<std::uint64_t>(bet_) * (doubled || split ? 2 : 1);
    const double units = static_cast<double>(net) / bet_;
    tally.squaredReturns += units * units;
}

std::uint64_t roundsForThread(std::uint64_t rounds, unsigned threads, unsigned index) {
    return rounds / threads + (index < rounds % threads ? 1 : 0);
}

Tally simulateShare(const SimulationConfig& config, unsigned index,
                    std::atomic<std::uint64_t>* done) {
    Tally tally;
    const std::uint64_t rounds = roundsForThread(config.rounds, config.threads, index);
    if (rounds == 0) {
        return tally;
    }
    const auto game = std::make_unique<Game>(nullptr);
    std::seed_seq seeds{static_cast<std::uint32_t>(config.seed),
                        static_cast<std::uint32_t>(config.seed >> 32), index};
    game->deck->seed(seeds);
    game->deck->restock({});
    game->deck->shuffle();

    const RoundPlayer player(config.strategy, config.bet, config.freshDeckEachRound);
    constexpr std::uint64_t kReportEvery = 1 << 14;
    for (std::uint64_t round = 0; round < rounds; ++round) {
        player.play(*game, tally);
        if (done != nullptr && (round + 1) % kReportEvery == 0) {
            done->fetch_add(kReportEvery, std::memory_order_relaxed);
        }
    }
    if (done != nullptr) {
        done->fetch_add(rounds % kReportEvery, std::memory_order_relaxed);
    }
    return tally;
}

SimulationResult simulate(const SimulationConfig& config,
                          const std::function<void(std::uint64_t)>& progress) {
    const auto start = std::chrono::steady_clock::now();
    std::vector<Tally> tallies(config.threads);
    std::atomic<std::uint64_t> done{0};
    std::atomic<unsigned> running{config.threads};
    std::vector<std::thread> workers;
    workers.reserve(config.threads);
    for (unsigned index = 0; index < config.threads; ++index) {
        workers.emplace_back([&, index] {
            tallies[index] = simulateShare(config, index, &done);
            running.fetch_sub(1, std::memory_order_release);
        });
    }
    // Short polls keep the end of a short run from waiting on the progress clock.
    auto lastReport = start;
    while (progress && running.load(std::memory_order_acquire) > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        const auto now = std::chrono::steady_clock::now();
        if (now - lastReport >= std::chrono::milliseconds(100)) {
            lastReport = now;
            progress(done.load(std::memory_order_relaxed));
        }
    }
    for (std::thread& worker : workers) {
        worker.join();
    }

    SimulationResult result;
    for (const Tally& tally : tallies) {
        result.tally.add(tally);
    }
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return result;
}

}  // namespace sim
