#pragma once

#include <array>
#include <chrono>
#include <memory>

#include <SDL.h>
#include <SDL_ttf.h>

#include "app/Scene.h"
#include "coach/Coach.h"
#include "rules/Game.h"
#include "ui/Button.h"
#include "ui/CoachView.h"
#include "ui/Layout.h"
#include "ui/SdlHandle.h"

// The table. While betting, the chip arrows build a stake within the wallet and DEAL starts a
// round; while a round is in play, HIT, STAND and (when the rules allow) DOUBLE and SPLIT drive
// the engine. Every frame the status texts are rebuilt from the engine. C turns the coach on: it
// is told of the deal and of every play, works within its share of each frame, and draws its
// values on the bare felt and rail only. The screen owns the engine, its pictures, the font and
// the texts from init to cleanup, which lets them all go.
class GameScene : public Scene {
public:
    static constexpr int kChipKinds = ::kChipKinds;

    void init(SDL_Renderer* renderer) override;
    void handleInput(int x, int y, bool clicked) override;
    // C turns the coach on and off.
    void handleKey(SDL_Keycode key, Uint16 modifiers) override;
    void update() override;
    void render(SDL_Renderer* renderer) override;
    void cleanup() override;

    // The coach on or off; any time, before init too. Off, the table is exactly as without it.
    void setCoach(bool on);

    SDL_Renderer* renderer = nullptr;
    std::unique_ptr<Game> engine;
    TextureHandle bgTexture;
    TextureHandle tableTexture;
    TextureHandle panelTexture;
    TextureHandle chipsTexture;
    TextureHandle arrowsTexture;
    TextureHandle buttonsTexture;
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
    FontHandle font;
    TextureHandle walletLabel;
    TextureHandle betLabel;
    std::array<TextureHandle, kChipKinds> chipCountLabels;
    TextureHandle resultLabel;
    TextureHandle playerLabel;
    TextureHandle dealerLabel;
    // Betting: deal live, play off. Playing: the reverse. The three always change together.
    bool roundActive = false;
    bool dealEnabled = true;
    bool playEnabled = false;
    // What the engine allowed at the last update.
    bool doubleEnabled = false;
    bool splitEnabled = false;
    // The coach, made the first time it is turned on, and what it shows.
    bool coachOn = false;
    std::unique_ptr<Coach> coach;
    CoachView coachView;
    // The share of a frame the coach may spend, its texts and the next round's value together.
    std::chrono::microseconds coachBudget{3000};

private:
    void addChip(int kind);
    void removeChip(int kind);
    void deal();
    void hit();
    void stand();
    void doubleDown();
    void split();
    // Tells the coach, when it is on, of a play the player is making.
    void tellCoach(solver::Action play);
    // The coach's share of the frame: its work within the budget, then its texts.
    void updateCoach();
    // Replaces `label` with a fresh texture of `text`, the old one gone first.
    void relabel(TextureHandle& label, const std::string& text);
};
