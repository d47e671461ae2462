#include "ui/MenuScene.h"

#include <iostream>

#include "ui/EndGame.h"
#include "ui/Layout.h"
#include "ui/Texture.h"

void MenuScene::init(SDL_Renderer* renderer) {
    bgTexture.reset(loadOpaqueTexture("./images/BG.png", renderer));
    logoTexture.reset(loadTexture("./images/LOGO.png", renderer));
    buttonsTexture.reset(loadTexture("./images/BUTTONS.png", renderer));

    logoRect = kLogoRect;
    const SDL_Rect startAt = kStartButtonRect;
    const SDL_Rect exitAt = kMenuExitButtonRect;
    startButton.setup(buttonsTexture.get(), kStartFrame, startAt.x, startAt.y, startAt.w,
                      startAt.h);
    exitButton.setup(buttonsTexture.get(), kExitFrame, exitAt.x, exitAt.y, exitAt.w, exitAt.h);
    loadSharpPictures(renderer);
    setDensity(density);
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

void MenuScene::handleKey(SDL_Keycode key, Uint16 modifiers) {
    (void)modifiers;
    Button* button = nullptr;
    switch (key) {
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
        case SDLK_SPACE:
            button = &startButton;
            break;
        case SDLK_ESCAPE:
            button = &exitButton;
            break;
        default:
            return;
    }
    if (button->onClick) {
        button->onClick();
    }
}

void MenuScene::loadSharpPictures(SDL_Renderer* renderer) {
    loadMissingSharpTexture(bgTexture2x, "./images/BG.png", renderer, true);
    loadMissingSharpTexture(logoTexture2x, "./images/LOGO.png", renderer);
    loadMissingSharpTexture(buttonsTexture2x, "./images/BUTTONS.png", renderer);
    startButton.texture2x = buttonsTexture2x.get();
    exitButton.texture2x = buttonsTexture2x.get();
}

void MenuScene::setDensity(int density) {
    this->density = density;
    startButton.density = density;
    exitButton.density = density;
}

void MenuScene::update() {}

void MenuScene::render(SDL_Renderer* renderer) {
    drawPicture(renderer, density, bgTexture.get(), bgTexture2x.get(), nullptr, nullptr);
    drawPicture(renderer, density, logoTexture.get(), logoTexture2x.get(), nullptr, &logoRect);
    startButton.render(renderer);
    exitButton.render(renderer);
}

void MenuScene::cleanup() {
    bgTexture.reset();
    logoTexture.reset();
    buttonsTexture.reset();
    bgTexture2x.reset();
    logoTexture2x.reset();
    buttonsTexture2x.reset();
}
