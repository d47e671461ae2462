#include "Scenery.h"

#include <cmath>
#include <tuple>

#include "Cards.h"
#include "Shapes.h"
#include "Widgets.h"

namespace artgen {

namespace {

const Color kGoldInk = rgb(0xe2bb55);

// Felt: a pool of light on the cloth, a slow mottle, a directional weave and a per-pixel grain.
Paint feltPaint(Vec light, float reach, Color lit, Color dark, uint32_t seed) {
    return [=](float x, float y) {
        float t = std::hypot(x - light.x, (y - light.y) * 1.15f) / reach;
        Color base = mix(lit, dark, smoothstep(0.0f, 1.0f, t));
        float mottle = fractalNoise(x / 55.0f, y / 55.0f, 4, seed) - 0.5f;
        float weave = valueNoise(x / 1.3f, y / 7.0f, seed + 17) - 0.5f;
        float grain =
            hashNoise(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)), seed + 31) -
            0.5f;
        return shade(base, 1.0f + 0.16f * mottle + 0.06f * weave + 0.09f * grain);
    };
}

// Wood with its grain running down the panel.
Paint woodPaint(uint32_t seed) {
    return [=](float x, float y) {
        float warp = fractalNoise(x / 30.0f, y / 220.0f, 3, seed) * 9.0f;
        float rings = 0.5f + 0.5f * std::sin((x + warp) * 0.9f +
                                             fractalNoise(x / 8, y / 90, 2, seed + 3) * 4);
        float fleck = valueNoise(x / 1.5f, y / 24.0f, seed + 9);
        Color c = mix(rgb(0x2a140a), rgb(0x4a2614), 0.55f * rings + 0.45f * fleck);
        float grain =
            hashNoise(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)), seed + 5) -
            0.5f;
        return shade(c, 1.0f + 0.06f * grain);
    };
}

void darken(Canvas& canvas, Box box, const std::function<float(float, float)>& factor) {
    canvas.modify(box, [&](Color& c, float x, float y) {
        float f = factor(x, y);
        c.r *= f;
        c.g *= f;
        c.b *= f;
    });
}

// A thin printed line along part of a circle, clipped to a box.
void arcLine(Canvas& canvas, Vec centre, float radius, float thickness, Box within, Color color) {
    fill(canvas, intersect(outline(circle(centre, radius), thickness), roundRect(within, 0)),
         color);
}

// A padded leather rail across a box: rounded highlight on top, stitching near both edges.
void paddedRail(Canvas& canvas, Box box) {
    float h = box.y1 - box.y0;
    canvas.cover(
        box, [](float, float) { return 1.0f; },
        [=](float x, float y) {
            float t = (y - box.y0) / h;
            Color c = mix(rgb(0x3a2214), rgb(0x0e0805), smoothstep(0.1f, 1.0f, t));
            float highlight = std::exp(-std::pow((t - 0.1f) / 0.07f, 2.0f));
            c = mix(c, rgb(0x8c6244), 0.55f * highlight);
            float grain = fractalNoise(x / 3.0f, y / 3.0f, 2, 77) - 0.5f;
            return shade(c, 1.0f + 0.12f * grain);
        });
    for (float y : {box.y0 + 5.5f, box.y1 - 6.0f}) {
        for (float x = box.x0 + 4; x < box.x1; x += 9) {
            fill(canvas, roundRect({x, y - 0.7f, x + 5, y + 0.7f}, 0.7f), rgb(0xb08a60, 0.55f));
        }
    }
    fill(canvas, roundRect({box.x0, box.y0, box.x1, box.y0 + 1.2f}, 0), rgb(0xa07850, 0.7f));
}

}  // namespace

