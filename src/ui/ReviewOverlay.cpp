#include "ui/ReviewOverlay.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "rules/CardSheet.h"
#include "ui/CoachView.h"
#include "ui/Texture.h"

namespace {

constexpr SDL_Color kText{235, 235, 235, 255};
constexpr SDL_Color kDim{150, 170, 160, 255};
constexpr SDL_Color kBest{255, 208, 64, 255};
constexpr SDL_Color kCost{255, 130, 110, 255};
constexpr SDL_Color kPanelColour{18, 38, 28, 255};
constexpr SDL_Color kBorderColour{70, 110, 85, 255};
constexpr SDL_Color kBandColour{40, 70, 54, 255};
constexpr SDL_Color kArrowColour{235, 235, 235, 255};
constexpr SDL_Color kArrowSpentColour{60, 85, 70, 255};
// The table beneath shows through the darkening.
constexpr Uint8 kDarkening = 170;

// The cards in the review, smaller than on the table, fanned so the corner of each shows.
constexpr int kCardW = 70;
constexpr int kCardH = ReviewOverlay::kDealerCards.h;
constexpr int kFanStep = 26;
constexpr int kRoundLeft = ReviewOverlay::kDealerCards.x;
// Room for one hand, or for each of two after a split.
constexpr int kHandRoom = ReviewOverlay::kDealerCards.w;
constexpr int kDealerCaptionY = 64;
constexpr int kDealerCardsY = ReviewOverlay::kDealerCards.y;
constexpr int kPlayerCaptionY = 196;
constexpr int kPlayerCardsY = ReviewOverlay::kPlayerCards.y;
constexpr int kHandResultY = 326;
constexpr int kResultY = 356;

constexpr int kDecisionsTitleY = 416;
constexpr int kFirstRowY = 446;
constexpr int kRowStep = 25;
constexpr int kPlayColumnX = 210;
constexpr int kPlayColumnStep = 150;
constexpr int kCostColumnX = 830;
constexpr int kHintY = 718;

constexpr std::array<const char*, 4> kPlayNames{"STAND", "HIT", "DOUBLE", "SPLIT"};

const char* suitName(char letter) {
    switch (letter) {
        case 'H':
            return "Hearts";
        case 'D':
            return "Diamonds";
        case 'C':
            return "Clubs";
        default:
            return "Spades";
    }
}

std::string ranksText(const std::vector<int>& ranks) {
    std::string text;
    for (int rank : ranks) {
        text += (text.empty() ? "" : " ") + rankName(rank);
    }
    return text;
}

// Whole dollars with their sign: "+$25", "-$100", "$0".
std::string dollars(long long amount) {
    const char* sign = amount < 0 ? "-" : (amount > 0 ? "+" : "");
    return sign + std::string("$") + std::to_string(std::llabs(amount));
}

// "2026-12-09 01:32 UTC" of "2026-12-09T01:32:00Z"; any other time as it was written.
std::string shownTime(const std::string& iso) {
    if (iso.size() >= 16 && iso[10] == 'T') {
        return iso.substr(0, 10) + " " + iso.substr(11, 5) + " UTC";
    }
    return iso;
}

double decisionsCost(const RoundRecord& round) {
    double cost = 0.0;
    for (const RoundRecord::Decision& decision : round.decisions) {
        cost += decision.cost;
    }
    return cost;
}

void setColour(SDL_Renderer* renderer, SDL_Color colour) {
    SDL_SetRenderDrawColor(renderer, colour.r, colour.g, colour.b, colour.a);
}

// The cards of a hand as the card pictures name them; a card without its suit letter is a spade.
std::vector<Card> cardsOf(const std::vector<int>& ranks, const std::string& suits) {
    std::vector<Card> cards;
    for (std::size_t i = 0; i < ranks.size(); ++i) {
        cards.push_back(Card{ranks[i], suitName(i < suits.size() ? suits[i] : 'S')});
    }
    return cards;
}

// A drill's hand has ranks alone: its cards take the suits in turn.
std::string drillSuits(std::size_t count) {
    std::string suits;
    for (std::size_t i = 0; i < count; ++i) {
        suits += "SHDC"[i % 4];
    }
    return suits;
}

}  // namespace

