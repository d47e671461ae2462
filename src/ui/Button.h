#pragma once

#include <functional>

#include <SDL.h>

// A clickable sprite: one frame of a horizontal strip, drawn slightly larger while the pointer is
// over it. A click fires the callback once; the button is ready again after a frame without a
// click.
class Button {
public:
    // Takes frame `frame` of the strip in `tex` (frames of w x h side by side) and places the
    // button at (x, y) with that size.
    void setup(SDL_Texture* tex, int frame, int x, int y, int w, int h);
    void setOnClick(std::function<void()> callback);
    // Called every frame the button is live. The hot area is destRect with both edges inclusive.
    void handleInput(int x, int y, bool clicked);
    void render(SDL_Renderer* renderer);

    SDL_Texture* texture = nullptr;  // not owned; several buttons share a sheet
    // The same strip at twice the size, drawn while `density` is 2; not owned, null for none.
    SDL_Texture* texture2x = nullptr;
    int density = 1;
    SDL_Rect srcRect{0, 0, 0, 0};
    SDL_Rect destRect{0, 0, 0, 0};
    int width = 134;
    int height = 64;
    bool hovered = false;
    bool pressed = false;
    std::function<void()> onClick;
};
