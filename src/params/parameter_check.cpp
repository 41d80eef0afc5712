#include "params/parameter_check.h"

#include <array>
#include <cmath>

#include "core/text.h"

namespace params {

namespace {

constexpr ParameterGroup kFuel = ParameterGroup::Fuel;
constexpr ParameterGroup kEnrichment = ParameterGroup::AccelerationEnrichment;
constexpr ParameterGroup kRetard = ParameterGroup::Retard;

constexpr std::array<ParameterBox, 19> kSecondGenerationBoxes{{
    {1, &kFuelRange, true, kFuel},     {2, &kFuelRange, true, kFuel},
    {3, &kFuelRange, true, kFuel},     {4, &kFuelRange, true, kFuel},
    {5, &kFuelRange, true, kFuel},     {6, &kFuelRange, true, kFuel},
    {7, &kFuelRange, true, kFuel},     {8, &kFuelRange, true, kFuel},
    {9, &kFuelRange, true, kFuel},     {10, &kSmallRange, false, kEnrichment},
    {11, &kSmallRange, true, kRetard}, {12, &kSmallRange, true, kRetard},
    {13, &kSmallRange, true, kRetard}, {14, &kSmallRange, true, kRetard},
    {15, &kSmallRange, true, kRetard}, {16, &kSmallRange, true, kRetard},
    {17, &kSmallRange, true, kRetard}, {18, &kSmallRange, true, kRetard},
    {19, &kSmallRange, true, kRetard},
}};

constexpr std::array<ParameterBox, 9> kFirstGenerationBoxes{{
    {1, &kFuelRange, true, kFuel},
    {2, &kFuelRange, true, kFuel},
    {3, &kFuelRange, true, kFuel},
    {4, &kFuelRange, true, kFuel},
    {5, &kFuelRange, true, kFuel},
    {6, &kFuelRange, true, kFuel},
    {7, &kFuelRange, true, kFuel},
    {8, &kFuelRange, true, kFuel},
    {9, &kSmallRange, false, kEnrichment},
}};

}  // namespace

std::span<const ParameterBox> ParameterBoxes(Generation generation) {
  if (generation == Generation::First) return kFirstGenerationBoxes;
  return kSecondGenerationBoxes;
}

std::string ParameterTitle(int number) { return "Parameter " + std::to_string(number); }

std::string ParameterToolTip(const ParameterBox& box) {
  const char* group = box.group == ParameterGroup::Fuel     ? "Fuel parameter"
                      : box.group == ParameterGroup::Retard ? "Retard parameter"
                                                            : "Acceleration enrichment";
  return std::string(group) + ", " + std::to_string(box.range->lowest) + " to " +
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
