#pragma once

#include <string>

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
