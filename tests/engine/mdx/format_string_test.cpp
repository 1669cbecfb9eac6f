#include "engine/mdx/format_string.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using engine::mdx::FormatString;

struct FormatCase {
  const char* format;
  double value;
  const char* expected;
};

void ExpectFormats(const FormatCase* begin, const FormatCase* end) {
  for (const FormatCase* c = begin; c != end; ++c)
    EXPECT_EQ(FormatString(c->format).Format(c->value), c->expected)
        << "format \"" << c->format << "\", value " << c->value;
}

TEST(FormatString, AppliesTheNamedFormats) {
  const FormatCase cases[] = {
      {"Standard", 1234.5, "1,234.50"},
      {"Standard", -1234.567, "-1,234.57"},
      {"Standard", 0, "0.00"},
      {"standard", 0.004, "0.00"},
      {"Currency", 1234.5, "$1,234.50"},
      {"Currency", -1234.5, "($1,234.50)"},
      {"Currency", 0, "$0.00"},
      {"Percent", 0.1234, "12.34%"},
      {"Percent", -0.5, "-50.00%"},
      {"Percent", 1, "100.00%"},
      {"Fixed", 1234.5, "1234.50"},
      {"Fixed", -0.125, "-0.13"},
      {"General Number", 1234.5678, "1234.5678"},
      {"General Number", -74748, "-74748"},
      {"General Number", 0.1 + 0.2, "0.3"},
      {"General Number", 1e20, "1E+20"},
      {"", 565238.13, "565238.13"},
      {"Scientific", 1234.5, "1.23E+03"},
      {"Scientific", 0.000123, "1.23E-04"},
      {"Scientific", 0, "0.00E+00"},
      {"Scientific", -9.999, "-1.00E+01"},
      {"Yes/No", 3, "Yes"},
      {"Yes/No", 0, "No"},
      {"True/False", -1, "True"},
      {"On/Off", 0, "Off"},
  };
  ExpectFormats(std::begin(cases), std::end(cases));
}

TEST(FormatString, AppliesDigitPlaceholdersSeparatorsAndScaling) {
  const FormatCase cases[] = {
      // The browser's own calculated measure format.
      {"#,0.0###", 1234.5, "1,234.5"},
      {"#,0.0###", 1234, "1,234.0"},
      {"#,0.0###", 0.12345, "0.1235"},
      {"#,0.0###", -0.00004, "0.0"},
      {"#,0.0###", 1234567.891, "1,234,567.891"},
      {"#,##0", 74748, "74,748"},
      {"#,##0", 266773.5, "266,774"},
      {"#,##0", 999.5, "1,000"},
      {"#,##0", 0.4, "0"},
      {"#,##0", -0.4, "0"},
      {"#,##0", 1e21, "1,000,000,000,000,000,000,000"},
      {"#,##0.00", 2.675, "2.68"},
      {"#,##0.00", 565238.13, "565,238.13"},
      {"$#,##0.00", 1234.5, "$1,234.50"},
      {"$#,##0.00", -1234.5, "-$1,234.50"},
      {"0.00%", 0.00125, "0.13%"},
      {"0%", 0.5, "50%"},
      {"#.##", 0.5, ".5"},
      {"#.##", 12, "12."},
      {"000", 7, "007"},
      {"000", 12345, "12345"},
      {"0.000", 1.0005, "1.001"},
      {"#", 0, ""},
      {"?0.0?", 1.5, " 1.5 "},
      {".00", 12.345, "12.35"},
      {"#,##0,", 1234567, "1,235"},
      {"#,##0,,", 1234567890, "1,235"},
      {"0.0,,\" M\"", 2500000, "2.5 M"},
      {"##0.0E+0", 12345, "12.3E+3"},
      {"0.0e-00", 0.0012, "1.2e-03"},
      {"0.0e-00", 1200, "1.2e03"},
  };
  ExpectFormats(std::begin(cases), std::end(cases));
}

TEST(FormatString, ChoosesTheSectionForPositiveNegativeAndZeroValues) {
  const FormatCase cases[] = {
      {"#,##0.00;(#,##0.00)", 1234.5, "1,234.50"},
      {"#,##0.00;(#,##0.00)", -1234.5, "(1,234.50)"},
      {"#,##0.00;(#,##0.00)", 0, "0.00"},
      {"#,##0;-#,##0;\"nil\"", 0, "nil"},
      {"#,##0;-#,##0;\"nil\"", -5, "-5"},
      {"#,##0;[#,##0];", 0, "0"},  // an empty zero section takes the first one
      {"0.0;;\"zero\"", -2.5, "-2.5"},
      {"0;\"neg\";\"zero\";\"null\"", 3, "3"},
      {"\"a;b\" 0;(0)", -1, "(1)"},
  };
  ExpectFormats(std::begin(cases), std::end(cases));
}

TEST(FormatString, WritesLiteralTextQuotedEscapedOrAsItStands) {
  const FormatCase cases[] = {
      {"\"Total: \"#,##0", 1234, "Total: 1,234"},
      {"0 \"units\"", 5, "5 units"},
      {"\\#0\\%", 5, "#5%"},
      {"0.0 \\k\\g", 1.25, "1.3 kg"},
      {"(000) 000-0000", 5551234567, "(555) 123-4567"},
      {"\"unterminated 0", 5, "unterminated 0"},
      {"0\\", 5, "5"},
      {"€ #,##0.00", 1234.5, "€ 1,234.50"},
  };
  ExpectFormats(std::begin(cases), std::end(cases));
}

TEST(FormatString, GivesEmptyTextForNoValueAndWordsForNonNumbers) {
  EXPECT_EQ(FormatString("#,##0").Format(std::nullopt), "");
  EXPECT_EQ(FormatString("Currency").Format(std::nullopt), "");
  EXPECT_EQ(FormatString("").Format(std::nullopt), "");
  EXPECT_EQ(FormatString("#,##0").Format(std::numeric_limits<double>::infinity()), "Infinity");
  EXPECT_EQ(FormatString("#,##0").Format(-std::numeric_limits<double>::infinity()), "-Infinity");
  EXPECT_EQ(FormatString("#,##0").Format(std::nan("")), "NaN");
  EXPECT_EQ(FormatString("0.00").Format(1e308), "1" + std::string(308, '0') + ".00");
  EXPECT_EQ(FormatString("0.00").Format(5e-324), "0.00");
}

}  // namespace
