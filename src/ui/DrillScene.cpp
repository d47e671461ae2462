#include "ui/DrillScene.h"

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <random>

#include "ui/CoachView.h"
#include "ui/Layout.h"
#include "ui/TableKeys.h"
#include "ui/Texture.h"

namespace {

constexpr const char* kFontPath = "./fonts/ds-digit.ttf";

// The play buttons by solver::Action, with their frames of the button sheet.
constexpr std::array<SDL_Rect, 4> kPlayButtonRects{kStandButtonRect, kHitButtonRect,
                                                   kDoubleButtonRect, kSplitButtonRect};
constexpr std::array<int, 4> kPlayButtonFrames{kStandFrame, kHitFrame, kDoubleFrame, kSplitFrame};
constexpr std::array<const char*, 4> kPlayNames{"STAND", "HIT", "DOUBLE", "SPLIT"};

// The best play's value in gold, as the coach draws it; the play chosen instead of it in red.
constexpr SDL_Color kBestColour{255, 208, 64, 255};
constexpr SDL_Color kChosenColour{255, 128, 112, 255};
constexpr SDL_Color kWhite{255, 255, 255, 255};

constexpr std::array<const char*, 2> kHintLines{"Escape:", "back to the menu"};
constexpr const char* kFirstPrompt =
    "Your play? Answer with the buttons or H, S, D, P;\neach answer is graded by what it costs "
    "at a $100 stake";

constexpr int kSharpPictureCount = 4;

int pointsOf(int rank) {
    return rank > 10 ? 10 : rank;
}

// The hand's total as the player reads it: "16", "soft 17", a pair "8,8".
std::string handName(const std::vector<Card>& hand) {
    if (hand.size() == 2 && hand[0].rank == hand[1].rank) {
        return rankName(hand[0].rank) + "," + rankName(hand[1].rank);
    }
    int total = 0;
    bool ace = false;
    for (const Card& card : hand) {
        total += pointsOf(card.rank);
        ace = ace || card.rank == 1;
    }
    if (ace && total + 10 <= 21) {
        return "soft " + std::to_string(total + 10);
    }
    return std::to_string(total);
}

std::string upName(const Card& up) {
    return up.rank == 1 ? "A" : std::to_string(pointsOf(up.rank));
}

// Why the drill was dealt, as the grade tells it.
std::string whyDealt(const Drill& drill) {
    switch (drill.kind) {
        case Drill::Kind::Close:
            return "Dealt as a close call: the best play wins by little";
        case Drill::Kind::Costly:
            return "Dealt as the kind of decision that costs you most";
        case Drill::Kind::Mistake:
            return "Your mistake again, until answered right twice";
        case Drill::Kind::Exception:
            return std::string("A single deck's exception: off a full pack, ") +
                   kPlayNames[static_cast<std::size_t>(drill.packBest)] + " is best";
    }
    return std::string();
}

// "16 against 10: HIT was best (-53.6%)", "you chose STAND (-54.0%): $0.40 given up", and why
// the drill was dealt, each on a line of its own.
std::string gradeLine(const DrillGrade& grade) {
    const Drill& drill = grade.drill;
    const auto named = [&drill](solver::Action play) {
        return std::string(kPlayNames[static_cast<std::size_t>(play)]) + " (" +
               coachPercent(drill.values.of(play), 1) + ")";
    };
    std::string line = handName(drill.hand) + " against " + upName(drill.up) + ": ";
    if (grade.chosen == drill.best) {
        line += "you chose the best play, " + named(drill.best);
    } else {
        line += named(drill.best) + " was best;\nyou chose " + named(grade.chosen) + ": " +
                coachDollars(grade.cost, false) + " given up";
    }
    return line + "\n" + whyDealt(drill);
}

// "$1.25 per 100".
std::string per100(double dollars) {
    return coachDollars(dollars, false) + " per 100";
}

void place(Button& button, const TextureHandle& sheet, int frame, SDL_Rect where) {
    button.setup(sheet.get(), frame, where.x, where.y, where.w, where.h);
}

}  // namespace

std::uint32_t DrillScene::drillSeed() {
    const char* seed = SDL_getenv("BLACKJACK_DECK_SEED");
    if (seed != nullptr && *seed != '\0') {
        char* end = nullptr;
        const unsigned long value = std::strtoul(seed, &end, 10);
        if (*end == '\0') {
            return static_cast<std::uint32_t>(value);
        }
    }
    return std::random_device{}();
}

