#pragma once

#include <string>

#include "config/theme_list.h"

// Reads "themes.ini": section "Themes" with "ThemeCount", then one section "Theme" + n per
// theme, every key optional. A bad value (a colour that does not convert, a negative font
// size) ends the reading: the themes before it stay, the rest are not read.
class TThemeParser {
 public:
  // False when the file is missing or a value stopped the reading.
  bool ParseFile(const std::string& file_name);
  const TThemeList& Themes() const { return themes_; }
  TThemeList& Themes() { return themes_; }

 private:
  TThemeList themes_;
};
