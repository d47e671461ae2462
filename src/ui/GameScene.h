#pragma once

#include <array>
#include <memory>

#include <SDL.h>
#include <SDL_ttf.h>

#include "app/Scene.h"
#include "history/KeptRounds.h"
#include "rules/Game.h"
#include "ui/Button.h"
#include "ui/HelpOverlay.h"
#include "ui/Layout.h"
#include "ui/ReviewOverlay.h"
#include "ui/SdlHandle.h"
#include "ui/SharpPictures.h"
#include "ui/TableCoach.h"
#include "ui/TableMotion.h"
#include "ui/TableSound.h"

// The table. While betting, the chip arrows build a stake within the wallet and DEAL starts a
// round; while a round is in play, HIT, STAND and (when the rules allow) DOUBLE and SPLIT drive
// the engine. Every frame the status texts are rebuilt from the engine. C turns the coach on: it
// is told of the deal and of every play, works within its share of each frame, and draws its
// values on the bare felt and rail only. M turns the sound on, which hears the cards, the chips
// and the results; - and = set its volume. The screen owns the engine, its pictures, the font and
// the texts from init to cleanup, which lets them all go.
class GameScene : public Scene {
public:
    static constexpr int kChipKinds = ::kChipKinds;

    void init(SDL_Renderer* renderer) override;
    void handleInput(int x, int y, bool clicked) override;
    // The keys of ui/TableKeys.h. Each acts as a click on its button would in this frame, and not
    // at all while that button is not live; C turns the coach on and off, A motion, and [ and ]
    // set its speed, M the sound, - and = its volume, F1 or ? lists the keys. A key or a click
    // during a motion first finishes it; while the list is shown, a key or a click only closes it.
    void handleKey(SDL_Keycode key, Uint16 modifiers) override;
    // 2 draws the pictures of ./images/2x/ (read now, the first time) and letters the texts at
    // twice the point size, from the next update on; 1 the table's own pictures and sizes.
    void setDensity(int density) override;
    // Does nothing before init, which loads them itself.
    void loadSharpPictures(SDL_Renderer* renderer) override;
    // While the coach is on and still working a value out, or something is in motion.
    bool hasWork() const override;
    void update() override;
    void render(SDL_Renderer* renderer) override;
    void cleanup() override;

    // The coach on or off; any time, before init too. Off, the table is exactly as without it.
    void setCoach(bool on);
    // Every round played to its end kept in history.jsonl (kept.setFolder says where), with
    // each decision's values, whether the coach is shown or not; any time.
    void setKeeping(bool on);
    bool keeping() const { return kept.isOn(); }

    SDL_Renderer* renderer = nullptr;
    std::unique_ptr<Game> engine;
    TextureHandle bgTexture;
    TextureHandle tableTexture;
    TextureHandle panelTexture;
    TextureHandle chipsTexture;
    TextureHandle arrowsTexture;
    TextureHandle buttonsTexture;
    // The six at twice the size, with the engine's card sheet read when the output calls for
    // them, and the density the table is drawn at.
    SharpPictures sharp;
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
    // The chips the last deal staked, which R bets again; none before the first deal.
    std::array<int, kChipKinds> lastChipCounts{};
    std::array<int, kChipKinds> chipValues = kChipValues;
    FontHandle font;
    // The font at twice the point size, for the texts at density 2; lines are still measured in
    // `font`, so they break where they do at 1x.
    FontHandle font2x;
    // The density the texts below were lettered at, by the last update.
    int labelDensity = 1;
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
    // The coach, on or off, with what it shows.
    TableCoach coaching;
    // The cards, chips and result line in motion, when the player turns it on.
    TableMotion motion;
    // F1's list of the keys and the choices, over the table.
    HelpOverlay help;
    // V between rounds: the rounds written down, one at a time, with their decisions' values.
    ReviewOverlay review;
    // The sound, off until M, with its device and volume.
    TableSound sounds;
    // The rounds written down (while the coach is on, or keeping), in memory and with K in the
    // history file.
    KeptRounds kept;

private:
    // The pictures in `sharp`, by number.
    enum SharpPicture : std::size_t {
        kSharpBg,
        kSharpTable,
        kSharpPanel,
        kSharpChips,
        kSharpArrows,
        kSharpButtons
    };
    // Hands the 2x sheets as now read (or none) and the density to the buttons, the engine and
    // the coach's texts.
    void shareSharpPictures();
    // Whether `button` takes input now: the same gates for a click and for its key.
    bool isLive(const Button& button) const;
    // The chip arrows, each kind's remove arrow before its add arrow; then DEAL, EXIT, HIT, STAND,
    // DOUBLE and SPLIT, in the order they are offered a click.
    static constexpr std::size_t kChipArrowCount = 2 * static_cast<std::size_t>(kChipKinds);
    std::array<Button*, kChipArrowCount> chipArrows();
    std::array<Button*, 6> actionButtons();
    // A key's click on `button`: its callback, when the button is live.
    void press(Button& button);
    // Whether the wallet covers `more` on top of a stake of `stake`: a bet may reach the wallet
    // but never pass it.
    bool walletCovers(int stake, int more) const;
    void addChip(int kind);
    void betAgain();
    void removeChip(int kind);
    void deal();
    void hit();
    void stand();
    void doubleDown();
    void split();
    // Tells the coach, when it is on, of a play the player is making.
    void tellCoach(solver::Action play);
    // What F1 shows: every key, with the choices as they stand now.
    std::vector<std::string> helpLines() const;
    // The coach's line of every round kept: "Career: -$40.00 in 230 rounds".
    std::string careerLine() const;
    // When the sounds of a play are heard: in time with the motion, when it is on.
    TableSound::Timing soundTiming() const;
    // The sound of a chip, when `before` is not the stake on the table now.
    void chipSound(const std::array<int, kChipKinds>& before);
    // Replaces `label` with a fresh texture of `text`, the old one gone first.
    void relabel(TextureHandle& label, const std::string& text);
    // The font the texts are lettered in at labelDensity.
    TTF_Font* letteringFont() const;
};
