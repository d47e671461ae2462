#pragma once

#include <SDL.h>

// The input as the screens see it in one frame: where the pointer last moved (in table pixels),
// whether this frame is a click, and the key that went down in it, if any.
struct FrameInput {
    int x = 0;
    int y = 0;
    bool clicked = false;
    SDL_Keycode key = SDLK_UNKNOWN;
    Uint16 keyModifiers = 0;
};

// Takes one frame's events off SDL's queue into `input`; a quit request (a window close, or SIGINT
// or SIGTERM, which SDL turns into one) sets `running` false. A button press is the frame's click
// and ends the reading: what follows it stays queued, so several presses in one slow frame still
// count one click each, and each lands where the pointer had moved before it, not where it went
// after. A frame after a click takes no press at all, because a button takes a new click only
// after a frame without one. A key going down ends the reading too, so each key gets a frame of
// its own; a key held down does not repeat.
void readFrameEvents(FrameInput& input, bool& running);
