#include "transfer/edition_compatibility.h"

#include "core/editions.h"

namespace transfer {

std::optional<std::string_view> UploadRefusal(std::string_view moduleEdition,
                                              std::string_view dataEdition) {
  // The restricted editions are tested first: their refusal is the one a KQ module gives.
  if ((moduleEdition == core::kVersionKQ && dataEdition != core::kVersionKQ) ||
      (moduleEdition == core::kVersionQL2KQ && dataEdition != core::kVersionQL2KQ)) {
    return kVoskDataToKQ;
  }
  if (moduleEdition == core::kVersionJX && dataEdition != core::kVersionJX) {
    return kStandardDataToJX;
  }
  return std::nullopt;
}

bool CrossesGeneration(std::string_view moduleEdition, std::string_view dataEdition) {
  const auto firstGeneration = [](std::string_view edition) {
    return edition == core::kVersionVosk || edition == core::kVersionKQ;
  };
  return (firstGeneration(moduleEdition) && core::IsSecondGeneration(dataEdition)) ||
         (core::IsSecondGeneration(moduleEdition) && firstGeneration(dataEdition));
}

}  // namespace transfer