void DrillScene::init(SDL_Renderer* renderer) {
    // Set up a second time, the screen first lets go of everything the first time gave it.
    if (engine != nullptr) {
        cleanup();
    }
    this->renderer = renderer;
    returnToMenu = false;
    engine = std::make_unique<Game>(renderer);

    bgTexture.reset(loadOpaqueTexture("./images/BG.png", renderer));
    tableTexture.reset(loadOpaqueTexture("./images/TABLE.png", renderer));
    panelTexture.reset(loadOpaqueTexture("./images/CHIPBG.png", renderer));
    buttonsTexture.reset(loadTexture("./images/BUTTONS.png", renderer));

    TTF_Init();
    font.reset(TTF_OpenFont(kFontPath, kFontSize));
    if (font == nullptr) {
        // The drills go on, every text missing.
        std::cout << "Failed to load font: " << kFontPath << std::endl;
    } else {
        font2x.reset(TTF_OpenFont(kFontPath, 2 * kFontSize));
        smallFont.reset(TTF_OpenFont(kFontPath, kCoachFontSize));
        smallFont2x.reset(TTF_OpenFont(kFontPath, 2 * kCoachFontSize));
    }

    for (std::size_t play = 0; play < playButtons.size(); ++play) {
        place(playButtons[play], buttonsTexture, kPlayButtonFrames[play], kPlayButtonRects[play]);
        const auto action = static_cast<solver::Action>(play);
        playButtons[play].setOnClick([this, action] { answer(action); });
    }

    sharp.setup(renderer, {{"./images/BG.png", true},
                           {"./images/TABLE.png", true},
                           {"./images/CHIPBG.png", true},
                           {"./images/BUTTONS.png", false}});
    static_assert(kSharpButtons + 1 == kSharpPictureCount);
    if (sharp.held()) {
        engine->loadSharpCardSheet();
    }
    shareSharpPictures();
}

void DrillScene::loadSharpPictures(SDL_Renderer* renderer) {
    (void)renderer;
    if (sharp.readMissingWithCards(engine.get())) {
        shareSharpPictures();
    }
}

void DrillScene::setDensity(int density) {
    if (sharp.followWithCards(density, engine.get())) {
        shareSharpPictures();
    }
}

void DrillScene::shareSharpPictures() {
    const int density = sharp.density();
    if (engine != nullptr) {
        engine->density = density;
    }
    for (Button& button : playButtons) {
        button.texture2x = sharp.get(kSharpButtons);
        button.density = density;
    }
}

bool DrillScene::isLive(solver::Action play) const {
    return dealer.ready() && dealer.isLive(play);
}

void DrillScene::answer(solver::Action play) {
    if (!isLive(play)) {
        return;
    }
    lastGrade = dealer.answer(play);
    if (kept != nullptr && kept->isOn()) {
        kept->add(lastGrade->record());
    }
}

bool DrillScene::hasWork() const {
    return !dealer.ready();
}

void DrillScene::handleInput(int x, int y, bool clicked) {
    engine->pollEvents();
    // Each button's gate is read when it is offered the click: an answer deals the next drill,
    // whose plays may differ, before the next button is asked.
    for (std::size_t play = 0; play < playButtons.size(); ++play) {
        if (isLive(static_cast<solver::Action>(play))) {
            playButtons[play].handleInput(x, y, clicked);
        }
    }
}

void DrillScene::handleKey(SDL_Keycode key, Uint16 modifiers) {
    using Kind = TableCommand::Kind;
    if (key == SDLK_ESCAPE) {
        returnToMenu = true;
        return;
    }
    switch (tableCommandFor(key, modifiers).kind) {
        case Kind::Hit:
            answer(solver::Action::Hit);
            break;
        case Kind::Stand:
            answer(solver::Action::Stand);
            break;
        case Kind::Double:
            answer(solver::Action::Double);
            break;
        case Kind::Split:
            answer(solver::Action::Split);
            break;
        default:
            break;
    }
}

