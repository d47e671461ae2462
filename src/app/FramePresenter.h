#pragma once

#include <SDL.h>

class Scene;

// How a frame reaches the window. The table is always laid out at its own size, 1024 x 768, and
// mouse positions arrive in its coordinates (SDL's logical size). A window of that size is drawn
// straight into, and so is one of at least 1.5 times it, where the screens draw their 2x pictures
// and texts; at any other size the table is drawn at its own size into a picture of its own,
// which is then stretched to the window with linear filtering, black bars keeping its shape.
class FramePresenter {
public:
    // The window's renderer: accelerated where there is a GPU, else SDL's software one, presenting
    // at the display's refresh where the renderer can; null when there is none (SDL_GetError).
    static SDL_Renderer* createRenderer(SDL_Window* window);
    // The density the renderer's output calls for (ui/Layout.h densityFor): on a high-density
    // display that counts the drawable's pixels, not the window's points.
    static int outputDensity(SDL_Renderer* renderer);

    // Clears, draws `scene` and shows the frame.
    void present(SDL_Renderer* renderer, Scene& scene);
    // Lets go of the stretched picture; call before the renderer goes.
    void release();

private:
    // The table drawn at its own size, for a window that shows it stretched; made when first
    // needed.
    SDL_Texture* scaledFrame = nullptr;
};
