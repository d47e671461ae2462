// The game's entry: one window, one renderer, the menu and then the table (or the drills, and
// back), driven by the mouse and the keys. main owns them all and keeps their order: start-up,
// the frames, the switches between the screens, shutdown. Each other part of the shell is a unit
// of its own here.
#include <SDL.h>

#include "app/CommandLine.h"
#include "app/FramePacer.h"
#include "app/FullscreenKeys.h"
#include "app/MainLoop.h"
#include "app/StartupChecks.h"
#include "app/WebBridge.h"
#include "ui/DrillScene.h"
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

    switchScenes(loop);
    loop.presenter.present(loop.renderer, *loop.currentScene);
    loop.choices.keep(loop);
}

int main(int argc, char** argv) {
    const CommandLine options = readCommandLine(argc, argv);
    MainLoop loop;
    if (const int failure = startUp(loop); failure != 0) {
        return failure;
    }

    MenuScene menu;
    GameScene game;
    DrillScene drill;
    // The drills keep their answers with the table's rounds.
    drill.kept = &game.kept;
    loop.menu = &menu;
    loop.game = &game;
    loop.drill = &drill;
    show(loop, options.drill ? static_cast<Scene&>(drill) : menu);

#ifdef __EMSCRIPTEN__
    // The page reads the choices once the browser has handed over their folder.
    runInPage(loop, options);
#else
    loop.choices.begin(loop, options);
    FramePacer pacer(loop.window);
    while (loop.running) {
        runFrame(loop);
        pacer.waitForNextFrame(atRest(loop));
    }
    shutDown(loop);
#endif
    return 0;
}
