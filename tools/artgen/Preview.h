// A contact sheet of all the artwork, with the menu and a dealt round mocked up the way the
// game lays them out, for reviewing the art without starting the game.
#pragma once

#include "Canvas.h"
#include "Text.h"

namespace artgen {

// Every picture artgen draws, at scale 1.
struct Artwork {
    Canvas cards, buttons, arrows, chips, background, logo, table, panel, icon;
};

Canvas drawContactSheet(const Artwork& art, Fonts& fonts);

// The two screens at full size, as the game composes them.
Canvas drawMenuMockup(const Artwork& art);
Canvas drawGameMockup(const Artwork& art, Fonts& fonts);

}  // namespace artgen
