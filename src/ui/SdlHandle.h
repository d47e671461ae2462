#pragma once

// Owning handles of SDL's textures and SDL_ttf's fonts: whoever holds one frees it by resetting
// it (or by letting it go), so a handle replaced or dropped early cannot leak. Null is held and
// let go without a call.
#include <memory>

#include <SDL.h>
#include <SDL_ttf.h>

struct SdlDeleter {
    void operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }
    void operator()(TTF_Font* font) const { TTF_CloseFont(font); }
};

using TextureHandle = std::unique_ptr<SDL_Texture, SdlDeleter>;
using FontHandle = std::unique_ptr<TTF_Font, SdlDeleter>;
