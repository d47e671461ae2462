#pragma once

#include <SDL.h>

// A screen of the game. The main loop drives the current one: init once with the renderer, then
// every frame handleInput, update and render, and cleanup once when the screen stops being
// current. A screen just switched to is rendered once before its first handleInput and update.
// Destructors make no SDL call: everything SDL is released in cleanup.
class Scene {
public:
    virtual ~Scene() {}
    virtual void init(SDL_Renderer* renderer) = 0;
    // x and y are the last pointer position on the table, which is laid out at 1024 x 768 in any
    // window (in a window of another size SDL scales the position to it; in a bar beside the table
    // it falls outside); clicked is true in a frame in which a mouse button went down.
    virtual void handleInput(int x, int y, bool clicked) = 0;
    // A key went down in this frame (held keys do not repeat), after handleInput. `modifiers` are
    // SDL's KMOD_ bits held with it. A screen without keys ignores it.
    virtual void handleKey(SDL_Keycode key, Uint16 modifiers) {
        (void)key;
        (void)modifiers;
    }
    // The density of the output the screen is drawn on (ui/Layout.h densityFor), before the
    // frame's input; the pictures and texts of every frame after follow it. 1 until told.
    virtual void setDensity(int density) { (void)density; }
    // Loads the pictures of ./images/2x/ that were missing when the screen was set up, now that
    // they are there (the web page fetches them after its first frame). Those already loaded stay.
    virtual void loadSharpPictures(SDL_Renderer* renderer) { (void)renderer; }
    // Whether the screen has work of its own under way that needs frames while nothing happens
    // (the coach working out a value); a screen at rest changes only when an event comes.
    virtual bool hasWork() const { return false; }
    virtual void update() = 0;
    virtual void render(SDL_Renderer* renderer) = 0;
    virtual void cleanup() = 0;
};
