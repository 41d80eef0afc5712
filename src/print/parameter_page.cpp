#include "print/parameter_page.h"

#include "core/editions.h"
#include "core/eeprom_map.h"
#include "core/signed_byte.h"
#include "params/parameter_map.h"
#include "params/user_data.h"

namespace print {

namespace {

PrintLine ParameterLine(int n, int value) {
  return {{kLeftColumn, "Parameter " + std::to_string(n) + ":"},
          {kParameterValueColumn, SignFirst(value)}};
}

}  // namespace

std::string SignFirst(int value) { return (value < 0 ? "" : " ") + std::to_string(value); }

std::vector<PrintLine> ParameterLines(const core::ModuleImage& image) {
  std::vector<PrintLine> lines;
  lines.push_back(
      {{kLeftColumn, "User Data:"}, {kValueColumn, params::ReadUserData(image.EEPROMBuffer)}});
  lines.emplace_back();
  const std::uint8_t mode = image.EEPROMBuffer[core::kModeByte];
  const bool basic = (mode & params::kBasicModeBit) != 0;
  lines.push_back(TextLine(basic ? "Quillon Basic Mode Enabled" : "Quillon Advanced Mode Enabled"));
  if (mode & params::kSwapModeBit)
    lines.push_back(TextLine("Injector Swap on Enrichment Mode Enabled"));
  if ((mode & params::kTrimEnableBit) && !basic) {
    lines.push_back(TextLine("Manual Trim in Advanced Mode Enabled"));
  }
  lines.emplace_back();
  // The page follows the edition list of the second generation; data of an edition it
  // does not know prints the nine parameters that every module has.
  const params::Generation generation = core::IsSecondGeneration(image.ModuleVersion)
                                            ? params::Generation::Second
                                            : params::Generation::First;
  for (int n = 1; n <= params::ParameterCount(generation); ++n) {
    const params::ParameterPlace place = params::PlaceOf(generation, n);
    const std::uint8_t byte = image.EEPROMBuffer[place.byte];
    lines.push_back(ParameterLine(n, place.isSigned ? core::SByteToInt(byte) : byte));
  }
  return lines;
}

std::vector<PrintLine> ParameterPageLines(const PageHeading& heading,
                                          const core::ModuleImage& image) {
  std::vector<PrintLine> lines = HeadingLines(heading, kParameterPageSubject);
  lines.emplace_back();
  if (!image.FirmwareID.empty()) {
    lines.push_back({{kLeftColumn, "Firmware ID:"}, {kValueColumn, image.FirmwareID}});
    lines.emplace_back();
  }
  for (PrintLine& line : ParameterLines(image)) lines.push_back(std::move(line));
  lines.emplace_back();
  return lines;
}

}  // namespace print
