#include "field_text.h"

namespace zentrax {
namespace {

int digitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return 99;
}

template <typename Char>
std::int64_t parseText(std::basic_string_view<Char> text) {
  std::size_t i = 0;
  auto at = [&](std::size_t n) -> char16_t {
    // Bytes of 8-bit text above 0x7F must not alias any ASCII character.
    return n < text.size() ? static_cast<char16_t>(static_cast<std::make_unsigned_t<Char>>(text[n]))
                           : u'\0';
  };
  while (i < text.size() && (at(i) == u' ' || at(i) == u'\t')) ++i;
  bool negative = false;
  if (at(i) == u'-' || at(i) == u'+') {
    negative = at(i) == u'-';
    ++i;
  }
  unsigned base = 10;
  if (at(i) == u'$') {
    base = 16;
    ++i;
  } else if (at(i) == u'%') {
    base = 2;
    ++i;
  }
  // Unsigned arithmetic wraps in 64 bits, which is the two's complement result.
  std::uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const int digit = digitValue(at(i));
    if (digit >= static_cast<int>(base)) break;
    value = value * base + static_cast<std::uint64_t>(digit);
  }
  if (negative) value = 0 - value;
  return static_cast<std::int64_t>(value);
}

}  // namespace

std::string FieldText::format(std::int64_t value) {
  return std::to_string(value);
}

std::int64_t FieldText::parse(std::u16string_view text) {
  return parseText(text);
}

std::int64_t FieldText::parse(std::string_view text) {
  return parseText(text);
}

}  // namespace zentrax