void ReviewOverlay::init(const char* fontPath) {
    small_.reset(TTF_OpenFont(fontPath, kSmallFontSize));
    small2x_.reset(small_ != nullptr ? TTF_OpenFont(fontPath, 2 * kSmallFontSize) : nullptr);
    stale_ = true;
}

void ReviewOverlay::open(std::vector<RoundRecord> rounds) {
    cursor_.reset(std::move(rounds));
    open_ = true;
    moved();
}

void ReviewOverlay::moved() {
    stale_ = true;
    const RoundRecord* shown = cursor_.shown();
    if (shown == nullptr) {
        chart_.set({}, -1);
        return;
    }
    // The chart is of the shown round's session, drills left out.
    std::vector<const RoundRecord*> session;
    int markedInSession = -1;
    for (const RoundRecord& other : cursor_.rounds()) {
        if (other.drill || other.session != shown->session) {
            continue;
        }
        if (&other == shown) {
            markedInSession = static_cast<int>(session.size());
        }
        session.push_back(&other);
    }
    chart_.set(session, markedInSession);
}

int ReviewOverlay::firstDecisionRow() const {
    return cursor_.firstRow(kDecisionRows);
}

bool ReviewOverlay::handleKey(SDL_Keycode key) {
    if (!open_) {
        return false;
    }
    bool moves = false;
    if (cursor_.shown() == nullptr || key == SDLK_ESCAPE || key == SDLK_v) {
        // With nothing to show, any key closes it.
        close();
    } else if (key == SDLK_LEFT) {
        moves = cursor_.older();
    } else if (key == SDLK_RIGHT) {
        moves = cursor_.newer();
    } else if (key == SDLK_UP || key == SDLK_DOWN) {
        moves = cursor_.jump(key == SDLK_UP ? -1 : 1);
    }
    if (moves) {
        moved();
    }
    return true;
}

void ReviewOverlay::handleClick(int x, int y) {
    if (!open_) {
        return;
    }
    const SDL_Point at{x, y};
    if (SDL_PointInRect(&at, &kOlderArrow)) {
        handleKey(SDLK_LEFT);
    } else if (SDL_PointInRect(&at, &kNewerArrow)) {
        handleKey(SDLK_RIGHT);
    }
}

SDL_FRect ReviewOverlay::addLabel(const std::string& text, SDL_FPoint at, SDL_Color colour,
                                  Align align, bool large) {
    TextureHandle texture(
        createTextTexture(letteringRenderer_, large ? letteringFont_ : letteringSmall_, text));
    if (texture == nullptr) {
        return SDL_FRect{at.x, at.y, 0, 0};
    }
    SDL_SetTextureColorMod(texture.get(), colour.r, colour.g, colour.b);
    const SDL_FPoint size = letteringSize(texture.get(), letteringDensity_);
    if (align == Align::Centre) {
        at.x -= size.x / 2.0F;
    } else if (align == Align::Right) {
        at.x -= size.x;
    }
    // At the table's own density every text sits on whole pixels, as the table's do.
    if (letteringDensity_ == 1) {
        at.x = std::floor(at.x);
    }
    labels_.push_back(Label{std::move(texture), at});
    return SDL_FRect{at.x, at.y, size.x, size.y};
}

void ReviewOverlay::letter(SDL_Renderer* renderer, TTF_Font* font, int density) {
    labels_.clear();
    chosenBoxes_.clear();
    markedBand_ = SDL_FRect{0, 0, 0, 0};
    letteringRenderer_ = renderer;
    letteringFont_ = font;
    letteringDensity_ = density;
    TTF_Font* small = density == 2 ? small2x_.get() : small_.get();
    letteringSmall_ = small != nullptr ? small : font;
    const float middle = static_cast<float>(kPanel.x) + static_cast<float>(kPanel.w) / 2.0F;
    if (cursor_.round() < 0) {
        addLabel("No rounds yet", SDL_FPoint{middle, 340.0F}, kText, Align::Centre, true);
        addLabel("The rounds played with the coach on (C) or keeping on (K) are shown here.",
                 SDL_FPoint{middle, 380.0F}, kDim, Align::Centre);
        addLabel("Any key closes this.", SDL_FPoint{middle, 410.0F}, kDim, Align::Centre);
        return;
    }
    const RoundRecord& round = *cursor_.shown();
    const std::string title = std::string(round.drill ? "Drill " : "Round ") +
                              std::to_string(cursor_.round() + 1) + " of " +
                              std::to_string(cursor_.rounds().size());
    addLabel(title, SDL_FPoint{88.0F, 26.0F}, kText, Align::Left, true);
    addLabel(shownTime(round.time), SDL_FPoint{936.0F, 30.0F}, kDim, Align::Right);
    letterRound(round);
    letterChart(round);
    letterDecisions(round);
    addLabel("Left, Right: older, newer    Up, Down: the plays that cost    V or Esc: close",
             SDL_FPoint{middle, static_cast<float>(kHintY)}, kDim, Align::Centre);
}

