#pragma once

#include <SDL.h>

// F11 and Alt+Enter switch the window between fullscreen, at the desktop's own resolution, and a
// window; in fullscreen Escape leaves it and does nothing else. True when the key was one of
// these, which the screens then never see. In the page, where the browser owns fullscreen, false.
bool takeFullscreenKey(SDL_Window* window, SDL_Keycode key, Uint16 modifiers);

// Whether the window fills the screen at the desktop's resolution; in the page, always false.
bool isFullscreen(SDL_Window* window);
// The one switch the keys make, for the remembered choices too: fullscreen at the desktop's
// resolution, or a window. Does nothing in the page.
void setFullscreen(SDL_Window* window, bool on);
