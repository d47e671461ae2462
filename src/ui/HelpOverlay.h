#pragma once

#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_ttf.h>

#include "ui/SdlHandle.h"

// F1 (or ?) over the table: every key, and how each of the player's choices stands now, on a
// darkened table. Any key or click closes it and does nothing else.
class HelpOverlay {
public:
    // Whether `key` opens it: F1, or ? (Shift and / on most keyboards).
    static bool opens(SDL_Keycode key, Uint16 modifiers);

    bool isOpen() const { return open_; }
    // Opens it with the lines to show; each key line is "KEY: what it does".
    void open(std::vector<std::string> lines);
    void close() { open_ = false; }
    // Lettered in `font` at `density`, again whenever the lines or the density change.
    void render(SDL_Renderer* renderer, TTF_Font* font, int density);
    void cleanup();

    // The most it covers (it is as tall as its lines), and the lines as last opened.
    static constexpr SDL_Rect kBox{60, 40, 700, 570};
    const std::vector<std::string>& lines() const { return lines_; }

private:
    bool open_ = false;
    std::vector<std::string> lines_;
    std::vector<TextureHandle> labels_;
    int labelledDensity_ = 0;
    bool stale_ = true;
};
