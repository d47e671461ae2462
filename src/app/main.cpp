// The game's entry: one window, one renderer, the menu and then the table, driven by the mouse.
#include <SDL.h>

#include <iostream>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#include "app/Scene.h"
#include "ui/GameScene.h"
#include "ui/MenuScene.h"

namespace {

constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;

// Reports a start-up failure with SDL's own explanation.
int startupFailure(const char* what) {
    std::cerr << "blackjack: " << what << ": " << SDL_GetError() << std::endl;
    return 1;
}

// What the main loop carries from one frame to the next. The two screens belong to main.
struct MainLoop {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    MenuScene* menu = nullptr;
    GameScene* game = nullptr;
    // The screen that takes input and is drawn: the menu, then the table, never back.
    Scene* currentScene = nullptr;
    // The last pointer position; a click lands there.
    int mouseX = 0;
    int mouseY = 0;
    // False once a quit request has been seen; the frame that saw it still runs to its end.
    bool running = true;
};

// One frame: read the events, let the current screen take the input and update, switch from the
// menu to the table when START was pressed, and draw the whole window.
void runFrame(MainLoop& loop) {
    bool clicked = false;
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        switch (event.type) {
            case SDL_QUIT:
                loop.running = false;
                break;
            case SDL_MOUSEMOTION:
                loop.mouseX = event.motion.x;
                loop.mouseY = event.motion.y;
                break;
            case SDL_MOUSEBUTTONDOWN:
                // The click lands where the pointer last moved to.
                clicked = true;
                break;
            default:
                break;
        }
    }

    loop.currentScene->handleInput(loop.mouseX, loop.mouseY, clicked);
    loop.currentScene->update();

    if (loop.currentScene == loop.menu && loop.menu->shouldStartGame()) {
        loop.menu->cleanup();
        loop.currentScene = loop.game;
        loop.currentScene->init(loop.renderer);
    }

    SDL_RenderClear(loop.renderer);
    loop.currentScene->render(loop.renderer);
    SDL_RenderPresent(loop.renderer);
}

// Releases the current screen (the menu's was released at the switch), the renderer, the window
// and SDL.
void shutDown(MainLoop& loop) {
    loop.currentScene->cleanup();
    SDL_DestroyRenderer(loop.renderer);
    SDL_DestroyWindow(loop.window);
    SDL_Quit();
}

#ifdef __EMSCRIPTEN__
// A frame in the page. A page that goes away takes the game with it, so no quit request is
// expected; should one come, it ends the loop as closing the window does on the desktop.
void runWebFrame(void* arg) {
    MainLoop& loop = *static_cast<MainLoop*>(arg);
    runFrame(loop);
    if (!loop.running) {
        emscripten_cancel_main_loop();
        shutDown(loop);
    }
}
#endif

}  // namespace

int main(int argc, char** argv) {
    (void)argc;
    (void)argv;

    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return startupFailure("cannot initialise SDL video");
    }
    SDL_Window* window = SDL_CreateWindow("Blackjack", SDL_WINDOWPOS_CENTERED,
                                          SDL_WINDOWPOS_CENTERED, kWindowWidth, kWindowHeight, 0);
    if (window == nullptr) {
        const int status = startupFailure("cannot open the window");
        SDL_Quit();
        return status;
    }
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
    if (renderer == nullptr) {
        // No GPU (a virtual machine, a remote display): SDL's software renderer serves.
        renderer = SDL_CreateRenderer(window, -1, 0);
    }
    if (renderer == nullptr) {
        const int status = startupFailure("cannot create a renderer");
        SDL_DestroyWindow(window);
        SDL_Quit();
        return status;
    }

    MenuScene menu;
    GameScene game;
    MainLoop loop{window, renderer, &menu, &game, &menu};
    loop.currentScene->init(renderer);

#ifdef __EMSCRIPTEN__
    // The browser calls a frame at every display refresh; main's locals stay alive, as this call
    // never returns.
    emscripten_set_main_loop_arg(runWebFrame, &loop, 0, 1);
#else
    while (loop.running) {
        runFrame(loop);
    }
    shutDown(loop);
#endif
    return 0;
}
