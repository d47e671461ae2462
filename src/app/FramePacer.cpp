#include "app/FramePacer.h"

namespace {

// The frame's time for `window`'s display, in performance-counter ticks.
Uint64 frameTicksFor(SDL_Window* window) {
    int rate = FramePacer::kMostFramesPerSecond;
    SDL_DisplayMode mode;
    const int display = window != nullptr ? SDL_GetWindowDisplayIndex(window) : 0;
    if (SDL_GetCurrentDisplayMode(display < 0 ? 0 : display, &mode) == 0 && mode.refresh_rate > 0 &&
        mode.refresh_rate < rate) {
        rate = mode.refresh_rate;
    }
    return SDL_GetPerformanceFrequency() / static_cast<Uint64>(rate);
}

bool eventQueued() {
    SDL_PumpEvents();
    return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0;
}

}  // namespace

FramePacer::FramePacer(SDL_Window* window)
    : frameTicks(frameTicksFor(window)), lastFrame(SDL_GetPerformanceCounter()) {}

void FramePacer::waitForNextFrame(bool atRest) {
    // What is left of this frame's time, in whole milliseconds rounded up so that frames never
    // come faster than the rate; under a millisecond is not worth a sleep, and a renderer that
    // waited for the vertical sync has used it up already.
    const Uint64 frequency = SDL_GetPerformanceFrequency();
    const Uint64 spent = SDL_GetPerformanceCounter() - lastFrame;
    if (spent + frequency / 1000 <= frameTicks) {
        const Uint64 leftMs = ((frameTicks - spent) * 1000 + frequency - 1) / frequency;
        SDL_Delay(static_cast<Uint32>(leftMs));
    }
    if (atRest) {
        // Returns at once when an event is queued, without taking it off the queue.
        SDL_WaitEventTimeout(nullptr, static_cast<int>(kRestFrameMs));
    }
    lastFrame = SDL_GetPerformanceCounter();
}

bool FramePacer::frameDue(bool atRest) {
    const Uint64 now = SDL_GetPerformanceCounter();
    const Uint64 restTicks = SDL_GetPerformanceFrequency() * kRestFrameMs / 1000;
    if (atRest && !eventQueued() && now - lastFrame < restTicks) {
        return false;
    }
    lastFrame = now;
    return true;
}
