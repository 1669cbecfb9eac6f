#include "config/theme_parser.h"

#include <gtest/gtest.h>

#include "config/ini_file.h"
#include "support/program_folder.h"

namespace {

TEST(Colors, ConvertBetweenHexTextAndColours) {
  EXPECT_EQ(HexToColor("E7B400"), RGBColor(0xE7, 0xB4, 0x00));
  EXPECT_EQ(HexToColor("e7b400"), HexToColor("E7B400"));
  EXPECT_EQ(ColorToHex(RGBColor(0, 0, 255)), "0000FF");
  EXPECT_EQ(ColorToHex(HexToColor("12aBcD")), "12ABCD");
  EXPECT_EQ(ColorToHexRaw(RGBColor(1, 2, 3)), "010203");
  EXPECT_EQ(ColorToHexRaw(-16777201), ColorToHexRaw(static_cast<TColor>(0xFF00000F)));
  EXPECT_THROW(ColorToHex(-5), TColorConversionError);
  for (const char* bad : {"4F9A", "", "GG0000", "00ZZ00", "0000 1"})
    EXPECT_THROW(HexToColor(bad), TColorConversionError) << bad;
}

TEST(ThemeParser, MissingSectionsGiveDefaultThemes) {
  TestProgramFolder folder(false);
  folder.Write("themes.ini", "[Themes]\nThemeCount=2\n[Theme1]\nName=Blue\nDataColor=0000ff\n"
                             "DepthFontBold3=1\nDepthFontSize10=12\n");
  TThemeParser parser;
  ASSERT_TRUE(parser.ParseFile(folder.File("themes.ini")));
  ASSERT_EQ(parser.Themes().Count(), 2);
  const TGridDisplayTheme& blue = *parser.Themes().Item(0);
  EXPECT_EQ(blue.Name, "Blue");
  EXPECT_EQ(blue.DataColor, RGBColor(0, 0, 255));
  EXPECT_TRUE(blue.DepthStyle(2).FontBold);
  EXPECT_EQ(blue.DepthStyle(9).FontSize, 12);
  EXPECT_EQ(blue.DepthStyle(25).FontSize, 12);
  const TGridDisplayTheme& second = *parser.Themes().Item(1);
  EXPECT_EQ(second.Name, "Default");
  EXPECT_EQ(second.DimensionColor, 0);
  EXPECT_EQ(second.DataFontName, "Tahoma");
  EXPECT_EQ(second.DataFontSize, 8);
  EXPECT_FALSE(second.DataFontBold);
  EXPECT_EQ(parser.Themes().Item(2), nullptr);
  EXPECT_EQ(parser.Themes().Item(-1), nullptr);
}

TEST(ThemeParser, ABadValueStopsTheReadingAtThatTheme) {
  for (const char* bad : {"DataColor=4F9A", "SelectionColor=xyzxyz", "DataFontSize=-1",
                          "Depth4=12345", "DepthFontSize7=-3"}) {
    TestProgramFolder folder(false);
    folder.Write("themes.ini", std::string("[Themes]\nThemeCount=3\n[Theme1]\nName=One\n"
                                           "[Theme2]\nName=Two\n") +
                                   bad + "\n[Theme3]\nName=Three\n");
    TThemeParser parser;
    EXPECT_FALSE(parser.ParseFile(folder.File("themes.ini"))) << bad;
    ASSERT_EQ(parser.Themes().Count(), 1) << bad;
    EXPECT_EQ(parser.Themes().Item(0)->Name, "One");
  }
}

TEST(ThemeParser, MissingFileAndHugeCounts) {
  TestProgramFolder folder(false);
  TThemeParser missing;
  EXPECT_FALSE(missing.ParseFile(folder.File("themes.ini")));
  EXPECT_EQ(missing.Themes().Count(), 0);

  folder.Write("themes.ini", "[Themes]\nThemeCount=2000000000\n");
  TThemeParser huge;
  EXPECT_TRUE(huge.ParseFile(folder.File("themes.ini")));
  EXPECT_LE(huge.Themes().Count(), 1000);
}

TEST(ThemeList, FindsByExactName) {
  TThemeList list;
  auto theme = std::make_unique<TGridDisplayTheme>();
  theme->Name = "Default";
  TGridDisplayTheme* const added = theme.get();
  EXPECT_TRUE(list.Add(std::move(theme)));
  EXPECT_FALSE(list.Add(nullptr));
  EXPECT_EQ(list.FindByName("Default"), added);
  EXPECT_EQ(list.FindByName("default"), nullptr);
}

TEST(ShippedThemes, DefaultFirstADarkOneAndEveryKeySet) {
  const std::string file = ResourcesDir() + "/themes.ini";
  TThemeParser parser;
  ASSERT_TRUE(parser.ParseFile(file));
  ASSERT_GE(parser.Themes().Count(), 4);
  EXPECT_EQ(parser.Themes().Item(0)->Name, "Default");

  bool has_dark = false;
  for (int i = 0; i < parser.Themes().Count(); ++i) {
    const TColor data = parser.Themes().Item(i)->DataColor;
    if (RedOf(data) + GreenOf(data) + BlueOf(data) < 3 * 64) has_dark = true;
  }
  EXPECT_TRUE(has_dark);

  std::vector<std::string> keys = {"Name", "DimensionColor", "DimensionFontName",
                                   "DimensionFontColor", "DimensionFontSize",
                                   "DimensionFontBold", "SelectionColor", "BorderColor",
                                   "DataColor", "DataFontName", "DataFontColor", "DataFontSize",
                                   "DataFontBold"};
  for (int d = 1; d <= 10; ++d)
    for (const char* key : {"Depth", "DepthFontName", "DepthFontColor", "DepthFontSize",
                            "DepthFontBold"})
      keys.push_back(key + std::to_string(d));
  const TIniFile ini(file);
  for (int n = 1; n <= parser.Themes().Count(); ++n)
    for (const std::string& key : keys)
      EXPECT_TRUE(ini.ValueExists("Theme" + std::to_string(n), key))
          << "Theme" << n << " lacks " << key;
}

}  // namespace
