#include "tables/heat_map.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

namespace tables {

namespace {

struct Stop {
  double at;  // 0 to 1 along the scale
  Colour colour;
};

// Purple through a light neutral to orange; the orange end stops well short of red.
constexpr std::array<Stop, 7> kDiverging{{{0.0, {84, 39, 136}},
                                          {0.25, {128, 115, 172}},
                                          {0.5, {178, 171, 210}},
                                          {0.75, {216, 218, 235}},
                                          {1.0, {247, 247, 247}},
                                          {1.5, {253, 200, 130}},
                                          {2.0, {235, 150, 50}}}};
// Light to dark blue.
constexpr std::array<Stop, 5> kSequential{{{0.0, {239, 246, 255}},
                                           {0.25, {198, 219, 239}},
                                           {0.5, {107, 174, 214}},
                                           {0.75, {33, 113, 181}},
                                           {1.0, {8, 48, 107}}}};

constexpr Colour kBlack{0, 0, 0};
constexpr Colour kWhite{255, 255, 255};

std::uint8_t Mix(std::uint8_t a, std::uint8_t b, double t) {
  return static_cast<std::uint8_t>(std::lround(a + (b - a) * t));
}

Colour Along(std::span<const Stop> scale, double at) {
  at = std::clamp(at, scale.front().at, scale.back().at);
  for (std::size_t i = 1; i < scale.size(); ++i) {
    if (at > scale[i].at) continue;
    const Stop& low = scale[i - 1];
    const Stop& high = scale[i];
    const double t = (at - low.at) / (high.at - low.at);
    return {Mix(low.colour.red, high.colour.red, t), Mix(low.colour.green, high.colour.green, t),
            Mix(low.colour.blue, high.colour.blue, t)};
  }
  return scale.back().colour;
}

double Linear(std::uint8_t channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(Colour colour) {
  return 0.2126 * Linear(colour.red) + 0.7152 * Linear(colour.green) + 0.0722 * Linear(colour.blue);
}

}  // namespace

Colour HeatColour(TableKind kind, double value) {
  if (std::isnan(value)) value = 0;
  const ValueRange range = AllowedRange(kind);
  if (kind == TableKind::Retard) {
    // 0 is no retard; the range's lowest value the most.
    return Along(kSequential, value / range.lowest);
  }
  // Each side of 0 spans its own half of the scale, so 0 is always the neutral middle.
  const double at = value < 0 ? 1.0 - value / range.lowest : 1.0 + value / range.highest;
  return Along(kDiverging, at);
}

Colour ReadableTextOn(Colour background) {
  return ContrastRatio(background, kBlack) >= ContrastRatio(background, kWhite) ? kBlack : kWhite;
}

double ContrastRatio(Colour a, Colour b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace tables
