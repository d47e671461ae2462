#include "app/MainLoop.h"

#include <cstdlib>
#include <string>

#include "app/Scene.h"
#include "ui/DrillScene.h"
#include "ui/GameScene.h"
#include "ui/MenuScene.h"

namespace {

// BLACKJACK_DECK_SEED, a number, shuffles the table's deck the same way in every run: the
// end-to-end tests play a known shoe with it. Unset (or not a number), every run deals its own.
void seedDeckFromEnvironment(GameScene& game) {
    const char* seed = SDL_getenv("BLACKJACK_DECK_SEED");
    if (seed == nullptr || *seed == '\0' || game.engine == nullptr) {
        return;
    }
    char* end = nullptr;
    const unsigned long value = std::strtoul(seed, &end, 10);
    if (*end != '\0') {
        return;
    }
    Deck& deck = *game.engine->deck;
    deck.restock({});
    deck.seed(static_cast<std::uint32_t>(value));
    deck.shuffle();
}

}  // namespace

void show(MainLoop& loop, Scene& scene) {
    loop.currentScene = &scene;
    scene.init(loop.renderer);
    scene.setDensity(FramePresenter::outputDensity(loop.renderer));
    if (&scene == loop.game) {
        seedDeckFromEnvironment(*loop.game);
    }
}

void switchScenes(MainLoop& loop) {
    Scene* next = nullptr;
    if (loop.currentScene == loop.menu && loop.menu->shouldStartGame()) {
        next = loop.game;
    } else if (loop.currentScene == loop.menu && loop.menu->shouldStartDrill() &&
               loop.drill != nullptr) {
        next = loop.drill;
    } else if (loop.drill != nullptr && loop.currentScene == loop.drill &&
               loop.drill->shouldReturnToMenu()) {
        next = loop.menu;
    }
    if (next != nullptr) {
        loop.currentScene->cleanup();
        show(loop, *next);
    }
}

bool atRest(const MainLoop& loop) {
    return !loop.placement.settling() && !loop.currentScene->hasWork();
}

void shutDown(MainLoop& loop) {
    loop.currentScene->cleanup();
    loop.presenter.release();
    SDL_DestroyRenderer(loop.renderer);
    SDL_DestroyWindow(loop.window);
    SDL_Quit();
}