void DrillScene::composeTexts() {
    gradeText = lastGrade ? gradeLine(*lastGrade) : kFirstPrompt;
    dealerText.clear();
    playerText.clear();
    seenText.clear();
    if (dealer.ready()) {
        const Drill& drill = dealer.current();
        dealerText = "Dealer: " + upName(drill.up);
        playerText = "Player: " + handName(drill.hand);
        const std::size_t seen = drill.seen.size();
        seenText =
            "Seen since the shuffle: " + std::to_string(seen) + (seen == 1 ? " card" : " cards");
    }

    scoreLines = {"DRILLS",
                  "Answered: " + std::to_string(dealer.answered()),
                  "Given up",
                  per100(dealer.givenUpPer100()),
                  "Last " + std::to_string(DrillDealer::kRecent) + ":",
                  per100(dealer.recentGivenUpPer100()),
                  "Mistakes to",
                  "come back: " + std::to_string(dealer.mistakesWaiting())};

    for (auto& lines : playLines) {
        lines.clear();
    }
    if (lastGrade) {
        const Drill& drill = lastGrade->drill;
        for (std::size_t play = 0; play < playLines.size(); ++play) {
            const auto action = static_cast<solver::Action>(play);
            const double value = drill.values.of(action);
            if (std::isnan(value)) {
                continue;
            }
            const std::string mark = action == drill.best          ? "BEST "
                                     : action == lastGrade->chosen ? "YOURS "
                                                                   : "";
            playLines[play] = {mark + coachDollars(value * DrillDealer::kStake),
                               coachPercent(value, 1)};
        }
    }
}

TTF_Font* DrillScene::letteringFont(bool small) const {
    if (small) {
        return labelDensity == 2 ? smallFont2x.get() : smallFont.get();
    }
    return labelDensity == 2 ? font2x.get() : font.get();
}

void DrillScene::letter(Lettered& text, const std::string& line, bool small, int width,
                        int maxHeight) {
    if (text.label != nullptr && text.shown == line && text.density == labelDensity) {
        return;
    }
    text.shown = line;
    text.density = labelDensity;
    text.label.reset();
    if (width > 0) {
        // Each line broken where the 1x font breaks it, so the lines are the same at either
        // density.
        TTF_Font* measure = small ? smallFont.get() : font.get();
        std::vector<std::string> lines;
        for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
            end = line.find('\n', start);
            const std::string piece =
                line.substr(start, end == std::string::npos ? end : end - start);
            for (std::string& broken : breakLines(measure, piece, width)) {
                lines.push_back(std::move(broken));
            }
        }
        text.label.reset(createTextBlockTexture(renderer, letteringFont(small), lines,
                                                labelDensity * maxHeight));
    } else {
        text.label.reset(createTextTexture(renderer, letteringFont(small), line));
    }
}

void DrillScene::update() {
    if (!learned) {
        learned = true;
        if (kept != nullptr && kept->isOn()) {
            dealer.learnFrom(kept->rounds());
        }
    }
    if (!dealer.ready()) {
        dealer.prepare(DrillDealer::Clock::now() + std::chrono::milliseconds(kPrepareMillis));
    }

    labelDensity = sharp.density() == 2 && font2x != nullptr && smallFont2x != nullptr ? 2 : 1;
    composeTexts();
    letter(gradeLabel, gradeText, true, kResultRight - kResultTextAt.x,
           kResultBottom - kResultTextAt.y);
    letter(dealerLabel, dealerText, false);
    letter(playerLabel, playerText, false);
    letter(seenLabel, seenText, true);
    for (std::size_t i = 0; i < hintLabels.size(); ++i) {
        letter(hintLabels[i], kHintLines[i], true);
    }
    scoreLabels.resize(scoreLines.size());
    for (std::size_t i = 0; i < scoreLines.size(); ++i) {
        // The title and the count in the table's font, where the wallet and the bet stand.
        letter(scoreLabels[i], scoreLines[i], i >= 2);
    }
    for (std::size_t play = 0; play < playLabels.size(); ++play) {
        for (std::size_t line = 0; line < 2; ++line) {
            letter(playLabels[play][line],
                   line < playLines[play].size() ? playLines[play][line] : std::string(), true);
        }
    }
}

void DrillScene::renderDrill() {
    if (!dealer.ready()) {
        return;
    }
    const Drill& drill = dealer.current();
    const SDL_Point up = engine->cardPlace(Game::HandOnTable::Dealer, 0);
    const SDL_Point hole = engine->cardPlace(Game::HandOnTable::Dealer, 1);
    engine->renderCard(drill.up.rank, drill.up.suit, up.x, up.y);
    engine->renderCardBack(hole.x, hole.y);
    for (std::size_t i = 0; i < drill.hand.size(); ++i) {
        const SDL_Point at = engine->cardPlace(Game::HandOnTable::Player, static_cast<int>(i));
        engine->renderCard(drill.hand[i].rank, drill.hand[i].suit, at.x, at.y);
    }
    for (std::size_t i = 0; i < drill.seen.size(); ++i) {
        engine->renderCardIn(&drill.seen[i], seenCardRect(static_cast<int>(i)));
    }
}

