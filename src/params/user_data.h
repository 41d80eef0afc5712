// The user data field: 32 bytes of text, one Latin-1 character per byte, blank-padded.
#pragma once

#include <string>
#include <string_view>

#include "params/parameter_set.h"

namespace params {

// What the user data box accepts: printable ASCII and the Latin-1 letters, all of
// which fit one byte of the field.
bool IsUserDataCharacter(char32_t character);

// The printable ASCII bytes of the field, in order; all other bytes are skipped.
std::string ReadUserData(const EEPROMImage& eeprom);

// Blanks the field, then writes the first 32 characters of the UTF-8 text that fit one
// byte. It cannot fail part-way: a character that does not fit is left out.
void WriteUserData(std::string_view utf8Text, EEPROMImage& eeprom);

}  // namespace params
