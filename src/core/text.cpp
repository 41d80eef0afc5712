#include "core/text.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <iterator>
#include <limits>
#include <system_error>

namespace core {

namespace {

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::size_t SkipDigits(std::string_view text, std::size_t i) {
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i;
}

// Length of the number at the start of text: [sign] digits [. digits] [e [sign] digits].
std::size_t NumberLength(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const std::size_t mantissaStart = i;
  i = SkipDigits(text, i);
  bool digits = i > mantissaStart;
  if (i < text.size() && text[i] == '.') {
    const std::size_t fractionStart = i + 1;
    const std::size_t fractionEnd = SkipDigits(text, fractionStart);
    if (digits || fractionEnd > fractionStart) {
      digits = true;
      i = fractionEnd;
    }
  }
  if (!digits) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t e = i + 1;
    if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
    const std::size_t exponentEnd = SkipDigits(text, e);
    if (exponentEnd > e) i = exponentEnd;
  }
  return i;
}

// Position of the first significant digit relative to the decimal point, plus the
// exponent: positive for numbers of magnitude 1 and above.
long DecimalMagnitude(std::string_view number) {
  const std::size_t exponentAt = number.find_first_of("eE");
  const std::string_view mantissa = number.substr(0, exponentAt);
  long exponent = 0;
  if (exponentAt != std::string_view::npos) {
    std::string_view digits = number.substr(exponentAt + 1);
    const bool negative = !digits.empty() && digits.front() == '-';
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+'))
      digits.remove_prefix(1);
    constexpr long kCap = 1'000'000;
    for (const char c : digits) exponent = std::min(kCap, exponent * 10 + (c - '0'));
    if (negative) exponent = -exponent;
  }
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  const std::size_t firstSignificant = mantissa.find_first_of("123456789");
  if (firstSignificant == std::string_view::npos) return std::numeric_limits<long>::min();
  const long position = firstSignificant < point ? static_cast<long>(point - firstSignificant)
                                                 : -static_cast<long>(firstSignificant - point - 1);
  return position + exponent;
}

}  // namespace

bool ContainsIgnoringCase(std::string_view text, std::string_view part) {
  const auto found = std::search(text.begin(), text.end(), part.begin(), part.end(),
                                 [](char a, char b) { return UpperAscii(a) == UpperAscii(b); });
  return found != text.end() || part.empty();
}

std::string ToUpperAscii(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(), UpperAscii);
  return upper;
}

double LeadingNumber(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && IsBlank(text[start])) ++start;
  text.remove_prefix(start);
  const std::size_t length = NumberLength(text);
  if (length == 0) return 0.0;
  std::string_view number = text.substr(0, length);
  const bool negative = number.front() == '-';
  if (number.front() == '+' || negative) number.remove_prefix(1);
  double value = 0.0;
  const auto parsed = std::from_chars(number.data(), number.data() + number.size(), value);
  if (parsed.ec == std::errc::result_out_of_range) {
    // Too large to hold saturates, too small to tell from zero is zero, so callers clamp.
    value = DecimalMagnitude(number) > 0 ? std::numeric_limits<double>::max() : 0.0;
  }
  return negative ? -value : value;
}

bool IsValidUtf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<std::uint8_t>(bytes[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    struct Sequence {
      std::uint8_t leadMask, leadBits;
      std::size_t follow;
      std::uint32_t minimum;
    };
    static constexpr Sequence kSequences[] = {
        {0xE0, 0xC0, 1, 0x80}, {0xF0, 0xE0, 2, 0x800}, {0xF8, 0xF0, 3, 0x10000}};
    const auto* sequence =
        std::find_if(std::begin(kSequences), std::end(kSequences),
                     [lead](const Sequence& s) { return (lead & s.leadMask) == s.leadBits; });
    if (sequence == std::end(kSequences)) return false;
    const std::size_t follow = sequence->follow;
    const std::uint32_t minimum = sequence->minimum;
    std::uint32_t code = lead & static_cast<std::uint8_t>(~sequence->leadMask);
    if (i + follow >= bytes.size()) return false;
    for (std::size_t k = 1; k <= follow; ++k) {
      const auto next = static_cast<std::uint8_t>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += follow + 1;
  }
  return true;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

std::string Latin1ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) AppendUtf8(out, static_cast<std::uint8_t>(c));
  return out;
}

std::string EightBitToUtf8(std::string_view bytes) {
  return IsValidUtf8(bytes) ? std::string(bytes) : Latin1ToUtf8(bytes);
}

}  // namespace core
