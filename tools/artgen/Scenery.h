// The big pictures: background, table, chip panel, logo and the desktop icon.
#pragma once

#include "Canvas.h"
#include "Text.h"

namespace artgen {

constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;
constexpr int kTableWidth = 820;
constexpr int kTableHeight = 650;
constexpr int kPanelWidth = 204;
constexpr int kPanelHeight = 768;
constexpr int kLogoWidth = 918;
constexpr int kLogoHeight = 357;
constexpr int kIconSize = 256;

// Dark felt under a padded rail; both screens stretch it over the whole window.
Canvas drawBackground();
// The playing surface, with the table's printed rules below the player's cards.
Canvas drawTable(Fonts& fonts);
// The chip rack on the right: a display for wallet and bet above a lined tray.
Canvas drawChipPanel();
// The title shown on the menu, on a transparent ground.
Canvas drawLogo(Fonts& fonts);
// The desktop icon: the ace of spades on a chip.
Canvas drawIcon(Fonts& fonts);

}  // namespace artgen
