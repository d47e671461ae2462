#include "ui/CoachView.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "ui/Layout.h"
#include "ui/Texture.h"

namespace {

// What the coach writes for a value it is still working out.
constexpr char kWorkingOut[] = "working it out...";

// The best play's value is drawn in gold, the others in white.
constexpr SDL_Color kBestColour{255, 208, 64, 255};

// The play buttons by solver::Action.
constexpr std::array<SDL_Rect, 4> kPlayButtons{kStandButtonRect, kHitButtonRect, kDoubleButtonRect,
                                               kSplitButtonRect};

std::string cents(std::int64_t amount, bool withSign = true) {
    const char* sign = amount < 0 ? "-" : (amount > 0 && withSign ? "+" : "");
    const std::int64_t magnitude = std::llabs(amount);
    char text[48];
    std::snprintf(text, sizeof text, "%s$%lld.%02lld", sign,
                  static_cast<long long>(magnitude / 100), static_cast<long long>(magnitude % 100));
    return text;
}

// "1 round", "2 rounds".
std::string counted(int count, const std::string& thing) {
    return std::to_string(count) + " " + thing + (count == 1 ? "" : "s");
}

int lineHeight(TTF_Font* font) {
    return font != nullptr ? TTF_FontLineSkip(font) : 0;
}

}  // namespace

std::string coachDollars(double dollars, bool withSign) {
    return cents(std::llround(100.0 * dollars), withSign);
}

std::string coachPercent(double share, int decimals, bool withSign) {
    char text[48];
    const double percent = 100.0 * share;
    // A figure that rounds to zero is written without a sign.
    const double shown = std::fabs(percent) < 0.5 * std::pow(10.0, -decimals) ? 0.0 : percent;
    std::snprintf(text, sizeof text, shown > 0.0 && withSign ? "+%.*f%%" : "%.*f%%", decimals,
                  shown);
    return text;
}

void CoachView::init(SDL_Renderer* renderer, const char* fontPath) {
    cleanup();
    this->renderer = renderer;
    font.reset(TTF_OpenFont(fontPath, kCoachFontSize));
    if (font != nullptr) {
        font2x.reset(TTF_OpenFont(fontPath, 2 * kCoachFontSize));
    }
}

void CoachView::setDensity(int density) {
    const int lettering = density == 2 && font2x != nullptr ? 2 : 1;
    if (lettering == this->density) {
        return;
    }
    this->density = lettering;
    // Made again at the next update, at the new size.
    for (auto& texts : playTexts) {
        for (Text& text : texts) {
            text.label.reset();
        }
    }
    for (std::vector<Text>* texts : {&noteTexts, &ledgerTexts}) {
        for (Text& text : *texts) {
            text.label.reset();
        }
    }
}

void CoachView::set(Text& text, const std::string& line) {
    if (text.label != nullptr && text.shown == line) {
        return;
    }
    text.shown = line;
    text.label.reset();
    text.label.reset(createTextTexture(renderer, density == 2 ? font2x.get() : font.get(), line));
}

