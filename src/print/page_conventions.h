// What the parameter page and the table pages share: the printer font, the edition
// heading and the heading lines that name the tune, its file and the user's comment.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "print/print_line.h"

namespace print {

inline constexpr const char* kCourierNew = "Courier New";
inline constexpr const char* kMonospac821 = "Monospac821 BT";

// "Monospac821 BT" when the printer offers it (compared ignoring case), else "Courier New".
std::string ChoosePrinterFont(const std::vector<std::string>& printerFonts);

// "Quillon II JX Version" and the like; empty for a ModuleVersion it does not know.
std::string EditionHeading(std::string_view moduleVersion);

struct PageHeading {
  // CompanyLines item 1.
  std::string companyLabel;
  std::string moduleVersion;
  std::string dataSourceText;
  // The user's serial number or comment; no line when empty.
  std::string comment;
  std::string printDate;
};

// Who made the tune and when it was printed, where it came from and the comment; subject
// names what the page shows ("Parameters" or the table's name).
std::vector<PrintLine> HeadingLines(const PageHeading& heading, std::string_view subject);

}  // namespace print
