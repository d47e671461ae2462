// The engine's card drawing, checked on a software renderer with a card sheet whose every cell is
// one solid colour that names the cell, so each pixel tells which cell was drawn there.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "rules/CardSheet.h"
#include "rules/Game.h"
#include "rules/TableLayout.h"
#include "support/ScratchDir.h"
#include "support/Screen.h"
#include "support/StackedDeck.h"

namespace {

constexpr int kWidth = kScreenWidth;
constexpr int kHeight = kScreenHeight;
constexpr int kNoCard = -1;

// The sheet at twice the size names its cells this much higher.
constexpr int kSharpCell = 64;

// Red holds the cell number; green and blue mark a pixel as coming from the sheet. At `density`
// 2 every cell is twice the size each way and named kSharpCell higher.
SDL_Surface* makeSheetSurface(int density = 1) {
    SDL_Surface* sheet = SDL_CreateRGBSurfaceWithFormat(
        0, density * kSheetWidth, density * kSheetHeight, 32, SDL_PIXELFORMAT_ARGB8888);
    for (int cell = 0; cell < kSheetColumns * kSheetRows; ++cell) {
        const SDL_Rect rect{density * cellX(cell), density * cellY(cell), density * kCardWidth,
                            density * kCardHeight};
        const int name = density == 2 ? cell + kSharpCell : cell;
        SDL_FillRect(sheet, &rect, SDL_MapRGB(sheet->format, name, 0xC3, 0x3C));
    }
    return sheet;
}

class CardDrawing : public testing::Test {
protected:
    void SetUp() override {
        game = std::make_unique<Game>(nullptr);
        game->renderer = renderer;
        SDL_Surface* sheet = makeSheetSurface();
        game->cardTexture = SDL_CreateTextureFromSurface(renderer, sheet);
        SDL_FreeSurface(sheet);
        ASSERT_NE(game->cardTexture, nullptr) << SDL_GetError();
    }

    void TearDown() override {
        game.reset();  // destroys the sheet texture while its renderer still exists
    }

    // Clears the frame, runs `draw` and reads the frame back.
    template <typename Draw>
    void frame(Draw draw) {
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        draw();
        pixels.assign(kWidth * kHeight, 0);
        SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(),
                             kWidth * 4);
    }
    void drawTable() {
        frame([&] { game->renderHands(); });
    }

    int cellAt(int x, int y) const {
        if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) {
            return kNoCard;
        }
        const Uint32 p = pixels[y * kWidth + x];
        return (p & 0xFFFF) == 0xC33C ? static_cast<int>((p >> 16) & 0xFF) : kNoCard;
    }

    // The card's top-left corner is at (x, y): the cell starts exactly there.
    void expectCorner(int cell, int x, int y) const {
        EXPECT_EQ(cellAt(x, y), cell) << "at (" << x << ", " << y << ")";
        EXPECT_NE(cellAt(x - 1, y), cell) << "left of (" << x << ", " << y << ")";
        EXPECT_NE(cellAt(x, y - 1), cell) << "above (" << x << ", " << y << ")";
    }

    // The whole cell, unscaled and cut at the cell's edges, lies at (x, y).
    void expectWholeCard(int cell, int x, int y) const {
        expectCorner(cell, x, y);
        EXPECT_EQ(cellAt(x + kCardWidth - 1, y + kCardHeight - 1), cell)
            << "bottom right of " << cell;
        EXPECT_NE(cellAt(x + kCardWidth, y + kCardHeight - 1), cell);
        EXPECT_NE(cellAt(x + kCardWidth - 1, y + kCardHeight), cell);
    }

    bool blank() const {
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                if (cellAt(x, y) != kNoCard) {
                    return false;
                }
            }
        }
        return true;
    }

    // Deals a round from a stacked deck: player, dealer, player, dealer, then the rest in order.
    void deal(const std::string& cards) {
        stackDeck(*game->deck, cards);
        game->placeBet(10);
        game->startRound();
    }

    Screen screen;
    SDL_Renderer* renderer = screen.renderer();
    std::unique_ptr<Game> game;
    std::vector<Uint32> pixels;
};

