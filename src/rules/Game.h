#pragma once

#include <memory>
#include <string>

#include <SDL.h>

#include "rules/Deck.h"
#include "rules/Hand.h"
#include "rules/Rules.h"

// The blackjack engine: one player against the dealer, a wallet, the stake of the round, the
// player's hand (and a second one after a split), the dealer's hand, dealer play to 17 and
// settlement. Every action runs to completion: once the player's turn ends the dealer has played
// and the round is settled before the call returns.
//
// The engine checks only what its operations say; the caller keeps the rest of the contract:
// placeBet then startRound only between rounds and with an amount above 0; hit, stand,
// doubleDown and split only during the player's turn; doubleDown only when canDouble() holds and
// the wallet covers the stake; split only when the wallet covers the stake.
class Game {
public:
    // Reads the card sheet with `renderer`; a sheet that cannot be read prints "Failed to load
    // texture: ./images/CARDS.png" on standard output. The sheet at twice the size is read too,
    // without a word when it is missing. A null renderer (or a missing sheet) leaves
    // `cardTexture` null and the rules work unchanged. A program that never draws can do without
    // SDL2_image: this constructor comes in two kinds, one per library, and every program that
    // makes a Game links one of them (src/CMakeLists.txt).
    explicit Game(SDL_Renderer* renderer);
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Takes `amount` from the wallet as the round's stake, unchecked.
    void placeBet(int amount);
    // Clears the table and deals two cards each; a natural is settled at once.
    void startRound();
    // One card to the hand the player is on; a bust moves on or ends the turn.
    void hit();
    // Ends play on the current hand; after the last one the dealer plays and the round settles.
    void stand();
    // Doubles the stake, takes exactly one card and stands.
    void doubleDown();
    // Splits a pair into two hands with a stake each; does nothing unless canSplit().
    void split();
    // Pays the round into the wallet and writes the result text. Called by stand() only.
    void settle();
    // Pumps SDL's queue and drops every waiting event the main loop does not read; a window
    // close, keys going down, pointer moves and button presses stay queued for it.
    void pollEvents();

    bool canDouble() const;
    bool canSplit() const;
    // The dealer's value as the player may see it: the up card alone until the hole card is
    // revealed.
    int dealerShownValue() const;
    int getBet() const { return bet; }
    int getWallet() const { return wallet; }
    int getPlayerValue() const { return player.value; }
    int getSplitValue() const { return splitHand.value; }
    bool isRoundOver() const { return roundOver; }
    bool isSplit() const { return splitActive; }
    std::string getResultText() const { return resultText; }

    // Draws the three hands from the card sheet: the dealer's at (30, 100) with the hole card face
    // down until revealed, the player's at (30, 300), the split hand at (230, 300), or 20 pixels
    // right of the first hand's last card once that reaches x = 230; each card steps 40 right
    // (the two player hands less, when together they would pass the table's right edge) and 5
    // down, and the hand not being played sits 20 lower.
    void renderHands();
    // The three hands of the table, by number.
    enum class HandOnTable { Dealer, Player, Split };
    // How many of each hand's cards to draw, from the first: the rest are on their way to the
    // table (the table's motion draws them). All of them by default.
    struct CardsShown {
        int dealer = kAllCards;
        int player = kAllCards;
        int split = kAllCards;
        static constexpr int kAllCards = 1 << 20;
    };
    void renderHands(const CardsShown& shown);
    // Where card `index` of `hand` lies on the table as the hands are now, its top-left corner.
    SDL_Point cardPlace(HandOnTable hand, int index) const;
    void renderCard(int rank, const std::string& suit, int x, int y);
    void renderCardBack(int x, int y);
    // Draws `card` (its back when null) into `dest`, of any size: a card turning over is drawn
    // narrower.
    void renderCardIn(const Card* card, const SDL_Rect& dest);
    // Reads cardTexture2x when it is still null and the engine has a renderer. The table calls it
    // when its output first calls for twice the density (the web page fetches the 2x pictures
    // later, and the table calls it again then); the engine itself reads only the 1x sheet.
    void loadSharpCardSheet();
    // Lets cardTexture2x go, for an output back at the table's own density.
    void releaseSharpCardSheet();

    SDL_Renderer* renderer = nullptr;
    SDL_Texture* cardTexture = nullptr;
    // The card sheet at twice the size (./images/2x/CARDS.png, every cell doubled), drawn in place
    // of cardTexture while `density` is 2; null when it could not be read, and the 1x sheet serves.
    SDL_Texture* cardTexture2x = nullptr;
    int density = 1;
    std::unique_ptr<Deck> deck;
    Hand player;
    Hand dealer;
    Hand splitHand;
    bool roundOver = false;
    bool dealerRevealed = false;
    bool splitActive = false;
    bool splitDone = false;
    bool playingSplit = false;
    int bet = 0;
    int wallet = kStartingWallet;
    std::string resultText;

private:
    // The engine with everything but its card sheet, where both kinds of the public constructor
    // start.
    struct WithoutCardSheet {};
    Game(SDL_Renderer* renderer, WithoutCardSheet);

    // Draws the sheet's `cell` into `dest`, from the sheet of `density`.
    void drawCell(int cell, const SDL_Rect& dest);

    // The next card for a hand. An empty deck is first refilled with every card not on the
    // table, so a hand never receives a null card.
    Card* nextCard();
};
