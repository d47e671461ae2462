// The game's entry: one window, one renderer, the menu and then the table, driven by the mouse
// and the keys. main owns them all and keeps their order: start-up, the frames, the one switch
// from the menu to the table, shutdown. Each other part of the shell is a unit of its own here.
#include <SDL.h>

#include "app/CommandLine.h"
#include "app/FramePacer.h"
#include "app/FullscreenKeys.h"
#include "app/MainLoop.h"
#include "app/StartupChecks.h"
#include "app/WebBridge.h"
#include "ui/GameScene.h"
#include "ui/MenuScene.h"

void runFrame(MainLoop& loop) {
    FrameInput& input = loop.input;
    readFrameEvents(input, loop.running);
    loop.placement.follow();
    // A window resized or moved to another display is drawn at its new density from this frame.
    loop.currentScene->setDensity(FramePresenter::outputDensity(loop.renderer));
    loop.currentScene->handleInput(input.x, input.y, input.clicked);
    if (input.key != SDLK_UNKNOWN &&
        !takeFullscreenKey(loop.window, input.key, input.keyModifiers)) {
        loop.currentScene->handleKey(input.key, input.keyModifiers);
    }
    loop.currentScene->update();

    if (loop.currentScene == loop.menu && loop.menu->shouldStartGame()) {
        loop.menu->cleanup();
        loop.currentScene = loop.game;
        loop.currentScene->init(loop.renderer);
        loop.currentScene->setDensity(FramePresenter::outputDensity(loop.renderer));
    }
    loop.presenter.present(loop.renderer, *loop.currentScene);
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

int main(int argc, char** argv) {
    const CommandLine options = readCommandLine(argc, argv);
    if (!enterAssetFolder()) {
        return 1;
    }
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return startupFailure("cannot initialise SDL video");
    }
    if (drawsNowhere()) {
        SDL_Quit();
        return 1;
    }
    MainLoop loop;
    loop.window = loop.placement.open("Blackjack");
    loop.renderer = loop.window != nullptr ? FramePresenter::createRenderer(loop.window) : nullptr;
    if (loop.renderer == nullptr) {
        const int status = startupFailure(loop.window == nullptr ? "cannot open the window"
                                                                 : "cannot create a renderer");
        SDL_DestroyWindow(loop.window);
        SDL_Quit();
        return status;
    }

    MenuScene menu;
    GameScene game;
    game.setCoach(options.coach);
    loop.menu = &menu;
    loop.game = &game;
    loop.currentScene = &menu;
    menu.init(loop.renderer);
    menu.setDensity(FramePresenter::outputDensity(loop.renderer));

#ifdef __EMSCRIPTEN__
    runInPage(loop);
#else
    FramePacer pacer(loop.window);
    while (loop.running) {
        runFrame(loop);
        pacer.waitForNextFrame(atRest(loop));
    }
    shutDown(loop);
#endif
    return 0;
}
