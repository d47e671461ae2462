#include "ui/Texture.h"

#include <SDL_image.h>

#include <algorithm>
#include <iostream>

namespace {

const SDL_Color kWhite{255, 255, 255, 255};

// Reads an image file, or prints "Failed to load texture: <path>" and gives null.
SDL_Surface* loadSurface(const char* path) {
    SDL_Surface* surface = IMG_Load(path);
    if (surface == nullptr) {
        std::cout << "Failed to load texture: " << path << std::endl;
    }
    return surface;
}

// The surface in the renderer's preferred pixel format, or as it was when it cannot be converted.
SDL_Surface* nativeSurface(SDL_Surface* surface, SDL_Renderer* renderer) {
    // A PNG decodes to its own byte order; the renderer's first format is the one it copies
    // fastest. Without a conversion the picture stays as it was decoded.
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) == 0 && info.num_texture_formats > 0) {
        SDL_Surface* native = SDL_ConvertSurfaceFormat(surface, info.texture_formats[0], 0);
        if (native != nullptr) {
            SDL_FreeSurface(surface);
            return native;
        }
    }
    return surface;
}

// A texture of `surface`, which it frees; null when there is no surface. An opaque picture takes
// the renderer's preferred format and is drawn without blending.
SDL_Texture* textureOf(SDL_Surface* surface, SDL_Renderer* renderer, bool opaque) {
    if (surface == nullptr) {
        return nullptr;
    }
    if (opaque) {
        surface = nativeSurface(surface, renderer);
    }
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, surface);
    SDL_FreeSurface(surface);
    if (texture != nullptr && opaque) {
        SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
    }
    return texture;
}

}  // namespace

SDL_Texture* loadTexture(const char* path, SDL_Renderer* renderer) {
    return textureOf(loadSurface(path), renderer, false);
}

SDL_Texture* loadOpaqueTexture(const char* path, SDL_Renderer* renderer) {
    return textureOf(loadSurface(path), renderer, true);
}

SDL_Texture* loadSharpTexture(const char* path, SDL_Renderer* renderer, bool opaque) {
    std::string sharpPath = path;
    const std::size_t slash = sharpPath.rfind('/');
    sharpPath.insert(slash == std::string::npos ? 0 : slash + 1, "2x/");
    SDL_Texture* texture = textureOf(IMG_Load(sharpPath.c_str()), renderer, opaque);
    if (texture != nullptr) {
        SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
    }
    return texture;
}

void loadMissingSharpTexture(TextureHandle& texture, const char* path, SDL_Renderer* renderer,
                             bool opaque) {
    if (texture == nullptr) {
        texture.reset(loadSharpTexture(path, renderer, opaque));
    }
}

void drawPicture(SDL_Renderer* renderer, int density, SDL_Texture* plain, SDL_Texture* sharp,
                 const SDL_Rect* src, const SDL_Rect* dest) {
    if (density != 2 || sharp == nullptr) {
        SDL_RenderCopy(renderer, plain, src, dest);
        return;
    }
    if (src == nullptr) {
        SDL_RenderCopy(renderer, sharp, nullptr, dest);
        return;
    }
    const SDL_Rect doubled{2 * src->x, 2 * src->y, 2 * src->w, 2 * src->h};
    SDL_RenderCopy(renderer, sharp, &doubled, dest);
}

SDL_FPoint letteringSize(SDL_Texture* label, int density) {
    int w = 0, h = 0;
    SDL_QueryTexture(label, nullptr, nullptr, &w, &h);
    return SDL_FPoint{static_cast<float>(w) / static_cast<float>(density),
                      static_cast<float>(h) / static_cast<float>(density)};
}

float centredLettering(SDL_Texture* label, int density, int left, int width) {
    if (density == 1) {
        int w = 0;
        SDL_QueryTexture(label, nullptr, nullptr, &w, nullptr);
        const int whole = left + (width - w) / 2;
        return static_cast<float>(whole);
    }
    return static_cast<float>(left) +
           (static_cast<float>(width) - letteringSize(label, density).x) / 2.0F;
}

