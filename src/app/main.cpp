// The game's entry: one window, one renderer, the menu and then the table, driven by the mouse
// and the keys.
#include <SDL.h>

#include <filesystem>
#include <iostream>
#include <string>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>

// The page's Coach checkbox follows the C key: the page's Module.onCoachChanged hears of each turn.
// clang-format off
EM_JS(void, tellPageCoachOn, (int on), {
    if (Module.onCoachChanged) Module.onCoachChanged(on);
});
// clang-format on
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

#ifndef __EMSCRIPTEN__
// The display's scale as the system sets it for its users (150% on many laptops), 1 where the
// system has none. Windows tells it as the display's DPI against its 96 at 100% once the program
// says it is DPI aware, which its manifest does. Elsewhere SDL's DPI is the screen's physical
// one, which is no scale a user chose, so the table opens at its own size.
float systemScale(int display) {
#ifdef _WIN32
    float dpi = 0.0F;
    if (SDL_GetDisplayDPI(display, nullptr, &dpi, nullptr) == 0 && dpi > 96.0F) {
        return dpi / 96.0F;
    }
#else
    (void)display;
#endif
    return 1.0F;
}

// Where the window opens on `display`: the table at the system's scale when the display's usable
// area, less the task bar and the window's borders, holds it, otherwise the largest size of the
// table's shape that fits; centred in that room. The borders are those of `window`, where the
// system tells them before the window is shown (Windows; not X11, where a window manager adds
// them later); with no window, none.
SDL_Rect startPlace(int display, SDL_Window* window) {
    SDL_Rect usable{0, 0, 0, 0};
    if (SDL_GetDisplayUsableBounds(display, &usable) != 0) {
        return SDL_Rect{SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWindowWidth,
                        kWindowHeight};
    }
    int top = 0, left = 0, bottom = 0, right = 0;
    if (window == nullptr || SDL_GetWindowBordersSize(window, &top, &left, &bottom, &right) != 0) {
        top = left = bottom = right = 0;
    }
    const int roomW = usable.w - left - right;
    const int roomH = usable.h - top - bottom;
    const SDL_Point size = startWindowSize(roomW, roomH, systemScale(display));
    return SDL_Rect{usable.x + left + (roomW - size.x) / 2, usable.y + top + (roomH - size.y) / 2,
                    size.x, size.y};
}

// How long after the window is shown a window manager may take to tell its borders, in ms.
constexpr Uint64 kBordersWait = 1000;

// Moves the window, placed at `placed`, to where its borders as now known leave it room.
// A window the player has made fullscreen or maximised meanwhile is left as it is.
void fitWithBorders(SDL_Window* window, SDL_Rect& placed) {
    if ((SDL_GetWindowFlags(window) & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_MAXIMIZED)) != 0) {
        return;
    }
    const SDL_Rect place = startPlace(SDL_max(SDL_GetWindowDisplayIndex(window), 0), window);
    if (!SDL_RectEquals(&place, &placed)) {
        SDL_SetWindowSize(window, place.w, place.h);
        SDL_SetWindowPosition(window, place.x, place.y);
        placed = place;
    }
}

