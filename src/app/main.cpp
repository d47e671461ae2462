// The game's entry: one window, one renderer, the menu and then the table, driven by the mouse.
#include <SDL.h>

#include <filesystem>
#include <iostream>
#include <string>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#include "app/Scene.h"
#include "ui/GameScene.h"
#include "ui/Layout.h"
#include "ui/MenuScene.h"

namespace {

// Reports a start-up failure with SDL's own explanation.
int startupFailure(const char* what) {
    std::cerr << "blackjack: " << what << ": " << SDL_GetError() << std::endl;
    return 1;
}

// The screens read ./images and ./fonts. Started from another folder (a shortcut, or
// ./build/run/blackjack from the source tree), the game moves into its own folder when its
// pictures and font lie beside it. False, with one line on standard error naming both places,
// when neither has them.
bool enterAssetFolder() {
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::is_directory("images", error)) {
        return true;
    }
    char* base = SDL_GetBasePath();
    const fs::path own = fs::u8path(base != nullptr ? base : "");
    SDL_free(base);
    if (!own.empty() && fs::is_directory(own / "images", error) &&
        fs::is_directory(own / "fonts", error)) {
        fs::current_path(own, error);
        if (!error) {
            return true;
        }
    }
    std::cerr << "blackjack: cannot find the game's pictures: no images/ in the working folder "
              << fs::current_path(error).string() << " and no images/ and fonts/ in "
              << (own.empty() ? "the game's own folder (unknown)" : own.string()) << std::endl;
    return false;
}

// With no display SDL falls back to a driver that draws nowhere, and the game would run unseen.
// Unless SDL_VIDEODRIVER asked for such a driver, that is reported on standard error and true.
bool drawsNowhere() {
    const char* current = SDL_GetCurrentVideoDriver();
    const std::string driver = current != nullptr ? current : "";
    if (driver != "offscreen" && driver != "dummy") {
        return false;
    }
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    std::string wanted = asked != nullptr ? asked : "";
    for (char& c : wanted) {
        c = static_cast<char>(SDL_tolower(c));
    }
    if (wanted.find(driver) != std::string::npos) {
        return false;
    }
    std::cerr << "blackjack: no display to show the window on (SDL fell back to its " << driver
              << " video driver); set DISPLAY, or SDL_VIDEODRIVER=" << driver
              << " to run without one" << std::endl;
    return true;
}

// The input as the screens see it: where the pointer last moved, whether this frame is a click,
// and the key that went down in it, if any.
struct Mouse {
    int x = 0;
    int y = 0;
    bool clicked = false;
    SDL_Keycode key = SDLK_UNKNOWN;
    Uint16 keyModifiers = 0;
};

// Takes one frame's events off SDL's queue. A button press is the frame's click and ends the
// reading: what follows it stays queued, so several presses in one slow frame still count one
// click each, and each lands where the pointer had moved before it, not where it went after. A
// frame after a click takes no press at all, because a button takes a new click only after a
// frame without one. A key going down ends the reading too, so each key gets a frame of its own;
// a key held down does not repeat.
void readFrameEvents(Mouse& mouse, bool& running) {
    const bool clickedLastFrame = mouse.clicked;
    mouse.clicked = false;
    mouse.key = SDLK_UNKNOWN;
    mouse.keyModifiers = 0;
    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1) {
        if (event.type == SDL_MOUSEBUTTONDOWN && clickedLastFrame) {
            return;
        }
        SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
        switch (event.type) {
            case SDL_QUIT:
                running = false;
                break;
            case SDL_MOUSEMOTION:
                mouse.x = event.motion.x;
                mouse.y = event.motion.y;
                break;
            case SDL_MOUSEBUTTONDOWN:
                // Any button; the click lands where the pointer last moved to.
                mouse.clicked = true;
                return;
            case SDL_KEYDOWN:
                if (event.key.repeat == 0) {
                    mouse.key = event.key.keysym.sym;
                    mouse.keyModifiers = event.key.keysym.mod;
                    return;
                }
                break;
            default:
                break;
        }
    }
}

// What the main loop carries from one frame to the next. The two screens belong to main.
struct MainLoop {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    MenuScene* menu = nullptr;
    GameScene* game = nullptr;
    // The screen that takes input and is drawn: the menu, then the table, never back.
    Scene* currentScene = nullptr;
    Mouse mouse;
    // False once a quit request has been seen (a window close, or SIGINT or SIGTERM, which SDL
    // turns into one); the frame that saw it still runs to its end.
    bool running = true;
};

// One frame: read the events, let the current screen take the input and update, switch from the
// menu to the table when START was pressed, and draw the whole window.
void runFrame(MainLoop& loop) {
    readFrameEvents(loop.mouse, loop.running);
    loop.currentScene->handleInput(loop.mouse.x, loop.mouse.y, loop.mouse.clicked);
    if (loop.mouse.key != SDLK_UNKNOWN) {
        loop.currentScene->handleKey(loop.mouse.key, loop.mouse.keyModifiers);
    }
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

// The one option: --coach starts the table with the coach on. Anything else is ignored.
bool coachAsked(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--coach") {
            return true;
        }
    }
    return false;
}

#ifdef __EMSCRIPTEN__
// The table, for the page's coach checkbox.
GameScene* webTable = nullptr;
#endif

}  // namespace

#ifdef __EMSCRIPTEN__
// The page's coach checkbox: 1 turns the coach on, 0 off.
extern "C" EMSCRIPTEN_KEEPALIVE void blackjack_set_coach(int on) {
    if (webTable != nullptr) {
        webTable->setCoach(on != 0);
    }
}
#endif

int main(int argc, char** argv) {
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
    game.setCoach(coachAsked(argc, argv));
#ifdef __EMSCRIPTEN__
    webTable = &game;
#endif
    MainLoop loop{window, renderer, &menu, &game, &menu, Mouse{}, true};
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
