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
    sharp.setup(
        renderer,
        {{"./images/BG.png", true}, {"./images/LOGO.png", false}, {"./images/BUTTONS.png", false}});
    shareSharpPictures();
    startGame = false;
    startDrill = false;

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
        case SDLK_t:
            startDrill = true;
            return;
        default:
            return;
    }
    if (button->onClick) {
        button->onClick();
    }
}

void MenuScene::loadSharpPictures(SDL_Renderer* renderer) {
    (void)renderer;
    if (sharp.readMissing()) {
        shareSharpPictures();
    }
}

void MenuScene::setDensity(int density) {
    const int before = sharp.density();
    // Told every frame; the buttons hear only of a change.
    if (sharp.follow(density) || sharp.density() != before) {
        shareSharpPictures();
    }
}

void MenuScene::shareSharpPictures() {
    for (Button* button : {&startButton, &exitButton}) {
        button->texture2x = sharp.get(kSharpButtons);
        button->density = sharp.density();
    }
}

void MenuScene::update() {}

void MenuScene::render(SDL_Renderer* renderer) {
    const int density = sharp.density();
    drawPicture(renderer, density, bgTexture.get(), sharp.get(kSharpBg), nullptr, nullptr);
    drawPicture(renderer, density, logoTexture.get(), sharp.get(kSharpLogo), nullptr, &logoRect);
    startButton.render(renderer);
    exitButton.render(renderer);
}

void MenuScene::cleanup() {
    bgTexture.reset();
    logoTexture.reset();
    buttonsTexture.reset();
    sharp.release();
    shareSharpPictures();
}
