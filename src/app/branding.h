// The branding lists and their configuration file, Ventrel.cfg beside the program:
// marker lines start with "!", then the five style lines, a marker, the company lines.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace app {

inline constexpr const char* kBrandingFileName = "Ventrel.cfg";
// Our logo beside the program: the built-in branding shows it, and it is the window's icon.
inline constexpr const char* kLogoFileName = "Marrowby_Logo.gif";

// Numbers of the BrandingStyle items (from 1).
enum BrandingStyleItem : std::size_t {
  kStyleCompanyLabel = 1,
  kStyleFontName = 2,
  kStyleFontSize = 3,
  kStyleFontWords = 4,
  kStyleLogoFile = 5,
};
inline constexpr std::size_t kStyleItemCount = 5;
inline constexpr std::size_t kCompanyShortLabel = 1;

struct Branding {
  std::vector<std::string> BrandingStyle;
  std::vector<std::string> CompanyLines;
  // Where the lists came from, for messages: the file, and the line of each style item
  // (empty for the built-in values).
  std::filesystem::path source;
  std::vector<std::size_t> styleLineNumbers;
};

Branding BuiltInBranding();

// Item n of a list, counted from 1; a missing item reads as empty text.
std::string Item(const std::vector<std::string>& list, std::size_t n);

// "<file>, line N: " for messages about a style item, or the file alone.
std::string WhereStyleItem(const Branding& branding, std::size_t item);

// Reads the file into branding. Throws core::Error naming the file and line when the
// file is malformed; what was read up to the fault stays in branding. A file that
// cannot be read at all leaves the built-in values.
void ReadBrandingFile(const std::filesystem::path& path, Branding& branding);

// Reads the configuration text itself (any 8-bit encoding; CR LF or LF line ends).
void ParseBranding(const std::string& bytes, const std::filesystem::path& source,
                   Branding& branding);

}  // namespace app
