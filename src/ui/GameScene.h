#pragma once

#include <array>
#include <memory>

#include <SDL.h>
#include <SDL_ttf.h>

#include "app/Scene.h"
#include "rules/Game.h"
#include "ui/Button.h"

// The table. While betting, the chip arrows build a stake within the wallet and DEAL starts a
// round; while a round is in play, HIT, STAND and (when the rules allow) DOUBLE and SPLIT drive
// the engine. Every frame the status texts are rebuilt from the engine.
class GameScene : public Scene {
public:
    static constexpr int kChipKinds = 5;

    void init(SDL_Renderer* renderer) override;
    void handleInput(int x, int y, bool clicked) override;
    void update() override;
    void render(SDL_Renderer* renderer) override;
    void cleanup() override;

    SDL_Renderer* renderer = nullptr;
    std::unique_ptr<Game> engine;
    SDL_Texture* bgTexture = nullptr;
    SDL_Texture* tableTexture = nullptr;
    SDL_Texture* panelTexture = nullptr;
    SDL_Texture* chipsTexture = nullptr;
    SDL_Texture* arrowsTexture = nullptr;
    SDL_Texture* buttonsTexture = nullptr;
    Button dealButton;
    Button exitButton;
    Button hitButton;
    Button standButton;
    Button doubleButton;
    Button splitButton;
    std::array<Button, kChipKinds> chipMinusButtons;
    std::array<Button, kChipKinds> chipPlusButtons;
    // The wallet as the last update read it, and the stake built from chips before the deal.
    int shownWallet = 0;
    int pendingBet = 0;
    std::array<int, kChipKinds> chipCounts{};
    std::array<int, kChipKinds> chipValues{5, 25, 50, 100, 500};
    TTF_Font* font = nullptr;
    SDL_Texture* walletLabel = nullptr;
    SDL_Texture* betLabel = nullptr;
    std::array<SDL_Texture*, kChipKinds> chipCountLabels{};
    SDL_Texture* resultLabel = nullptr;
    SDL_Texture* playerLabel = nullptr;
    SDL_Texture* dealerLabel = nullptr;
    // Betting: deal live, play off. Playing: the reverse. The three always change together.
    bool roundActive = false;
    bool dealEnabled = true;
    bool playEnabled = false;
    // What the engine allowed at the last update.
    bool doubleEnabled = false;
    bool splitEnabled = false;

private:
    void addChip(int kind);
    void removeChip(int kind);
    void deal();
    void doubleDown();
    void split();
    // Destroys `label`, if any, and leaves it null.
    void dropLabel(SDL_Texture*& label);
    // Replaces `label` with a fresh texture of `text`.
    void relabel(SDL_Texture*& label, const std::string& text);
};
