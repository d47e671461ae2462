#pragma once

#include <SDL.h>

// F11 and Alt+Enter switch the window between fullscreen, at the desktop's own resolution, and a
// window; in fullscreen Escape leaves it and does nothing else. True when the key was one of
// these, which the screens then never see. In the page, where the browser owns fullscreen, false.
bool takeFullscreenKey(SDL_Window* window, SDL_Keycode key, Uint16 modifiers);
