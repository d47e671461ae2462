// The engine as the programs that show the table make it: it reads its card sheet from
// ./images/CARDS.png with SDL2_image.
#include <SDL_image.h>

#include <iostream>

#include "rules/Game.h"

Game::Game(SDL_Renderer* renderer) : Game(renderer, WithoutCardSheet{}) {
    if (renderer == nullptr) {
        return;
    }
    // Reported like every other picture: without the sheet no card can be seen.
    const char* const sheetPath = "./images/CARDS.png";
    if (SDL_Surface* sheet = IMG_Load(sheetPath)) {
        cardTexture = SDL_CreateTextureFromSurface(renderer, sheet);
        SDL_FreeSurface(sheet);
    } else {
        std::cout << "Failed to load texture: " << sheetPath << std::endl;
    }
}