Canvas drawBackground(int density) {
    Canvas canvas(kWindowWidth, kWindowHeight, scaleAt(2, density), density);
    const float W = kWindowWidth, H = kWindowHeight, railTop = kTableHeight;
    Box all{0, 0, W, H};
    canvas.cover(
        all, [](float, float) { return 1.0f; },
        feltPaint({W / 2, 300}, 700, rgb(0x15633a), rgb(0x04160c), 11));
    // A faint repeat of the four suits, woven into the cloth.
    const Suit suits[] = {Suit::Spades, Suit::Hearts, Suit::Clubs, Suit::Diamonds};
    int index = 0;
    for (float y = 24; y < railTop; y += 56) {
        int row = static_cast<int>(y / 56);
        for (float x = (row % 2 == 0 ? 28.0f : 56.0f); x < W; x += 56) {
            fill(canvas, suitShape(suits[index++ % 4], {x, y}, 18), rgb(0xffffff, 0.035f));
        }
    }
    darken(canvas, {0, railTop - 30, W, railTop},
           [&](float, float y) { return 1.0f - 0.5f * smoothstep(railTop - 30, railTop, y); });
    paddedRail(canvas, {0, railTop, W, H});
    return canvas.downsampled();
}

Canvas drawTable(Fonts& fonts, int density) {
    Canvas canvas(kTableWidth, kTableHeight, scaleAt(3, density), density);
    const float W = kTableWidth, H = kTableHeight;
    Box all{0, 0, W, H};
    canvas.cover(
        all, [](float, float) { return 1.0f; },
        feltPaint({W * 0.48f, H * 0.5f}, 620, rgb(0x1c8a4c), rgb(0x08401f), 3));

    // The rules, printed in an arc below the player's cards, as on a casino layout.
    const Vec arcCentre{W / 2, -700};
    const float R = 1285;
    Box printable{16, 0, W - 16, H};
    arcLine(canvas, arcCentre, R - 38, 1.6f, printable, withAlpha(kGoldInk, 0.8f));
    arcLine(canvas, arcCentre, R - 34, 0.7f, printable, withAlpha(kGoldInk, 0.6f));
    TextStyle title;
    title.face = Face::Serif;
    title.size = 27;
    drawTextOnArc(canvas, fonts, "BLACKJACK PAYS 3 TO 2", title, {arcCentre.x, arcCentre.y + 2}, R,
                  solid(rgb(0x000000, 0.25f)), 1.5f);
    drawTextOnArc(canvas, fonts, "BLACKJACK PAYS 3 TO 2", title, arcCentre, R,
                  solid(withAlpha(kGoldInk, 0.92f)), 1.5f);
    TextStyle rule;
    rule.face = Face::Sans;
    rule.size = 14;
    drawTextOnArc(canvas, fonts, "DEALER MUST DRAW TO 16 AND STAND ON ALL 17S", rule, arcCentre,
                  R + 27, solid(rgb(0xf4f1e4, 0.82f)), 1.2f);
    arcLine(canvas, arcCentre, R + 40, 0.7f, printable, withAlpha(kGoldInk, 0.6f));
    arcLine(canvas, arcCentre, R + 44, 1.6f, printable, withAlpha(kGoldInk, 0.8f));

    // The house emblem, printed faintly in the free corner of the table.
    const Vec emblem{706, 318};
    Color faint = withAlpha(kGoldInk, 0.45f);
    fill(canvas, outline(circle(emblem, 80), 2.0f), faint);
    fill(canvas, outline(circle(emblem, 74), 0.8f), faint);
    fill(canvas, outline(circle(emblem, 46), 0.8f), faint);
    TextStyle ring;
    ring.face = Face::Serif;
    ring.size = 15;
    drawTextOnArc(canvas, fonts, "BLACKJACK", ring, emblem, -55, solid(faint), 3.0f);
    drawTextOnArc(canvas, fonts, "TWENTY-ONE", ring, emblem, 67, solid(faint), 2.0f);
    fill(canvas, star({emblem.x - 64, emblem.y}, 4.5f, 1.9f), faint);
    fill(canvas, star({emblem.x + 64, emblem.y}, 4.5f, 1.9f), faint);
    fill(canvas, suitShape(Suit::Spades, emblem, 50), withAlpha(rgb(0x04301a), 0.45f));
    fill(canvas, outline(suitShape(Suit::Spades, emblem, 50), 1.2f), faint);

    // Light falls off towards the dealer's edge, where the scores are written, and the rail
    // and the chip rack throw a little shade.
    darken(canvas, all, [&](float x, float y) {
        float f = 1.0f - 0.5f * (1.0f - smoothstep(0, 115, y));
        f *= 1.0f - 0.45f * smoothstep(H - 26, H, y);
        f *= 1.0f - 0.35f * smoothstep(W - 14, W, x);
        f *= 1.0f - 0.25f * (1.0f - smoothstep(0, 14, x));
        return f;
    });
    return canvas.downsampled();
}

