// Counts every allocation of the process, to show that playing rounds allocates nothing once an
// engine is warmed up. Kept in its own test program because it replaces the global operator new.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "rules/Game.h"
#include "sim/Plan.h"
#include "sim/Simulation.h"

namespace {
std::atomic<long> allocations{0};
}  // namespace

// Kept out of line: inlined into a caller, the free() below looks to the compiler like the wrong
// way to release memory from operator new.
[[gnu::noinline]] void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

[[gnu::noinline]] void operator delete(void* memory) noexcept {
    std::free(memory);
}
[[gnu::noinline]] void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
// The forms that do not throw (std::stable_sort's buffer uses them) must pair with the above too.
[[gnu::noinline]] void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size == 0 ? 1 : size);
}
[[gnu::noinline]] void operator delete(void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}

namespace sim {
namespace {

TEST(HotPath, PlayingRoundsAllocatesNothingOnceWarmedUp) {
    const CardStrategy strategy = makePlan(StrategyKind::Optimal, 100).table;
    for (const bool freshDeck : {false, true}) {
        Game game(nullptr);
        game.deck->seed(11u);
        Tally tally;
        const RoundPlayer player(strategy, 100, freshDeck);
        for (int round = 0; round < 1000; ++round) {
            player.play(game, tally);
        }
        const long before = allocations.load();
        for (int round = 0; round < 100000; ++round) {
            player.play(game, tally);
        }
        EXPECT_EQ(allocations.load() - before, 0) << (freshDeck ? "fresh deck" : "shared deck");
    }
}

}  // namespace
}  // namespace sim
