#include "ui/MoneyChart.h"

#include <algorithm>
#include <cmath>

namespace {

// The lines keep this share of the height clear above and below them.
constexpr double kHeadroom = 0.06;

SDL_Vertex vertex(float x, float y, SDL_Color colour) {
    return SDL_Vertex{SDL_FPoint{x, y}, colour, SDL_FPoint{0.0F, 0.0F}};
}

void setColour(SDL_Renderer* renderer, SDL_Color colour) {
    SDL_SetRenderDrawColor(renderer, colour.r, colour.g, colour.b, colour.a);
}

}  // namespace

void MoneyChart::set(const std::vector<const RoundRecord*>& rounds, int marked) {
    wallet_.clear();
    expected_.clear();
    marked_ = marked;
    if (rounds.empty()) {
        lowest_ = highest_ = 0.0;
        return;
    }
    // In doubles: a wallet near the most an int holds, less a round's net, must not wrap.
    const double start =
        static_cast<double>(rounds.front()->wallet) - static_cast<double>(rounds.front()->net);
    wallet_.push_back(start);
    expected_.push_back(start);
    double expected = start;
    for (const RoundRecord* round : rounds) {
        double cost = 0.0;
        for (const RoundRecord::Decision& decision : round->decisions) {
            cost += decision.cost;
        }
        expected += round->edge - cost;
        wallet_.push_back(static_cast<double>(round->wallet));
        expected_.push_back(expected);
    }
    const auto [walletLow, walletHigh] = std::minmax_element(wallet_.begin(), wallet_.end());
    const auto [expectedLow, expectedHigh] =
        std::minmax_element(expected_.begin(), expected_.end());
    lowest_ = std::min(*walletLow, *expectedLow);
    highest_ = std::max(*walletHigh, *expectedHigh);
}

float MoneyChart::xOf(const SDL_Rect& area, int i) const {
    const int steps = std::max(1, rounds());
    return static_cast<float>(area.x) +
           static_cast<float>(area.w - 1) * static_cast<float>(i) / static_cast<float>(steps);
}

float MoneyChart::yOf(const SDL_Rect& area, double value) const {
    // A session that never moved is drawn as a level line across the middle.
    const double span = highest_ - lowest_;
    const double share = span > 0.0 ? (value - lowest_) / span : 0.5;
    const double fromBottom = kHeadroom + (1.0 - 2.0 * kHeadroom) * std::clamp(share, 0.0, 1.0);
    return static_cast<float>(area.y + area.h - 1) -
           static_cast<float>(fromBottom * static_cast<double>(area.h - 1));
}

void MoneyChart::shadeLuck(SDL_Renderer* renderer, const SDL_Rect& area) const {
    std::vector<SDL_Vertex> triangles;
    const auto luckColour = [](double luck) {
        return luck > 0.0 ? kGoodLuckColour : kBadLuckColour;
    };
    const auto add = [&](SDL_FPoint a, SDL_FPoint b, SDL_FPoint c, SDL_Color colour) {
        triangles.push_back(vertex(a.x, a.y, colour));
        triangles.push_back(vertex(b.x, b.y, colour));
        triangles.push_back(vertex(c.x, c.y, colour));
    };
    for (int i = 0; i + 1 < static_cast<int>(wallet_.size()); ++i) {
        const double before = wallet_[i] - expected_[i];
        const double after = wallet_[i + 1] - expected_[i + 1];
        const SDL_FPoint w0{xOf(area, i), yOf(area, wallet_[i])};
        const SDL_FPoint e0{xOf(area, i), yOf(area, expected_[i])};
        const SDL_FPoint w1{xOf(area, i + 1), yOf(area, wallet_[i + 1])};
        const SDL_FPoint e1{xOf(area, i + 1), yOf(area, expected_[i + 1])};
        if ((before >= 0.0) == (after >= 0.0) || before == 0.0 || after == 0.0) {
            const SDL_Color colour = luckColour(before + after);
            add(w0, e0, w1, colour);
            add(e0, e1, w1, colour);
            continue;
        }
        // The lines cross within the round: each side of the crossing in its own colour.
        const float t = static_cast<float>(before / (before - after));
        const SDL_FPoint cross{w0.x + t * (w1.x - w0.x), w0.y + t * (w1.y - w0.y)};
        add(w0, e0, cross, luckColour(before));
        add(cross, w1, e1, luckColour(after));
    }
    if (!triangles.empty()) {
        SDL_RenderGeometry(renderer, nullptr, triangles.data(), static_cast<int>(triangles.size()),
                           nullptr, 0);
    }
}

void MoneyChart::render(SDL_Renderer* renderer, const SDL_Rect& area) const {
    setColour(renderer, kBackColour);
    SDL_RenderFillRect(renderer, &area);
    if (wallet_.empty()) {
        return;
    }
    shadeLuck(renderer, area);

    if (marked_ >= 0 && marked_ < rounds()) {
        const float x = std::floor(xOf(area, marked_ + 1));
        SDL_SetRenderDrawColor(renderer, kMarkerColour.r, kMarkerColour.g, kMarkerColour.b, 90);
        SDL_RenderDrawLineF(renderer, x, static_cast<float>(area.y), x,
                            static_cast<float>(area.y + area.h - 1));
    }

    // Each line two pixels thick, the lower pixel row kept inside the area.
    const auto drawLine = [&](const std::vector<double>& values, SDL_Color colour) {
        std::vector<SDL_FPoint> points;
        points.reserve(values.size());
        for (int i = 0; i < static_cast<int>(values.size()); ++i) {
            points.push_back(SDL_FPoint{xOf(area, i), yOf(area, values[i]) - 1.0F});
        }
        setColour(renderer, colour);
        for (int row = 0; row < 2; ++row) {
            SDL_RenderDrawLinesF(renderer, points.data(), static_cast<int>(points.size()));
            for (SDL_FPoint& point : points) {
                point.y += 1.0F;
            }
        }
    };
    drawLine(expected_, kExpectedColour);
    drawLine(wallet_, kWalletColour);

    if (marked_ >= 0 && marked_ < rounds()) {
        const float x = xOf(area, marked_ + 1);
        const float y = yOf(area, wallet_[marked_ + 1]);
        const SDL_FRect dot{std::clamp(x - 3.0F, static_cast<float>(area.x),
                                       static_cast<float>(area.x + area.w - 7)),
                            y - 3.0F, 7.0F, 7.0F};
        setColour(renderer, kMarkerColour);
        SDL_RenderFillRectF(renderer, &dot);
    }
}
