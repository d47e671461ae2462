#pragma once

#include <climits>
#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_ttf.h>

#include "ui/SdlHandle.h"

// Reads an image file into a texture the caller owns. A file that cannot be read prints
// "Failed to load texture: <path>" on standard output and gives null.
SDL_Texture* loadTexture(const char* path, SDL_Renderer* renderer);

// loadTexture for a picture without a transparent pixel (the background, table and panel). The
// texture takes the renderer's preferred pixel format and is drawn without blending, so a copy of
// it is a plain copy of memory instead of a blend of every pixel: the same pixels, far less work.
SDL_Texture* loadOpaqueTexture(const char* path, SDL_Renderer* renderer);

// The same picture at twice the size, from ./images/2x/ beside `path` (./images/NAME.png), for a
// 2x output: drawn smoothly when shrunk, opaque like loadOpaqueTexture when `opaque`. Null, and
// nothing printed, when that file cannot be read: the 1x picture then serves.
SDL_Texture* loadSharpTexture(const char* path, SDL_Renderer* renderer, bool opaque = false);
// Sets `texture` to loadSharpTexture's picture while it is still null; one already read stays.
void loadMissingSharpTexture(TextureHandle& texture, const char* path, SDL_Renderer* renderer,
                             bool opaque = false);

// Draws `src` of a picture (null: all of it) to `dest`, both in table pixels: from `sharp` with the
// source doubled while `density` is 2 and `sharp` was read, otherwise from `plain` as it is.
void drawPicture(SDL_Renderer* renderer, int density, SDL_Texture* plain, SDL_Texture* sharp,
                 const SDL_Rect* src, const SDL_Rect* dest);

// The size in table pixels of a text texture lettered at `density` times the font's point size.
SDL_FPoint letteringSize(SDL_Texture* label, int density);
// The left edge of a text texture lettered at `density` centred in the span of `width` from
// `left`, in table pixels: at density 1 on a whole pixel, half a pixel left when the two differ by
// an odd number.
float centredLettering(SDL_Texture* label, int density, int left, int width);
// Draws a text texture lettered at `density` at letteringSize, its top-left corner at `at`. At
// density 1 that is the texture's own size at whole pixels.
void drawLettering(SDL_Renderer* renderer, SDL_Texture* label, int density, SDL_FPoint at);

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
