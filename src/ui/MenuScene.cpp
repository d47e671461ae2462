#include "ui/MenuScene.h"

#include <iostream>

#include "ui/EndGame.h"
#include "ui/Texture.h"

namespace {

constexpr int kWindowWidth = 1024;
constexpr int kLogoWidth = 918;
constexpr int kLogoHeight = 357;
constexpr int kButtonWidth = 134;
constexpr int kButtonHeight = 48;
constexpr int kStartFrame = 0;
constexpr int kExitFrame = 1;

}  // namespace

void MenuScene::init(SDL_Renderer* renderer) {
    bgTexture = loadOpaqueTexture("./images/BG.png", renderer);
    logoTexture = loadTexture("./images/LOGO.png", renderer);
    buttonsTexture = loadTexture("./images/BUTTONS.png", renderer);

    logoRect = SDL_Rect{(kWindowWidth - kLogoWidth) / 2, 120, kLogoWidth, kLogoHeight};
    startButton.setup(buttonsTexture, kStartFrame, 445, 500, kButtonWidth, kButtonHeight);
    exitButton.setup(buttonsTexture, kExitFrame, 445, 580, kButtonWidth, kButtonHeight);
    startGame = false;

    startButton.setOnClick([this] {
        std::cout << "START GAME" << std::endl;
        startGame = true;
    });
    exitButton.setOnClick([] { endGame(); });
}

void MenuScene::handleInput(int x, int y, bool clicked) {
    startButton.handleInput(x, y, clicked);
    exitButton.handleInput(x, y, clicked);
}

void MenuScene::update() {}

void MenuScene::render(SDL_Renderer* renderer) {
    SDL_RenderCopy(renderer, bgTexture, nullptr, nullptr);
    SDL_RenderCopy(renderer, logoTexture, nullptr, &logoRect);
    startButton.render(renderer);
    exitButton.render(renderer);
}

void MenuScene::cleanup() {
    SDL_DestroyTexture(bgTexture);
    SDL_DestroyTexture(logoTexture);
    SDL_DestroyTexture(buttonsTexture);
}
