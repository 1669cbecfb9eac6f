#include "config/theme_parser.h"

#include <algorithm>
#include <filesystem>

#include "config/ini_file.h"

namespace {

constexpr int kMaxThemes = 1000;

class TThemeReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

TColor ReadColor(const TIniFile& ini, const std::string& section, const std::string& key) {
  return HexToColor(ini.ReadString(section, key, "000000"));
}

int ReadFontSize(const TIniFile& ini, const std::string& section, const std::string& key) {
  const int size = ini.ReadInteger(section, key, 8);
  if (size < 0) throw TThemeReadError(key + " of " + section + " is negative.");
  return size;
}

std::unique_ptr<TGridDisplayTheme> ReadTheme(const TIniFile& ini, const std::string& section) {
  auto theme = std::make_unique<TGridDisplayTheme>();
  theme->Name = ini.ReadString(section, "Name", "Default");
  theme->DimensionColor = ReadColor(ini, section, "DimensionColor");
  theme->DimensionFontName = ini.ReadString(section, "DimensionFontName", "Tahoma");
  theme->DimensionFontColor = ReadColor(ini, section, "DimensionFontColor");
  theme->DimensionFontSize = ReadFontSize(ini, section, "DimensionFontSize");
  theme->DimensionFontBold = ini.ReadBool(section, "DimensionFontBold", false);
  theme->SelectionColor = ReadColor(ini, section, "SelectionColor");
  theme->BorderColor = ReadColor(ini, section, "BorderColor");
  theme->DataColor = ReadColor(ini, section, "DataColor");
  theme->DataFontName = ini.ReadString(section, "DataFontName", "Tahoma");
  theme->DataFontColor = ReadColor(ini, section, "DataFontColor");
  theme->DataFontSize = ReadFontSize(ini, section, "DataFontSize");
  theme->DataFontBold = ini.ReadBool(section, "DataFontBold", false);
  for (int d = 1; d <= TGridDisplayTheme::kDepthStyles; ++d) {
    const std::string n = std::to_string(d);
    TCellStyle& style = theme->Depths[static_cast<size_t>(d - 1)];
    style.Color = ReadColor(ini, section, "Depth" + n);
    style.FontName = ini.ReadString(section, "DepthFontName" + n, "Tahoma");
    style.FontColor = ReadColor(ini, section, "DepthFontColor" + n);
    style.FontSize = ReadFontSize(ini, section, "DepthFontSize" + n);
    style.FontBold = ini.ReadBool(section, "DepthFontBold" + n, false);
  }
  return theme;
}

}  // namespace

bool TThemeParser::ParseFile(const std::string& file_name) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file_name, error)) return false;
  try {
    const TIniFile ini(file_name);
    // A hand-edited count of millions would otherwise fill memory with default themes.
    const int count = std::min(ini.ReadInteger("Themes", "ThemeCount", 0), kMaxThemes);
    for (int n = 1; n <= count; ++n) themes_.Add(ReadTheme(ini, "Theme" + std::to_string(n)));
    return true;
  } catch (const std::exception&) {
    return false;
  }
}
