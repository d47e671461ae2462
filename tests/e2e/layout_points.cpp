// Writes the places play.sh clicks and looks at as shell assignments, from the game's own layout
// (ui/Layout.h), into the file named on the command line: sizes as "name=N", points as
// "name=(x y)", screenshot areas as ImageMagick geometries "name=WxH+X+Y".
#include <SDL.h>

#include <fstream>
#include <iostream>
#include <string>

#include "rules/CardSheet.h"
#include "ui/Layout.h"

namespace {

std::string point(SDL_Point p) {
    return "(" + std::to_string(p.x) + " " + std::to_string(p.y) + ")";
}

std::string area(SDL_Rect r) {
    return std::to_string(r.w) + "x" + std::to_string(r.h) + "+" + std::to_string(r.x) + "+" +
           std::to_string(r.y);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: layout_points FILE" << std::endl;
        return 2;
    }
    std::ofstream out(argv[1]);
    out << "# Written by the build from ui/Layout.h; play.sh sources it.\n"
        // The size the table is laid out at, and its texts' point size.
        << "window_width=" << kWindowWidth << "\n"
        << "window_height=" << kWindowHeight << "\n"
        << "font_size=" << kFontSize << "\n"
        << "start=" << point(centreOf(kStartButtonRect)) << "\n"
        << "menu_exit=" << point(centreOf(kMenuExitButtonRect)) << "\n"
        << "exit_button=" << point(centreOf(kExitButtonRect)) << "\n"
        << "add_five=" << point(centreOf(addChipRect(0))) << "\n"
        << "add_fifty=" << point(centreOf(addChipRect(2))) << "\n"
        << "remove_fifty=" << point(centreOf(removeChipRect(2))) << "\n"
        << "add_hundred=" << point(centreOf(addChipRect(3))) << "\n"
        << "remove_hundred=" << point(centreOf(removeChipRect(3))) << "\n"
        << "deal=" << point(centreOf(kDealButtonRect)) << "\n"
        << "stand=" << point(centreOf(kStandButtonRect)) << "\n"
        << "away=" << point(kAwayFromButtons) << "\n"
        << "logo_area=" << area(kLogoRect) << "\n"
        << "table_area=" << area(kTableRect) << "\n"
        << "deal_area=" << area(kDealButtonRect)
        << "\n"
        // HIT and STAND side by side.
        << "play_area="
        << area({kHitButtonRect.x, kHitButtonRect.y,
                 kStandButtonRect.x + kStandButtonRect.w - kHitButtonRect.x, kHitButtonRect.h})
        << "\n"
        // The bet text, one line high across the panel.
        << "bet_area=" << area({kPanelRect.x, kBetTextY - 3, kPanelRect.w, 35}) << "\n"
        << "dealer_card_area=" << area({kDealerX, kDealerY, kCardWidth, kCardHeight}) << "\n"
        << "player_card_area=" << area({kPlayerX, kPlayerY, kCardWidth, kCardHeight})
        << "\n"
        // The coach's session ledger, on the felt.
        << "coach_area="
        << area({kCoachLedgerAt.x, kCoachLedgerAt.y, kTableWidth - kCoachLedgerAt.x,
                 kCoachLedgerBottom - kCoachLedgerAt.y})
        << "\n";
    out.close();
    if (!out) {
        std::cerr << "layout_points: cannot write " << argv[1] << std::endl;
        return 1;
    }
    return 0;
}
