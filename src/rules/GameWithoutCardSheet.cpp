// The engine as the programs that only play the rules make it (the simulator, the rules tests):
// it reads no card sheet, so they need nothing but SDL2.
#include "rules/Game.h"

Game::Game(SDL_Renderer* renderer) : Game(renderer, WithoutCardSheet{}) {}

void Game::loadSharpCardSheet() {}
