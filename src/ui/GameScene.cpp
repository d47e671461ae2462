#include "ui/GameScene.h"

#include <iostream>
#include <string>

#include "ui/EndGame.h"
#include "ui/StatusText.h"
#include "ui/Texture.h"

namespace {

constexpr int kFontSize = 22;
constexpr const char* kFontPath = "./fonts/ds-digit.ttf";

// Draws a text texture at its own size with its top-left corner at (x, y).
void drawText(SDL_Renderer* renderer, const TextureHandle& label, SDL_Point at) {
    SDL_Rect where{at.x, at.y, 0, 0};
    SDL_QueryTexture(label.get(), nullptr, nullptr, &where.w, &where.h);
    SDL_RenderCopy(renderer, label.get(), nullptr, &where);
}

// Draws a text texture at its own size, centred on `centreX`, top at y.
void drawCentredText(SDL_Renderer* renderer, const TextureHandle& label, int centreX, int y) {
    SDL_Rect where{0, y, 0, 0};
    SDL_QueryTexture(label.get(), nullptr, nullptr, &where.w, &where.h);
    where.x = centreX - where.w / 2;
    SDL_RenderCopy(renderer, label.get(), nullptr, &where);
}

// Sets up `button` on frame `frame` of `sheet` at `where`.
void place(Button& button, const TextureHandle& sheet, int frame, SDL_Rect where) {
    button.setup(sheet.get(), frame, where.x, where.y, where.w, where.h);
}

}  // namespace

void GameScene::init(SDL_Renderer* renderer) {
    // Set up a second time, the screen first lets go of everything the first time gave it.
    if (engine != nullptr) {
        cleanup();
    }
    this->renderer = renderer;
    engine = std::make_unique<Game>(renderer);

    bgTexture.reset(loadOpaqueTexture("./images/BG.png", renderer));
    tableTexture.reset(loadOpaqueTexture("./images/TABLE.png", renderer));
    panelTexture.reset(loadOpaqueTexture("./images/CHIPBG.png", renderer));
    chipsTexture.reset(loadTexture("./images/CHIPS.png", renderer));
    arrowsTexture.reset(loadTexture("./images/ARROWS.png", renderer));
    buttonsTexture.reset(loadTexture("./images/BUTTONS.png", renderer));

    TTF_Init();
    font.reset(TTF_OpenFont(kFontPath, kFontSize));
    if (font == nullptr) {
        // The game plays on, every text missing.
        std::cout << "Failed to load font: " << kFontPath << std::endl;
    }

    shownWallet = engine->getWallet();
    pendingBet = 0;

    for (int i = 0; i < kChipKinds; ++i) {
        chipCounts[i] = 0;
        chipCountLabels[i].reset();
        place(chipMinusButtons[i], arrowsTexture, kRemoveFrame, removeChipRect(i));
        place(chipPlusButtons[i], arrowsTexture, kAddFrame, addChipRect(i));
        const int index = i;
        chipMinusButtons[i].setOnClick([this, index] { removeChip(index); });
        chipPlusButtons[i].setOnClick([this, index] { addChip(index); });
    }

    for (TextureHandle* label :
         {&walletLabel, &betLabel, &resultLabel, &playerLabel, &dealerLabel}) {
        label->reset();
    }

    place(dealButton, buttonsTexture, kDealFrame, kDealButtonRect);
    place(exitButton, buttonsTexture, kExitFrame, kExitButtonRect);
    place(hitButton, buttonsTexture, kHitFrame, kHitButtonRect);
    place(standButton, buttonsTexture, kStandFrame, kStandButtonRect);
    place(doubleButton, buttonsTexture, kDoubleFrame, kDoubleButtonRect);
    place(splitButton, buttonsTexture, kSplitFrame, kSplitButtonRect);

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

void GameScene::relabel(TextureHandle& label, const std::string& text) {
    label.reset();
    label.reset(createTextTexture(renderer, font.get(), text));
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
    walletLabel.reset();
    betLabel.reset();
    walletLabel.reset(
        createTextTexture(renderer, font.get(), kWalletLabel + std::to_string(shownWallet)));
    const int shownBet = roundActive ? engine->getBet() : pendingBet;
    betLabel.reset(createTextTexture(renderer, font.get(), kBetLabel + std::to_string(shownBet)));

    for (int i = 0; i < kChipKinds; ++i) {
        relabel(chipCountLabels[i], kChipCountLabel + std::to_string(chipCounts[i]));
    }

    resultLabel.reset();
    if (engine->isRoundOver()) {
        resultLabel.reset(createTextBlockTexture(
            renderer, font.get(),
            breakLines(font.get(), engine->getResultText(), kResultRight - kResultTextAt.x),
            kResultBottom - kResultTextAt.y));
    }

    std::string pText = kPlayerLabel + std::to_string(engine->getPlayerValue());
    if (engine->isSplit()) {
        pText += kSplitLabel + std::to_string(engine->getSplitValue());
    }
    // After a split the value of the second hand goes below when the line would reach the panel.
    playerLabel.reset();
    playerLabel.reset(createTextBlockTexture(
        renderer, font.get(), breakLines(font.get(), pText, kTableWidth - kPlayerTextAt.x)));
    relabel(dealerLabel, kDealerLabel + std::to_string(engine->dealerShownValue()));
}

void GameScene::render(SDL_Renderer* renderer) {
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);

    const SDL_Rect bgRect{0, 0, kWindowWidth, kWindowHeight};
    const SDL_Rect tableRect = kTableRect;
    const SDL_Rect panelRect = kPanelRect;
    SDL_RenderCopy(renderer, bgTexture.get(), nullptr, &bgRect);
    SDL_RenderCopy(renderer, tableTexture.get(), nullptr, &tableRect);
    SDL_RenderCopy(renderer, panelTexture.get(), nullptr, &panelRect);

    engine->renderHands();

    for (int i = 0; i < kChipKinds; ++i) {
        const SDL_Rect chipSrc{kChipCellColumns[i] * kChipWidth, kChipCellRows[i] * kChipHeight,
                               kChipWidth, kChipHeight};
        const SDL_Rect chipDest = chipRect(i);
        SDL_RenderCopy(renderer, chipsTexture.get(), &chipSrc, &chipDest);
        drawCentredText(renderer, chipCountLabels[i], chipDest.x + chipDest.w / 2,
                        chipDest.y + chipDest.h + kChipCountGap);
    }

    if (resultLabel != nullptr) {
        drawText(renderer, resultLabel, kResultTextAt);
    }
    if (dealerLabel != nullptr) {
        drawText(renderer, dealerLabel, kDealerTextAt);
    }
    if (playerLabel != nullptr) {
        drawText(renderer, playerLabel, kPlayerTextAt);
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

    drawCentredText(renderer, walletLabel, kPanelCentreX, kWalletTextY);
    drawCentredText(renderer, betLabel, kPanelCentreX, kBetTextY);
}

// Lets go of everything init gave the screen, in this order: the engine with its card sheet, the
// six pictures, the texts, and last the font and the font library.
void GameScene::cleanup() {
    engine.reset();

    for (TextureHandle* picture : {&bgTexture, &tableTexture, &panelTexture, &chipsTexture,
                                   &arrowsTexture, &buttonsTexture}) {
        picture->reset();
    }
    for (TextureHandle* label :
         {&walletLabel, &betLabel, &resultLabel, &playerLabel, &dealerLabel}) {
        label->reset();
    }
    for (TextureHandle& label : chipCountLabels) {
        label.reset();
    }
    font.reset();
    TTF_Quit();
}