void DrillScene::renderPlayValues(SDL_Renderer* renderer) const {
    if (!lastGrade) {
        return;
    }
    const int pitch = smallFont != nullptr ? TTF_FontLineSkip(smallFont.get()) : 0;
    for (std::size_t play = 0; play < playLabels.size(); ++play) {
        const auto action = static_cast<solver::Action>(play);
        const SDL_Color colour = action == lastGrade->drill.best ? kBestColour
                                 : action == lastGrade->chosen   ? kChosenColour
                                                                 : kWhite;
        const SDL_Rect button = kPlayButtonRects[play];
        int y = button.y + button.h + kCoachPlayValueGap;
        for (const Lettered& text : playLabels[play]) {
            if (text.label != nullptr) {
                SDL_SetTextureColorMod(text.label.get(), colour.r, colour.g, colour.b);
                const float x =
                    centredLettering(text.label.get(), labelDensity, button.x, button.w);
                drawLettering(renderer, text.label.get(), labelDensity,
                              SDL_FPoint{x, static_cast<float>(y)});
            }
            y += pitch;
        }
    }
}

void DrillScene::render(SDL_Renderer* renderer) {
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);

    const SDL_Rect bgRect{0, 0, kWindowWidth, kWindowHeight};
    const SDL_Rect tableRect = kTableRect;
    const SDL_Rect panelRect = kPanelRect;
    const int density = sharp.density();
    drawPicture(renderer, density, bgTexture.get(), sharp.get(kSharpBg), nullptr, &bgRect);
    drawPicture(renderer, density, tableTexture.get(), sharp.get(kSharpTable), nullptr, &tableRect);
    drawPicture(renderer, density, panelTexture.get(), sharp.get(kSharpPanel), nullptr, &panelRect);

    renderDrill();

    const auto drawAt = [&](const Lettered& text, SDL_Point at) {
        if (text.label != nullptr) {
            drawLettering(renderer, text.label.get(), labelDensity,
                          SDL_FPoint{static_cast<float>(at.x), static_cast<float>(at.y)});
        }
    };
    const auto drawCentred = [&](const Lettered& text, int y) {
        if (text.label != nullptr) {
            const float left = centredLettering(text.label.get(), labelDensity, kPanelCentreX, 0);
            drawLettering(renderer, text.label.get(), labelDensity,
                          SDL_FPoint{left, static_cast<float>(y)});
        }
    };
    drawAt(gradeLabel, kResultTextAt);
    drawAt(dealerLabel, kDealerTextAt);
    drawAt(playerLabel, kPlayerTextAt);
    if (dealer.ready()) {
        drawAt(seenLabel, kSeenCaptionAt);
    }

    for (std::size_t play = 0; play < playButtons.size(); ++play) {
        if (isLive(static_cast<solver::Action>(play))) {
            playButtons[play].render(renderer);
        }
    }
    renderPlayValues(renderer);

    // The title and the count where the wallet and the bet stand; below, the figures two lines
    // to a figure.
    for (std::size_t i = 0; i < scoreLabels.size(); ++i) {
        const int line = static_cast<int>(i) - 2;
        const int y = i == 0 ? kWalletTextY
                      : i == 1
                          ? kBetTextY
                          : kDrillScoreY + kDrillScorePitch * line + kDrillScoreGap * (line / 2);
        drawCentred(scoreLabels[i], y);
    }
    for (std::size_t i = 0; i < hintLabels.size(); ++i) {
        drawCentred(hintLabels[i], kDrillHintY + kDrillScorePitch * static_cast<int>(i));
    }
}

// Lets go of everything init gave the screen: the engine with its card sheet, the pictures, the
// texts, and last the fonts and the font library. The dealer and its score stay for the next
// visit.
void DrillScene::cleanup() {
    // init opened the font library along with the engine; a second cleanup must not close it
    // again, under whoever else still uses it.
    const bool wasSetUp = engine != nullptr;
    engine.reset();
    for (TextureHandle* picture : {&bgTexture, &tableTexture, &panelTexture, &buttonsTexture}) {
        picture->reset();
    }
    sharp.release();
    shareSharpPictures();
    for (Lettered* text :
         {&gradeLabel, &dealerLabel, &playerLabel, &seenLabel, &hintLabels[0], &hintLabels[1]}) {
        text->label.reset();
    }
    scoreLabels.clear();
    for (auto& texts : playLabels) {
        for (Lettered& text : texts) {
            text.label.reset();
        }
    }
    font.reset();
    font2x.reset();
    smallFont.reset();
    smallFont2x.reset();
    if (wasSetUp) {
        TTF_Quit();
    }
}
