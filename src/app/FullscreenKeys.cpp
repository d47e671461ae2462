#include "app/FullscreenKeys.h"

bool isFullscreen(SDL_Window* window) {
#ifdef __EMSCRIPTEN__
    (void)window;
    return false;
#else
    return (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
#endif
}

void setFullscreen(SDL_Window* window, bool on) {
#ifdef __EMSCRIPTEN__
    (void)window;
    (void)on;
#else
    SDL_SetWindowFullscreen(window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
#endif
}

bool takeFullscreenKey(SDL_Window* window, SDL_Keycode key, Uint16 modifiers) {
#ifdef __EMSCRIPTEN__
    (void)window;
    (void)key;
    (void)modifiers;
    return false;
#else
    const bool fullscreen = isFullscreen(window);
    const bool enter = key == SDLK_RETURN || key == SDLK_KP_ENTER;
    if (key == SDLK_F11 || (enter && (modifiers & KMOD_ALT) != 0)) {
        setFullscreen(window, !fullscreen);
        return true;
    }
    if (key == SDLK_ESCAPE && fullscreen) {
        setFullscreen(window, false);
        return true;
    }
    return false;
#endif
}
