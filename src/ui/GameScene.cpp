#include "ui/GameScene.h"

#include <iostream>
#include <string>

#include "ui/EndGame.h"
#include "ui/StatusText.h"
#include "ui/TableKeys.h"
#include "ui/Texture.h"

namespace {

constexpr const char* kFontPath = "./fonts/ds-digit.ttf";

// Draws a text texture lettered at `density` at its size in table pixels, its top-left corner at
// (x, y).
void drawText(SDL_Renderer* renderer, const TextureHandle& label, int density, SDL_Point at) {
    drawLettering(renderer, label.get(), density,
                  SDL_FPoint{static_cast<float>(at.x), static_cast<float>(at.y)});
}

// Draws a text texture lettered at `density` at its size in table pixels, centred on `centreX`,
// top at y; at density 1 its left edge on a whole pixel, as ever.
void drawCentredText(SDL_Renderer* renderer, const TextureHandle& label, int density, int centreX,
                     int y) {
    const float left = centredLettering(label.get(), density, centreX, 0);
    drawLettering(renderer, label.get(), density, SDL_FPoint{left, static_cast<float>(y)});
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
    } else {
        font2x.reset(TTF_OpenFont(kFontPath, 2 * kFontSize));
    }
    review.init(kFontPath);

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
    hitButton.setOnClick([this] { hit(); });
    standButton.setOnClick([this] { stand(); });
    doubleButton.setOnClick([this] { doubleDown(); });
    splitButton.setOnClick([this] { split(); });
    sharp.setup(renderer, {{"./images/BG.png", true},
                           {"./images/TABLE.png", true},
                           {"./images/CHIPBG.png", true},
                           {"./images/CHIPS.png", false},
                           {"./images/ARROWS.png", false},
                           {"./images/BUTTONS.png", false}});
    if (sharp.held()) {
        engine->loadSharpCardSheet();
    }
    shareSharpPictures();
}

void GameScene::loadSharpPictures(SDL_Renderer* renderer) {
    (void)renderer;
    if (sharp.readMissingWithCards(engine.get())) {
        shareSharpPictures();
    }
}

void GameScene::setDensity(int density) {
    // Told every frame; the buttons, the engine and the coach hear only of a change.
    if (sharp.followWithCards(density, engine.get())) {
        shareSharpPictures();
    }
}

void GameScene::shareSharpPictures() {
    const int density = sharp.density();
    if (engine != nullptr) {
        engine->density = density;
    }
    for (Button* arrow : chipArrows()) {
        arrow->texture2x = sharp.get(kSharpArrows);
        arrow->density = density;
    }
    for (Button* button : actionButtons()) {
        button->texture2x = sharp.get(kSharpButtons);
        button->density = density;
    }
    coaching.setDensity(density);
}

std::array<Button*, GameScene::kChipArrowCount> GameScene::chipArrows() {
    std::array<Button*, kChipArrowCount> arrows{};
    std::size_t next = 0;
    for (int i = 0; i < kChipKinds; ++i) {
        arrows[next++] = &chipMinusButtons[i];
        arrows[next++] = &chipPlusButtons[i];
    }
    return arrows;
}

std::array<Button*, 6> GameScene::actionButtons() {
    return {&dealButton, &exitButton, &hitButton, &standButton, &doubleButton, &splitButton};
}

void GameScene::removeChip(int kind) {
    if (chipCounts[kind] > 0) {
        --chipCounts[kind];
        motion.chipFromBet(kind);
        sounds.chip(soundTiming());
    }
}

bool GameScene::walletCovers(int stake, int more) const {
    // Written as a subtraction so a wallet near the top of the int range cannot overflow the test.
    return more <= shownWallet - stake;
}

void GameScene::addChip(int kind) {
    if (walletCovers(pendingBet, chipValues[kind])) {
        ++chipCounts[kind];
        motion.chipToBet(kind);
        sounds.chip(soundTiming());
    }
}

// The last round's chips replace the ones on the table, when the wallet covers them all.
void GameScene::betAgain() {
    int stake = 0;
    for (int i = 0; i < kChipKinds; ++i) {
        stake += lastChipCounts[i] * chipValues[i];
    }
    if (stake > 0 && walletCovers(0, stake)) {
        chipSound(chipCounts);
        chipCounts = lastChipCounts;
        for (int i = 0; i < kChipKinds; ++i) {
            if (chipCounts[i] > 0) {
                motion.chipToBet(i);
            }
        }
    }
}

