// Small text routines shared by the readers of files and boxes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace core {

// Substring test that ignores the letter case of ASCII letters.
bool ContainsIgnoringCase(std::string_view text, std::string_view part);

std::string ToUpperAscii(std::string_view text);

// The leading number of a text: blanks skipped, an optional sign, digits with "." as
// decimal point and an optional exponent; the rest is ignored. 0 when there is none.
double LeadingNumber(std::string_view text);

bool IsValidUtf8(std::string_view bytes);

// True for the second and later bytes of a UTF-8 character: counting the others counts
// characters.
inline bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Appends one character (up to U+FFFF, as the readers of our files meet them) as UTF-8.
void AppendUtf8(std::string& out, char32_t code);

// Reads 8-bit text as Latin-1 and returns it as UTF-8.
std::string Latin1ToUtf8(std::string_view bytes);

// UTF-8 as it stands when valid, else the bytes read as Latin-1.
std::string EightBitToUtf8(std::string_view bytes);

}  // namespace core