void ReviewOverlay::letterRound(const RoundRecord& round) {
    const float left = static_cast<float>(kRoundLeft);
    if (round.drill) {
        addLabel("Dealer shows", SDL_FPoint{left, kDealerCaptionY}, kDim);
        addLabel("Your hand", SDL_FPoint{left, kPlayerCaptionY}, kDim);
    } else {
        addLabel("Dealer", SDL_FPoint{left, kDealerCaptionY}, kDim);
        addLabel(round.hands.size() > 1 ? "Player, split" : "Player",
                 SDL_FPoint{left, kPlayerCaptionY}, kDim);
        const std::size_t hands = std::min<std::size_t>(2, round.hands.size());
        const float room =
            static_cast<float>(kHandRoom) / static_cast<float>(std::max<std::size_t>(1, hands));
        for (std::size_t h = 0; h < hands; ++h) {
            const RoundRecord::HandRecord& hand = round.hands[h];
            std::string line = hand.result > 0   ? "won $" + std::to_string(hand.result)
                               : hand.result < 0 ? "lost $" + std::to_string(-hand.result)
                                                 : "push";
            if (hand.stake > round.bet && round.bet > 0) {
                line += ", doubled";
            }
            addLabel(line, SDL_FPoint{left + room * static_cast<float>(h), kHandResultY}, kText);
        }
    }
    if (!round.text.empty()) {
        // The result line in as many lines as it takes to stay beside the chart; a split's,
        // which takes three, in the smaller font so that its lines keep their spacing.
        TTF_Font* resultFont = letteringFont_;
        std::vector<std::string> lines =
            breakLines(resultFont, round.text, letteringDensity_ * kHandRoom);
        if (lines.size() > 2 && letteringSmall_ != nullptr) {
            resultFont = letteringSmall_;
            lines = breakLines(resultFont, round.text, letteringDensity_ * kHandRoom);
        }
        TextureHandle block(
            createTextBlockTexture(letteringRenderer_, resultFont, lines,
                                   letteringDensity_ * (kDecisionsTitleY - kResultY)));
        if (block != nullptr) {
            SDL_SetTextureColorMod(block.get(), kBest.r, kBest.g, kBest.b);
            labels_.push_back(Label{std::move(block), SDL_FPoint{left, kResultY}});
        }
    }
}

void ReviewOverlay::letterChart(const RoundRecord& round) {
    const float left = static_cast<float>(kChart.x);
    const float right = static_cast<float>(kChart.x + kChart.w);
    addLabel("Session " + std::to_string(round.session) + ": " + std::to_string(chart_.rounds()) +
                 " rounds",
             SDL_FPoint{left, kDealerCaptionY}, kDim);
    if (chart_.rounds() > 0) {
        addLabel("high $" + std::to_string(std::llround(chart_.highest())),
                 SDL_FPoint{right, kDealerCaptionY}, kDim, Align::Right);
        addLabel("low $" + std::to_string(std::llround(chart_.lowest())),
                 SDL_FPoint{right, static_cast<float>(kChart.y + kChart.h + 4)}, kDim,
                 Align::Right);
    }
    const float legendY = static_cast<float>(kChart.y + kChart.h + 4);
    const SDL_FRect wallet =
        addLabel("wallet", SDL_FPoint{left, legendY}, MoneyChart::kWalletColour);
    const SDL_FRect expected = addLabel("expected", SDL_FPoint{wallet.x + wallet.w + 16, legendY},
                                        MoneyChart::kExpectedColour);
    addLabel("shaded: luck", SDL_FPoint{expected.x + expected.w + 16, legendY}, kDim);
    if (round.drill) {
        return;
    }
    const double cost = decisionsCost(round);
    const double luck = round.net - (round.edge - cost);
    const float ledgerY = legendY + static_cast<float>(kRowStep) + 4.0F;
    addLabel("Net " + dollars(round.net) + "    wallet $" + std::to_string(round.wallet),
             SDL_FPoint{left, ledgerY}, kText, Align::Left, true);
    addLabel("edge " + coachDollars(round.edge) + "   decisions " + coachDollars(-cost) +
                 "   luck " + coachDollars(luck),
             SDL_FPoint{left, ledgerY + 30.0F}, kDim);
}

