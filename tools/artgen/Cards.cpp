#include "Cards.h"

#include <cmath>
#include <string>
#include <vector>

namespace artgen {

namespace {

const Color kRed = rgb(0xc8142c);
const Color kBlack = rgb(0x17171f);
const Color kGold = rgb(0xd2a534);
const Color kDarkGold = rgb(0x8a6414);
const float kW = static_cast<float>(kCardWidth);
const float kH = static_cast<float>(kCardHeight);
const Box kCardBox{0.5f, 0.5f, kW - 0.5f, kH - 0.5f};
const float kCornerRadius = 7;

Color suitColor(Suit suit) {
    return isRed(suit) ? kRed : kBlack;
}

std::string rankLabel(int rank) {
    switch (rank) {
        case 11:
            return "J";
        case 12:
            return "Q";
        case 13:
            return "K";
        case 14:
            return "A";
        default:
            return std::to_string(rank);
    }
}

// Ink with a hint of depth: a touch lighter at the top of each symbol.
Paint inkPaint(Color color, Vec centre, float height) {
    return linearGradient({centre.x, centre.y - height / 2}, shade(color, 1.25f),
                          {centre.x, centre.y + height / 2}, color);
}

void pip(Canvas& canvas, Suit suit, Vec centre, float height, bool upsideDown = false) {
    fill(canvas, suitShape(suit, centre, height, upsideDown),
         inkPaint(suitColor(suit), centre, height));
}

// Rounded white card with a thin grey border.
void cardBlank(Canvas& canvas) {
    Shape card = roundRect(kCardBox, kCornerRadius);
    fill(canvas, card, linearGradient({0, 0}, rgb(0xffffff), {0, kH}, rgb(0xf2efe6)));
    fill(canvas, outline(grow(card, -0.5f), 1.0f), rgb(0x6f6f78, 0.95f));
}

// Rank above a small suit symbol, in the top-left corner and turned round in the bottom-right.
void cornerIndex(Canvas& canvas, Fonts& fonts, Suit suit, int rank) {
    const std::string label = rankLabel(rank);
    for (int corner = 0; corner < 2; ++corner) {
        bool turned = corner == 1;
        auto at = [&](float x, float y) { return turned ? Vec{kW - x, kH - y} : Vec{x, y}; };
        TextStyle style;
        style.face = rank > 10 ? Face::Sans : Face::Narrow;  // letters broad, "10" narrow
        style.size = 21;
        style.maxWidth = 19;
        style.rotation = turned ? kPi : 0;
        drawTextCentered(canvas, fonts, label, style, at(12.5f, 12.0f), solid(suitColor(suit)));
        pip(canvas, suit, at(12.5f, 26.5f), 11.5f, turned);
    }
}

// Where the pips of a number card go; those below the middle are drawn upside down.
std::vector<Vec> pipLayout(int rank) {
    const float left = 37, mid = kW / 2, right = kW - 37;
    const float top = 30, bottom = kH - 30, centre = kH / 2;
    const float third = (bottom - top) / 3;
    std::vector<Vec> pips;
    auto pair = [&](float y) {
        pips.push_back({left, y});
        pips.push_back({right, y});
    };
    switch (rank) {
        case 2:
            pips = {{mid, top}, {mid, bottom}};
            break;
        case 3:
            pips = {{mid, top}, {mid, centre}, {mid, bottom}};
            break;
        case 4:
        case 5:
        case 6:
        case 7:
        case 8:
            pair(top);
            pair(bottom);
            if (rank == 5) {
                pips.push_back({mid, centre});
            }
            if (rank >= 6) {
                pair(centre);
            }
            if (rank >= 7) {
                pips.push_back({mid, (top + centre) / 2});
            }
            if (rank == 8) {
                pips.push_back({mid, (centre + bottom) / 2});
            }
            break;
        case 9:
        case 10:
            pair(top);
            pair(top + third);
            pair(top + 2 * third);
            pair(bottom);
            if (rank == 9) {
                pips.push_back({mid, centre});
            } else {
                pips.push_back({mid, top + third / 2});
                pips.push_back({mid, bottom - third / 2});
            }
            break;
        default:
            break;
    }
    return pips;
}

// Gold emblems above the court letters: a crown for the king, a tiara for the queen and a
// plumed cap for the jack.
Shape courtEmblem(int rank, Vec c) {
    if (rank == 13) {
        Shape band = roundRect({c.x - 16, c.y + 4, c.x + 16, c.y + 9}, 1.5f);
        Shape points = polygon({{c.x - 16, c.y + 5},
                                {c.x - 18, c.y - 7},
                                {c.x - 8, c.y - 1},
                                {c.x, c.y - 12},
                                {c.x + 8, c.y - 1},
                                {c.x + 18, c.y - 7},
                                {c.x + 16, c.y + 5}});
        Shape jewels =
            unite(unite(circle({c.x - 18, c.y - 8}, 2.4f), circle({c.x, c.y - 13}, 2.8f)),
                  circle({c.x + 18, c.y - 8}, 2.4f));
        return unite(unite(band, points), jewels);
    }
    if (rank == 12) {
        Shape band = roundRect({c.x - 14, c.y + 4, c.x + 14, c.y + 8}, 1.5f);
        Shape arch = intersect(ellipse({c.x, c.y + 5}, 14, 11),
                               roundRect({c.x - 15, c.y - 8, c.x + 15, c.y + 6}, 0));
        Shape pearls = circle({c.x, c.y - 9}, 2.6f);
        for (int i = -2; i <= 2; ++i) {
            if (i != 0) {
                float a = i * 0.55f;
                pearls = unite(pearls,
                               circle({c.x + std::sin(a) * 15, c.y + 5 - std::cos(a) * 13}, 2.0f));
            }
        }
        Shape cut = ellipse({c.x, c.y + 6}, 7, 6);
        return unite(unite(band, subtract(arch, cut)), pearls);
    }
    // Jack: two crossed swords.
    Shape swords{[](float, float) { return 1e9f; }, {c.x, c.y, c.x, c.y}};  // empty
    for (float side : {-1.0f, 1.0f}) {
        Vec tip{c.x - side * 15, c.y - 11}, hilt{c.x + side * 9, c.y + 6};
        float dx = tip.x - hilt.x, dy = tip.y - hilt.y;
        float len = std::sqrt(dx * dx + dy * dy);
        Vec across{-dy / len, dx / len};
        Shape blade = polygon({{hilt.x + across.x * 1.8f, hilt.y + across.y * 1.8f},
                               tip,
                               {hilt.x - across.x * 1.8f, hilt.y - across.y * 1.8f}});
        Shape guard = segment({hilt.x + across.x * 5.5f, hilt.y + across.y * 5.5f},
                              {hilt.x - across.x * 5.5f, hilt.y - across.y * 5.5f}, 1.3f);
        Vec grip{hilt.x - dx / len * 5, hilt.y - dy / len * 5};
        Shape handle = unite(segment(hilt, grip, 1.2f), circle(grip, 2.2f));
        swords = unite(swords, unite(blade, unite(guard, handle)));
    }
    return swords;
}

void courtFace(Canvas& canvas, Fonts& fonts, Suit suit, int rank) {
    const Box frame{25, 18, kW - 25, kH - 18};
    Color ink = suitColor(suit);
    Shape panel = roundRect(frame, 3);
    fill(canvas, panel, linearGradient({0, frame.y0}, rgb(0xfdf6e0), {0, frame.y1}, rgb(0xf0dca6)));
    // Fine diagonal hatching across the panel.
    Shape hatch{[](float x, float y) {
                    float s = (x + y) / 1.41421f;
                    float period = 4.0f;
                    return std::fabs(s - std::round(s / period) * period) - 0.35f;
                },
                frame};
    fill(canvas, intersect(hatch, panel), rgb(0xc9a44a, 0.35f));
    fill(canvas, outline(grow(panel, -0.8f), 1.6f), ink);
    fill(canvas, outline(grow(panel, -3.4f), 0.8f), kGold);

    Vec emblemAt{kW / 2, 39};
    Shape emblem = courtEmblem(rank, emblemAt);
    fill(canvas, grow(emblem, 1.0f), kDarkGold);
    fill(canvas, emblem,
         linearGradient({0, emblemAt.y - 12}, rgb(0xf7d774), {0, emblemAt.y + 9}, rgb(0xc08a1a)));

    TextStyle letter;
    letter.face = Face::Serif;
    letter.size = 58;
    Vec letterAt{kW / 2, 86};
    drawTextShadow(canvas, fonts, rankLabel(rank), letter, {letterAt.x + 1, letterAt.y + 1.5f},
                   rgb(0x000000, 0.35f), 1.5f, 0);
    drawTextShadow(canvas, fonts, rankLabel(rank), letter, letterAt, kGold, 0, 1.4f);
    drawTextCentered(canvas, fonts, rankLabel(rank), letter, letterAt, inkPaint(ink, letterAt, 44));

    pip(canvas, suit, {kW / 2, 126}, 20);
    pip(canvas, suit, {frame.x0 + 9, frame.y0 + 10}, 8);
    pip(canvas, suit, {frame.x1 - 9, frame.y0 + 10}, 8);
    pip(canvas, suit, {frame.x0 + 9, frame.y1 - 10}, 8, true);
    pip(canvas, suit, {frame.x1 - 9, frame.y1 - 10}, 8, true);
}

void aceFace(Canvas& canvas, Suit suit) {
    Vec centre{kW / 2, kH / 2};
    float height = suit == Suit::Spades ? 66.0f : 56.0f;
    Shape big = suitShape(suit, centre, height);
    fill(canvas, grow(big, 4.5f), rgb(0xffffff));
    fill(canvas, outline(grow(big, 3.0f), 0.8f), withAlpha(suitColor(suit), 0.7f));
    fill(canvas, big, inkPaint(suitColor(suit), centre, height));
    if (suit == Suit::Spades) {
        // The traditional flourish of the ace of spades: an inlaid line and a small heart of gold.
        fill(canvas, outline(grow(big, -3.0f), 0.9f), kGold);
        fill(canvas, suitShape(Suit::Spades, {centre.x, centre.y - 3}, 14), kGold);
    }
}

}  // namespace

Canvas drawCardFace(Fonts& fonts, Suit suit, int rank, int scale, int density) {
    Canvas canvas(kCardWidth, kCardHeight, scale, density);
    cardBlank(canvas);
    if (rank >= 2 && rank <= 10) {
        for (const Vec& at : pipLayout(rank)) {
            pip(canvas, suit, at, 21, at.y > kH / 2 + 1);
        }
    } else if (rank <= 13) {
        courtFace(canvas, fonts, suit, rank);
    } else {
        aceFace(canvas, suit);
    }
    cornerIndex(canvas, fonts, suit, rank);
    return canvas;
}

Canvas drawCardBack(int scale, int density) {
    Canvas canvas(kCardWidth, kCardHeight, scale, density);
    cardBlank(canvas);
    const Box inner{5.5f, 5.5f, kW - 5.5f, kH - 5.5f};
    Shape field = roundRect(inner, 4);
    fill(canvas, field, radialGradient({kW / 2, kH / 2}, 95, rgb(0xa8232a), rgb(0x5e0d12)));
    // A lattice of fine diagonal lines, with a dot at every crossing.
    Shape lattice{[](float x, float y) {
                      const float period = 7.0f;
                      float u = (x + y) / 1.41421f, v = (x - y) / 1.41421f;
                      float du = std::fabs(u - std::round(u / period) * period);
                      float dv = std::fabs(v - std::round(v / period) * period);
                      return std::min(du, dv) - 0.45f;
                  },
                  inner};
    fill(canvas, intersect(lattice, grow(field, -2)), rgb(0xe0666b, 0.55f));
    fill(canvas, outline(grow(field, -3.5f), 1.0f), rgb(0xf3d9a0));
    fill(canvas, outline(grow(field, -6.0f), 0.6f), rgb(0xf3d9a0, 0.7f));
    // Medallion in the middle.
    Vec c{kW / 2, kH / 2};
    Shape medallion = ellipse(c, 25, 32);
    fillSoft(canvas, grow(medallion, 2), solid(rgb(0x000000, 0.35f)), 3);
    fill(canvas, medallion, radialGradient(c, 34, rgb(0x8d1820), rgb(0x4d0a0e)));
    fill(canvas, outline(medallion, 1.6f), rgb(0xf3d9a0));
    fill(canvas, outline(grow(medallion, -3.5f), 0.7f), rgb(0xf3d9a0, 0.8f));
    Shape spade = suitShape(Suit::Spades, c, 30);
    fill(canvas, spade, linearGradient({0, c.y - 15}, rgb(0xfbe7b0), {0, c.y + 15}, rgb(0xc9953a)));
    for (int i = 0; i < 4; ++i) {
        float x = i % 2 == 0 ? inner.x0 + 10 : inner.x1 - 10;
        float y = i < 2 ? inner.y0 + 10 : inner.y1 - 10;
        fill(canvas,
             transformed(roundRect({-3, -3, 3, 3}, 0.5f),
                         Affine::rotate(kPi / 4).then(Affine::translate(x, y))),
             rgb(0xf3d9a0));
    }
    return canvas;
}

Canvas drawJoker(Fonts& fonts, int scale, int density) {
    Canvas canvas(kCardWidth, kCardHeight, scale, density);
    cardBlank(canvas);
    Vec c{kW / 2, kH / 2 - 4};
    fill(canvas, star(c, 34, 14), rgb(0x6a1b9a));
    fill(canvas, star(c, 28, 11),
         linearGradient({0, c.y - 28}, rgb(0xffe082), {0, c.y + 28}, rgb(0xe0a020)));
    TextStyle word;
    word.face = Face::Serif;
    word.size = 19;
    drawTextCentered(canvas, fonts, "JOKER", word, {kW / 2, kH - 30}, solid(rgb(0x6a1b9a)));
    TextStyle letter;
    letter.face = Face::Narrow;
    letter.size = 11;
    const std::string name = "JOKER";
    for (size_t i = 0; i < name.size(); ++i) {
        float y = 11 + 11.5f * i;
        drawTextCentered(canvas, fonts, name.substr(i, 1), letter, {11, y}, solid(rgb(0x6a1b9a)));
        letter.rotation = kPi;
        drawTextCentered(canvas, fonts, name.substr(i, 1), letter, {kW - 11, kH - y},
                         solid(rgb(0x6a1b9a)));
        letter.rotation = 0;
    }
    return canvas;
}

Canvas drawCardSheet(Fonts& fonts, int density) {
    const int scale = scaleAt(4, density);
    Canvas sheet(kSheetWidth, kSheetHeight, 1, density);
    auto place = [&](int cell, const Canvas& card) {
        sheet.blit(card.downsampled(), cellX(cell), cellY(cell));
    };
    place(kBackCell, drawCardBack(scale, density));
    place(1, drawJoker(fonts, scale, density));  // the cell no card of the deck uses
    for (const Suit suit : {Suit::Clubs, Suit::Diamonds, Suit::Hearts, Suit::Spades}) {
        for (int rank = 2; rank <= 14; ++rank) {
            place(sheetCell(suit, rank), drawCardFace(fonts, suit, rank, scale, density));
        }
    }
    return sheet;
}

}  // namespace artgen
