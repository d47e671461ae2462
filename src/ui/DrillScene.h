#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_ttf.h>

#include "app/Scene.h"
#include "coach/DrillDealer.h"
#include "history/KeptRounds.h"
#include "rules/Game.h"
#include "ui/Button.h"
#include "ui/SdlHandle.h"
#include "ui/SharpPictures.h"

// The drill table: the game screen's table and art without the wallet or the chips. Each drill
// lays the dealer's up card and its face-down hole card, the player's two cards, and the cards
// seen since the shuffle as a small row beside them; HIT, STAND, DOUBLE and SPLIT (or H, S, D and
// P) answer it while the rules allow the play. The answer is graded at once and stays shown, its
// every play's value under the buttons, until the next answer; the panel keeps the score. Escape
// goes back to the menu. The screen owns its engine (for the card pictures), pictures, fonts and
// texts from init to cleanup, which lets them all go.
class DrillScene : public Scene {
public:
    void init(SDL_Renderer* renderer) override;
    void handleInput(int x, int y, bool clicked) override;
    // H, S, D and P as a click on their button would, and not at all while it is not live;
    // Escape asks for the menu. Every other key means nothing here.
    void handleKey(SDL_Keycode key, Uint16 modifiers) override;
    // 2 draws the pictures of ./images/2x/ and letters the texts at twice the point size, from
    // the next update on; 1 the table's own.
    void setDensity(int density) override;
    // Does nothing before init, which loads them itself.
    void loadSharpPictures(SDL_Renderer* renderer) override;
    // While the next drill is still being worked out.
    bool hasWork() const override;
    // Works on the next drill for a few milliseconds while it is not ready, then letters the
    // texts of what is shown.
    void update() override;
    void render(SDL_Renderer* renderer) override;
    void cleanup() override;

    // Escape was pressed: the shell goes back to the menu.
    bool shouldReturnToMenu() const { return returnToMenu; }

    // The seed of a new table's dealer: BLACKJACK_DECK_SEED when it is a number (the end-to-end
    // tests answer the same drills in every run), otherwise a random one.
    static std::uint32_t drillSeed();
    // The longest a frame's update works on the next drill.
    static constexpr int kPrepareMillis = 3;

    // The rounds kept, when the shell has them: with keeping on, the dealer learns from them
    // before the first drill, and each answer is added to them (a line of history.jsonl).
    KeptRounds* kept = nullptr;
    DrillDealer dealer{drillSeed()};

    // The last answer's grade, shown until the next answer; none before the first.
    std::optional<DrillGrade> lastGrade;
    // The texts shown, as the last update lettered them: the grade (or, before the first answer,
    // how to answer), the hand and the up card's values, the seen cards' caption, the panel's
    // score lines, and by solver::Action the graded drill's play values, one or two lines each.
    std::string gradeText;
    std::string dealerText;
    std::string playerText;
    std::string seenText;
    std::vector<std::string> scoreLines;
    std::array<std::vector<std::string>, 4> playLines;

    SDL_Renderer* renderer = nullptr;
    std::unique_ptr<Game> engine;
    TextureHandle bgTexture;
    TextureHandle tableTexture;
    TextureHandle panelTexture;
    TextureHandle buttonsTexture;
    SharpPictures sharp;
    // By solver::Action: STAND, HIT, DOUBLE, SPLIT.
    std::array<Button, 4> playButtons;
    FontHandle font;
    FontHandle font2x;
    // The smaller font of the coach's texts, for the caption, the play values and the hint.
    FontHandle smallFont;
    FontHandle smallFont2x;
    int labelDensity = 1;

private:
    // A text and its lettering, made again only when the text or the density changes.
    struct Lettered {
        std::string shown;
        int density = 0;
        TextureHandle label;
    };
    enum SharpPicture : std::size_t { kSharpBg, kSharpTable, kSharpPanel, kSharpButtons };

    void shareSharpPictures();
    // Whether `play` can be answered now: a drill is ready and the rules allow the play.
    bool isLive(solver::Action play) const;
    void answer(solver::Action play);
    // The texts of the drill asked and the last grade, as strings.
    void composeTexts();
    // Makes `text` show `line`, in the smaller font or the table's, anew only when it changed:
    // with a `width`, one line for each piece between line ends, each broken further to fit it,
    // the lines closer together where that keeps them within `maxHeight`.
    void letter(Lettered& text, const std::string& line, bool small, int width = 0,
                int maxHeight = 0);
    TTF_Font* letteringFont(bool small) const;
    // The drill's cards: the dealer's up card and hole card, the hand, and the seen cards.
    void renderDrill();
    void renderPlayValues(SDL_Renderer* renderer) const;

    bool returnToMenu = false;
    bool learned = false;
    Lettered gradeLabel;
    Lettered dealerLabel;
    Lettered playerLabel;
    Lettered seenLabel;
    std::array<Lettered, 2> hintLabels;
    std::vector<Lettered> scoreLabels;
    std::array<std::array<Lettered, 2>, 4> playLabels;
};
