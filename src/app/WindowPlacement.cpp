#include "app/WindowPlacement.h"

#include "ui/Layout.h"

#ifdef __EMSCRIPTEN__

SDL_Window* WindowPlacement::open(const char* title) {
    window = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWindowWidth,
                              kWindowHeight, 0);
    return window;
}

void WindowPlacement::follow() {}

#else

namespace {

// How long after the window is shown a window manager may take to tell its borders, in ms.
constexpr Uint64 kBordersWait = 1000;

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

// Where the window opens on `display`, with the borders of `window` where the system tells them
// before the window is shown (Windows; not X11, where a window manager adds them later); with no
// window, none.
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

// Moves the window, placed at `placed`, to where its borders as now known leave it room. A window
// the player has made fullscreen or maximised meanwhile is left as it is.
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

}  // namespace

SDL_Window* WindowPlacement::open(const char* title) {
    // Placed on the first display, then moved once its borders are known, before it is shown. On
    // a display scaled by its system (macOS, Wayland) the drawable gets the display's pixels.
    placed = startPlace(0, nullptr);
    window = SDL_CreateWindow(title, placed.x, placed.y, placed.w, placed.h,
                              SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (window == nullptr) {
        return nullptr;
    }
    SDL_SetWindowMinimumSize(window, kWindowWidth / 4, kWindowHeight / 4);
    // Windows tells the borders now; an X11 window manager a moment after the window is shown.
    fitWithBorders(window, placed);
    SDL_ShowWindow(window);
    settleUntil = SDL_GetTicks64() + kBordersWait;
    return window;
}

void WindowPlacement::follow() {
    if (settleUntil == 0) {
        return;
    }
    fitWithBorders(window, placed);
    if (SDL_GetTicks64() > settleUntil) {
        settleUntil = 0;
    }
}

#endif
