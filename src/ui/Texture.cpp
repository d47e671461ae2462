#include "ui/Texture.h"

#include <SDL_image.h>

#include <iostream>

namespace {

// Reads an image file, or prints "Failed to load texture: <path>" and gives null.
SDL_Surface* loadSurface(const char* path) {
    SDL_Surface* surface = IMG_Load(path);
    if (surface == nullptr) {
        std::cout << "Failed to load texture: " << path << std::endl;
    }
    return surface;
}

}  // namespace

SDL_Texture* loadTexture(const char* path, SDL_Renderer* renderer) {
    SDL_Surface* surface = loadSurface(path);
    if (surface == nullptr) {
        return nullptr;
    }
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, surface);
    SDL_FreeSurface(surface);
    return texture;
}

SDL_Texture* loadOpaqueTexture(const char* path, SDL_Renderer* renderer) {
    SDL_Surface* surface = loadSurface(path);
    if (surface == nullptr) {
        return nullptr;
    }
    // A PNG decodes to its own byte order; the renderer's first format is the one it copies
    // fastest. Without a conversion the picture stays as it was decoded.
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) == 0 && info.num_texture_formats > 0) {
        SDL_Surface* native = SDL_ConvertSurfaceFormat(surface, info.texture_formats[0], 0);
        if (native != nullptr) {
            SDL_FreeSurface(surface);
            surface = native;
        }
    }
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, surface);
    SDL_FreeSurface(surface);
    if (texture != nullptr) {
        SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
    }
    return texture;
}

SDL_Texture* createTextTexture(SDL_Renderer* renderer, TTF_Font* font, const std::string& text) {
    // Without a font there is nothing to draw, and SDL_ttf would only report an error.
    if (font == nullptr) {
        return nullptr;
    }
    const SDL_Color white{255, 255, 255, 255};
    SDL_Surface* surface = TTF_RenderText_Blended(font, text.c_str(), white);
    if (surface == nullptr) {
        return nullptr;
    }
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, surface);
    SDL_FreeSurface(surface);
    return texture;
}
