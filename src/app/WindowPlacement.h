#pragma once

#include <SDL.h>

// Where the game's one window opens, and how big. On the desktop: the table at the system's display
// scale when the display's usable area, less the task bar and the window's borders, holds it,
// otherwise the largest size of the table's shape that fits, centred; resizable, with a minimum
// of a quarter of the table each way. An X11 window manager tells the borders only a moment after
// the window is shown, so for the first second the window is moved again once they are known. In
// the page, the table's own size: the page scales the canvas itself.
class WindowPlacement {
public:
    // Creates and shows the window, or null (SDL_GetError tells why). The caller owns it.
    SDL_Window* open(const char* title);
    // Once a frame: refits the window to borders told late, while that may still happen.
    void follow();
    // True while borders told late may still move the window.
    bool settling() const { return settleUntil != 0; }

private:
    SDL_Window* window = nullptr;
    // Where the window was put, and until when (SDL's ticks) late borders still move it.
    SDL_Rect placed{0, 0, 0, 0};
    Uint64 settleUntil = 0;
};
