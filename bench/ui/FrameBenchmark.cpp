// The cost of one frame, as the main loop runs it (input, update, clear, draw, present), on SDL's
// software renderer into a 1024 x 768 surface, with the real art and font of the run directory.
// The floor frame, a clear and one blended whole-window texture copy, runs first in the same
// process, and every other frame reports its cost as a multiple of it in the counter `floors`.
//
// Run from anywhere: the benchmark changes into the run directory (BLACKJACK_RUN_DIR, or the
// build's own run directory) before it loads anything.

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "solver/TableSolver.h"
#include "support/Screen.h"
#include "ui/GameScene.h"
#include "ui/Layout.h"
#include "ui/MenuScene.h"
#include "ui/Texture.h"

namespace {

// SDL on the dummy video driver and a software renderer drawing into a window-sized surface,
// from the run directory, for the whole process.
SDL_Renderer* screenRenderer() {
    static const bool inRunDir = [] {
        const char* runDir = std::getenv("BLACKJACK_RUN_DIR");
        std::filesystem::current_path(runDir != nullptr && *runDir != '\0' ? runDir
                                                                           : BLACKJACK_RUN_DIR);
        return true;
    }();
    static Screen screen;
    (void)inRunDir;
    return screen.renderer();
}

// Nanoseconds per floor frame, once BM_FloorFrame has run.
double floorNanos = 0.0;

// Times the benchmark's loop by the wall clock, for the ratio to the floor.
class FrameClock {
public:
    FrameClock() : start_(std::chrono::steady_clock::now()) {}
    double nanosPerFrame(const benchmark::State& state) const {
        const std::chrono::duration<double, std::nano> spent =
            std::chrono::steady_clock::now() - start_;
        return spent.count() / static_cast<double>(state.iterations());
    }

private:
    std::chrono::steady_clock::time_point start_;
};

void reportAgainstFloor(benchmark::State& state, const FrameClock& clock) {
    if (floorNanos > 0.0) {
        state.counters["floors"] = clock.nanosPerFrame(state) / floorNanos;
    }
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// The unit frames are measured in: clear, one whole-window copy of the background as loadTexture
// gives any picture (blended, in the PNG's byte order), present. The game draws its opaque
// pictures as plain copies (loadOpaqueTexture), so its frames can cost less than this.
void BM_FloorFrame(benchmark::State& state) {
    SDL_Renderer* renderer = screenRenderer();
    SDL_Texture* bg = loadTexture("./images/BG.png", renderer);
    if (bg == nullptr) {
        state.SkipWithError("no ./images/BG.png in the run directory: build blackjack_assets");
        return;
    }
    const FrameClock clock;
    for (auto _ : state) {
        SDL_RenderClear(renderer);
        SDL_RenderCopy(renderer, bg, nullptr, nullptr);
        SDL_RenderPresent(renderer);
    }
    floorNanos = clock.nanosPerFrame(state);
    reportAgainstFloor(state, clock);
    SDL_DestroyTexture(bg);
}
BENCHMARK(BM_FloorFrame)->Unit(benchmark::kMicrosecond)->UseRealTime();

// One main-loop frame of a screen.
void runFrame(Scene& scene, SDL_Renderer* renderer) {
    scene.handleInput(kAwayFromButtons.x, kAwayFromButtons.y, false);
    scene.update();
    SDL_RenderClear(renderer);
    scene.render(renderer);
    SDL_RenderPresent(renderer);
}

void BM_MenuFrame(benchmark::State& state) {
    SDL_Renderer* renderer = screenRenderer();
    auto menu = std::make_unique<MenuScene>();
    menu->init(renderer);
    const FrameClock clock;
    for (auto _ : state) {
        runFrame(*menu, renderer);
    }
    reportAgainstFloor(state, clock);
    menu->cleanup();
}
BENCHMARK(BM_MenuFrame)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Clicks at (x, y) for one frame, then lets go for one.
void clickAt(GameScene& game, SDL_Renderer* renderer, int x, int y) {
    game.handleInput(x, y, true);
    game.update();
    runFrame(game, renderer);
}

// The game screen while betting (range 0: chips, counts, DEAL) or with a round in play (range 1:
// the cards on the table too, and the HIT and STAND buttons).
void BM_GameFrame(benchmark::State& state) {
    SDL_Renderer* renderer = screenRenderer();
    auto game = std::make_unique<GameScene>();
    game->init(renderer);
    // The same pack order on every run.
    Deck& deck = *game->engine->deck;
    deck.restock({});
    deck.seed(7u);
    deck.shuffle();
    if (state.range(0) == 1) {
        // A 25 stake and DEAL, dealt again after a natural until a round stays in play.
        for (int attempt = 0; attempt < 20 && !game->roundActive; ++attempt) {
            const SDL_Point addChip = centreOf(addChipRect(1));
            const SDL_Point deal = centreOf(kDealButtonRect);
            clickAt(*game, renderer, addChip.x, addChip.y);
            clickAt(*game, renderer, deal.x, deal.y);
        }
        if (!game->roundActive) {
            state.SkipWithError("no round stayed in play");
        }
    }
    runFrame(*game, renderer);
    const FrameClock clock;
    for (auto _ : state) {
        runFrame(*game, renderer);
    }
    reportAgainstFloor(state, clock);
    game->cleanup();
}
BENCHMARK(BM_GameFrame)
    ->ArgName("inRound")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

// The part of a game frame that draws nothing: input and update, which rebuilds the nine status
// texts (the ten with a result) from the engine.
void BM_GameUpdate(benchmark::State& state) {
    SDL_Renderer* renderer = screenRenderer();
    auto game = std::make_unique<GameScene>();
    game->init(renderer);
    runFrame(*game, renderer);
    const FrameClock clock;
    for (auto _ : state) {
        game->handleInput(kAwayFromButtons.x, kAwayFromButtons.y, false);
        game->update();
    }
    reportAgainstFloor(state, clock);
    game->cleanup();
}
BENCHMARK(BM_GameUpdate)->Unit(benchmark::kMicrosecond)->UseRealTime();

// A session at the table as a player plays it, frame by frame, with the coach off (range 0) or on
// (range 1), and motion off (range 0) or on at normal speed (range 1): a 25 stake and DEAL, a few
// frames of thought before each play (hit below 17, then stand), and a few frames between rounds,
// 40 rounds off one seeded pack order. The counters are the longest frame by the clock and by the
// processor time the frame took (which a busy machine does not stretch), and the mean one, in
// milliseconds: with the coach on, its decisions are worked out in the frame that first shows them
// and the next round's value in slices of the coach's share of each frame (TableCoach::setBudget).
void BM_GameSession(benchmark::State& state) {
    SDL_Renderer* renderer = screenRenderer();
    const bool coached = state.range(0) == 1;
    const bool moving = state.range(1) == 1;
    constexpr int kRounds = 40;
    constexpr int kThinkingFrames = 3;
    double longest = 0.0;
    double longestCpu = 0.0;
    double total = 0.0;
    long frames = 0;
    for (auto _ : state) {
        auto game = std::make_unique<GameScene>();
        game->init(renderer);
        game->setCoach(coached);
        game->motion.setSpeed(moving ? TableMotion::Speed::Normal : TableMotion::Speed::Instant);
        Deck& deck = *game->engine->deck;
        deck.restock({});
        deck.seed(11u);
        deck.shuffle();
        const auto timed = [&](int x, int y, bool clicked) {
            const auto start = std::chrono::steady_clock::now();
            const std::clock_t cpuStart = std::clock();
            game->handleInput(x, y, clicked);
            game->update();
            SDL_RenderClear(renderer);
            game->render(renderer);
            SDL_RenderPresent(renderer);
            const std::chrono::duration<double, std::milli> spent =
                std::chrono::steady_clock::now() - start;
            longest = std::max(longest, spent.count());
            longestCpu = std::max(
                longestCpu, 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
            total += spent.count();
            ++frames;
        };
        const auto press = [&](SDL_Point at) {
            timed(at.x, at.y, true);
            for (int i = 0; i < kThinkingFrames; ++i) {
                timed(kAwayFromButtons.x, kAwayFromButtons.y, false);
            }
        };
        for (int round = 0; round < kRounds; ++round) {
            if (game->engine->getWallet() < 25) {
                game->engine->wallet += 1000;
            }
            press(centreOf(addChipRect(1)));
            press(centreOf(kDealButtonRect));
            while (game->roundActive) {
                const bool hit = game->engine->playingSplit ? game->engine->getSplitValue() < 17
                                                            : game->engine->getPlayerValue() < 17;
                press(centreOf(hit ? kHitButtonRect : kStandButtonRect));
            }
        }
        game->cleanup();
    }
    state.counters["longest_ms"] = longest;
    state.counters["longest_cpu_ms"] = longestCpu;
    state.counters["mean_ms"] = frames > 0 ? total / static_cast<double>(frames) : 0.0;
    state.counters["frames"] = static_cast<double>(frames);
}
BENCHMARK(BM_GameSession)
    ->ArgNames({"coach", "motion"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The coach's own work, apart from any frame, off a seeded shuffle: the values of the first
// decision (the first two cards against the third) off the next 20 cards (range 0) or all 49
// (range 1), and the next round's value off 20 cards or the full pack. A fresh solver each time:
// the coach meets each deck once.
struct Dealt {
    std::vector<int> hand;
    int up = 0;
    solver::RankCounts unseen{};
};

Dealt dealtOff(int unseenCards) {
    Deck deck;
    deck.seed(3u);
    deck.shuffle();
    Dealt dealt;
    dealt.hand = {deck.cards[0]->rank, deck.cards[1]->rank};
    dealt.up = deck.cards[2]->rank;
    for (int i = 3; i < 3 + unseenCards; ++i) {
        ++dealt.unseen[deck.cards[i]->rank];
    }
    return dealt;
}

void BM_CoachDecision(benchmark::State& state) {
    const Dealt dealt = dealtOff(state.range(0) == 1 ? Deck::kSize - 3 : 20);
    for (auto _ : state) {
        solver::TableSolver solver;
        benchmark::DoNotOptimize(solver.decide(dealt.hand, dealt.up, dealt.unseen, true));
    }
}
BENCHMARK(BM_CoachDecision)->ArgName("fullPack")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_CoachNextRound(benchmark::State& state) {
    const solver::RankCounts unseen =
        state.range(0) == 1 ? solver::fullPack() : dealtOff(20).unseen;
    for (auto _ : state) {
        solver::TableSolver solver;
        benchmark::DoNotOptimize(solver.nextRound(unseen, 100));
    }
}
BENCHMARK(BM_CoachNextRound)->ArgName("fullPack")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
