#include "config/ravenel_config.h"

#include <filesystem>

#include "config/ini_file.h"
#include "config/log_file.h"

std::unique_ptr<TRavenelConfig> gConfig;

TRequiredFilesMissing::TRequiredFilesMissing()
    : std::runtime_error(
          "Required files appear to have been deleted or modified. Please reinstall Tellux "
          "Vovizad.") {}

std::string TRavenelConfig::ServerConnectionsFile() {
  return GetAppPath() + "hexvane_connection_list.con";
}
std::string TRavenelConfig::HttpConnectionsFile() {
  return GetAppPath() + "hexvane_http_connection_list.con";
}
std::string TRavenelConfig::ThemesFile() { return GetAppPath() + "themes.ini"; }

TRavenelConfig::TRavenelConfig(const std::string& ini_file_name) {
  ServerConnections.LoadFromFile(ServerConnectionsFile());
  HttpConnections.LoadFromFile(HttpConnectionsFile());
  ThemeParser.ParseFile(ThemesFile());
  DisplayManyMembersWarning = true;
  DefaultViewFolder = GetAppPath() + "My Views/";
  DisplayDrllThruNotAvailable = true;
  LoadFromFile(ini_file_name);
  Theme = GetThemeList().FindByName(ThemeName);
  if (!Theme) Theme = GetThemeList().Item(0);
  if (!Theme) throw TRequiredFilesMissing();
  IniFileName = ini_file_name;
}

bool TRavenelConfig::LoadFromFile(const std::string& file_name) {
  try {
    const TIniFile ini(file_name);
    ReopenLastCube = ini.ReadBool(kSection, "ReopenLastCube", false);
    LastCubeConnectionLocation = ini.ReadString(kSection, "LastCubeConnectionLocation", "");
    LastCubeConnectionType =
        static_cast<uint8_t>(ini.ReadInteger(kSection, "LastCubeConnectionType", 0));
    ShowInstructionsOnOpen = ini.ReadBool(kSection, "ShowInstructionsOnOpen", false);
    StartMaxed = ini.ReadBool(kSection, "StartMaxed", false);
    ThemeName = ini.ReadString(kSection, "CurrentTheme", "Default");
    DontDisplayTutorialOnStartup = ini.ReadBool(kSection, "DontDisplayTutorialOnStartup", true);
    DefaultViewFolder = ini.ReadString(kSection, "DefaultViewFolder", GetAppPath() + "My Views/");
    // The drill-through notice is shown again at every start, whatever the file says.
    DisplayDrllThruNotAvailable = true;
    StartInSingleMeasureMode = ini.ReadBool(kSection, "StartInSingleMeasureMode", false);
    SuppressZeros = ini.ReadBool(kSection, "SuppressZeros", false);
    StartWithChartVisible = ini.ReadBool(kSection, "StartWithChartVisible", false);
    ExpandMeasuresOnStartup = ini.ReadBool(kSection, "ExpandMeasuresOnStartup", false);
    ReportDir = ini.ReadString(kSection, "ReportDir", GetAppPath() + "My Reports/");
    ColsizingMode = static_cast<uint8_t>(ini.ReadInteger(kSection, "ColsizingMode", 2));
    RowsizingMode = static_cast<uint8_t>(ini.ReadInteger(kSection, "RowsizingMode", 2));
    IgnoreAdditionalHierarchies = ini.ReadBool(kSection, "IgnoreAdditionalHierarchies", false);
    ShowMemberCounts = ini.ReadBool(kSection, "ShowMemberCounts", true);
  } catch (const std::exception&) {
    SetDefaults();
  }
  return true;
}

bool TRavenelConfig::Save() {
  try {
    std::error_code missing;
    const std::string file_name =
        std::filesystem::exists(IniFileName, missing) ? IniFileName : GetAppPath() + "app.ini";
    TIniFile ini(file_name);
    ini.WriteBool(kSection, "ReopenLastCube", ReopenLastCube);
    ini.WriteString(kSection, "LastCubeConnectionLocation", LastCubeConnectionLocation);
    ini.WriteInteger(kSection, "LastCubeConnectionType", LastCubeConnectionType);
    ini.WriteBool(kSection, "ShowInstructionsOnOpen", ShowInstructionsOnOpen);
    ini.WriteBool(kSection, "StartMaxed", StartMaxed);
    ini.WriteString(kSection, "CurrentTheme", Theme ? Theme->Name : ThemeName);
    ini.WriteBool(kSection, "DontDisplayTutorialOnStartup", DontDisplayTutorialOnStartup);
    ini.WriteString(kSection, "DefaultViewFolder", DefaultViewFolder);
    ini.WriteBool(kSection, "DisplayDrllThruNotAvailable", DisplayDrllThruNotAvailable);
    ini.WriteBool(kSection, "StartInSingleMeasureMode", StartInSingleMeasureMode);
    ini.WriteBool(kSection, "SuppressZeros", SuppressZeros);
    ini.WriteBool(kSection, "StartWithChartVisible", StartWithChartVisible);
    ini.WriteBool(kSection, "ExpandMeasuresOnStartup", ExpandMeasuresOnStartup);
    ini.WriteString(kSection, "ReportDir", ReportDir);
    ini.WriteInteger(kSection, "ColsizingMode", ColsizingMode);
    ini.WriteInteger(kSection, "RowsizingMode", RowsizingMode);
    ini.WriteBool(kSection, "IgnoreAdditionalHierarchies", IgnoreAdditionalHierarchies);
    ini.WriteBool(kSection, "ShowMemberCounts", ShowMemberCounts);
    ini.UpdateFile();
    if (!ServerConnections.SaveToFile(ServerConnectionsFile()))
      throw std::runtime_error("Unable to write " + ServerConnectionsFile() + ".");
    if (!HttpConnections.SaveToFile(HttpConnectionsFile()))
      throw std::runtime_error("Unable to write " + HttpConnectionsFile() + ".");
    return true;
  } catch (const std::exception& error) {
    if (gLogFile)
      gLogFile->WriteLine(std::string("Unable to save config settings. With error: ") +
                          error.what());
    return false;
  }
}

void TRavenelConfig::SetDefaults() {
  ReopenLastCube = false;
  LastCubeConnectionLocation.clear();
  LastCubeConnectionType = 0;
  StartMaxed = true;
  Theme = GetThemeList().Item(0);
  DontDisplayTutorialOnStartup = false;
  DisplayManyMembersWarning = true;
  DefaultViewFolder = GetAppPath() + "My Views/";
  DisplayDrllThruNotAvailable = true;
  StartInSingleMeasureMode = false;
  SuppressZeros = false;
  StartWithChartVisible = false;
  ExpandMeasuresOnStartup = false;
  ReportDir = GetAppPath() + "My Reports/";
  ColsizingMode = 2;
  RowsizingMode = 2;
  IgnoreAdditionalHierarchies = false;
}

bool CreateConfig(const std::string& ini_file_name) {
  try {
    gConfig = std::make_unique<TRavenelConfig>(ini_file_name);
    return true;
  } catch (const TRequiredFilesMissing&) {
    throw;
  } catch (const std::exception& error) {
    if (gLogFile)
      gLogFile->WriteLine(std::string("Unable to initilize gConfig object. With error: ") +
                          error.what());
  }
  // Go on with the defaults: a configuration that reads no settings file.
  gConfig = std::make_unique<TRavenelConfig>("");
  gConfig->SetDefaults();
  gConfig->IniFileName = ini_file_name;
  return false;
}
