// The text of a value field and the number it stands for.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zentrax {

struct FieldText {
  // Decimal digits, no leading zeros or separators, "-" ahead of a negative value.
  static std::string format(std::int64_t value);

  // Lenient and never fails: blanks (space, tab) are skipped, then one optional sign, then "$"
  // for hexadecimal, "%" for binary or decimal digits; reading stops at the first character that
  // is not a digit of the base, and text with no digits is 0. The value wraps in 64 bits.
  static std::int64_t parse(std::u16string_view text);
  // The same rules over 8-bit text; bytes outside ASCII are never digits.
  static std::int64_t parse(std::string_view text);
};

}  // namespace zentrax
