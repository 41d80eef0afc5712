// Feeds arbitrary bytes to the branding file reader and to the number reading it uses.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/branding.h"
#include "core/failure.h"
#include "core/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  app::Branding branding;
  try {
    app::ParseBranding(bytes, "Ventrel.cfg", branding);
  } catch (const core::Error&) {
    // Malformed files are reported; what matters is that nothing else goes wrong.
  }
  for (const std::string& line : branding.BrandingStyle) {
    if (core::LeadingNumber(line) != core::LeadingNumber(line)) __builtin_trap();
  }
  if (!core::IsValidUtf8(core::EightBitToUtf8(bytes))) __builtin_trap();
  return 0;
}