void ReviewOverlay::letterDecisions(const RoundRecord& round) {
    const int count = static_cast<int>(round.decisions.size());
    const float left = static_cast<float>(kRoundLeft);
    if (count == 0) {
        addLabel(round.drill ? "No decision" : "No decisions: the round was settled on the deal",
                 SDL_FPoint{left, kDecisionsTitleY}, kDim);
        return;
    }
    const int first = firstDecisionRow();
    const int last = std::min(count, first + kDecisionRows);
    std::string title = "Decisions";
    if (count > kDecisionRows) {
        title += " " + std::to_string(first + 1) + " to " + std::to_string(last) + " of " +
                 std::to_string(count);
    }
    const SDL_FRect titleBox = addLabel(title, SDL_FPoint{left, kDecisionsTitleY}, kDim);
    addLabel("best in gold, yours boxed",
             SDL_FPoint{titleBox.x + titleBox.w + 24, kDecisionsTitleY}, kDim);
    const bool split = round.hands.size() > 1;
    for (int d = first; d < last; ++d) {
        const RoundRecord::Decision& decision = round.decisions[d];
        const float y = static_cast<float>(kFirstRowY + kRowStep * (d - first));
        if (d == cursor_.marked()) {
            markedBand_ = SDL_FRect{static_cast<float>(kPanel.x + 8), y - 2.0F,
                                    static_cast<float>(kPanel.w - 16), kRowStep};
        }
        // After a split each decision says which hand it was on.
        std::string hand = split ? std::to_string(decision.hand + 1) + ": " : std::string();
        hand += ranksText(decision.cards);
        hand += " vs ";
        hand += rankName(decision.up);
        addLabel(hand, SDL_FPoint{left, y}, kText);
        for (int play = 0; play < 4; ++play) {
            const auto action = static_cast<solver::Action>(play);
            const double value = decision.values.of(action);
            if (std::isnan(value)) {
                continue;
            }
            const SDL_FRect box =
                addLabel(std::string(kPlayNames[play]) + " " + coachPercent(value, 1),
                         SDL_FPoint{static_cast<float>(kPlayColumnX + kPlayColumnStep * play), y},
                         action == decision.best ? kBest : kText);
            if (action == decision.chosen) {
                chosenBoxes_.push_back(SDL_FRect{box.x - 5, y - 1, box.w + 10, kRowStep - 2});
            }
        }
        if (ReviewCursor::costly(decision)) {
            addLabel("cost " + coachDollars(decision.cost, false),
                     SDL_FPoint{static_cast<float>(kCostColumnX), y}, kCost);
        }
    }
}

void ReviewOverlay::drawCards(Game& game, const RoundRecord& round) const {
    const auto drawHand = [&game](const std::vector<Card>& cards, int x, int y, int room) {
        if (cards.empty()) {
            return;
        }
        const int count = static_cast<int>(cards.size());
        const int step = count > 1 ? std::min(kFanStep, (room - kCardW) / (count - 1)) : 0;
        for (int i = 0; i < count; ++i) {
            game.renderCardIn(&cards[i], SDL_Rect{x + step * i, y, kCardW, kCardH});
        }
    };
    if (round.drill) {
        if (!round.decisions.empty()) {
            const RoundRecord::Decision& decision = round.decisions.front();
            drawHand(cardsOf({decision.up}, "S"), kRoundLeft, kDealerCardsY, kHandRoom);
            drawHand(cardsOf(decision.cards, drillSuits(decision.cards.size())), kRoundLeft,
                     kPlayerCardsY, kHandRoom);
        }
        return;
    }
    drawHand(cardsOf(round.dealer, round.dealerSuits), kRoundLeft, kDealerCardsY, kHandRoom);
    const int hands = std::min<int>(2, static_cast<int>(round.hands.size()));
    for (int h = 0; h < hands; ++h) {
        const int room = kHandRoom / hands;
        drawHand(cardsOf(round.hands[h].cards, round.hands[h].suits), kRoundLeft + room * h,
                 kPlayerCardsY, room - 16);
    }
}