void GameScene::deal() {
    if (pendingBet <= 0 || roundActive) {
        return;
    }
    coaching.dealing(*engine, pendingBet);
    sounds.dealing();
    engine->placeBet(pendingBet);
    motion.dealing(engine->getWallet());
    engine->startRound();
    sounds.played(*engine, soundTiming());
    roundActive = true;
    dealEnabled = false;
    playEnabled = true;
    lastChipCounts = chipCounts;
    chipCounts.fill(0);
    pendingBet = 0;
}

void GameScene::tellCoach(solver::Action play) {
    coaching.playing(*engine, play, doubleEnabled, splitEnabled);
}

void GameScene::chipSound(const std::array<int, kChipKinds>& before) {
    if (before != lastChipCounts) {
        sounds.chip(soundTiming());
    }
}

void GameScene::hit() {
    tellCoach(solver::Action::Hit);
    engine->hit();
    sounds.played(*engine, soundTiming());
}

void GameScene::stand() {
    tellCoach(solver::Action::Stand);
    engine->stand();
    sounds.played(*engine, soundTiming());
}

void GameScene::doubleDown() {
    if (engine->getWallet() >= engine->getBet()) {
        tellCoach(solver::Action::Double);
        engine->doubleDown();
        sounds.played(*engine, soundTiming());
    }
}

void GameScene::split() {
    if (engine->getWallet() >= engine->getBet()) {
        tellCoach(solver::Action::Split);
        engine->split();
        sounds.played(*engine, soundTiming());
    }
}

bool GameScene::isLive(const Button& button) const {
    if (&button == &exitButton) {
        return true;
    }
    if (&button == &dealButton) {
        return !roundActive && dealEnabled;
    }
    if (&button == &hitButton || &button == &standButton) {
        return playEnabled;
    }
    if (&button == &doubleButton) {
        return playEnabled && doubleEnabled;
    }
    if (&button == &splitButton) {
        return playEnabled && splitEnabled;
    }
    // The chip arrows.
    return !roundActive;
}

TableSound::Timing GameScene::soundTiming() const {
    if (!motion.isOn()) {
        return TableSound::Timing{};
    }
    const TableMotion::Beat beat = motion.beat();
    return {beat.cardGap, beat.turnSeconds, beat.resultGap, beat.chipSeconds};
}

void GameScene::setCoach(bool on) {
    coaching.turn(on);
}

void GameScene::setKeeping(bool on) {
    coaching.keep(on);
    kept.turn(on);
}

void GameScene::handleInput(int x, int y, bool clicked) {
    engine->pollEvents();
    // A click lands on the table as it is: whatever moves is first where it is going.
    if (clicked) {
        motion.finish();
    }
    // Over the review a click only steps it by its arrows, and nothing under it is hovered.
    if (review.isOpen()) {
        if (clicked) {
            review.handleClick(x, y);
        }
        return;
    }
    // Over the list of keys a click only closes it, and nothing under it is hovered.
    if (help.isOpen()) {
        if (clicked) {
            help.close();
        }
        return;
    }

    // Each button's gate is read when it is offered the click: a deal in the betting buttons
    // makes the play buttons live for the rest of this call.
    for (Button* arrow : chipArrows()) {
        if (isLive(*arrow)) {
            arrow->handleInput(x, y, clicked);
        }
    }
    for (Button* button : actionButtons()) {
        if (isLive(*button)) {
            button->handleInput(x, y, clicked);
        }
    }
}

void GameScene::press(Button& button) {
    if (isLive(button) && button.onClick) {
        button.onClick();
    }
}

