#pragma once

#include <climits>
#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_ttf.h>

// Reads an image file into a texture the caller owns. A file that cannot be read prints
// "Failed to load texture: <path>" on standard output and gives null.
SDL_Texture* loadTexture(const char* path, SDL_Renderer* renderer);

// loadTexture for a picture without a transparent pixel (the background, table and panel). The
// texture takes the renderer's preferred pixel format and is drawn without blending, so a copy of
// it is a plain copy of memory instead of a blend of every pixel: the same pixels, far less work.
SDL_Texture* loadOpaqueTexture(const char* path, SDL_Renderer* renderer);

// Renders `text` in solid white with `font`; the caller owns the texture. Null when there is no
// font, the text is empty, or rendering fails.
SDL_Texture* createTextTexture(SDL_Renderer* renderer, TTF_Font* font, const std::string& text);

// The lines in which `text` fits `maxWidth` pixels in `font`: a line ends after a " | "
// separator, in place of its last space, and inside a piece between separators, at a space, only
// when that piece alone is too wide. Joined by spaces, the lines give `text` back. Without a
// font, the whole text is one line.
std::vector<std::string> breakLines(TTF_Font* font, const std::string& text, int maxWidth);

// Renders `lines` like createTextTexture, left-aligned one under the other at the font's line
// spacing, into one texture the caller owns; lines come closer where that keeps the texture
// within `maxHeight`. One line gives exactly createTextTexture's texture.
SDL_Texture* createTextBlockTexture(SDL_Renderer* renderer, TTF_Font* font,
                                    const std::vector<std::string>& lines, int maxHeight = INT_MAX);