void ReviewOverlay::drawArrows(SDL_Renderer* renderer) const {
    const int last = static_cast<int>(cursor_.rounds().size()) - 1;
    const auto arrow = [renderer](const SDL_Rect& r, bool pointsLeft, bool live) {
        const SDL_Color c = live ? kArrowColour : kArrowSpentColour;
        const float top = static_cast<float>(r.y) + 4.0F;
        const float bottom = static_cast<float>(r.y + r.h) - 4.0F;
        const float near = static_cast<float>(pointsLeft ? r.x + 4 : r.x + r.w - 4);
        const float far = static_cast<float>(pointsLeft ? r.x + r.w - 4 : r.x + 4);
        const SDL_Vertex points[3] = {
            {SDL_FPoint{near, (top + bottom) / 2.0F}, c, SDL_FPoint{0, 0}},
            {SDL_FPoint{far, top}, c, SDL_FPoint{0, 0}},
            {SDL_FPoint{far, bottom}, c, SDL_FPoint{0, 0}},
        };
        SDL_RenderGeometry(renderer, nullptr, points, 3, nullptr, 0);
    };
    arrow(kOlderArrow, true, cursor_.round() > 0);
    arrow(kNewerArrow, false, cursor_.round() >= 0 && cursor_.round() < last);
}

void ReviewOverlay::render(SDL_Renderer* renderer, Game& game, TTF_Font* font, int density) {
    if (!open_) {
        return;
    }
    if (stale_ || font != labelledFont_ || density != labelledDensity_) {
        letter(renderer, font, density);
        labelledFont_ = font;
        labelledDensity_ = density;
        stale_ = false;
    }
    Uint8 r = 0, g = 0, b = 0, a = 0;
    SDL_GetRenderDrawColor(renderer, &r, &g, &b, &a);
    SDL_BlendMode blendBefore = SDL_BLENDMODE_NONE;
    SDL_GetRenderDrawBlendMode(renderer, &blendBefore);
    const bool clippedBefore = SDL_RenderIsClipEnabled(renderer) == SDL_TRUE;
    SDL_Rect clipBefore{0, 0, 0, 0};
    SDL_RenderGetClipRect(renderer, &clipBefore);

    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, kDarkening);
    SDL_RenderFillRect(renderer, nullptr);
    setColour(renderer, kPanelColour);
    SDL_RenderFillRect(renderer, &kPanel);
    setColour(renderer, kBorderColour);
    SDL_RenderDrawRect(renderer, &kPanel);
    // Whatever is shown, nothing leaves the panel.
    SDL_RenderSetClipRect(renderer, &kPanel);

    if (markedBand_.w > 0) {
        setColour(renderer, kBandColour);
        SDL_RenderFillRectF(renderer, &markedBand_);
    }
    setColour(renderer, kDim);
    for (const SDL_FRect& box : chosenBoxes_) {
        SDL_RenderDrawRectF(renderer, &box);
    }
    if (cursor_.round() >= 0) {
        // The cards smaller than the sheet's cells, shrunk smoothly; the table's own scaling is
        // left as it was.
        SDL_ScaleMode sheetMode = SDL_ScaleModeNearest;
        SDL_GetTextureScaleMode(game.cardTexture, &sheetMode);
        SDL_SetTextureScaleMode(game.cardTexture, SDL_ScaleModeLinear);
        drawCards(game, *cursor_.shown());
        SDL_SetTextureScaleMode(game.cardTexture, sheetMode);
        chart_.render(renderer, kChart);
        drawArrows(renderer);
    }
    for (const Label& label : labels_) {
        drawLettering(renderer, label.texture.get(), labelledDensity_, label.at);
    }

    SDL_RenderSetClipRect(renderer, clippedBefore ? &clipBefore : nullptr);
    SDL_SetRenderDrawBlendMode(renderer, blendBefore);
    SDL_SetRenderDrawColor(renderer, r, g, b, a);
}

void ReviewOverlay::cleanup() {
    open_ = false;
    labels_.clear();
    chosenBoxes_.clear();
    labelledFont_ = nullptr;
    small_.reset();
    small2x_.reset();
    stale_ = true;
}
