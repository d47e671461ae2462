#pragma once

#include <SDL.h>

// When the next frame is drawn. Frames follow the display's refresh, at most 60 a second: the
// renderer presents at vertical sync where it can, and otherwise the pacer waits out the rest of
// the frame's time. A table at rest changes only when something happens, so then it waits for
// the next event instead (a click, a key, a pointer move, the window shown again), drawing a
// frame at least once a second all the same; an event is never handled later than
// the next frame after it.
class FramePacer {
public:
    // The highest frame rate, whatever the display's refresh.
    static constexpr int kMostFramesPerSecond = 60;
    // How long a table at rest may go without a frame, in ms.
    static constexpr Uint32 kRestFrameMs = 1000;

    explicit FramePacer(SDL_Window* window);
    // After a frame: returns when the next one is due. `atRest` says that the screen has nothing
    // to do of its own (no work in progress) until something happens.
    void waitForNextFrame(bool atRest);
    // For the page, whose browser calls every frame at its refresh: whether this one should be
    // drawn, which it should unless at rest with nothing queued and a frame drawn lately.
    bool frameDue(bool atRest);

private:
    Uint64 frameTicks = 0;
    Uint64 lastFrame = 0;
};
