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

void Game::loadSharpCardSheet() {
    if (renderer == nullptr || cardTexture2x != nullptr) {
        return;
    }
    // Drawn at its own pixels on a 2x output and shrunk smoothly on anything between.
    if (SDL_Surface* sheet = IMG_Load("./images/2x/CARDS.png")) {
        cardTexture2x = SDL_CreateTextureFromSurface(renderer, sheet);
        SDL_FreeSurface(sheet);
        if (cardTexture2x != nullptr) {
            SDL_SetTextureScaleMode(cardTexture2x, SDL_ScaleModeLinear);
        }
    }
}
