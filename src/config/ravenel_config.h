#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "config/base_config.h"
#include "config/display_theme.h"
#include "config/olap_connection_list.h"
#include "config/theme_parser.h"

// Raised when the program folder has no usable themes file: the program cannot run and the
// user is told to reinstall.
class TRequiredFilesMissing : public std::runtime_error {
 public:
  TRequiredFilesMissing();
};

// Every user setting, kept in section "AppSettings" of "app.ini" in the program folder, with
// the two saved connection lists and the grid themes.
class TRavenelConfig : public TBaseConfig {
 public:
  static constexpr const char* kSection = "AppSettings";

  // Loads the connection lists, the themes and the settings file, and picks the theme.
  // Raises TRequiredFilesMissing when no theme can be read.
  explicit TRavenelConfig(const std::string& ini_file_name);

  // Reads every key; a missing file or key takes the read default; a failure while reading
  // resets to the defaults. Returns true.
  bool LoadFromFile(const std::string& file_name);
  // Writes every key, then both connection lists. False, with a log line, on failure.
  bool Save();
  void SetDefaults() override;

  const TThemeList& GetThemeList() const { return ThemeParser.Themes(); }
  void SetCurrentTheme(TGridDisplayTheme* theme) { Theme = theme; }
  void SetIgnoreAdditionalHierarchies(bool flag) { IgnoreAdditionalHierarchies = flag; }
  void SetShowMemberCounts(bool flag) { ShowMemberCounts = flag; }

  TGridDisplayTheme* Theme = nullptr;  // not owned: one of the theme list's
  bool DontDisplayTutorialOnStartup = true;
  std::string ThemeName = "Default";
  std::string DefaultViewFolder;
  std::string IniFileName;
  bool DisplayDrllThruNotAvailable = true;
  bool DisplayManyMembersWarning = true;
  std::string LastCubeConnectionLocation;
  uint8_t LastCubeConnectionType = 0;
  TOLAPConnectionList ServerConnections;
  bool ReopenLastCube = false;
  bool ShowInstructionsOnOpen = false;
  bool StartInSingleMeasureMode = false;
  bool StartMaxed = false;
  TThemeParser ThemeParser;
  bool SuppressZeros = false;
  bool StartWithChartVisible = false;
  bool ExpandMeasuresOnStartup = false;
  std::string ReportDir;
  uint8_t ColsizingMode = 2;
  uint8_t RowsizingMode = 2;
  TOLAPConnectionList HttpConnections;
  bool IgnoreAdditionalHierarchies = false;
  bool ShowMemberCounts = true;

  static std::string ServerConnectionsFile();
  static std::string HttpConnectionsFile();
  static std::string ThemesFile();
};

extern std::unique_ptr<TRavenelConfig> gConfig;

// Creates gConfig from the settings file. When the construction fails for any reason but
// missing themes, the failure is logged and gConfig holds the defaults; the result is then
// false. TRequiredFilesMissing passes to the caller, which ends the program.
bool CreateConfig(const std::string& ini_file_name);
