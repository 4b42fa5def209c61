#include "field_text.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <limits>

namespace zentrax {
namespace {

struct ParseCase {
  const char* name;
  std::u16string text;
  std::int64_t value;

  friend void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }
};

class ParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTest, ParsesAsTheRulesSay) {
  const ParseCase& c = GetParam();
  EXPECT_EQ(FieldText::parse(std::u16string_view(c.text)), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    FieldText, ParseTest,
    ::testing::Values(
        ParseCase{"empty", u"", 0}, ParseCase{"letters only", u"abc", 0},
        ParseCase{"leading spaces", u"   42", 42}, ParseCase{"leading tab", u"\t42", 42},
        ParseCase{"mixed blanks", u" \t 42", 42}, ParseCase{"trailing letters", u"42abc", 42},
        ParseCase{"stops at inner space", u"4 2", 4}, ParseCase{"hex upper case", u"$FF", 255},
        ParseCase{"hex lower case", u"$ff", 255}, ParseCase{"binary eight ones", u"%11111111", 255},
        ParseCase{"dollar alone", u"$", 0}, ParseCase{"percent alone", u"%", 0},
        ParseCase{"hex stops at G", u"$1G", 1}, ParseCase{"binary stops at 2", u"%102", 2},
        ParseCase{"minus one", u"-1", -1}, ParseCase{"plus sign", u"+7", 7},
        ParseCase{"negative hex", u"-$10", -16}, ParseCase{"sign after dollar", u"$-10", 0},
        ParseCase{"blank after sign", u"- 5", 0}, ParseCase{"two signs", u"--5", 0},
        ParseCase{"leading zeros", u"0042", 42}, ParseCase{"byte overflow kept", u"300", 300},
        ParseCase{"blank is not a base", u" $ 1", 0},
        ParseCase{"largest int64", u"9223372036854775807", std::numeric_limits<std::int64_t>::max()},
        ParseCase{"wraps past 64 bits", u"18446744073709551617", 1},
        ParseCase{"hex wraps past 64 bits", u"$1FFFFFFFFFFFFFFFF", -1},
        ParseCase{"non-ASCII digit", u"\u0664\u0662", 0},
        ParseCase{"fullwidth digit after ASCII", u"4\uFF12", 4},
        ParseCase{"character whose low byte is a digit", u"\u0132", 0}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      }
      return name;
    });

TEST(FieldTextParse, EightBitTextFollowsTheSameRules) {
  EXPECT_EQ(FieldText::parse(std::string_view("  -$1f")), -31);
  EXPECT_EQ(FieldText::parse(std::string_view("%101z")), 5);
  // 0xB2 and 0xC2 are not '2' or 'B' in disguise.
  EXPECT_EQ(FieldText::parse(std::string_view("\xB2")), 0);
  EXPECT_EQ(FieldText::parse(std::string_view("$\xC2")), 0);
}

TEST(FieldTextFormat, WritesPlainDecimal) {
  EXPECT_EQ(FieldText::format(0), "0");
  EXPECT_EQ(FieldText::format(7), "7");
  EXPECT_EQ(FieldText::format(65535), "65535");
  EXPECT_EQ(FieldText::format(-16), "-16");
}

TEST(FieldTextFormat, ParseReadsBackWhatFormatWrote) {
  for (std::int64_t v : {std::int64_t{0}, std::int64_t{1}, std::int64_t{255}, std::int64_t{65535},
                         std::int64_t{-1}, std::numeric_limits<std::int64_t>::min()}) {
    const std::string text = FieldText::format(v);
    EXPECT_EQ(FieldText::parse(std::string_view(text)), v) << text;
  }
}

}  // namespace
}  // namespace zentrax
