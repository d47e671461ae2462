// The engine as the programs that show the table make it: it reads its card sheet from
// ./images/CARDS.png with SDL2_image.
#include <SDL_image.h>

#include "rules/Game.h"

Game::Game(SDL_Renderer* renderer) : Game(renderer, WithoutCardSheet{}) {
    if (renderer == nullptr) {
        return;
    }
    if (SDL_Surface* sheet = IMG_Load("./images/CARDS.png")) {
        cardTexture = SDL_CreateTextureFromSurface(renderer, sheet);
        SDL_FreeSurface(sheet);
    }
}
