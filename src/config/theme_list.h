#pragma once

#include <memory>
#include <string>
#include <vector>

#include "config/display_theme.h"

// The grid themes in reading order; the list owns them.
class TThemeList {
 public:
  bool Add(std::unique_ptr<TGridDisplayTheme> theme);
  int Count() const { return static_cast<int>(themes_.size()); }
  // Nothing for an index outside the list.
  TGridDisplayTheme* Item(int index) const;
  // The first theme whose name equals the text exactly, letter case included.
  TGridDisplayTheme* FindByName(const std::string& name) const;

 private:
  std::vector<std::unique_ptr<TGridDisplayTheme>> themes_;
};
