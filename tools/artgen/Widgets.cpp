#include "Widgets.h"

#include <cmath>
#include <string>

#include "Shapes.h"

namespace artgen {

namespace {

struct ChipStyle {
    int value;
    Color body;
    Color stripe;
    Color inlay;
    Color lettering;
};

// Casino colours: white 1, red 5, blue 10, green 25, orange 50, black 100, purple 500,
// yellow 1000, brown 5000.
ChipStyle chipStyle(int value) {
    switch (value) {
        case 1:
            return {1, rgb(0xe8e8e8), rgb(0x2a5db0), rgb(0xffffff), rgb(0x2a5db0)};
        case 5:
            return {5, rgb(0xc81e28), rgb(0xffffff), rgb(0xfff8f0), rgb(0xb01820)};
        case 10:
            return {10, rgb(0x1e56b4), rgb(0xffffff), rgb(0xf4f8ff), rgb(0x1a4a9c)};
        case 25:
            return {25, rgb(0x1f8a3a), rgb(0xffffff), rgb(0xf4fff6), rgb(0x176d2c)};
        case 50:
            return {50, rgb(0xe8731a), rgb(0xffffff), rgb(0xfff7ee), rgb(0xc25a0c)};
        case 100:
            return {100, rgb(0x1c1c22), rgb(0xf2f2f2), rgb(0xffffff), rgb(0x1c1c22)};
        case 500:
            return {500, rgb(0x6b2398), rgb(0xffd54a), rgb(0xfffaf0), rgb(0x5a1a82)};
        case 1000:
            return {1000, rgb(0xf2c318), rgb(0x7a4a00), rgb(0xfffbe8), rgb(0x8a5a00)};
        default:
            return {value, rgb(0x7a4a26), rgb(0xfff0d0), rgb(0xfffaf0), rgb(0x6a3a1a)};
    }
}

Shape sector(Vec c, float inner, float outer, float from, float to) {
    std::vector<Vec> points;
    const int steps = 6;
    for (int i = 0; i <= steps; ++i) {
        float a = from + (to - from) * i / steps;
        points.push_back({c.x + std::cos(a) * outer, c.y + std::sin(a) * outer});
    }
    for (int i = steps; i >= 0; --i) {
        float a = from + (to - from) * i / steps;
        points.push_back({c.x + std::cos(a) * inner, c.y + std::sin(a) * inner});
    }
    return polygon(points);
}

}  // namespace

void drawChip(Canvas& canvas, Fonts& fonts, int value, Vec c, float diameter, bool printValue) {
    ChipStyle style = chipStyle(value);
    float r = diameter / 2;
    float k = diameter / 60;  // designed at 60 pixels across
    // Soft shadow and the chip's edge, seen a little from above.
    fillSoft(canvas, circle({c.x + 0.8f * k, c.y + 2.6f * k}, r), solid(rgb(0x000000, 0.45f)),
             1.6f * k);
    fill(canvas, circle({c.x, c.y + 1.6f * k}, r), shade(style.body, 0.55f));
    Shape face = circle(c, r);
    fill(canvas, face,
         radialGradient({c.x - r * 0.3f, c.y - r * 0.35f}, r * 1.6f, shade(style.body, 1.18f),
                        shade(style.body, 0.82f)));
    // Six inserts of the edge colour around the rim.
    for (int i = 0; i < 6; ++i) {
        float mid = i * kPi / 3 + kPi / 6;
        Shape insert = sector(c, r * 0.7f, r + 0.5f, mid - 0.23f, mid + 0.23f);
        fill(canvas, intersect(insert, face), style.stripe);
    }
    fill(canvas, outline(circle(c, r * 0.7f), 0.9f * k), rgb(0x000000, 0.18f));
    // Dashed ring and the value inlay.
    for (int i = 0; i < 24; ++i) {
        float a = i * kPi / 12;
        Shape dash = sector(c, r * 0.62f, r * 0.66f, a, a + kPi / 20);
        fill(canvas, dash, withAlpha(style.stripe, 0.85f));
    }
    Shape inlay = circle(c, r * 0.55f);
    fill(canvas, inlay,
         radialGradient({c.x - r * 0.15f, c.y - r * 0.2f}, r * 0.7f, style.inlay,
                        shade(style.inlay, 0.9f)));
    fill(canvas, outline(inlay, 1.2f * k), shade(style.body, 0.9f));
    if (printValue) {
        std::string label = std::to_string(value);
        if (value >= 1000) {
            label = std::to_string(value / 1000) + "K";
        }
        TextStyle text;
        text.face = Face::Sans;
        text.size = (label.size() == 1 ? 19.0f : label.size() == 2 ? 16.0f : 12.5f) * k;
        text.maxWidth = r * 0.84f;
        drawTextCentered(canvas, fonts, label, text, c, solid(style.lettering));
    }
    // Gloss across the top.
    fill(canvas, intersect(face, ellipse({c.x - r * 0.15f, c.y - r * 0.55f}, r * 0.85f, r * 0.5f)),
         rgb(0xffffff, 0.10f));
}

Canvas drawChipSheet(Fonts& fonts) {
    // The game's five chips where it cuts them, further denominations around them.
    int values[kChipRows][kChipColumns] = {{1, 0, 10, 0, 0}, {0, 0, 1000, 5000, 0}};
    for (int kind = 0; kind < kChipKinds; ++kind) {
        values[kChipCellRows[kind]][kChipCellColumns[kind]] = kChipValues[kind];
    }
    Canvas sheet(kChipWidth * kChipColumns, kChipHeight * kChipRows, 1);
    for (int row = 0; row < kChipRows; ++row) {
        for (int column = 0; column < kChipColumns; ++column) {
            if (values[row][column] == 0) {
                continue;
            }
            Canvas cell(kChipWidth, kChipHeight, 4);
            drawChip(cell, fonts, values[row][column], {32, 31}, 60);
            sheet.blit(cell.downsampled(), column * kChipWidth, row * kChipHeight);
        }
    }
    return sheet;
}

Canvas drawButtonSheet(Fonts& fonts) {
    struct Look {
        const char* label;
        uint32_t top, bottom;
    };
    const Look looks[kButtonFrames] = {
        {"START", 0x2fb35a, 0x11692f}, {"EXIT", 0xd0393c, 0x7c1518}, {"HIT", 0x2aa36a, 0x0f5e3a},
        {"STAND", 0xe0892a, 0x8f4a0c}, {"DEAL", 0xd9a521, 0x7a5006}, {"DOUBLE", 0x3a78d8, 0x173f88},
        {"SPLIT", 0x9a4fd0, 0x51207e},
    };
    Canvas sheet(kButtonWidth * kButtonFrames, kButtonHeight, 1);
    const float w = kButtonWidth, h = kButtonHeight;
    for (int i = 0; i < kButtonFrames; ++i) {
        Canvas frame(kButtonWidth, kButtonHeight, 4);
        Color top = rgb(looks[i].top), bottom = rgb(looks[i].bottom);
        Shape outer = roundRect({1, 1, w - 1, h - 1}, 12);
        Shape body = roundRect({3.5f, 3.5f, w - 3.5f, h - 3.5f}, 9.5f);
        fillSoft(frame, outer, solid(rgb(0x000000, 0.5f)), 1);
        fill(frame, outer, linearGradient({0, 1}, rgb(0xf6dc86), {0, h - 1}, rgb(0x8a6416)));
        fill(frame, body, linearGradient({0, 3.5f}, top, {0, h - 3.5f}, bottom));
        Shape gloss = intersect(body, roundRect({3.5f, 3.5f, w - 3.5f, h * 0.5f}, 9.5f));
        fill(frame, gloss,
             linearGradient({0, 3.5f}, rgb(0xffffff, 0.35f), {0, h * 0.5f}, rgb(0xffffff, 0.06f)));
        fill(frame, outline(grow(body, -0.6f), 1.0f), rgb(0xffffff, 0.18f));
        TextStyle text;
        text.face = Face::Sans;
        text.size = 21;
        text.maxWidth = w - 26;
        Vec centre{w / 2, h / 2 + 0.5f};
        drawTextShadow(frame, fonts, looks[i].label, text, {centre.x, centre.y + 1.2f},
                       rgb(0x000000, 0.55f), 1.2f, 0.6f);
        drawTextCentered(
            frame, fonts, looks[i].label, text, centre,
            linearGradient({0, centre.y - 8}, rgb(0xffffff), {0, centre.y + 8}, rgb(0xf0f0f0)));
        sheet.blit(frame.downsampled(), i * kButtonWidth, 0);
    }
    return sheet;
}

Canvas drawArrowSheet() {
    Canvas sheet(kArrowWidth * 2, kArrowHeight, 1);
    const float w = kArrowWidth, h = kArrowHeight;
    for (int i = 0; i < 2; ++i) {
        bool add = i == 1;
        Canvas frame(kArrowWidth, kArrowHeight, 4);
        Color top = add ? rgb(0x35b865) : rgb(0xd8464a);
        Color bottom = add ? rgb(0x126b33) : rgb(0x7e1719);
        Shape outer = roundRect({0.5f, 0.5f, w - 0.5f, h - 0.5f}, 7);
        Shape body = roundRect({2.2f, 2.2f, w - 2.2f, h - 2.2f}, 5.5f);
        fill(frame, outer, linearGradient({0, 0}, rgb(0xf6dc86), {0, h}, rgb(0x8a6416)));
        fill(frame, body, linearGradient({0, 2}, top, {0, h - 2}, bottom));
        fill(frame, intersect(body, roundRect({2.2f, 2.2f, w - 2.2f, h * 0.45f}, 5.5f)),
             rgb(0xffffff, 0.2f));
        // The sign on top, the arrow below.
        Vec sign{w / 2, 13};
        Shape bar = roundRect({sign.x - 6, sign.y - 1.7f, sign.x + 6, sign.y + 1.7f}, 1);
        if (add) {
            bar = unite(bar, roundRect({sign.x - 1.7f, sign.y - 6, sign.x + 1.7f, sign.y + 6}, 1));
        }
        float ay = 27.5f;
        Shape arrow =
            add ? polygon(
                      {{w / 2, ay - 5.5f}, {w / 2 + 7.5f, ay + 4.5f}, {w / 2 - 7.5f, ay + 4.5f}})
                : polygon(
                      {{w / 2 - 7.5f, ay - 4.5f}, {w / 2 + 7.5f, ay - 4.5f}, {w / 2, ay + 5.5f}});
        for (const Shape& mark : {bar, arrow}) {
            fillSoft(frame, transformed(mark, Affine::translate(0, 1)), solid(rgb(0x000000, 0.45f)),
                     0.8f);
            fill(frame, mark, rgb(0xffffff));
        }
        sheet.blit(frame.downsampled(), i * kArrowWidth, 0);
    }
    return sheet;
}

}  // namespace artgen