void drawLettering(SDL_Renderer* renderer, SDL_Texture* label, int density, SDL_FPoint at) {
    if (density == 1) {
        SDL_Rect where{static_cast<int>(at.x), static_cast<int>(at.y), 0, 0};
        SDL_QueryTexture(label, nullptr, nullptr, &where.w, &where.h);
        SDL_RenderCopy(renderer, label, nullptr, &where);
        return;
    }
    const SDL_FPoint size = letteringSize(label, density);
    const SDL_FRect where{at.x, at.y, size.x, size.y};
    SDL_SetTextureScaleMode(label, SDL_ScaleModeLinear);
    SDL_RenderCopyF(renderer, label, nullptr, &where);
}

SDL_Texture* createTextTexture(SDL_Renderer* renderer, TTF_Font* font, const std::string& text) {
    // Without a font there is nothing to draw, and SDL_ttf would only report an error.
    if (font == nullptr) {
        return nullptr;
    }
    SDL_Surface* surface = TTF_RenderText_Blended(font, text.c_str(), kWhite);
    if (surface == nullptr) {
        return nullptr;
    }
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, surface);
    SDL_FreeSurface(surface);
    return texture;
}

std::vector<std::string> breakLines(TTF_Font* font, const std::string& text, int maxWidth) {
    const auto fits = [font, maxWidth](const std::string& line) {
        int width = 0;
        return TTF_SizeText(font, line.c_str(), &width, nullptr) == 0 && width <= maxWidth;
    };
    if (font == nullptr || fits(text)) {
        return {text};
    }
    // The pieces end with a separator's bar; the space after it is where a line may end. A piece
    // too wide by itself is cut at its own spaces.
    const std::string separator = " | ";
    std::vector<std::string> pieces;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t found = text.find(separator, start);
        const std::size_t end = found == std::string::npos ? text.size() : found + 2;
        const std::string piece = text.substr(start, end - start);
        if (fits(piece)) {
            pieces.push_back(piece);
        } else {
            for (std::size_t word = 0; word <= piece.size();) {
                const std::size_t space = std::min(piece.find(' ', word), piece.size());
                pieces.push_back(piece.substr(word, space - word));
                word = space + 1;
            }
        }
        start = end + 1;
    }
    // As many pieces to a line as fit: the fewest lines.
    std::vector<std::string> lines;
    for (const std::string& piece : pieces) {
        if (!lines.empty() && fits(lines.back() + ' ' + piece)) {
            lines.back() += ' ' + piece;
        } else {
            lines.push_back(piece);
        }
    }
    return lines;
}

SDL_Texture* createTextBlockTexture(SDL_Renderer* renderer, TTF_Font* font,
                                    const std::vector<std::string>& lines, int maxHeight) {
    if (font == nullptr || lines.size() <= 1) {
        return createTextTexture(renderer, font, lines.empty() ? std::string() : lines[0]);
    }
    std::vector<SDL_Surface*> rendered;
    int width = 0;
    int lineHeight = TTF_FontHeight(font);
    for (const std::string& line : lines) {
        SDL_Surface* surface = TTF_RenderText_Blended(font, line.c_str(), kWhite);
        if (surface != nullptr) {
            width = std::max(width, surface->w);
            lineHeight = std::max(lineHeight, surface->h);
        }
        rendered.push_back(surface);
    }
    // The font's own line spacing, or closer lines where the block must stay within maxHeight.
    const int gaps = static_cast<int>(lines.size()) - 1;
    const int pitch = std::max(
        1, std::min(std::max(TTF_FontLineSkip(font), lineHeight), (maxHeight - lineHeight) / gaps));
    SDL_Surface* block = SDL_CreateRGBSurfaceWithFormat(
        0, std::max(width, 1), pitch * gaps + lineHeight, 32, SDL_PIXELFORMAT_ARGB8888);
    if (block != nullptr) {
        // Clear white, so that lines laid over one another stay pure white where they blend.
        SDL_FillRect(block, nullptr, SDL_MapRGBA(block->format, 255, 255, 255, 0));
    }
    for (std::size_t i = 0; i < rendered.size(); ++i) {
        if (rendered[i] != nullptr && block != nullptr) {
            SDL_Rect where{0, pitch * static_cast<int>(i), 0, 0};
            SDL_SetSurfaceBlendMode(rendered[i], SDL_BLENDMODE_BLEND);
            SDL_BlitSurface(rendered[i], nullptr, block, &where);
        }
        SDL_FreeSurface(rendered[i]);
    }
    if (block == nullptr) {
        return nullptr;
    }
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, block);
    SDL_FreeSurface(block);
    return texture;
}