Canvas drawChipPanel(int density) {
    Canvas canvas(kPanelRect.w, kPanelRect.h, scaleAt(3, density), density);
    const float W = kPanelRect.w, H = kPanelRect.h;
    Box all{0, 0, W, H};
    canvas.cover(
        all, [](float, float) { return 1.0f; }, woodPaint(5));
    // Brass trim where the panel meets the table.
    fill(canvas, roundRect({0, 0, 4, H}, 0),
         linearGradient({0, 0}, rgb(0x8a6416), {4, 0}, rgb(0xf2d27a)));
    darken(canvas, {4, 0, 16, H},
           [](float x, float) { return 0.6f + 0.4f * smoothstep(4, 16, x); });

    // Display for the wallet and the bet.
    Shape display = roundRect({12, 9, W - 10, 95}, 9);
    fillSoft(canvas, transformed(display, Affine::translate(0, 2)), solid(rgb(0x000000, 0.6f)), 3);
    fill(canvas, grow(display, 2), linearGradient({0, 7}, rgb(0xf2d27a), {0, 97}, rgb(0x7a5410)));
    fill(canvas, display, linearGradient({0, 9}, rgb(0x1d252b), {0, 95}, rgb(0x07090b)));
    fill(canvas, intersect(display, ellipse({W / 2, 4}, W * 0.6f, 30)), rgb(0xffffff, 0.05f));
    fill(canvas, roundRect({24, 61.5f, W - 22, 62.5f}, 0), rgb(0xe2bb55, 0.35f));

    // The lined tray the chips rest in.
    Shape tray = roundRect({10, 97, W - 8, 608}, 12);
    fill(canvas, grow(tray, 2.5f), linearGradient({0, 95}, rgb(0xf2d27a), {0, 610}, rgb(0x7a5410)));
    fill(canvas, tray, [](float x, float y) {
        float nap = fractalNoise(x / 5.0f, y / 5.0f, 3, 41) - 0.5f;
        float grain =
            hashNoise(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)), 43) - 0.5f;
        Color c = mix(rgb(0x5a1220), rgb(0x2a060e), smoothstep(0, 1, std::fabs(x - 102) / 110));
        return shade(c, 1.0f + 0.18f * nap + 0.08f * grain);
    });
    // Inner shadow along the tray's upper edge.
    canvas.modify({10, 97, W - 8, 608}, [&](Color& c, float x, float y) {
        float d = -tray.distance(x, y);
        if (d <= 0) {
            return;
        }
        float f = 1.0f - 0.55f * (1.0f - smoothstep(0, 9, d));
        c.r *= f;
        c.g *= f;
        c.b *= f;
    });
    return canvas.downsampled();
}

