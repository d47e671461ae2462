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

RoundPlayer::RoundPlayer(const Strategy& strategy, int bet, bool freshDeckEachRound)
    : strategy_(strategy), bet_(bet), freshDeck_(freshDeckEachRound) {}

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
        bool opening = true;
        bool onSecondHand = false;
        while (!game.isRoundOver()) {
            const Hand& hand = onSecondHand ? game.splitHand : game.player;
            const HandState state{hand.value, hand.aces > 0};
            if (opening) {
                opening = false;
                if (game.canSplit()) {
                    // A pair of aces is worth 12 with one ace still at 11; any other pair is
                    // worth twice one card.
                    const int pair = state.soft ? kAce : state.total / 2;
                    if (strategy_.splits(pair, up)) {
                        game.split();
                        split = true;
                        continue;
                    }
                }
                if (strategy_.opening(state, up) == Action::Double && game.canDouble()) {
                    game.doubleDown();
                    doubled = true;
                    continue;
                }
            }
            if (strategy_.play(state, up) == Action::Hit) {
                game.hit();
                // A bust on the first hand of a split moves play to the second.
                if (split && !onSecondHand && game.getPlayerValue() > kBlackjack) {
                    onSecondHand = true;
                }
            } else {
                game.stand();
                onSecondHand = split;
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
    if (game.dealerShownValue() > kBlackjack) {
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
