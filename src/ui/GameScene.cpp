#include "ui/GameScene.h"

#include <iostream>
#include <string>

#include "ui/EndGame.h"
#include "ui/Texture.h"

namespace {

constexpr int kButtonWidth = 134;
constexpr int kButtonHeight = 48;
constexpr int kArrowWidth = 26;
constexpr int kArrowHeight = 40;
constexpr int kChipWidth = 64;
constexpr int kChipHeight = 66;
constexpr int kFontSize = 22;
constexpr const char* kFontPath = "./fonts/ds-digit.ttf";

// Frames of the button strip and of the arrow strip.
constexpr int kExitFrame = 1;
constexpr int kHitFrame = 2;
constexpr int kStandFrame = 3;
constexpr int kDealFrame = 4;
constexpr int kDoubleFrame = 5;
constexpr int kSplitFrame = 6;
constexpr int kRemoveFrame = 0;
constexpr int kAddFrame = 1;

// The chip column: arrows at these tops, chips 10 pixels higher, cut from these sheet cells.
constexpr int kArrowTops[GameScene::kChipKinds] = {110, 210, 310, 410, 510};
constexpr int kChipTops[GameScene::kChipKinds] = {100, 200, 300, 400, 500};
constexpr int kChipCols[GameScene::kChipKinds] = {1, 3, 4, 0, 1};
constexpr int kChipRows[GameScene::kChipKinds] = {0, 0, 0, 1, 1};
constexpr int kChipX = 885;
constexpr int kChipCentreX = kChipX + kChipWidth / 2;
constexpr int kCountGap = 8;
constexpr int kPanelCentreX = 820 + 204 / 2;

// The status texts on the table. The result text stays left of the dealer and player texts and
// above the dealer's cards, which start at y = 100; the player text stays left of the chip
// panel. A text too wide breaks onto further lines.
constexpr int kTableRight = 820;
constexpr int kResultX = 40;
constexpr int kResultY = 30;
constexpr int kResultRight = 590;
constexpr int kResultBottom = 100;
constexpr int kHandTextsX = 600;
constexpr int kDealerTextY = 30;
constexpr int kPlayerTextY = 60;

// Draws a text texture at its own size with its top-left corner at (x, y).
void drawText(SDL_Renderer* renderer, SDL_Texture* label, int x, int y) {
    SDL_Rect where{x, y, 0, 0};
    SDL_QueryTexture(label, nullptr, nullptr, &where.w, &where.h);
    SDL_RenderCopy(renderer, label, nullptr, &where);
}

// Draws a text texture at its own size, centred on `centreX`, top at y.
void drawCentredText(SDL_Renderer* renderer, SDL_Texture* label, int centreX, int y) {
    SDL_Rect where{0, y, 0, 0};
    SDL_QueryTexture(label, nullptr, nullptr, &where.w, &where.h);
    where.x = centreX - where.w / 2;
    SDL_RenderCopy(renderer, label, nullptr, &where);
}

}  // namespace

