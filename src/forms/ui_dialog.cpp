#include "forms/ui_dialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStyle>

#include "forms/display_text.h"

namespace {

constexpr int kClientWidth = 462;
constexpr int kClientHeight = 263;
constexpr int kImageSize = 41;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

QLabel* MakeImage(QWidget* parent, QStyle::StandardPixmap kind) {
  auto* image = new QLabel(parent);
  image->setGeometry(12, 12, kImageSize, kImageSize);
  image->setPixmap(parent->style()->standardIcon(kind).pixmap(kImageSize, kImageSize));
  image->hide();
  return image;
}

}  // namespace

TfrmUI::TfrmUI(QWidget* parent) : TContentForm(parent) {
  setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint);
  setFixedSize(kClientWidth, kClientHeight);
  setWindowTitle(QApplication::applicationName());

  imgError = MakeImage(this, QStyle::SP_MessageBoxCritical);
  imgWarning = MakeImage(this, QStyle::SP_MessageBoxWarning);
  imgInfo = MakeImage(this, QStyle::SP_MessageBoxInformation);

  lblDisplayText = new QLabel(this);
  lblDisplayText->setObjectName("lblDisplayText");
  lblDisplayText->setGeometry(68, 12, 378, 209);
  lblDisplayText->setWordWrap(true);
  lblDisplayText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblDisplayText->setTextFormat(Qt::PlainText);
  lblDisplayText->setTextInteractionFlags(Qt::TextSelectableByMouse);

  QPushButton** buttons[] = {&btnFirst, &btnSecond, &btnThird};
  const char* names[] = {"btnFirst", "btnSecond", "btnThird"};
  for (int i = 0; i < 3; ++i) {
    auto* button = new QPushButton(this);
    button->setObjectName(names[i]);
    button->setGeometry(0, kClientHeight - kButtonHeight - 12, kButtonWidth, kButtonHeight);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, i] { ButtonClicked(i); });
    *buttons[i] = button;
  }
  RefreshDialog();
}

void TfrmUI::SetDisplayText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  lblDisplayText->setText(DisplayText(text));
}

void TfrmUI::SetIconKind(TDialogIcon icon) {
  if (icon == icon_) return;
  icon_ = icon;
  RefreshDialog();
}

void TfrmUI::SetButtonSet(TDialogButtons buttons) {
  if (buttons == buttons_) return;
  buttons_ = buttons;
  RefreshDialog();
}

bool TfrmUI::ApplyTheme(const TTheme* theme) {
  if (!TContentForm::ApplyTheme(theme)) return false;
  if (theme) PaintText(lblDisplayText, theme->FontColor);
  return true;
}

void TfrmUI::RefreshDialog() {
  imgError->setVisible(icon_ == diError);
  imgWarning->setVisible(icon_ == diWarning);
  imgInfo->setVisible(icon_ == diInformation);

  struct Role {
    const char* caption;
    bool visible;
    bool is_default;
    bool is_cancel;
  };
  Role roles[3];
  switch (buttons_) {
    case dbOk:
      roles[0] = {"&OK", true, true, true};
      roles[1] = {"", false, false, false};
      roles[2] = {"", false, false, false};
      break;
    case dbOkCancel:
      roles[0] = {"&OK", true, true, false};
      roles[1] = {"&Cancel", true, false, true};
      roles[2] = {"", false, false, false};
      break;
    case dbYesNo:
      roles[0] = {"&Yes", true, true, false};
      roles[1] = {"&No", true, false, true};
      roles[2] = {"", false, false, false};
      break;
    case dbYesNoCancel:
      roles[0] = {"&Yes", true, false, false};
      roles[1] = {"&No", true, false, false};
      roles[2] = {"&Cancel", true, false, false};
      break;
  }
  QPushButton* buttons[] = {btnFirst, btnSecond, btnThird};
  cancel_button_ = nullptr;
  for (int i = 0; i < 3; ++i) {
    buttons[i]->setText(roles[i].caption);
    buttons[i]->setVisible(roles[i].visible);
    buttons[i]->setDefault(roles[i].is_default);
    if (roles[i].is_cancel) cancel_button_ = buttons[i];
  }
  LayoutButtons();
}

void TfrmUI::LayoutButtons() {
  std::vector<QPushButton*> visible;
  for (QPushButton* button : {btnFirst, btnSecond, btnThird})
    if (!button->isHidden()) visible.push_back(button);
  int total = 0;
  for (const QPushButton* button : visible) total += button->width();
  const int gap = (width() - total) / static_cast<int>(visible.size() + 1);
  int left = gap;
  for (QPushButton* button : visible) {
    button->move(left, button->y());
    left += button->width() + gap;
  }
}

void TfrmUI::ButtonClicked(int index) {
  static constexpr TModalResult kResults[4][3] = {
      {mrOk, mrOk, mrCancel},      // dbOk
      {mrOk, mrCancel, mrCancel},  // dbOkCancel
      {mrYes, mrNo, mrCancel},     // dbYesNo
      {mrYes, mrNo, mrCancel},     // dbYesNoCancel
  };
  done(kResults[buttons_][index]);
}

TModalResult TfrmUI::ShowModal() { return static_cast<TModalResult>(exec()); }

void TfrmUI::showEvent(QShowEvent* event) {
  RefreshDialog();
  if (QWidget* main = QApplication::activeWindow(); main && main != this)
    move(main->geometry().center() - rect().center());
  TContentForm::showEvent(event);
  for (QPushButton* button : {btnFirst, btnSecond, btnThird})
    if (button->isDefault()) button->setFocus();
}

void TfrmUI::keyPressEvent(QKeyEvent* event) {
  // Escape answers as the cancel button would; with no cancel button it does nothing.
  if (event->key() == Qt::Key_Escape) {
    if (cancel_button_) cancel_button_->click();
    return;
  }
  TContentForm::keyPressEvent(event);
}

void TfrmUI::reject() { done(mrCancel); }
