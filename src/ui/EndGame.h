#pragma once

#include <cstdlib>

#include <SDL.h>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

// Ends the game at once with status 0, from inside a screen's input handling; nothing after the
// call runs. On the desktop that ends the process. In a web page the browser calls the frames,
// and the runtime is kept alive for them, so a plain exit() would only stop the current frame:
// the runtime is ended for good instead, which stops the frames and tells the page. On Windows
// the window and its renderer are let go first: a process that ended with them still open
// crashed on its way out now and then (under Wine, about one EXIT in six).
[[noreturn]] inline void endGame() {
#ifdef __EMSCRIPTEN__
    emscripten_force_exit(0);
#else
#ifdef _WIN32
    SDL_Quit();
#endif
    std::exit(0);
#endif
}