// The cell of the card named `name` ("AS"), as the sheet lays it out.
int sheetCell(const std::string& name) {
    Deck deck;
    const Card* card = findCard(deck, name);
    return card == nullptr ? kNoCard : sheetCell(*card);
}

TEST_F(CardDrawing, EveryCardOfTheDeckHasItsOwnCell) {
    std::set<int> cells;
    for (const Card& card : game->deck->pack) {
        frame([&] { game->renderCard(card.rank, card.suit, 200, 150); });
        cells.insert(cellAt(200, 150));
        expectWholeCard(cellAt(200, 150), 200, 150);
    }
    EXPECT_EQ(cells.size(), 52u);
    EXPECT_EQ(*cells.begin(), 2);
    EXPECT_EQ(*cells.rbegin(), 53);

    for (const std::string& name : cardNames("2C AC TH KS AS QD 7H")) {
        const Card* card = findCard(*game->deck, name);
        frame([&] { game->renderCard(card->rank, card->suit, 0, 0); });
        expectWholeCard(sheetCell(name), 0, 0);
    }
}

// The sheet runs Clubs from cell 2, then Diamonds, Hearts and Spades, each from its 2 up to its
// king and then its ace.
TEST_F(CardDrawing, EachSuitRunsFromItsTwoToItsAce) {
    const std::pair<const char*, int> cells[] = {{"2C", 2},  {"KC", 13}, {"AC", 14}, {"2D", 15},
                                                 {"AD", 27}, {"2H", 28}, {"TH", 36}, {"2S", 41},
                                                 {"KS", 52}, {"AS", 53}};
    for (const auto& [name, cell] : cells) {
        const Card* card = findCard(*game->deck, name);
        ASSERT_NE(card, nullptr);
        frame([&] { game->renderCard(card->rank, card->suit, 0, 0); });
        expectWholeCard(cell, 0, 0);
    }
}

// At density 2 the cards come from the sheet at twice the size, the same cell into the same place;
// without that sheet, and at density 1, from the table's own.
TEST_F(CardDrawing, DensityTwoCutsTheSameCellFromTheSharpSheet) {
    SDL_Surface* sharp = makeSheetSurface(2);
    game->cardTexture2x = SDL_CreateTextureFromSurface(renderer, sharp);
    SDL_FreeSurface(sharp);
    ASSERT_NE(game->cardTexture2x, nullptr) << SDL_GetError();
    deal("AS 9C KH 7D 2C");
    game->dealerRevealed = true;
    for (int density : {2, 1}) {
        game->density = density;
        drawTable();
        const int offset = density == 2 ? kSharpCell : 0;
        expectCorner(sheetCell("AS") + offset, kPlayerX, kPlayerY);
        expectWholeCard(sheetCell("KH") + offset, kPlayerX + kFanStepX, kPlayerY + kFanStepY);
        expectCorner(sheetCell("7D") + offset, kDealerX + kFanStepX, kDealerY + kFanStepY);
    }
    SDL_DestroyTexture(game->cardTexture2x);
    game->cardTexture2x = nullptr;
    game->density = 2;
    drawTable();
    expectWholeCard(sheetCell("KH"), kPlayerX + kFanStepX, kPlayerY + kFanStepY);
}

TEST_F(CardDrawing, OddRanksAndSuitsFallBackToTheFirstCells) {
    frame([&] { game->renderCard(0, "Hearts", 10, 20); });
    expectWholeCard(sheetCell("2H"), 10, 20);  // rank 0 draws as the two
    frame([&] { game->renderCard(5, "hearts", 10, 20); });
    expectWholeCard(3, 10, 20);  // an unknown suit counts from cell 0
    frame([&] { game->renderCardBack(500, 400); });
    expectWholeCard(0, 500, 400);
}

TEST_F(CardDrawing, AnEmptyTableOrAMissingSheetDrawsNothing) {
    drawTable();
    EXPECT_TRUE(blank());

    SDL_DestroyTexture(game->cardTexture);
    game->cardTexture = nullptr;
    deal("TS 9H 7D 8C");
    drawTable();
    EXPECT_TRUE(blank());
}

