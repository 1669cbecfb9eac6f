#include "config/theme_list.h"

bool TThemeList::Add(std::unique_ptr<TGridDisplayTheme> theme) {
  if (!theme) return false;
  themes_.push_back(std::move(theme));
  return true;
}

TGridDisplayTheme* TThemeList::Item(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return themes_[static_cast<size_t>(index)].get();
}

TGridDisplayTheme* TThemeList::FindByName(const std::string& name) const {
  for (const auto& theme : themes_)
    if (theme->Name == name) return theme.get();
  return nullptr;
}
