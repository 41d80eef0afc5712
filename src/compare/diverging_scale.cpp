#include "compare/diverging_scale.h"

#include <algorithm>
#include <cmath>

namespace compare {

namespace {

constexpr tables::Colour kWhite{255, 255, 255};
constexpr tables::Colour kHigher{214, 47, 39};
constexpr tables::Colour kLower{33, 102, 172};
// The share of the full colour that the smallest difference gets.
constexpr double kLeastTint = 0.25;

std::uint8_t Blend(std::uint8_t from, std::uint8_t to, double share) {
  return static_cast<std::uint8_t>(std::lround(from + (to - from) * share));
}

}  // namespace

tables::Colour DifferenceColour(double difference, double largest) {
  if (difference == 0 || !std::isfinite(difference)) return kWhite;
  const double size = largest == 0 ? 1 : std::min(1.0, std::abs(difference) / std::abs(largest));
  const double share = kLeastTint + (1 - kLeastTint) * size;
  const tables::Colour& end = difference > 0 ? kHigher : kLower;
  return {Blend(kWhite.red, end.red, share), Blend(kWhite.green, end.green, share),
          Blend(kWhite.blue, end.blue, share)};
}

}  // namespace compare
