#include "app/branding.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <sstream>
#include <string_view>
#include <system_error>

#include "core/failure.h"
#include "core/text.h"

namespace app {

namespace {

constexpr char kMarker = '!';
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
// A branding file is a dozen short lines; anything far bigger is the wrong file.
constexpr std::uintmax_t kMaxBrandingFileBytes = std::uintmax_t{64} * 1024;

[[noreturn]] void Fail(const std::string& description) {
  throw core::Error(core::kErrCommOrFileOpen, core::kSourceFileOpen, description);
}

std::string AtLine(const std::filesystem::path& source, std::size_t line) {
  return source.string() + ", line " + std::to_string(line) + ": ";
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

bool IsMarker(const std::string& line) { return !line.empty() && line.front() == kMarker; }

}  // namespace

Branding BuiltInBranding() {
  Branding branding;
  branding.BrandingStyle = {"Marrowby", "Arial", "48", "bold italic", kLogoFileName};
  branding.CompanyLines = {"Marrowby",
                           "Marrowby Motor Electronics Ltd.",
                           "7 Tannery Yard",
                           "Brackenford BF3 7QL",
                           "Tel. +44 1632 960418",
                           "www.marrowby.example"};
  return branding;
}

std::string Item(const std::vector<std::string>& list, std::size_t n) {
  return (n >= 1 && n <= list.size()) ? list[n - 1] : std::string();
}

std::string WhereStyleItem(const Branding& branding, std::size_t item) {
  if (branding.source.empty()) return std::string();
  if (item >= 1 && item <= branding.styleLineNumbers.size()) {
    return AtLine(branding.source, branding.styleLineNumbers[item - 1]);
  }
  return branding.source.string() + ": ";
}

void ParseBranding(const std::string& bytes, const std::filesystem::path& source,
                   Branding& branding) {
  branding = Branding{};
  branding.source = source;
  std::string_view text = bytes;
  // Editors on other systems often start a UTF-8 file with a byte order mark.
  if (text.starts_with(kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());
  const std::vector<std::string> lines = SplitLines(core::EightBitToUtf8(text));
  std::size_t i = 0;
  while (i < lines.size() && IsMarker(lines[i])) ++i;
  if (i == lines.size()) {
    Fail(AtLine(source, std::max<std::size_t>(i, 1)) +
         "the file ends before the branding style block. It needs five style lines, a line "
         "starting with \"!\", then the company lines.");
  }
  for (; i < lines.size() && !IsMarker(lines[i]); ++i) {
    branding.BrandingStyle.push_back(lines[i]);
    branding.styleLineNumbers.push_back(i + 1);
  }
  const std::size_t styleEnd = i;
  const bool styleShort = branding.BrandingStyle.size() < kStyleItemCount;
  if (i == lines.size() && !styleShort) {
    Fail(AtLine(source, i) +
         "the file ends inside the branding style block; end it with a "
         "line starting with \"!\" and add the company lines.");
  }
  // A short style block spoils the splash only: the company lines after its end mark
  // still name the maker in the caption, the About box and the printouts.
  for (++i; i < lines.size() && !IsMarker(lines[i]); ++i) branding.CompanyLines.push_back(lines[i]);
  if (styleShort) {
    Fail(AtLine(source, styleEnd + (styleEnd < lines.size() ? 1 : 0)) +
         "the branding style block has " + std::to_string(branding.BrandingStyle.size()) +
         (branding.BrandingStyle.size() == 1 ? " line" : " lines") +
         " where five are needed (company label, font name, font size, font style, logo file).");
  }
  if (branding.CompanyLines.empty()) {
    Fail(AtLine(source, std::min(styleEnd + 2, lines.size())) +
         "the company block is empty, so the caption and the About box show no company name.");
  }
}

void ReadBrandingFile(const std::filesystem::path& path, Branding& branding) {
  // A file that cannot be read at all counts as missing: Ignore goes on with the
  // built-in values rather than with none.
  branding = BuiltInBranding();
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    Fail("Cannot read the branding file " + path.string() + ": it is a folder.");
  }
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) Fail("Cannot read the branding file " + path.string() + ": " + error.message() + ".");
  if (size > kMaxBrandingFileBytes) {
    Fail("The branding file " + path.string() + " is " + std::to_string(size) +
         " bytes long; a branding file is a few lines of text (at most " +
         std::to_string(kMaxBrandingFileBytes) + " bytes).");
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    Fail("Cannot read the branding file " + path.string() + ": " +
         std::make_error_code(static_cast<std::errc>(errno)).message() + ".");
  }
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) Fail("Cannot read the branding file " + path.string() + ".");
  ParseBranding(content.str(), path, branding);
}

}  // namespace app
