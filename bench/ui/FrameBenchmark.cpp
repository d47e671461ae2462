// The cost of one frame, as the main loop runs it (input, update, clear, draw, present), on SDL's
// software renderer into a 1024 x 768 surface, with the real art and font of the run directory.
// The floor frame, a clear and one blended whole-window texture copy, runs first in the same
// process, and every other frame reports its cost as a multiple of it in the counter `floors`.
//
// Run from anywhere: the benchmark changes into the run directory (BLACKJACK_RUN_DIR, or the
// build's own run directory) before it loads anything.

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "support/Screen.h"
#include "ui/GameScene.h"
#include "ui/Layout.h"
#include "ui/MenuScene.h"
#include "ui/Texture.h"

namespace {

// The pointer rests over no button, so nothing is drawn grown.
constexpr int kRestX = 700;
constexpr int kRestY = 745;

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
    scene.handleInput(kRestX, kRestY, false);
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
        game->handleInput(kRestX, kRestY, false);
        game->update();
    }
    reportAgainstFloor(state, clock);
    game->cleanup();
}
BENCHMARK(BM_GameUpdate)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
