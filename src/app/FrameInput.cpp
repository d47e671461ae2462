#include "app/FrameInput.h"

void readFrameEvents(FrameInput& input, bool& running) {
    const bool clickedLastFrame = input.clicked;
    input.clicked = false;
    input.key = SDLK_UNKNOWN;
    input.keyModifiers = 0;
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
                input.x = event.motion.x;
                input.y = event.motion.y;
                break;
            case SDL_MOUSEBUTTONDOWN:
                // Any button; the click lands where the pointer last moved to.
                input.clicked = true;
                return;
            case SDL_KEYDOWN:
                if (event.key.repeat == 0) {
                    input.key = event.key.keysym.sym;
                    input.keyModifiers = event.key.keysym.mod;
                    return;
                }
                break;
            default:
                break;
        }
    }
}
