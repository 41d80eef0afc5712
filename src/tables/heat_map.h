// The heat-map colours of the grid's cells: each value's place on a colour scale over its
// table's range, and a text colour that stays readable on it.
#pragma once

#include "tables/colour.h"
#include "tables/table_map.h"

namespace tables {

// Fuel trim on a diverging purple-to-orange scale centred on 0 (lean purple, rich
// orange); retard on a sequential blue scale from no retard (light) to the most (dark).
// Both scales read in the common kinds of colour blindness and never come near the
// locked cells' pure red. Values beyond the range take the colour of its end.
Colour HeatColour(TableKind kind, double value);

// Black or white, whichever contrasts more with the background.
Colour ReadableTextOn(Colour background);

// The contrast ratio of two colours, 1 to 21, from their relative luminance.
double ContrastRatio(Colour a, Colour b);

}  // namespace tables
