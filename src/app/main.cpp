// The game's entry: one window, one renderer, the menu and then the table, driven by the mouse.
#include <SDL.h>

#include <iostream>

#include "app/Scene.h"
#include "ui/GameScene.h"
#include "ui/MenuScene.h"

namespace {

constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;

// Reports a start-up failure with SDL's own explanation.
int startupFailure(const char* what) {
    std::cerr << "blackjack: " << what << ": " << SDL_GetError() << std::endl;
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    (void)argc;
    (void)argv;

    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return startupFailure("cannot initialise SDL video");
    }
    SDL_Window* window = SDL_CreateWindow("Blackjack", SDL_WINDOWPOS_CENTERED,
                                          SDL_WINDOWPOS_CENTERED, kWindowWidth, kWindowHeight, 0);
    if (window == nullptr) {
        const int status = startupFailure("cannot open the window");
        SDL_Quit();
        return status;
    }
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
    if (renderer == nullptr) {
        // No GPU (a virtual machine, a remote display): SDL's software renderer serves.
        renderer = SDL_CreateRenderer(window, -1, 0);
    }
    if (renderer == nullptr) {
        const int status = startupFailure("cannot create a renderer");
        SDL_DestroyWindow(window);
        SDL_Quit();
        return status;
    }

    bool running = true;
    MenuScene menu;
    GameScene game;
    Scene* currentScene = &menu;
    currentScene->init(renderer);

    int mouseX = 0;
    int mouseY = 0;
    bool clicked = false;
    SDL_Event event;

    while (running) {
        clicked = false;
        while (SDL_PollEvent(&event) != 0) {
            switch (event.type) {
                case SDL_QUIT:
                    running = false;
                    break;
                case SDL_MOUSEMOTION:
                    mouseX = event.motion.x;
                    mouseY = event.motion.y;
                    break;
                case SDL_MOUSEBUTTONDOWN:
                    // The click lands where the pointer last moved to.
                    clicked = true;
                    break;
                default:
                    break;
            }
        }

        currentScene->handleInput(mouseX, mouseY, clicked);
        currentScene->update();

        if (currentScene == &menu && menu.shouldStartGame()) {
            menu.cleanup();
            currentScene = &game;
            currentScene->init(renderer);
        }

        SDL_RenderClear(renderer);
        currentScene->render(renderer);
        SDL_RenderPresent(renderer);
    }

    currentScene->cleanup();
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
