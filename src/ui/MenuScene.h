#pragma once

#include <SDL.h>

#include "app/Scene.h"
#include "ui/Button.h"
#include "ui/SdlHandle.h"
#include "ui/SharpPictures.h"

// The start-up screen: background, logo, and the START and EXIT buttons. START raises a request
// that the main loop answers by switching to the game, and T one for the drill table; EXIT ends
// the process at once. The menu owns its pictures from init to cleanup.
class MenuScene : public Scene {
public:
    void init(SDL_Renderer* renderer) override;
    void handleInput(int x, int y, bool clicked) override;
    // Enter or Space is START, T the drills, Escape is EXIT (the main loop keeps Escape while the
    // window is fullscreen, where it only leaves fullscreen).
    void handleKey(SDL_Keycode key, Uint16 modifiers) override;
    void update() override;
    void render(SDL_Renderer* renderer) override;
    void cleanup() override;

    // True once the start button has fired (or T was pressed), until the next init.
    bool shouldStartGame() const { return startGame; }
    bool shouldStartDrill() const { return startDrill; }

    void setDensity(int density) override;
    void loadSharpPictures(SDL_Renderer* renderer) override;

    TextureHandle bgTexture;
    TextureHandle logoTexture;
    TextureHandle buttonsTexture;
    // The same three at twice the size, read when the output calls for them, and the density
    // the menu is drawn at.
    SharpPictures sharp;
    SDL_Rect logoRect{0, 0, 0, 0};
    Button startButton;
    Button exitButton;
    bool startGame = false;
    bool startDrill = false;

private:
    // The pictures in `sharp`, by number.
    enum SharpPicture : std::size_t { kSharpBg, kSharpLogo, kSharpButtons };
    // Hands the buttons the 2x sheet as now read (or none) and the density.
    void shareSharpPictures();
};
