#include "Preview.h"

#include <string>

#include "Cards.h"
#include "Scenery.h"
#include "Widgets.h"

namespace artgen {

namespace {

// Copies the rectangle (sx, sy, w, h) of `sheet` to (dx, dy), scaled by `zoom`.
void drawCell(Canvas& target, const Canvas& sheet, int sx, int sy, int w, int h, float dx, float dy,
              float zoom = 1.0f) {
    target.setClip({dx, dy, dx + w * zoom, dy + h * zoom});
    target.draw(sheet, Affine::translate(static_cast<float>(-sx), static_cast<float>(-sy))
                           .then(Affine::scale(zoom, zoom))
                           .then(Affine::translate(dx, dy)));
    target.clearClip();
}

void drawWhole(Canvas& target, const Canvas& image, float dx, float dy, float zoom = 1.0f) {
    drawCell(target, image, 0, 0, image.width(), image.height(), dx, dy, zoom);
}

// White text at its top-left corner, as the game writes its status lines, at their size.
float statusText(Canvas& target, Fonts& fonts, const std::string& text, float x, float y) {
    TextImage image = renderText(fonts, Face::Narrow, static_cast<float>(kFontSize), 1, text);
    target.drawMask(image.mask, Affine::translate(x, y), solid(rgb(0xffffff)));
    return static_cast<float>(image.mask.width);
}

void statusTextCentred(Canvas& target, Fonts& fonts, const std::string& text, float cx, float y) {
    TextImage image = renderText(fonts, Face::Narrow, static_cast<float>(kFontSize), 1, text);
    // Halved in whole pixels, as the game centres its texts.
    const int half = image.mask.width / 2;
    target.drawMask(image.mask, Affine::translate(cx - static_cast<float>(half), y),
                    solid(rgb(0xffffff)));
}

void caption(Canvas& target, Fonts& fonts, const std::string& text, float x, float y) {
    TextImage image = renderText(fonts, Face::Sans, 15, 1, text);
    target.drawMask(image.mask, Affine::translate(x, y), solid(rgb(0xd8d8d8)));
}

void card(Canvas& target, const Artwork& art, int cell, float x, float y) {
    drawCell(target, art.cards, cellX(cell), cellY(cell), kCardWidth, kCardHeight, x, y);
}

// Frame `frame` of a strip of w x h frames, drawn into `where`.
void frameAt(Canvas& target, const Canvas& strip, int frame, int w, int h, SDL_Rect where) {
    drawCell(target, strip, frame * w, 0, w, h, static_cast<float>(where.x),
             static_cast<float>(where.y));
}

void buttonAt(Canvas& target, const Artwork& art, int frame, SDL_Rect where) {
    frameAt(target, art.buttons, frame, kButtonWidth, kButtonHeight, where);
}

Canvas menuScreen(const Artwork& art) {
    Canvas screen(kWindowWidth, kWindowHeight, 1);
    drawWhole(screen, art.background, 0, 0);
    drawWhole(screen, art.logo, kLogoRect.x, kLogoRect.y);
    buttonAt(screen, art, kStartFrame, kStartButtonRect);
    buttonAt(screen, art, kExitFrame, kMenuExitButtonRect);
    return screen;
}

// A round in play after a split, with the last round's result still showing.
Canvas gameScreen(const Artwork& art, Fonts& fonts) {
    Canvas screen(kWindowWidth, kWindowHeight, 1);
    drawWhole(screen, art.background, 0, 0);
    drawWhole(screen, art.table, kTableRect.x, kTableRect.y);
    drawWhole(screen, art.panel, kPanelRect.x, kPanelRect.y);
    card(screen, art, sheetCell(Suit::Hearts, 14), kDealerX, kDealerY);
    card(screen, art, kBackCell, kDealerX + kFanStepX, kDealerY + kFanStepY);
    const int first[] = {sheetCell(Suit::Clubs, 8), sheetCell(Suit::Diamonds, 3),
                         sheetCell(Suit::Spades, 10), sheetCell(Suit::Hearts, 2)};
    for (int i = 0; i < 4; ++i) {
        card(screen, art, first[i], kPlayerX + kFanStepX * i, kPlayerY + kFanStepY * i);
    }
    // The second hand waits, lower, at its usual place.
    const int second[] = {sheetCell(Suit::Spades, 8), sheetCell(Suit::Clubs, 12),
                          sheetCell(Suit::Diamonds, 14)};
    for (int i = 0; i < 3; ++i) {
        card(screen, art, second[i], kSplitX + kFanStepX * i,
             kSplitY + kWaitingDrop + kFanStepY * i);
    }
    const int counts[] = {0, 2, 1, 0, 0};
    for (int i = 0; i < kChipKinds; ++i) {
        const SDL_Rect chip = chipRect(i);
        drawCell(screen, art.chips, kChipCellColumns[i] * kChipWidth,
                 kChipCellRows[i] * kChipHeight, kChipWidth, kChipHeight, chip.x, chip.y);
        const int countCentreX = chip.x + chip.w / 2;
        statusTextCentred(screen, fonts, "x" + std::to_string(counts[i]), countCentreX,
                          chip.y + chip.h + kChipCountGap);
        frameAt(screen, art.arrows, kRemoveFrame, kArrowWidth, kArrowHeight, removeChipRect(i));
        frameAt(screen, art.arrows, kAddFrame, kArrowWidth, kArrowHeight, addChipRect(i));
    }
    statusText(screen, fonts, "PLAYER WINS | 100$ Won | Player Higher Score", kResultTextAt.x,
               kResultTextAt.y);
    statusText(screen, fonts, "Dealer: 11", kDealerTextAt.x, kDealerTextAt.y);
    statusText(screen, fonts, "Player: 19 | Split: 21", kPlayerTextAt.x, kPlayerTextAt.y);
    buttonAt(screen, art, kDealFrame, kDealButtonRect);
    buttonAt(screen, art, kExitFrame, kExitButtonRect);
    buttonAt(screen, art, kHitFrame, kHitButtonRect);
    buttonAt(screen, art, kStandFrame, kStandButtonRect);
    buttonAt(screen, art, kDoubleFrame, kDoubleButtonRect);
    buttonAt(screen, art, kSplitFrame, kSplitButtonRect);
    statusTextCentred(screen, fonts, "Wallet: 850", kPanelCentreX, kWalletTextY);
    statusTextCentred(screen, fonts, "Bet: 100", kPanelCentreX, kBetTextY);
    return screen;
}

}  // namespace

Canvas drawContactSheet(const Artwork& art, Fonts& fonts) {
    const float margin = 24, gap = 24, captionHeight = 24;
    const int width = 1101;
    float y = margin;
    // Row heights: cards, buttons, chips/arrows/icon, logo/table/panel, the two screens.
    const float heights[] = {kSheetHeight, 48, 264, 384, 384};
    float total = margin;
    for (float h : heights) {
        total += captionHeight + h + gap;
    }
    Canvas sheet(width, static_cast<int>(total), 1);
    sheet.cover(
        {0, 0, static_cast<float>(width), total}, [](float, float) { return 1.0f; },
        solid(rgb(0x2a2c2e)));

    caption(sheet, fonts,
            "CARDS.png  " + std::to_string(kSheetWidth) + " x " + std::to_string(kSheetHeight) +
                " (cells of " + std::to_string(kCardWidth) + " x " + std::to_string(kCardHeight) +
                ")",
            margin, y);
    y += captionHeight;
    drawWhole(sheet, art.cards, margin, y);
    y += heights[0] + gap;

    caption(sheet, fonts,
            "BUTTONS.png  frames of " + std::to_string(kButtonWidth) + " x " +
                std::to_string(kButtonHeight),
            margin, y);
    y += captionHeight;
    drawWhole(sheet, art.buttons, margin, y);
    y += heights[1] + gap;

    caption(sheet, fonts, "CHIPS.png  (x2)", margin, y);
    caption(sheet, fonts, "ARROWS.png  (x2)", margin + 640 + gap, y);
    caption(sheet, fonts, "icon 256 x 256", width - margin - 256 + 60, y);
    y += captionHeight;
    drawWhole(sheet, art.chips, margin, y, 2);
    drawWhole(sheet, art.arrows, margin + 640 + gap, y, 2);
    drawWhole(sheet, art.icon, width - margin - 256, y);
    y += heights[2] + gap;

    caption(sheet, fonts, "LOGO.png  (x1/2)", margin, y);
    caption(sheet, fonts, "TABLE.png  (x1/2)", margin + 459 + gap, y);
    caption(sheet, fonts, "CHIPBG.png  (x1/2)", margin + 459 + 410 + 2 * gap, y);
    y += captionHeight;
    drawWhole(sheet, art.logo, margin, y, 0.5f);
    drawWhole(sheet, art.table, margin + 459 + gap, y, 0.5f);
    drawWhole(sheet, art.panel, margin + 459 + 410 + 2 * gap, y, 0.5f);
    y += heights[3] + gap;

    caption(sheet, fonts, "Menu, with BG.png  (x1/2)", margin, y);
    caption(sheet, fonts, "Game screen mock-up  (x1/2)", margin + 512 + gap, y);
    y += captionHeight;
    drawWhole(sheet, menuScreen(art), margin, y, 0.5f);
    drawWhole(sheet, gameScreen(art, fonts), margin + 512 + gap, y, 0.5f);
    return sheet;
}

Canvas drawGameMockup(const Artwork& art, Fonts& fonts) {
    return gameScreen(art, fonts);
}
Canvas drawMenuMockup(const Artwork& art) {
    return menuScreen(art);
}

}  // namespace artgen
