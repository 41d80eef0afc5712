#include "params/parameter_check.h"

#include <array>
#include <cmath>

#include "core/text.h"

namespace params {

namespace {

constexpr std::array<ParameterBox, 19> kSecondGenerationBoxes{{
    {1, &kFuelRange, true},    {2, &kFuelRange, true},   {3, &kFuelRange, true},
    {4, &kFuelRange, true},    {5, &kFuelRange, true},   {6, &kFuelRange, true},
    {7, &kFuelRange, true},    {8, &kFuelRange, true},   {9, &kFuelRange, true},
    {10, &kSmallRange, false}, {11, &kSmallRange, true}, {12, &kSmallRange, true},
    {13, &kSmallRange, true},  {14, &kSmallRange, true}, {15, &kSmallRange, true},
    {16, &kSmallRange, true},  {17, &kSmallRange, true}, {18, &kSmallRange, true},
    {19, &kSmallRange, true},
}};

constexpr std::array<ParameterBox, 9> kFirstGenerationBoxes{{
    {1, &kFuelRange, true},
    {2, &kFuelRange, true},
    {3, &kFuelRange, true},
    {4, &kFuelRange, true},
    {5, &kFuelRange, true},
    {6, &kFuelRange, true},
    {7, &kFuelRange, true},
    {8, &kFuelRange, true},
    {9, &kSmallRange, false},
}};

}  // namespace

std::span<const ParameterBox> ParameterBoxes(Generation generation) {
  if (generation == Generation::First) return kFirstGenerationBoxes;
  return kSecondGenerationBoxes;
}

std::string ParameterToolTip(Generation generation, const ParameterBox& box) {
  const ParameterGroup group = GroupOf(generation, box.number);
  const char* name = group == ParameterGroup::Fuel     ? "Fuel parameter"
                     : group == ParameterGroup::Retard ? "Retard parameter"
                                                       : "Acceleration enrichment";
  return std::string(name) + ", " + std::to_string(box.range->lowest) + " to " +
         std::to_string(box.range->highest);
}

std::string ParameterText(std::int16_t value) {
  return (value < 0 ? "" : " ") + std::to_string(value);
}

CheckedParameter CheckParameterText(std::string_view text, const ParameterRange& range) {
  double value = core::LeadingNumber(text);
  std::optional<std::string> message;
  // Compared before rounding, so -0.5 is below a range that starts at 0.
  if (value < range.lowest) {
    message = range.belowText;
    value = range.lowest;
  } else if (value > range.highest) {
    message = range.aboveText;
    value = range.highest;
  }
  const auto whole = static_cast<std::int16_t>(std::floor(value));
  return {whole, ParameterText(whole), std::move(message)};
}

}  // namespace params