TEST_F(CardDrawing, TheHoleCardIsFaceDownUntilTheDealerPlays) {
    deal("TS 9H 7D 5C QH");
    drawTable();
    expectCorner(sheetCell("9H"), 30, 100);
    expectWholeCard(0, 70, 105);
    expectCorner(sheetCell("TS"), 30, 300);
    expectWholeCard(sheetCell("7D"), 70, 305);
    EXPECT_EQ(cellAt(230, 320), kNoCard);  // no second hand before a split

    game->stand();  // the dealer turns 5 and draws the queen
    drawTable();
    expectCorner(sheetCell("9H"), 30, 100);
    expectCorner(sheetCell("5C"), 70, 105);
    expectWholeCard(sheetCell("QH"), 110, 110);
}

TEST_F(CardDrawing, OnlyTheDealersSecondCardIsEverFaceDown) {
    game->dealer.addCard(findCard(*game->deck, "KD"));
    drawTable();
    expectWholeCard(sheetCell("KD"), 30, 100);

    game->dealer.addCard(findCard(*game->deck, "4S"));
    game->dealer.addCard(findCard(*game->deck, "2S"));
    drawTable();
    expectCorner(0, 70, 105);
    expectWholeCard(sheetCell("2S"), 110, 110);
}

TEST_F(CardDrawing, TheHandInPlaySitsHigherAfterASplit) {
    // Split eights: the first hand gets 2 and then 3 by a hit, the second a king.
    deal("8S 9H 8D 7C 2H KD 3H");
    game->split();
    game->hit();
    drawTable();
    expectCorner(sheetCell("8S"), 30, 300);
    expectWholeCard(sheetCell("3H"), 110, 310);
    expectCorner(sheetCell("8D"), 230, 320);
    expectWholeCard(sheetCell("KD"), 270, 325);

    game->stand();  // on to the second hand
    drawTable();
    expectCorner(sheetCell("8S"), 30, 320);
    expectCorner(sheetCell("3H"), 110, 330);
    expectCorner(sheetCell("8D"), 230, 300);
    expectWholeCard(sheetCell("KD"), 270, 305);

    game->stand();  // settled: the table stays as it was, the hole card face up
    drawTable();
    expectCorner(sheetCell("3H"), 110, 330);
    expectCorner(sheetCell("8D"), 230, 300);
    expectCorner(sheetCell("7C"), 70, 105);
}

TEST_F(CardDrawing, TheSecondHandIsDrawnOnlyWhileSplitAndBeyondALongFirstHand) {
    Deck& deck = *game->deck;
    for (const std::string& name : cardNames("2S 2H 3S 3H AS AH")) {
        game->player.addCard(findCard(deck, name));
    }
    game->splitHand.addCard(findCard(deck, "KC"));
    drawTable();
    expectWholeCard(sheetCell("AH"), 230, 325);  // the sixth card; no second hand shown

    game->splitActive = true;
    game->splitDone = true;
    drawTable();
    // The first hand reaches past x = 230: the second starts 20 pixels beyond its last card.
    expectWholeCard(sheetCell("AH"), 230, 325);
    expectWholeCard(sheetCell("KC"), 230 + 117 + 20, 320);
}

// The engine reads its sheet from ./images/CARDS.png under the working directory.
TEST_F(CardDrawing, TheEngineLoadsTheCardSheetFromTheWorkingDirectory) {
    const ScratchDir dir;
    SDL_Surface* sheet = makeSheetSurface();
    ASSERT_EQ(IMG_SavePNG(sheet, "images/CARDS.png"), 0) << IMG_GetError();
    SDL_FreeSurface(sheet);

    game = std::make_unique<Game>(renderer);
    std::filesystem::current_path("images");  // no images/ below this one
    const Game withoutSheet(renderer);

    EXPECT_EQ(withoutSheet.cardTexture, nullptr);
    ASSERT_NE(game->cardTexture, nullptr);
    frame([&] { game->renderCard(13, "Spades", 40, 50); });
    expectWholeCard(52, 40, 50);
}

}  // namespace