Canvas drawLogo(Fonts& fonts, int density) {
    Canvas canvas(kLogoWidth, kLogoHeight, scaleAt(2, density), density);
    // A blackjack: the ace and the jack of spades, fanned.
    Canvas ace = drawCardFace(fonts, Suit::Spades, 14, 4);
    Canvas jack = drawCardFace(fonts, Suit::Spades, 11, 4);
    auto cardAt = [](Vec centre, float angle, float size) {
        return Affine::translate(-kCardWidth / 2.0f, -kCardHeight / 2.0f)
            .then(Affine::scale(size, size))
            .then(Affine::rotate(angle))
            .then(Affine::translate(centre.x, centre.y));
    };
    const float cardScale = 1.4f;
    for (const auto& [card, centre, angle] :
         {std::tuple<const Canvas*, Vec, float>{&jack, {112, 188}, -0.30f},
          std::tuple<const Canvas*, Vec, float>{&ace, {208, 176}, 0.13f}}) {
        Shape outlineOfCard =
            transformed(roundRect({0, 0, kCardWidth * 1.0f, kCardHeight * 1.0f}, 7),
                        cardAt({centre.x + 5, centre.y + 8}, angle, cardScale));
        fillSoft(canvas, outlineOfCard, solid(rgb(0x000000, 0.45f)), 6);
        canvas.draw(*card, cardAt(centre, angle, cardScale));
    }

    const Vec titleAt{612, 148};
    TextStyle title;
    title.face = Face::Serif;
    title.size = 112;
    title.maxWidth = 560;
    drawTextShadow(canvas, fonts, "BLACKJACK", title, {titleAt.x + 4, titleAt.y + 7},
                   rgb(0x000000, 0.6f), 5, 4);
    drawTextShadow(canvas, fonts, "BLACKJACK", title, titleAt, rgb(0x3a1e02), 0, 6);
    drawTextShadow(canvas, fonts, "BLACKJACK", title, titleAt, rgb(0xf6e39a), 0, 3);
    drawTextCentered(canvas, fonts, "BLACKJACK", title, titleAt, [](float, float y) {
        float t = (y - 108) / 80;
        if (t < 0.45f) {
            return mix(rgb(0xfff4c0), rgb(0xe8b640), t / 0.45f);
        }
        return mix(rgb(0xd9a42c), rgb(0x9c6a0c), (t - 0.45f) / 0.55f);
    });

    // A ribbon under the title.
    const float ry = 262, rh = 25, rx0 = 378, rx1 = 846;
    Shape tailLeft = polygon({{rx0 - 30, ry - rh + 12},
                              {rx0 + 10, ry - rh + 12},
                              {rx0 + 10, ry + rh + 12},
                              {rx0 - 30, ry + rh + 12},
                              {rx0 - 16, ry + 12}});
    Shape tailRight = polygon({{rx1 + 30, ry - rh + 12},
                               {rx1 - 10, ry - rh + 12},
                               {rx1 - 10, ry + rh + 12},
                               {rx1 + 30, ry + rh + 12},
                               {rx1 + 16, ry + 12}});
    for (const Shape& tail : {tailLeft, tailRight}) {
        fillSoft(canvas, transformed(tail, Affine::translate(3, 5)), solid(rgb(0x000000, 0.45f)),
                 4);
        fill(canvas, tail,
             linearGradient({0, ry - rh}, rgb(0x7a1016), {0, ry + rh + 12}, rgb(0x3e070b)));
    }
    Shape band = roundRect({rx0, ry - rh, rx1, ry + rh}, 4);
    fillSoft(canvas, transformed(band, Affine::translate(3, 5)), solid(rgb(0x000000, 0.5f)), 4);
    fill(canvas, band, linearGradient({0, ry - rh}, rgb(0xc8242c), {0, ry + rh}, rgb(0x7c0f16)));
    fill(canvas, outline(grow(band, -4), 1.4f), rgb(0xf2d27a));
    TextStyle sub;
    sub.face = Face::Sans;
    sub.size = 27;
    const std::string tagline = "T W E N T Y - O N E";
    drawTextShadow(canvas, fonts, tagline, sub, {(rx0 + rx1) / 2, ry + 1.5f}, rgb(0x000000, 0.5f),
                   1, 0.5f);
    drawTextCentered(canvas, fonts, tagline, sub, {(rx0 + rx1) / 2, ry}, solid(rgb(0xfff6dc)));
    for (float x : {rx0 + 30.0f, rx1 - 30.0f}) {
        fill(canvas, star({x, ry}, 9, 3.8f), rgb(0xf2d27a));
    }
    return canvas.downsampled();
}

Canvas drawIcon(Fonts& fonts) {
    const int scale = 4;
    const float S = kIconSize;
    Canvas canvas(kIconSize, kIconSize, scale);
    drawChip(canvas, fonts, 5, {S / 2, S / 2 - 3}, S - 12, false);
    Canvas ace = drawCardFace(fonts, Suit::Spades, 14, 4);
    const float size = 1.02f, angle = -0.14f;
    auto place = [&](float dx, float dy) {
        return Affine::translate(-kCardWidth / 2.0f, -kCardHeight / 2.0f)
            .then(Affine::scale(size, size))
            .then(Affine::rotate(angle))
            .then(Affine::translate(S / 2 + dx, S / 2 + dy));
    };
    fillSoft(canvas,
             transformed(roundRect({0, 0, kCardWidth * 1.0f, kCardHeight * 1.0f}, 7), place(4, 6)),
             solid(rgb(0x000000, 0.5f)), 5);
    canvas.draw(ace, place(0, 0));
    return canvas.downsampled();
}

}  // namespace artgen
