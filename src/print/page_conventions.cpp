#include "print/page_conventions.h"

#include <algorithm>

#include "core/editions.h"
#include "core/text.h"

namespace print {

std::string ChoosePrinterFont(const std::vector<std::string>& printerFonts) {
  const std::string wanted = core::ToUpperAscii(kMonospac821);
  const bool offered =
      std::any_of(printerFonts.begin(), printerFonts.end(),
                  [&](const std::string& f) { return core::ToUpperAscii(f) == wanted; });
  return offered ? kMonospac821 : kCourierNew;
}

std::string EditionHeading(std::string_view moduleVersion) {
  if (moduleVersion == core::kVersionVosk) return "Quillon Vosk Version";
  if (moduleVersion == core::kVersionKQ) return "Quillon KQ Version";
  if (moduleVersion == core::kVersionQL2Vosk) return "Quillon II Vosk Version";
  if (moduleVersion == core::kVersionQL2KQ) return "Quillon II KQ Version";
  if (moduleVersion == core::kVersionJX) return "Quillon II JX Version";
  return {};
}

std::vector<PrintLine> HeadingLines(const PageHeading& heading, std::string_view subject) {
  std::vector<PrintLine> lines;
  lines.push_back(TextLine(heading.companyLabel + " " + EditionHeading(heading.moduleVersion) +
                           " " + std::string(subject) + " Data Printed: " + heading.printDate));
  lines.push_back(TextLine("Filename: " + heading.dataSourceText));
  if (!heading.comment.empty()) lines.push_back(TextLine("Serial/Comment: " + heading.comment));
  return lines;
}

}  // namespace print