void GameScene::handleKey(SDL_Keycode key, Uint16 modifiers) {
    using Kind = TableCommand::Kind;
    const TableCommand command = tableCommandFor(key, modifiers);
    motion.finish();
    if (review.isOpen()) {
        review.handleKey(key);
        return;
    }
    if (help.isOpen()) {
        help.close();
        return;
    }
    if (HelpOverlay::opens(key, modifiers)) {
        help.open(helpLines());
        return;
    }
    switch (command.kind) {
        case Kind::Deal:
            press(dealButton);
            break;
        case Kind::Hit:
            press(hitButton);
            break;
        case Kind::Stand:
            press(standButton);
            break;
        case Kind::Double:
            press(doubleButton);
            break;
        case Kind::Split:
            press(splitButton);
            break;
        case Kind::AddChip:
            press(chipPlusButtons[command.chip]);
            break;
        case Kind::RemoveChip:
            press(chipMinusButtons[command.chip]);
            break;
        case Kind::BetAgain:
            // Where the chip arrows are live.
            if (isLive(chipPlusButtons[0])) {
                betAgain();
            }
            break;
        case Kind::Coach:
            setCoach(!coaching.isOn());
            break;
        case Kind::Motion:
            motion.toggle();
            break;
        case Kind::Slower:
            motion.slower();
            break;
        case Kind::Faster:
            motion.faster();
            break;
        case Kind::Sound:
            sounds.turn(!sounds.isOn());
            break;
        case Kind::VolumeDown:
            sounds.setVolume(sounds.volume() - TableSound::kVolumeStep);
            break;
        case Kind::VolumeUp:
            sounds.setVolume(sounds.volume() + TableSound::kVolumeStep);
            break;
        case Kind::Keeping:
            setKeeping(!keeping());
            break;
        case Kind::Review:
            // Between rounds only: the round in play has no record yet.
            if (!roundActive) {
                review.open(kept.rounds());
            }
            break;
        case Kind::None:
            break;
    }
}

void GameScene::relabel(TextureHandle& label, const std::string& text) {
    label.reset();
    label.reset(createTextTexture(renderer, letteringFont(), text));
}

TTF_Font* GameScene::letteringFont() const {
    return labelDensity == 2 ? font2x.get() : font.get();
}

