// The big pictures: background, table, chip panel, logo and the desktop icon.
#pragma once

#include "Canvas.h"
#include "Text.h"
#include "ui/Layout.h"

namespace artgen {

// The window, table, panel and logo are as large as the game shows them (ui/Layout.h), in units:
// at density 2 each picture is twice as wide and high.
constexpr int kIconSize = 256;

// Dark felt under a padded rail; both screens stretch it over the whole window.
Canvas drawBackground(int density = 1);
// The playing surface, with the table's printed rules below the player's cards.
Canvas drawTable(Fonts& fonts, int density = 1);
// The chip rack on the right: a display for wallet and bet above a lined tray.
Canvas drawChipPanel(int density = 1);
// The title shown on the menu, on a transparent ground.
Canvas drawLogo(Fonts& fonts, int density = 1);
// The desktop icon: the ace of spades on a chip.
Canvas drawIcon(Fonts& fonts);

}  // namespace artgen
