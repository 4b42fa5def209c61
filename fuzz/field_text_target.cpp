#include <string>

#include "field_text.h"
#include "fuzz_check.h"
#include "fuzz_targets.h"

namespace zentrax::fuzz {

int fieldText(const std::uint8_t* data, std::size_t size) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  }
  const std::int64_t value = FieldText::parse(text);

  // The 8-bit form must read ASCII text exactly as the 16-bit form does.
  bool ascii = true;
  std::string narrow;
  for (char16_t c : text) {
    ascii = ascii && c < 0x80;
    narrow.push_back(static_cast<char>(c));
  }
  if (ascii) FUZZ_CHECK(FieldText::parse(narrow) == value);

  // Whatever a field showed, the number it stood for must survive being shown and read again.
  const std::string shown = FieldText::format(value);
  FUZZ_CHECK(!shown.empty());
  FUZZ_CHECK(FieldText::parse(shown) == value);
  FUZZ_CHECK(FieldText::parse(std::u16string(shown.begin(), shown.end())) == value);
  return 0;
}

}  // namespace zentrax::fuzz
