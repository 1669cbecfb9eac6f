#include "config/ravenel_config.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "config/ini_file.h"
#include "config/log_file.h"
#include "support/program_folder.h"

namespace {

class RavenelConfigTest : public ::testing::Test {
 protected:
  TestProgramFolder folder;
  std::string IniPath() const { return folder.File("app.ini"); }
};

TEST_F(RavenelConfigTest, AFirstStartTakesTheReadDefaults) {
  const TRavenelConfig config(IniPath());
  EXPECT_FALSE(config.ReopenLastCube);
  EXPECT_EQ(config.LastCubeConnectionLocation, "");
  EXPECT_EQ(config.LastCubeConnectionType, 0);
  EXPECT_FALSE(config.ShowInstructionsOnOpen);
  EXPECT_FALSE(config.StartMaxed);
  EXPECT_EQ(config.ThemeName, "Default");
  ASSERT_NE(config.Theme, nullptr);
  EXPECT_EQ(config.Theme->Name, "Default");
  EXPECT_TRUE(config.DontDisplayTutorialOnStartup);
  EXPECT_EQ(config.DefaultViewFolder, folder.Path() + "My Views/");
  EXPECT_EQ(config.ReportDir, folder.Path() + "My Reports/");
  EXPECT_TRUE(config.DisplayDrllThruNotAvailable);
  EXPECT_TRUE(config.DisplayManyMembersWarning);
  EXPECT_EQ(config.ColsizingMode, 2);
  EXPECT_EQ(config.RowsizingMode, 2);
  EXPECT_FALSE(config.IgnoreAdditionalHierarchies);
  EXPECT_TRUE(config.ShowMemberCounts);
  EXPECT_EQ(config.IniFileName, IniPath());
  EXPECT_FALSE(folder.Exists("app.ini")) << "reading creates no file";
}

TEST_F(RavenelConfigTest, ReadsEveryKeyInAnyLetterCase) {
  folder.Write("app.ini",
               "[appsettings]\nreopenlastcube=1\nLASTCUBECONNECTIONLOCATION=/cubes/a.cub\n"
               "LastCubeConnectionType=1\nShowInstructionsOnOpen=1\nStartMaxed=1\n"
               "CurrentTheme=Dark\nDontDisplayTutorialOnStartup=0\nDefaultViewFolder=/v/\n"
               "DisplayDrllThruNotAvailable=0\nStartInSingleMeasureMode=1\nSuppressZeros=1\n"
               "StartWithChartVisible=1\nExpandMeasuresOnStartup=1\nReportDir=/r/\n"
               "ColsizingMode=0\nRowsizingMode=1\nIgnoreAdditionalHierarchies=1\n"
               "ShowMemberCounts=0\n");
  const TRavenelConfig config(IniPath());
  EXPECT_TRUE(config.ReopenLastCube);
  EXPECT_EQ(config.LastCubeConnectionLocation, "/cubes/a.cub");
  EXPECT_EQ(config.LastCubeConnectionType, 1);
  EXPECT_TRUE(config.ShowInstructionsOnOpen);
  EXPECT_TRUE(config.StartMaxed);
  EXPECT_EQ(config.Theme->Name, "Dark");
  EXPECT_FALSE(config.DontDisplayTutorialOnStartup);
  EXPECT_EQ(config.DefaultViewFolder, "/v/");
  EXPECT_TRUE(config.DisplayDrllThruNotAvailable) << "never read back";
  EXPECT_TRUE(config.StartInSingleMeasureMode);
  EXPECT_TRUE(config.SuppressZeros);
  EXPECT_TRUE(config.StartWithChartVisible);
  EXPECT_TRUE(config.ExpandMeasuresOnStartup);
  EXPECT_EQ(config.ReportDir, "/r/");
  EXPECT_EQ(config.ColsizingMode, 0);
  EXPECT_EQ(config.RowsizingMode, 1);
  EXPECT_TRUE(config.IgnoreAdditionalHierarchies);
  EXPECT_FALSE(config.ShowMemberCounts);
}

TEST_F(RavenelConfigTest, ThemeNamesMatchExactly) {
  folder.Write("app.ini", "[AppSettings]\nCurrentTheme=dark\n");
  const TRavenelConfig config(IniPath());
  EXPECT_EQ(config.ThemeName, "dark");
  EXPECT_EQ(config.Theme, config.GetThemeList().Item(0));
}

TEST_F(RavenelConfigTest, DamagedOrUnreadableSettingsGiveDefaults) {
  folder.Write("app.ini", std::string("\x00\xff\xfe[AppSettings\n=\n[]\nStartMaxed\n", 20));
  const TRavenelConfig damaged(IniPath());
  EXPECT_FALSE(damaged.StartMaxed);
  EXPECT_EQ(damaged.Theme->Name, "Default");

  std::filesystem::remove(IniPath());
  std::filesystem::create_directory(IniPath());
  const TRavenelConfig unreadable(IniPath());
  EXPECT_TRUE(unreadable.StartMaxed) << "a failure while reading resets to the defaults";
  EXPECT_FALSE(unreadable.DontDisplayTutorialOnStartup);
}

TEST_F(RavenelConfigTest, SetDefaultsResetsAllButTheKeptSettings) {
  folder.Write("app.ini", "[AppSettings]\nShowInstructionsOnOpen=1\nShowMemberCounts=0\n"
                          "CurrentTheme=Dark\nReopenLastCube=1\nColsizingMode=0\n");
  TRavenelConfig config(IniPath());
  config.DisplayManyMembersWarning = false;
  config.SetDefaults();
  EXPECT_FALSE(config.ReopenLastCube);
  EXPECT_TRUE(config.StartMaxed);
  EXPECT_FALSE(config.DontDisplayTutorialOnStartup);
  EXPECT_EQ(config.Theme, config.GetThemeList().Item(0));
  EXPECT_TRUE(config.DisplayManyMembersWarning);
  EXPECT_EQ(config.ColsizingMode, 2);
  EXPECT_TRUE(config.ShowInstructionsOnOpen) << "kept";
  EXPECT_FALSE(config.ShowMemberCounts) << "kept";
  EXPECT_EQ(config.ThemeName, "Dark") << "kept";
}

TEST_F(RavenelConfigTest, SaveWritesEveryKeyInOrderAndBothLists) {
  TRavenelConfig config(IniPath());
  config.LastCubeConnectionLocation = "/cubes/Sales.cub";
  config.LastCubeConnectionType = 1;
  config.SetCurrentTheme(config.GetThemeList().FindByName("Dark"));
  config.DisplayDrllThruNotAvailable = false;
  ASSERT_TRUE(config.Save());

  const TIniFile ini(IniPath());
  EXPECT_EQ(ini.ReadSection("AppSettings"),
            (std::vector<std::string>{
                "ReopenLastCube", "LastCubeConnectionLocation", "LastCubeConnectionType",
                "ShowInstructionsOnOpen", "StartMaxed", "CurrentTheme",
                "DontDisplayTutorialOnStartup", "DefaultViewFolder",
                "DisplayDrllThruNotAvailable", "StartInSingleMeasureMode", "SuppressZeros",
                "StartWithChartVisible", "ExpandMeasuresOnStartup", "ReportDir",
                "ColsizingMode", "RowsizingMode", "IgnoreAdditionalHierarchies",
                "ShowMemberCounts"}));
  EXPECT_EQ(ini.ReadString("AppSettings", "CurrentTheme", ""), "Dark");
  EXPECT_EQ(ini.ReadString("AppSettings", "DisplayDrllThruNotAvailable", ""), "0");
  EXPECT_TRUE(folder.Exists("hexvane_connection_list.con"));
  EXPECT_TRUE(folder.Exists("hexvane_http_connection_list.con"));

  const TRavenelConfig reread(IniPath());
  EXPECT_EQ(reread.LastCubeConnectionLocation, "/cubes/Sales.cub");
  EXPECT_EQ(reread.Theme->Name, "Dark");
}

TEST_F(RavenelConfigTest, SaveRecreatesADeletedSettingsFileAndKeepsUnknownKeys) {
  folder.Write("app.ini", "[AppSettings]\nStartMaxed=1\n[Other]\nMine=kept\n");
  TRavenelConfig config(IniPath());
  ASSERT_TRUE(config.Save());
  EXPECT_EQ(TIniFile(IniPath()).ReadString("Other", "Mine", ""), "kept");
  std::filesystem::remove(IniPath());
  ASSERT_TRUE(config.Save());
  EXPECT_TRUE(TIniFile(IniPath()).ReadBool("AppSettings", "StartMaxed", false));
}

TEST_F(RavenelConfigTest, AFailedSaveIsLoggedAndReportedFalse) {
  gLogFile = std::make_unique<TLogFile>(folder.File("ravenel.log"));
  TRavenelConfig config(IniPath());
  std::filesystem::create_directory(IniPath());
  EXPECT_FALSE(config.Save());
  EXPECT_TRUE(folder.Read("ravenel.log").starts_with("Unable to save config settings. With error: "));
  gLogFile.reset();
}

TEST(RavenelConfigThemes, NoThemesMeansRequiredFilesAreMissing) {
  TestProgramFolder folder(false);
  EXPECT_THROW(TRavenelConfig config(folder.File("app.ini")), TRequiredFilesMissing);
  folder.Write("themes.ini", "[Themes]\nThemeCount=1\n[Theme1]\nDataColor=bad\n");
  EXPECT_THROW(CreateConfig(folder.File("app.ini")), TRequiredFilesMissing);
  try {
    TRavenelConfig config(folder.File("app.ini"));
  } catch (const TRequiredFilesMissing& error) {
    EXPECT_STREQ(error.what(),
                 "Required files appear to have been deleted or modified. Please reinstall "
                 "Tellux Vovizad.");
  }
}

}  // namespace
