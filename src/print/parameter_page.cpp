#include "print/parameter_page.h"

#include <algorithm>

#include "core/editions.h"
#include "core/signed_byte.h"

namespace print {

namespace {

constexpr std::size_t kModeByte = 32;
constexpr std::size_t kUserDataFirst = 64;
constexpr std::size_t kUserDataLast = 95;
constexpr char kFirstPrintable = 32;
constexpr char kLastPrintable = 126;
constexpr std::uint8_t kBasicModeBit = 1;
constexpr std::uint8_t kSwapModeBit = 2;
constexpr std::uint8_t kTrimEnableBit = 4;

// Parameters 1..9 at bytes 17..25 (signed); 10 at byte 58 and 11..19 at bytes 49..57.
constexpr std::size_t kFirstParameterByte = 16;
constexpr int kFirstGenerationParameters = 9;
constexpr std::size_t kParameter10Byte = 58;
constexpr std::size_t kParameter11Offset = 38;
constexpr int kSecondGenerationParameters = 19;

PrintLine Text(const std::string& text) { return {{kLeftColumn, text}}; }

PrintLine ParameterLine(int n, int value) {
  return {{kLeftColumn, "Parameter " + std::to_string(n) + ":"},
          {kParameterValueColumn, SignFirst(value)}};
}

}  // namespace

std::string SignFirst(int value) {
  std::string text = value < 0 ? "" : " ";
  text += std::to_string(value);
  return text;
}

std::string UserText(const core::ModuleImage& image) {
  std::string text;
  for (std::size_t i = kUserDataFirst; i <= kUserDataLast; ++i) {
    const auto c = static_cast<char>(image.EEPROMBuffer[i]);
    if (image.EEPROMBuffer[i] >= kFirstPrintable && image.EEPROMBuffer[i] <= kLastPrintable) {
      text.push_back(c);
    }
  }
  return text;
}

std::vector<PrintLine> ParameterLines(const core::ModuleImage& image) {
  std::vector<PrintLine> lines;
  lines.push_back({{kLeftColumn, "User Data:"}, {kValueColumn, UserText(image)}});
  lines.emplace_back();
  const std::uint8_t mode = image.EEPROMBuffer[kModeByte];
  const bool basic = (mode & kBasicModeBit) != 0;
  lines.push_back(Text(basic ? "Quillon Basic Mode Enabled" : "Quillon Advanced Mode Enabled"));
  if (mode & kSwapModeBit) lines.push_back(Text("Injector Swap on Enrichment Mode Enabled"));
  if ((mode & kTrimEnableBit) && !basic) {
    lines.push_back(Text("Manual Trim in Advanced Mode Enabled"));
  }
  lines.emplace_back();
  for (int n = 1; n <= kFirstGenerationParameters; ++n) {
    lines.push_back(ParameterLine(
        n,
        core::SByteToInt(image.EEPROMBuffer[kFirstParameterByte + static_cast<std::size_t>(n)])));
  }
  if (core::IsSecondGeneration(image.ModuleVersion)) {
    lines.push_back(
        ParameterLine(kFirstGenerationParameters + 1, image.EEPROMBuffer[kParameter10Byte]));
    for (int n = kFirstGenerationParameters + 2; n <= kSecondGenerationParameters; ++n) {
      lines.push_back(
          ParameterLine(n, image.EEPROMBuffer[kParameter11Offset + static_cast<std::size_t>(n)]));
    }
  }
  return lines;
}

std::string RenderLine(const PrintLine& line, int firstColumn) {
  std::string text;
  for (const TextPiece& piece : line) {
    const auto at = static_cast<std::size_t>(std::max(0, piece.column - firstColumn));
    if (text.size() < at) text.resize(at, ' ');
    text += piece.text;
  }
  return text;
}

}  // namespace print
