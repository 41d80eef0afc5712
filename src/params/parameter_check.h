// The check every parameter box runs when the focus leaves it: read the number, force
// it into the parameter's range with a message, round it down, and rewrite the box.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "params/parameter_map.h"

namespace params {

struct ParameterRange {
  int lowest;
  int highest;
  const char* belowText;
  const char* aboveText;
};

// Fuel parameters share the fuel trim tables' range.
inline constexpr ParameterRange kFuelRange{-20, 30, "Value must be greater than or equal to -20",
                                           "Value must be less than or equal to 30"};
// Acceleration enrichment and retard parameters.
inline constexpr ParameterRange kSmallRange{0, 10, "Value must be greater than or equal to 0",
                                            "Value must be less than or equal to 10"};

// One parameter box of a dialog.
struct ParameterBox {
  int number;
  const ParameterRange* range;
  // Usable only in basic mode; the acceleration enrichment box is always usable.
  bool modeDependent;
};

// The boxes of the generation's dialog, txtParam1 upwards.
std::span<const ParameterBox> ParameterBoxes(Generation generation);

// The box's tool tip, its group and range: "Fuel parameter, -20 to 30".
std::string ParameterToolTip(Generation generation, const ParameterBox& box);

// A value as the boxes show it: one leading blank unless negative (" 5", "-12").
std::string ParameterText(std::int16_t value);

struct CheckedParameter {
  std::int16_t value;
  std::string text;
  // The range message to show, when the number lay outside the range.
  std::optional<std::string> message;
};

// The leading number of the text (0 when there is none), clamped to the range, then
// rounded towards minus infinity.
CheckedParameter CheckParameterText(std::string_view text, const ParameterRange& range);

}  // namespace params
