// The user data field: 32 bytes of text, one printable ASCII character per byte,
// blank-padded.
#pragma once

#include <string>
#include <string_view>

#include "params/parameter_set.h"

namespace params {

// What the user data box accepts: the printable ASCII characters 32 to 126, the only
// ones that reading the field keeps, so whatever is stored comes back on reopening.
bool IsUserDataCharacter(char32_t character);

// The printable ASCII bytes of the field, in order; all other bytes are skipped.
std::string ReadUserData(const EEPROMImage& eeprom);

// Blanks the field, then writes the first 32 printable ASCII characters of the UTF-8
// text. It cannot fail part-way: any other character is left out.
void WriteUserData(std::string_view utf8Text, EEPROMImage& eeprom);

}  // namespace params