void GameScene::init(SDL_Renderer* renderer) {
    this->renderer = renderer;
    engine = std::make_unique<Game>(renderer);

    bgTexture = loadOpaqueTexture("./images/BG.png", renderer);
    tableTexture = loadOpaqueTexture("./images/TABLE.png", renderer);
    panelTexture = loadOpaqueTexture("./images/CHIPBG.png", renderer);
    chipsTexture = loadTexture("./images/CHIPS.png", renderer);
    arrowsTexture = loadTexture("./images/ARROWS.png", renderer);
    buttonsTexture = loadTexture("./images/BUTTONS.png", renderer);

    TTF_Init();
    font = TTF_OpenFont(kFontPath, kFontSize);
    if (font == nullptr) {
        // The game plays on, every text missing.
        std::cout << "Failed to load font: " << kFontPath << std::endl;
    }

    shownWallet = engine->getWallet();
    pendingBet = 0;

    for (int i = 0; i < kChipKinds; ++i) {
        chipCounts[i] = 0;
        chipCountLabels[i] = nullptr;
        chipMinusButtons[i].setup(arrowsTexture, kRemoveFrame, 845, kArrowTops[i], kArrowWidth,
                                  kArrowHeight);
        chipPlusButtons[i].setup(arrowsTexture, kAddFrame, 965, kArrowTops[i], kArrowWidth,
                                 kArrowHeight);
        const int index = i;
        chipMinusButtons[i].setOnClick([this, index] { removeChip(index); });
        chipPlusButtons[i].setOnClick([this, index] { addChip(index); });
    }

    walletLabel = nullptr;
    betLabel = nullptr;
    resultLabel = nullptr;
    playerLabel = nullptr;
    dealerLabel = nullptr;

    dealButton.setup(buttonsTexture, kDealFrame, 845, 620, kButtonWidth, kButtonHeight);
    exitButton.setup(buttonsTexture, kExitFrame, 845, 690, kButtonWidth, kButtonHeight);
    hitButton.setup(buttonsTexture, kHitFrame, 120, 660, kButtonWidth, kButtonHeight);
    standButton.setup(buttonsTexture, kStandFrame, 270, 660, kButtonWidth, kButtonHeight);
    doubleButton.setup(buttonsTexture, kDoubleFrame, 420, 660, kButtonWidth, kButtonHeight);
    splitButton.setup(buttonsTexture, kSplitFrame, 570, 660, kButtonWidth, kButtonHeight);

    dealButton.setOnClick([this] { deal(); });
    exitButton.setOnClick([] { endGame(); });
    hitButton.setOnClick([this] { engine->hit(); });
    standButton.setOnClick([this] { engine->stand(); });
    doubleButton.setOnClick([this] { doubleDown(); });
    splitButton.setOnClick([this] { split(); });
}

void GameScene::removeChip(int kind) {
    if (chipCounts[kind] > 0) {
        --chipCounts[kind];
    }
}

void GameScene::addChip(int kind) {
    // The stake may reach the wallet but never pass it. Written as a subtraction so a wallet
    // near the top of the int range cannot overflow the test.
    if (chipValues[kind] <= shownWallet - pendingBet) {
        ++chipCounts[kind];
    }
}

void GameScene::deal() {
    if (pendingBet <= 0 || roundActive) {
        return;
    }
    engine->placeBet(pendingBet);
    engine->startRound();
    roundActive = true;
    dealEnabled = false;
    playEnabled = true;
    chipCounts.fill(0);
    pendingBet = 0;
}

void GameScene::doubleDown() {
    if (engine->getWallet() >= engine->getBet()) {
        engine->doubleDown();
    }
}

void GameScene::split() {
    if (engine->getWallet() >= engine->getBet()) {
        engine->split();
    }
}

void GameScene::handleInput(int x, int y, bool clicked) {
    engine->pollEvents();

    // Each flag is read when it is tested: a deal in the betting block makes the play buttons
    // live for the rest of this call.
    if (!roundActive) {
        for (int i = 0; i < kChipKinds; ++i) {
            chipMinusButtons[i].handleInput(x, y, clicked);
            chipPlusButtons[i].handleInput(x, y, clicked);
        }
        if (dealEnabled) {
            dealButton.handleInput(x, y, clicked);
        }
    }

    exitButton.handleInput(x, y, clicked);

    if (!playEnabled) {
        return;
    }
    hitButton.handleInput(x, y, clicked);
    standButton.handleInput(x, y, clicked);
    if (doubleEnabled) {
        doubleButton.handleInput(x, y, clicked);
    }
    if (splitEnabled) {
        splitButton.handleInput(x, y, clicked);
    }
}

void GameScene::dropLabel(SDL_Texture*& label) {
    if (label != nullptr) {
        SDL_DestroyTexture(label);
        label = nullptr;
    }
}

void GameScene::relabel(SDL_Texture*& label, const std::string& text) {
    dropLabel(label);
    label = createTextTexture(renderer, font, text);
}

