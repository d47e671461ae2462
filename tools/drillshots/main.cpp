// Draws the drill table's screenshots for the README: the real drill table with its real art,
// headless (SDL's dummy video driver and a software renderer drawing into a picture), off the
// same drills on every run. drill.png is a drill being asked, with a few cards seen since the
// shuffle; drill-grade.png the table just after a wrong answer to a single deck's own exception.
//
// Usage: drill_shots OUT_DIR, run in the run directory (build/run):
//   SDL_VIDEODRIVER=dummy ../tools/drill_shots ../../docs
#include <SDL.h>
#include <SDL_image.h>

#include <cmath>
#include <filesystem>
#include <iostream>
#include <string>

#include "ui/DrillScene.h"
#include "ui/Layout.h"

namespace {

// The most drills answered while looking for the ones to show.
constexpr int kMostAnswers = 200;

// Works on the next drill until it is ready, and letters the table's texts.
void settle(DrillScene& scene) {
    for (int i = 0; i < 10000 && !scene.dealer.ready(); ++i) {
        scene.update();
    }
    scene.update();
}

// A live play that is not the best, the one worth most among them.
solver::Action wrongPlay(const Drill& drill) {
    solver::Action wrong = drill.best;
    double worth = -1e9;
    for (int play = 0; play < 4; ++play) {
        const auto action = static_cast<solver::Action>(play);
        const double value = drill.values.of(action);
        if (action != drill.best && !std::isnan(value) && value > worth) {
            wrong = action;
            worth = value;
        }
    }
    return wrong;
}

// Answers drills at their best until `wanted` holds of the one asked.
template <typename Wanted>
bool answerUntil(DrillScene& scene, Wanted wanted) {
    for (int i = 0; i < kMostAnswers; ++i) {
        settle(scene);
        if (wanted(scene.dealer.current())) {
            return true;
        }
        const solver::Action best = scene.dealer.current().best;
        static constexpr SDL_Keycode kKeys[4] = {SDLK_s, SDLK_h, SDLK_d, SDLK_p};
        scene.handleKey(kKeys[static_cast<int>(best)], KMOD_NONE);
    }
    return false;
}

bool save(DrillScene& scene, SDL_Renderer* renderer, SDL_Surface* surface,
          const std::filesystem::path& path) {
    settle(scene);
    scene.render(renderer);
    SDL_RenderFlush(renderer);
    const bool saved = IMG_SavePNG(surface, path.u8string().c_str()) == 0;
    std::cout << path.u8string() << std::endl;
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: drill_shots OUT_DIR (run in the run directory)" << std::endl;
        return 2;
    }
    const std::filesystem::path out = argv[1];
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 0);
    SDL_setenv("BLACKJACK_DECK_SEED", "2026", 1);
    SDL_Init(SDL_INIT_VIDEO);
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, kWindowWidth, kWindowHeight, 32,
                                                          SDL_PIXELFORMAT_ARGB8888);
    SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(surface);

    bool saved = true;
    {
        DrillScene scene;
        scene.init(renderer);
        scene.handleInput(kAwayFromButtons.x, kAwayFromButtons.y, false);
        const bool asked = answerUntil(scene, [](const Drill& drill) {
            return drill.seen.size() >= 5 && drill.seen.size() <= 12;
        });
        saved = asked && save(scene, renderer, surface, out / "drill.png");
        const bool exception = answerUntil(
            scene, [](const Drill& drill) { return drill.kind == Drill::Kind::Exception; });
        if (exception) {
            static constexpr SDL_Keycode kKeys[4] = {SDLK_s, SDLK_h, SDLK_d, SDLK_p};
            scene.handleKey(kKeys[static_cast<int>(wrongPlay(scene.dealer.current()))], KMOD_NONE);
        }
        saved = saved && exception && save(scene, renderer, surface, out / "drill-grade.png");
        scene.cleanup();
    }
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(surface);
    SDL_Quit();
    return saved ? 0 : 1;
}
