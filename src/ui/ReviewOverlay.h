#pragma once

#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_ttf.h>

#include "history/RoundRecord.h"
#include "rules/Game.h"
#include "ui/MoneyChart.h"
#include "ui/ReviewCursor.h"
#include "ui/SdlHandle.h"

// V between rounds: the rounds kept, one at a time over a darkened table, each as it ended (the
// cards, the result line, the net), every decision in it with the value of each play, the best
// and the one chosen marked, and what the choice cost; beside it the session's money against what
// the edge and the decisions made it expected. Left and Right step through the rounds, Up and Down
// jump to the decisions that cost something, Escape or V closes it.
class ReviewOverlay {
public:
    // The panel, and the two arrows in it that step to an older and a newer round.
    static constexpr SDL_Rect kPanel{24, 16, 976, 736};
    static constexpr SDL_Rect kOlderArrow{40, 24, 32, 32};
    static constexpr SDL_Rect kNewerArrow{952, 24, 32, 32};
    // Where the dealer's cards and the player's hands (both, after a split) are drawn.
    static constexpr SDL_Rect kDealerCards{48, 92, 460, 98};
    static constexpr SDL_Rect kPlayerCards{48, 224, 460, 98};
    // The session's chart.
    static constexpr SDL_Rect kChart{530, 96, 446, 208};
    // The most decisions shown at once; more are shown around the one marked.
    static constexpr int kDecisionRows = 10;

    // The point size of its tables of figures, smaller than the table's texts.
    static constexpr int kSmallFontSize = 17;

    // Opens the game's font at kSmallFontSize, and at twice that for density 2. Without it every
    // text is lettered in the font render is given.
    void init(const char* fontPath);
    // Opens it on the last of `rounds` (oldest first), none marked.
    void open(std::vector<RoundRecord> rounds);
    bool isOpen() const { return open_; }
    void close() { open_ = false; }

    // Every key while it is open (none reaches the table); false while it is closed.
    bool handleKey(SDL_Keycode key);
    // A click at (x, y) in table pixels: the arrows step as Left and Right do; a click anywhere
    // else does nothing (the player may be reading).
    void handleClick(int x, int y);
    // Draws it, the cards with `game`'s card pictures; the texts are lettered in `font` at
    // `density` once each time what is shown changes.
    void render(SDL_Renderer* renderer, Game& game, TTF_Font* font, int density);
    // Closes it and lets go of its texts and fonts (before the font library goes); init opens
    // the fonts again.
    void cleanup();

    const std::vector<RoundRecord>& rounds() const { return cursor_.rounds(); }
    // The round shown (its place in rounds()), -1 when there is none.
    int shownRound() const { return cursor_.round(); }
    // The decision marked in the shown round, -1 when none is.
    int markedDecision() const { return cursor_.marked(); }
    // The first decision of the shown round listed, when it holds more than kDecisionRows.
    int firstDecisionRow() const;

private:
    struct Label {
        TextureHandle texture;
        SDL_FPoint at;
    };
    // Where label text goes on its point: from its left edge, centred on it, or ending there.
    enum class Align { Left, Centre, Right };

    // The chart follows the round shown, and every text is lettered again.
    void moved();
    void letter(SDL_Renderer* renderer, TTF_Font* font, int density);
    void letterRound(const RoundRecord& round);
    void letterDecisions(const RoundRecord& round);
    void letterChart(const RoundRecord& round);
    // Letters `text` in `colour` at `at` (table pixels), in the small font unless `large`, and
    // returns its box.
    SDL_FRect addLabel(const std::string& text, SDL_FPoint at, SDL_Color colour,
                       Align align = Align::Left, bool large = false);
    void drawCards(Game& game, const RoundRecord& round) const;
    void drawArrows(SDL_Renderer* renderer) const;

    bool open_ = false;
    ReviewCursor cursor_;
    MoneyChart chart_;
    FontHandle small_;
    FontHandle small2x_;

    // What the labels were lettered for; any change letters them again.
    bool stale_ = true;
    TTF_Font* labelledFont_ = nullptr;
    int labelledDensity_ = 0;
    // While lettering: where and how.
    SDL_Renderer* letteringRenderer_ = nullptr;
    TTF_Font* letteringFont_ = nullptr;
    TTF_Font* letteringSmall_ = nullptr;
    int letteringDensity_ = 1;
    std::vector<Label> labels_;
    // The chosen plays' boxes and the marked decision's band, in table pixels.
    std::vector<SDL_FRect> chosenBoxes_;
    SDL_FRect markedBand_{0, 0, 0, 0};
};
