#include "forms/content_form.h"

#include <QVBoxLayout>

TThemedForm::TThemedForm(QWidget* parent) : QDialog(parent) {}

TContentForm::TContentForm(QWidget* parent) : TThemedForm(parent) {
  if (parent) setWindowFlags(Qt::Widget);
}

bool TContentForm::ApplyTheme(const TTheme* theme) {
  if (theme == theme_) return false;
  theme_ = theme;
  if (theme_) PaintBackground(this, theme_->PanelColor);
  return true;
}

void TContentForm::ShowEmbedded() {
  if (QWidget* parent = parentWidget()) {
    setWindowFlags(Qt::Widget);
    move(0, 0);
    resize(parent->size());
    // A layout keeps the form filling its parent as the parent is resized.
    QLayout* layout = parent->layout();
    if (!layout) {
      layout = new QVBoxLayout(parent);
      layout->setContentsMargins(0, 0, 0, 0);
      layout->setSpacing(0);
    }
    if (layout->indexOf(this) < 0) layout->addWidget(this);
  }
  show();
}

void TContentForm::PaintBackground(QWidget* widget, TColor color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, ToQColor(color));
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

void TContentForm::PaintText(QWidget* widget, TColor color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, ToQColor(color));
  widget->setPalette(palette);
}
