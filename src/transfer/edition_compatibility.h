// Which data may go into which module: a restricted module takes only data of its own
// edition, a JX module only JX data, the unrestricted ones take any.
#pragma once

#include <optional>
#include <string_view>

namespace transfer {

inline constexpr std::string_view kVoskDataToKQ = "Cannot upload vosk data to KQ version";
inline constexpr std::string_view kStandardDataToJX = "Cannot standard Quillon data to JX version";

// The refusal for data of dataEdition going into a module of moduleEdition, or nothing
// when the upload may go ahead. Editions are ModuleVersion values.
std::optional<std::string_view> UploadRefusal(std::string_view moduleEdition,
                                              std::string_view dataEdition);

// Data of one generation going into a module of the other, which the table above lets
// through: the module would look for their tables and parameters in the wrong places.
// Data without an edition belong to neither generation.
bool CrossesGeneration(std::string_view moduleEdition, std::string_view dataEdition);

}  // namespace transfer
