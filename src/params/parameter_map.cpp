#include "params/parameter_map.h"

#include <stdexcept>
#include <string>

#include "core/editions.h"

namespace params {

namespace {

constexpr int kFirstGenerationParameters = 9;
constexpr std::size_t kFuelFirstByte = 17;
// Byte 25 holds the ninth parameter: a fuel value in the second generation, the
// acceleration enrichment in the first.
constexpr int kSharedNinthParameter = 9;
// Second generation: parameters 11..19 from byte 49, then parameter 10 after them.
constexpr int kAccelEnrichmentParameter = 10;
constexpr std::size_t kAccelEnrichmentByte = 58;
constexpr int kFirstRetardParameter = 11;
constexpr std::size_t kRetardFirstByte = 49;

}  // namespace

Generation GenerationOf(std::string_view moduleVersion) {
  return moduleVersion == core::kVersionKQ || moduleVersion == core::kVersionVosk
             ? Generation::First
             : Generation::Second;
}

int ParameterCount(Generation generation) {
  return generation == Generation::First ? kFirstGenerationParameters : kMostParameters;
}

ParameterPlace PlaceOf(Generation generation, int number) {
  if (number < 1 || number > ParameterCount(generation)) {
    throw std::out_of_range("no parameter " + std::to_string(number) + " in this generation");
  }
  if (number < kSharedNinthParameter) {
    return {kFuelFirstByte + static_cast<std::size_t>(number - 1), true};
  }
  if (number == kSharedNinthParameter) {
    return {kFuelFirstByte + kSharedNinthParameter - 1, generation == Generation::Second};
  }
  if (number == kAccelEnrichmentParameter) return {kAccelEnrichmentByte, false};
  return {kRetardFirstByte + static_cast<std::size_t>(number - kFirstRetardParameter), false};
}

ParameterGroup GroupOf(Generation generation, int number) {
  if (number == AccelEnrichmentParameter(generation)) return ParameterGroup::AccelEnrichment;
  return number < kFirstRetardParameter ? ParameterGroup::Fuel : ParameterGroup::Retard;
}

int AccelEnrichmentParameter(Generation generation) {
  return generation == Generation::First ? kSharedNinthParameter : kAccelEnrichmentParameter;
}

std::string ParameterTitle(int number) { return "Parameter " + std::to_string(number); }

std::string ParameterCaption(Generation generation, int number) {
  if (number != AccelEnrichmentParameter(generation)) return ParameterTitle(number);
  return generation == Generation::First ? "Parameter 9 (Acceleration Enrichment)"
                                         : "Parameter 10 (Accel Enrichment)";
}

}  // namespace params