void CoachView::update(const Coach& coach, bool playing) {
    for (auto& lines : playLines) {
        lines.clear();
    }
    bestPlay = -1;
    noteLines.clear();
    ledgerLines.clear();

    const Coach::Decision& decision = coach.decision;
    if (playing && decision.inPlay) {
        bestPlay = static_cast<int>(decision.best);
        for (int play = 0; play < 4; ++play) {
            const double value = decision.values.of(static_cast<solver::Action>(play));
            if (!decision.open[play] || std::isnan(value)) {
                continue;
            }
            const std::string best = play == bestPlay ? "BEST " : "";
            playLines[play] = {best + coachDollars(value * decision.stake), coachPercent(value, 1)};
        }
    }

    if (!playing) {
        const Coach::LastRound& last = coach.lastRound;
        if (last.shown) {
            if (std::llround(100.0 * last.cost) == 0) {
                noteLines.emplace_back("Every play this round was the best");
            } else {
                noteLines.push_back("Your plays this round cost " + coachDollars(last.cost, false) +
                                    " (" + coachPercent(last.cost / last.stake, 1, false) +
                                    " of the stake) against the best");
            }
        }
        const Coach::NextRound& next = coach.next;
        std::string line = "Next round";
        if (next.bet > 0) {
            line += " at $" + std::to_string(next.bet);
        }
        line += next.freshDeck ? ", off a fresh deck: "
                               : ", " + std::to_string(next.cardsLeft) + " cards left: ";
        if (!next.ready) {
            line += kWorkingOut;
        } else if (next.bet > 0) {
            line += coachDollars(next.perStake * next.bet) + " (" + coachPercent(next.perStake, 2) +
                    " of the stake)";
        } else {
            line += coachPercent(next.perStake, 2) + " of the stake";
        }
        noteLines.push_back(line);
    }

    const SessionLedger& ledger = coach.ledger;
    // Until every round has its value at the deal, the edge and the luck are not known; the
    // session's net and the decisions' cost are.
    const bool valued = ledger.valued();
    ledgerLines.push_back("Session: " + cents(ledger.netCents()));
    if (!careerLine.empty()) {
        ledgerLines.push_back(careerLine);
    }
    ledgerLines.push_back("Table's edge: " + (valued ? cents(ledger.edgeCents()) : kWorkingOut));
    ledgerLines.push_back("Decisions: " + cents(ledger.decisionCents()));
    ledgerLines.push_back("Luck: " + (valued ? cents(ledger.luckCents()) : kWorkingOut));
    ledgerLines.push_back(counted(ledger.played(), "round") + ", " +
                          counted(ledger.blackjacks, "blackjack"));
    ledgerLines.push_back(std::to_string(ledger.won) + " won, " + std::to_string(ledger.lost) +
                          " lost, " + std::to_string(ledger.pushed) + " pushed");

    for (int play = 0; play < 4; ++play) {
        for (std::size_t line = 0; line < 2; ++line) {
            set(playTexts[play][line],
                line < playLines[play].size() ? playLines[play][line] : std::string());
        }
    }
    noteTexts.resize(noteLines.size());
    for (std::size_t i = 0; i < noteLines.size(); ++i) {
        set(noteTexts[i], noteLines[i]);
    }
    ledgerTexts.resize(ledgerLines.size());
    for (std::size_t i = 0; i < ledgerLines.size(); ++i) {
        set(ledgerTexts[i], ledgerLines[i]);
    }
}

void CoachView::render(SDL_Renderer* renderer) const {
    const int pitch = lineHeight(font.get());
    for (int play = 0; play < 4; ++play) {
        const SDL_Rect button = kPlayButtons[play];
        int y = button.y + button.h + kCoachPlayValueGap;
        for (const Text& text : playTexts[play]) {
            if (text.label == nullptr) {
                continue;
            }
            const float x = centredLettering(text.label.get(), density, button.x, button.w);
            const SDL_Color colour = play == bestPlay ? kBestColour : SDL_Color{255, 255, 255, 255};
            SDL_SetTextureColorMod(text.label.get(), colour.r, colour.g, colour.b);
            drawLettering(renderer, text.label.get(), density,
                          SDL_FPoint{x, static_cast<float>(y)});
            y += pitch;
        }
    }
    const auto drawColumn = [&](const std::vector<Text>& texts, SDL_Point at) {
        for (const Text& text : texts) {
            drawLettering(renderer, text.label.get(), density,
                          SDL_FPoint{static_cast<float>(at.x), static_cast<float>(at.y)});
            at.y += pitch;
        }
    };
    drawColumn(noteTexts, kCoachNoteAt);
    drawColumn(ledgerTexts, kCoachLedgerAt);
}

void CoachView::cleanup() {
    for (auto& texts : playTexts) {
        for (Text& text : texts) {
            text.label.reset();
            text.shown.clear();
        }
    }
    noteTexts.clear();
    ledgerTexts.clear();
    font.reset();
    font2x.reset();
    density = 1;
}