// F11 and Alt+Enter switch the window between fullscreen, at the desktop's own resolution, and a
// window; in fullscreen Escape leaves it and does nothing else. True when the key was one of
// these, which the screens then never see.
bool takeWindowKey(SDL_Window* window, SDL_Keycode key, Uint16 modifiers) {
    const bool fullscreen = (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    const bool enter = key == SDLK_RETURN || key == SDLK_KP_ENTER;
    if (key == SDLK_F11 || (enter && (modifiers & KMOD_ALT) != 0)) {
        SDL_SetWindowFullscreen(window, fullscreen ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
        return true;
    }
    if (key == SDLK_ESCAPE && fullscreen) {
        SDL_SetWindowFullscreen(window, 0);
        return true;
    }
    return false;
}
#endif

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
    // The table drawn at its own size, for a window that shows it scaled; made when first needed.
    SDL_Texture* scaledFrame = nullptr;
    // False once a quit request has been seen (a window close, or SIGINT or SIGTERM, which SDL
    // turns into one); the frame that saw it still runs to its end.
    bool running = true;
#ifndef __EMSCRIPTEN__
    // Where the window was opened, and until when (SDL's ticks) borders that a window manager
    // tells late still move it.
    SDL_Rect placed{0, 0, 0, 0};
    Uint64 placedUntil = 0;
#else
    // The canvas's size in the screen's own pixels, as the page last told it, and whether the 2x
    // pictures, which the page fetches after the first frame, are in.
    SDL_Point devicePixels{kWindowWidth, kWindowHeight};
    bool sharpPictures = false;
#endif
};

// The density the window's pixels call for (densityFor), from the renderer's output size: on a
// high-density display that counts the drawable's pixels, not the window's points.
int outputDensity(SDL_Renderer* renderer) {
    int outputW = 0, outputH = 0;
    SDL_GetRendererOutputSize(renderer, &outputW, &outputH);
    return densityFor(outputW, outputH);
}

// Draws the current screen and shows it. A window of the table's own size is drawn straight
// into, and so is one of at least 1.5 times that, where the screen draws its 2x pictures and
// texts scaled by the renderer's logical size; any other size gets the table drawn at its own
// size into scaledFrame, which is then stretched to the window with linear filtering, black bars
// keeping its shape (the renderer's logical size). Without such a picture the table is stretched
// as it is drawn.
void drawFrame(MainLoop& loop) {
    int outputW = 0, outputH = 0;
    SDL_GetRendererOutputSize(loop.renderer, &outputW, &outputH);
    const bool scaled =
        (outputW != kWindowWidth || outputH != kWindowHeight) && densityFor(outputW, outputH) == 1;
    if (scaled && loop.scaledFrame == nullptr) {
        loop.scaledFrame = SDL_CreateTexture(loop.renderer, SDL_PIXELFORMAT_ARGB8888,
                                             SDL_TEXTUREACCESS_TARGET, kWindowWidth, kWindowHeight);
        SDL_SetTextureScaleMode(loop.scaledFrame, SDL_ScaleModeLinear);
    }
    if (!scaled || loop.scaledFrame == nullptr) {
        SDL_RenderClear(loop.renderer);
        loop.currentScene->render(loop.renderer);
        SDL_RenderPresent(loop.renderer);
        return;
    }
    SDL_SetRenderTarget(loop.renderer, loop.scaledFrame);
    SDL_RenderClear(loop.renderer);
    loop.currentScene->render(loop.renderer);
    SDL_SetRenderTarget(loop.renderer, nullptr);
    Uint8 r = 0, g = 0, b = 0, a = 0;
    SDL_GetRenderDrawColor(loop.renderer, &r, &g, &b, &a);
    SDL_SetRenderDrawColor(loop.renderer, 0, 0, 0, 255);
    SDL_RenderClear(loop.renderer);
    SDL_SetRenderDrawColor(loop.renderer, r, g, b, a);
    SDL_RenderCopy(loop.renderer, loop.scaledFrame, nullptr, nullptr);
    SDL_RenderPresent(loop.renderer);
}

// One frame: read the events, let the current screen take the input and update, switch from the
// menu to the table when START was pressed, and draw the whole window.
void runFrame(MainLoop& loop) {
    readFrameEvents(loop.mouse, loop.running);
#ifndef __EMSCRIPTEN__
    if (loop.placedUntil != 0) {
        fitWithBorders(loop.window, loop.placed);
        if (SDL_GetTicks64() > loop.placedUntil) {
            loop.placedUntil = 0;
        }
    }
#endif
    // A window resized or moved to another display is drawn at its new density from this frame.
    loop.currentScene->setDensity(outputDensity(loop.renderer));
    loop.currentScene->handleInput(loop.mouse.x, loop.mouse.y, loop.mouse.clicked);
    if (loop.mouse.key != SDLK_UNKNOWN) {
#ifndef __EMSCRIPTEN__
        if (takeWindowKey(loop.window, loop.mouse.key, loop.mouse.keyModifiers)) {
            loop.mouse.key = SDLK_UNKNOWN;
        }
#endif
    }
    if (loop.mouse.key != SDLK_UNKNOWN) {
#ifdef __EMSCRIPTEN__
        const bool coachWasOn = loop.game->coachOn;
#endif
        loop.currentScene->handleKey(loop.mouse.key, loop.mouse.keyModifiers);
#ifdef __EMSCRIPTEN__
        if (loop.game->coachOn != coachWasOn) {
            tellPageCoachOn(loop.game->coachOn ? 1 : 0);
        }
#endif
    }
    loop.currentScene->update();

    if (loop.currentScene == loop.menu && loop.menu->shouldStartGame()) {
        loop.menu->cleanup();
        loop.currentScene = loop.game;
        loop.currentScene->init(loop.renderer);
        loop.currentScene->setDensity(outputDensity(loop.renderer));
    }

    drawFrame(loop);
}

// Releases the current screen (the menu's was released at the switch), the renderer, the window
// and SDL.
void shutDown(MainLoop& loop) {
    loop.currentScene->cleanup();
    SDL_DestroyTexture(loop.scaledFrame);
    SDL_DestroyRenderer(loop.renderer);
    SDL_DestroyWindow(loop.window);
    SDL_Quit();
}

#ifdef __EMSCRIPTEN__
// The game as the page's calls below find it; null before main sets it up and after it ends.
MainLoop* webLoop = nullptr;

// The canvas's own pixels: the screen's pixels when they call for density 2 (at least 1.5 times
// the table) and the 2x pictures are in; the table's own size otherwise, which the browser scales
// as it shows the canvas, as it did before the page knew of densities.
void fitCanvas(MainLoop& loop) {
    const SDL_Point& device = loop.devicePixels;
    const bool sharp = loop.sharpPictures && densityFor(device.x, device.y) == 2;
    const SDL_Point size = sharp ? device : SDL_Point{kWindowWidth, kWindowHeight};
    int w = 0, h = 0;
    SDL_GetWindowSize(loop.window, &w, &h);
    if (w != size.x || h != size.y) {
        SDL_SetWindowSize(loop.window, size.x, size.y);
    }
}

// A frame in the page. A page that goes away takes the game with it, so no quit request is
// expected; should one come, it ends the loop as closing the window does on the desktop.
void runWebFrame(void* arg) {
    MainLoop& loop = *static_cast<MainLoop*>(arg);
    runFrame(loop);
    if (!loop.running) {
        emscripten_cancel_main_loop();
        webLoop = nullptr;
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

}  // namespace

#ifdef __EMSCRIPTEN__
// The page's coach checkbox: 1 turns the coach on, 0 off.
extern "C" EMSCRIPTEN_KEEPALIVE void blackjack_set_coach(int on) {
    if (webLoop != nullptr) {
        webLoop->game->setCoach(on != 0);
    }
}

// The page tells the canvas's size in the screen's pixels (its size on the page times the
// device pixel ratio) whenever it changes. Returns the density that size calls for: at 2 the page
// fetches the 2x pictures.
extern "C" EMSCRIPTEN_KEEPALIVE int blackjack_set_device_pixels(int w, int h) {
    if (webLoop == nullptr || w <= 0 || h <= 0) {
        return 1;
    }
    webLoop->devicePixels = SDL_Point{w, h};
    fitCanvas(*webLoop);
    return densityFor(w, h);
}

// The page has put the 2x pictures into ./images/2x/: the current screen takes them (the table,
// set up later, reads them itself) and the canvas takes the screen's pixels where they call for
// them.
extern "C" EMSCRIPTEN_KEEPALIVE void blackjack_sharp_pictures_arrived() {
    if (webLoop == nullptr) {
        return;
    }
    webLoop->sharpPictures = true;
    webLoop->currentScene->loadSharpPictures(webLoop->renderer);
    fitCanvas(*webLoop);
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
#ifdef __EMSCRIPTEN__
    // The page scales the canvas itself.
    const SDL_Rect place{SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWindowWidth,
                         kWindowHeight};
    const Uint32 windowFlags = 0;
#else
    // Placed on the first display, then moved once its borders are known, before it is shown; the
    // player may resize it, maximise it or make it fill the screen.
    const SDL_Rect place = startPlace(0, nullptr);
    // On a display scaled by its system (macOS, Wayland) the drawable gets the display's pixels.
    const Uint32 windowFlags = SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
#endif
    SDL_Window* window =
        SDL_CreateWindow("Blackjack", place.x, place.y, place.w, place.h, windowFlags);
    if (window == nullptr) {
        const int status = startupFailure("cannot open the window");
        SDL_Quit();
        return status;
    }
#ifndef __EMSCRIPTEN__
    SDL_SetWindowMinimumSize(window, kWindowWidth / 4, kWindowHeight / 4);
    // Windows tells the borders now; an X11 window manager a moment after the window is shown,
    // when the first frames look again.
    SDL_Rect placed = place;
    fitWithBorders(window, placed);
    SDL_ShowWindow(window);
#endif
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

    // The table is laid out at its own size whatever the window's, and mouse positions arrive
    // in its coordinates; at the table's own size this changes nothing.
    SDL_RenderSetLogicalSize(renderer, kWindowWidth, kWindowHeight);

    MenuScene menu;
    GameScene game;
    game.setCoach(coachAsked(argc, argv));
    MainLoop loop{window, renderer, &menu, &game, &menu, Mouse{}, nullptr, true};
#ifndef __EMSCRIPTEN__
    loop.placed = placed;
    loop.placedUntil = SDL_GetTicks64() + kBordersWait;
#endif
    loop.currentScene->init(renderer);
    loop.currentScene->setDensity(outputDensity(renderer));

#ifdef __EMSCRIPTEN__
    webLoop = &loop;
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
