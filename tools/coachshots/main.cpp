// Draws the coach's screenshots for the README: the real game screen with its real art, in a real
// window, on tables dealt from stacked decks, read back from the renderer into PNG files.
//
// Usage: coach_shots OUT_DIR, run in the run directory (build/run) on a display (Xvfb will do):
//   xvfb-run -s "-screen 0 1024x768x24" ../tools/coach_shots ../../docs
// Writes coach-turn.png (a pair of fives: every play open, each with its value),
// coach-late-deck.png (before a deal late in the deck, after a session of rounds played at the
// coach's best and a pair of fives stood on) and
// coach-split.png (the second hand of a split in play, with its own values).
#include <SDL.h>
#include <SDL_image.h>

#include <iostream>
#include <string>
#include <vector>

#include "ui/GameScene.h"
#include "ui/Layout.h"

namespace {

struct Shots {
    SDL_Renderer* renderer = nullptr;
    GameScene table;
    std::string dir;

    void frame(SDL_Point at, bool clicked) {
        table.handleInput(at.x, at.y, clicked);
        table.update();
        SDL_RenderClear(renderer);
        table.render(renderer);
        SDL_RenderPresent(renderer);
    }
    void click(SDL_Rect button) {
        frame(centreOf(button), true);
        frame(kAwayFromButtons, false);
    }
    void bet(int hundreds) {
        for (int i = 0; i < hundreds; ++i) {
            click(addChipRect(3));
        }
    }
    // Lays `ranksAndSuits` ("5S 6H ...") on top of the deck, the rest of the deck below.
    void stack(const std::string& cards) {
        Deck& deck = *table.engine->deck;
        std::vector<Card*> top;
        for (std::size_t i = 0; i + 1 < cards.size(); i += 3) {
            const int rank = std::string("A23456789TJQK").find(cards[i]) + 1;
            const char suit = cards[i + 1];
            for (Card& card : deck.pack) {
                if (card.rank == rank && card.suit[0] == suit) {
                    top.push_back(&card);
                }
            }
        }
        std::vector<Card*> rest;
        for (Card* card : deck.cards) {
            bool onTop = false;
            for (Card* t : top) {
                onTop = onTop || t == card;
            }
            if (!onTop) {
                rest.push_back(card);
            }
        }
        rest.insert(rest.end(), top.rbegin(), top.rend());
        deck.cards = rest;
    }
    void shot(const std::string& name) {
        // The coach's values all in (its thread waited for), then the frame that shows them.
        table.coaching.coach()->finishWork();
        frame(kAwayFromButtons, false);
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, kWindowWidth, kWindowHeight, 32,
                                                              SDL_PIXELFORMAT_ARGB8888);
        SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, surface->pixels,
                             surface->pitch);
        IMG_SavePNG(surface, (dir + "/" + name).c_str());
        SDL_FreeSurface(surface);
        std::cout << dir << "/" << name << std::endl;
    }
    // Plays the round in play at the coach's best, by the buttons.
    void playAtBest() {
        while (table.roundActive) {
            switch (table.coaching.coach()->decision.best) {
                case solver::Action::Hit:
                    click(kHitButtonRect);
                    break;
                case solver::Action::Double:
                    click(kDoubleButtonRect);
                    break;
                case solver::Action::Split:
                    click(kSplitButtonRect);
                    break;
                default:
                    click(kStandButtonRect);
                    break;
            }
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: coach_shots OUT_DIR (run in the run directory)" << std::endl;
        return 2;
    }
    SDL_Init(SDL_INIT_VIDEO);
    SDL_Window* window = SDL_CreateWindow("Blackjack", SDL_WINDOWPOS_CENTERED,
                                          SDL_WINDOWPOS_CENTERED, kWindowWidth, kWindowHeight, 0);
    Shots shots;
    shots.dir = argv[1];
    shots.renderer = SDL_CreateRenderer(window, -1, 0);
    shots.table.init(shots.renderer);
    shots.table.setCoach(true);
    // The same pack order on every run.
    shots.table.engine->deck->restock({});
    shots.table.engine->deck->seed(2026u);
    shots.table.engine->deck->shuffle();

    // A session at the coach's best until the deck runs down to 18 cards.
    shots.frame(kAwayFromButtons, false);
    while (shots.table.engine->deck->size() > 24) {
        shots.bet(1);
        shots.click(kDealButtonRect);
        shots.playAtBest();
    }
    // Standing on 5,5 against a 6 costs the difference to the double, in the ledger and the
    // round's note.
    shots.bet(1);
    shots.stack("5S 6H 5C 9D TS");
    shots.click(kDealButtonRect);
    shots.shot("coach-turn.png");
    shots.click(kStandButtonRect);
    while (shots.table.engine->deck->size() > 18) {
        shots.bet(1);
        shots.click(kDealButtonRect);
        shots.playAtBest();
    }
    shots.bet(1);
    shots.shot("coach-late-deck.png");

    // Eights against a 7 split: the first hand, 8 and 2, hits twice and stands on 15; the second,
    // 8 and 3, is in play.
    shots.table.engine->deck->restock({});
    shots.table.engine->deck->shuffle();
    shots.stack("8H 7S 8C KD 2C 3D 3H 2S 6D");
    shots.click(kDealButtonRect);
    shots.click(kSplitButtonRect);
    shots.click(kHitButtonRect);
    shots.click(kHitButtonRect);
    shots.click(kStandButtonRect);
    shots.shot("coach-split.png");
    shots.click(kStandButtonRect);

    shots.table.cleanup();
    SDL_DestroyRenderer(shots.renderer);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
