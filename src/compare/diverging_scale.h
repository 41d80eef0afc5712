// The colours of differences: blue where the second tune is lower, red where it is higher,
// deeper the larger the difference is against the largest of its table.
#pragma once

#include "tables/colour.h"

namespace compare {

// White for no difference; even the smallest difference is tinted enough to see.
tables::Colour DifferenceColour(double difference, double largest);

}  // namespace compare
