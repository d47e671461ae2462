#include "app/FullscreenKeys.h"

bool takeFullscreenKey(SDL_Window* window, SDL_Keycode key, Uint16 modifiers) {
#ifdef __EMSCRIPTEN__
    (void)window;
    (void)key;
    (void)modifiers;
    return false;
#else
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
#endif
}