void GameScene::update() {
    shownWallet = engine->getWallet();

    if (roundActive && engine->isRoundOver()) {
        roundActive = false;
        dealEnabled = true;
        playEnabled = false;
        coaching.settled(*engine);
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

    // The texts are lettered at the output's density, with the 1x font where there is no other.
    labelDensity = sharp.density() == 2 && font2x != nullptr ? 2 : 1;
    TTF_Font* lettering = letteringFont();

    // Both old texts go before either is made again.
    walletLabel.reset();
    betLabel.reset();
    walletLabel.reset(
        createTextTexture(renderer, lettering, kWalletLabel + std::to_string(shownWallet)));
    const int shownBet = roundActive ? engine->getBet() : pendingBet;
    betLabel.reset(createTextTexture(renderer, lettering, kBetLabel + std::to_string(shownBet)));

    for (int i = 0; i < kChipKinds; ++i) {
        relabel(chipCountLabels[i], kChipCountLabel + std::to_string(chipCounts[i]));
    }

    resultLabel.reset();
    if (engine->isRoundOver()) {
        resultLabel.reset(createTextBlockTexture(
            renderer, lettering,
            breakLines(font.get(), engine->getResultText(), kResultRight - kResultTextAt.x),
            labelDensity * (kResultBottom - kResultTextAt.y)));
    }

    std::string pText = kPlayerLabel + std::to_string(engine->getPlayerValue());
    if (engine->isSplit()) {
        pText += kSplitLabel + std::to_string(engine->getSplitValue());
    }
    // After a split the value of the second hand goes below when the line would reach the panel.
    playerLabel.reset();
    playerLabel.reset(createTextBlockTexture(
        renderer, lettering, breakLines(font.get(), pText, kTableWidth - kPlayerTextAt.x)));
    relabel(dealerLabel, kDealerLabel + std::to_string(engine->dealerShownValue()));

    motion.follow(*engine);
    // The rounds the coach finished valuing in the last frame are kept first, so its ledger
    // shows the career with them.
    for (RoundRecord& round : coaching.takeKept()) {
        kept.add(std::move(round));
    }
    coaching.setCareerLine(keeping() ? careerLine() : std::string());
    coaching.update(renderer, kFontPath,
                    {*engine, roundActive, pendingBet, doubleEnabled, splitEnabled, playEnabled});
}

std::string GameScene::careerLine() const {
    const long long rounds = kept.careerRounds();
    return "Career: " + coachDollars(static_cast<double>(kept.careerNet())) + " in " +
           std::to_string(rounds) + (rounds == 1 ? " round" : " rounds");
}

bool GameScene::hasWork() const {
    return coaching.hasWork(roundActive) || motion.needsFrames();
}

void GameScene::render(SDL_Renderer* renderer) {
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);

    const SDL_Rect bgRect{0, 0, kWindowWidth, kWindowHeight};
    const SDL_Rect tableRect = kTableRect;
    const SDL_Rect panelRect = kPanelRect;
    const int density = sharp.density();
    drawPicture(renderer, density, bgTexture.get(), sharp.get(kSharpBg), nullptr, &bgRect);
    drawPicture(renderer, density, tableTexture.get(), sharp.get(kSharpTable), nullptr, &tableRect);
    drawPicture(renderer, density, panelTexture.get(), sharp.get(kSharpPanel), nullptr, &panelRect);

    motion.renderHands(*engine);

    for (int i = 0; i < kChipKinds; ++i) {
        const SDL_Rect chipSrc{kChipCellColumns[i] * kChipWidth, kChipCellRows[i] * kChipHeight,
                               kChipWidth, kChipHeight};
        const SDL_Rect chipDest = chipRect(i);
        drawPicture(renderer, density, chipsTexture.get(), sharp.get(kSharpChips), &chipSrc,
                    &chipDest);
        drawCentredText(renderer, chipCountLabels[i], labelDensity, chipDest.x + chipDest.w / 2,
                        chipDest.y + chipDest.h + kChipCountGap);
    }

    motion.renderChips([&](int kind, const SDL_Rect& dest) {
        const SDL_Rect chipSrc{kChipCellColumns[kind] * kChipWidth,
                               kChipCellRows[kind] * kChipHeight, kChipWidth, kChipHeight};
        drawPicture(renderer, density, chipsTexture.get(), sharp.get(kSharpChips), &chipSrc, &dest);
    });
    if (resultLabel != nullptr) {
        SDL_SetTextureAlphaMod(resultLabel.get(), motion.resultAlpha());
        drawText(renderer, resultLabel, labelDensity, kResultTextAt);
    }
    if (dealerLabel != nullptr) {
        drawText(renderer, dealerLabel, labelDensity, kDealerTextAt);
    }
    if (playerLabel != nullptr) {
        drawText(renderer, playerLabel, labelDensity, kPlayerTextAt);
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

    drawCentredText(renderer, walletLabel, labelDensity, kPanelCentreX, kWalletTextY);
    drawCentredText(renderer, betLabel, labelDensity, kPanelCentreX, kBetTextY);

    coaching.render(renderer);
    motion.renderSpeed(renderer, letteringFont(), labelDensity);
    review.render(renderer, *engine, letteringFont(), labelDensity);
    help.render(renderer, letteringFont(), labelDensity);
}

std::vector<std::string> GameScene::helpLines() const {
    const auto onOff = [](bool on) { return std::string(on ? "ON" : "OFF"); };
    std::string speed = TableMotion::speedName(motion.speed());
    speed = speed.substr(speed.find(' ') + 1);
    return {"KEYS",
            "Enter or Space: DEAL",
            "H, S, D, P: HIT, STAND, DOUBLE, SPLIT",
            "1 to 5: add a chip; with Shift, take one back",
            "R: the last round's chips again",
            "C: the coach, now " + onOff(coaching.isOn()),
            "A: motion, now " + speed,
            "[ and ]: motion slower, faster",
            "M: sound, now " + onOff(sounds.isOn()) + ", volume " +
                std::to_string(sounds.volume()) + "%",
            "- and =: the sound's volume down, up",
            "K: keep every round, now " + onOff(keeping()),
            "V: the review of past rounds",
            "F11 or Alt+Enter: fullscreen and back",
            "F1 or ?: these keys",
            "",
            "Any key or click closes this."};
}

// Lets go of everything init gave the screen, in this order: the engine with its card sheet, the
// coach with its texts and font, the sound device (the sound turned off), the six pictures, the
// texts, and last the font and the font library.
void GameScene::cleanup() {
    // init opened the font library along with the engine; a second cleanup must not close it
    // again, under whoever else still uses it.
    const bool wasSetUp = engine != nullptr;
    engine.reset();
    coaching.cleanup();
    motion.cleanup();
    help.cleanup();
    review.cleanup();
    sounds.cleanup();

    for (TextureHandle* picture : {&bgTexture, &tableTexture, &panelTexture, &chipsTexture,
                                   &arrowsTexture, &buttonsTexture}) {
        picture->reset();
    }
    sharp.release();
    shareSharpPictures();
    for (TextureHandle* label :
         {&walletLabel, &betLabel, &resultLabel, &playerLabel, &dealerLabel}) {
        label->reset();
    }
    for (TextureHandle& label : chipCountLabels) {
        label.reset();
    }
    font.reset();
    font2x.reset();
    if (wasSetUp) {
        TTF_Quit();
    }
}
