// Chips, action buttons and the chip arrows.
#pragma once

#include "Canvas.h"
#include "Text.h"
#include "ui/Layout.h"

namespace artgen {

// The chip sheet's grid; its cells, the buttons' frames and the arrows' are cut as the game cuts
// them (ui/Layout.h).
constexpr int kChipColumns = 5;
constexpr int kChipRows = 2;

// One chip, `diameter` output pixels across, centred on `centre`, in the colours of `value`;
// the value is printed on it unless `printValue` is false.
void drawChip(Canvas& canvas, Fonts& fonts, int value, Vec centre, float diameter,
              bool printValue = true);

// A grid of 5 x 2 chip cells of 64 x 66: the game's chips, kChipValues, in the cells it cuts
// them from; the others hold further denominations.
Canvas drawChipSheet(Fonts& fonts);

// One strip of 134 x 48 frames: START, EXIT, HIT, STAND, DEAL, DOUBLE, SPLIT.
Canvas drawButtonSheet(Fonts& fonts);

// Two 26 x 40 frames: remove a chip (minus, pointing down) and add one (plus, pointing up).
Canvas drawArrowSheet();

}  // namespace artgen
