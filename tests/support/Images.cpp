#include "support/Images.h"

#include <SDL_image.h>

#include <stdexcept>

void writeSolidPng(const std::string& path, int w, int h, Rgb colour) {
    writeSheetPng(path, 1, 1, w, h, [colour](int, int) { return colour; });
}

void writeSheetPng(const std::string& path, int cols, int rows, int cellW, int cellH,
                   const std::function<Rgb(int column, int row)>& colourOf) {
    SDL_Surface* s =
        SDL_CreateRGBSurfaceWithFormat(0, cols * cellW, rows * cellH, 24, SDL_PIXELFORMAT_RGB24);
    if (s == nullptr) {
        throw std::runtime_error("cannot make a surface for " + path + ": " + SDL_GetError());
    }
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < cols; ++col) {
            const SDL_Rect cell{col * cellW, row * cellH, cellW, cellH};
            const Rgb c = colourOf(col, row);
            SDL_FillRect(s, &cell, SDL_MapRGB(s->format, c.r, c.g, c.b));
        }
    }
    const int status = IMG_SavePNG(s, path.c_str());
    SDL_FreeSurface(s);
    if (status != 0) {
        throw std::runtime_error("cannot write " + path + ": " + IMG_GetError());
    }
}