void GameScene::update() {
    shownWallet = engine->getWallet();

    if (roundActive && engine->isRoundOver()) {
        roundActive = false;
        dealEnabled = true;
        playEnabled = false;
    }

    // DOUBLE and SPLIT are live only when they can act: the rules allow them and the wallet
    // covers the stake once more.
    const bool walletCoversStake = engine->getWallet() >= engine->getBet();
    doubleEnabled = engine->canDouble() && walletCoversStake;
    splitEnabled = engine->canSplit() && walletCoversStake;

    pendingBet = 0;
    for (int i = 0; i < kChipKinds; ++i) {
        pendingBet += chipCounts[i] * chipValues[i];
    }

    // Both old texts go before either is made again.
    dropLabel(walletLabel);
    dropLabel(betLabel);
    walletLabel = createTextTexture(renderer, font, "Wallet: " + std::to_string(shownWallet));
    const int shownBet = roundActive ? engine->getBet() : pendingBet;
    betLabel = createTextTexture(renderer, font, "Bet: " + std::to_string(shownBet));

    for (int i = 0; i < kChipKinds; ++i) {
        relabel(chipCountLabels[i], "x" + std::to_string(chipCounts[i]));
    }

    dropLabel(resultLabel);
    if (engine->isRoundOver()) {
        resultLabel = createTextBlockTexture(
            renderer, font, breakLines(font, engine->getResultText(), kResultRight - kResultX),
            kResultBottom - kResultY);
    }

    std::string pText = "Player: " + std::to_string(engine->getPlayerValue());
    if (engine->isSplit()) {
        pText += " | Split: " + std::to_string(engine->getSplitValue());
    }
    // After a split the value of the second hand goes below when the line would reach the panel.
    dropLabel(playerLabel);
    playerLabel =
        createTextBlockTexture(renderer, font, breakLines(font, pText, kTableRight - kHandTextsX));
    relabel(dealerLabel, "Dealer: " + std::to_string(engine->dealerShownValue()));
}

void GameScene::render(SDL_Renderer* renderer) {
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);

    const SDL_Rect bgRect{0, 0, 1024, 768};
    const SDL_Rect tableRect{0, 0, 820, 650};
    const SDL_Rect panelRect{820, 0, 204, 768};
    SDL_RenderCopy(renderer, bgTexture, nullptr, &bgRect);
    SDL_RenderCopy(renderer, tableTexture, nullptr, &tableRect);
    SDL_RenderCopy(renderer, panelTexture, nullptr, &panelRect);

    engine->renderHands();

    for (int i = 0; i < kChipKinds; ++i) {
        const SDL_Rect chipSrc{kChipCols[i] * kChipWidth, kChipRows[i] * kChipHeight, kChipWidth,
                               kChipHeight};
        const SDL_Rect chipDest{kChipX, kChipTops[i], kChipWidth, kChipHeight};
        SDL_RenderCopy(renderer, chipsTexture, &chipSrc, &chipDest);
        drawCentredText(renderer, chipCountLabels[i], kChipCentreX,
                        kChipTops[i] + kChipHeight + kCountGap);
    }

    if (resultLabel != nullptr) {
        drawText(renderer, resultLabel, kResultX, kResultY);
    }
    if (dealerLabel != nullptr) {
        drawText(renderer, dealerLabel, kHandTextsX, kDealerTextY);
    }
    if (playerLabel != nullptr) {
        drawText(renderer, playerLabel, kHandTextsX, kPlayerTextY);
    }

    for (int i = 0; i < kChipKinds; ++i) {
        chipMinusButtons[i].render(renderer);
        chipPlusButtons[i].render(renderer);
    }
    if (dealEnabled) {
        dealButton.render(renderer);
    }
    exitButton.render(renderer);
    if (playEnabled) {
        hitButton.render(renderer);
        standButton.render(renderer);
        if (doubleEnabled) {
            doubleButton.render(renderer);
        }
        if (splitEnabled) {
            splitButton.render(renderer);
        }
    }

    drawCentredText(renderer, walletLabel, kPanelCentreX, 30);
    drawCentredText(renderer, betLabel, kPanelCentreX, 65);
}

void GameScene::cleanup() {
    engine.reset();

    SDL_DestroyTexture(bgTexture);
    SDL_DestroyTexture(tableTexture);
    SDL_DestroyTexture(panelTexture);
    SDL_DestroyTexture(chipsTexture);
    SDL_DestroyTexture(arrowsTexture);
    SDL_DestroyTexture(buttonsTexture);

    for (SDL_Texture** label :
         {&walletLabel, &betLabel, &resultLabel, &playerLabel, &dealerLabel}) {
        dropLabel(*label);
    }
    for (SDL_Texture*& label : chipCountLabels) {
        dropLabel(label);
    }
    TTF_CloseFont(font);
}
