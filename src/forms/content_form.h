#pragma once

#include <QDialog>

#include "forms/theme.h"

// The base of every window: a form that can stand alone or be embedded into a panel of
// another window, carries a theme, and answers whether a wizard may leave it.
class TThemedForm : public QDialog {
  Q_OBJECT
 public:
  explicit TThemedForm(QWidget* parent = nullptr);
};

class TContentForm : public TThemedForm {
  Q_OBJECT
 public:
  // With a parent the form becomes its child.
  explicit TContentForm(QWidget* parent = nullptr);

  // Whether a wizard may leave this page forward.
  virtual bool CanContinue() { return true; }
  // Stores the theme and paints the form with its panel colour; nothing when it is the
  // theme already applied (the result is then false). Overrides call this first and then
  // colour their own controls.
  virtual bool ApplyTheme(const TTheme* theme);
  // Inside a parent: borderless, at 0,0, filling the parent; then shown.
  virtual void ShowEmbedded();

  const TTheme* Theme() const { return theme_; }

 protected:
  // Paints a widget's background with a colour.
  static void PaintBackground(QWidget* widget, TColor color);
  // Colours a label's text.
  static void PaintText(QWidget* widget, TColor color);

 private:
  const TTheme* theme_ = nullptr;
};

// The pages of a wizard in order. The list does not own them.
class TContentFormList {
 public:
  void Add(TContentForm* form) { forms_.push_back(form); }
  int Count() const { return static_cast<int>(forms_.size()); }
  TContentForm* Item(int index) const {
    return index >= 0 && index < Count() ? forms_[static_cast<size_t>(index)] : nullptr;
  }

 private:
  std::vector<TContentForm*> forms_;
};
