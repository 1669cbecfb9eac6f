#pragma once

#include <QLabel>
#include <QPushButton>
#include <string>

#include "forms/content_form.h"

enum TDialogIcon { diNone = 0, diInformation = 1, diWarning = 2, diError = 3 };
enum TDialogButtons { dbOk = 0, dbOkCancel = 1, dbYesNo = 2, dbYesNoCancel = 3 };

// The results a dialog ends with.
enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

// The prompt dialog behind the prompt service: a message, an icon and one to three buttons.
class TfrmUI : public TContentForm {
  Q_OBJECT
 public:
  explicit TfrmUI(QWidget* parent = nullptr);

  void SetDisplayText(const std::string& text);
  void SetIconKind(TDialogIcon icon);
  void SetButtonSet(TDialogButtons buttons);
  bool ApplyTheme(const TTheme* theme) override;

  // Shows the dialog modally and gives its result; the close box gives mrCancel.
  TModalResult ShowModal();

  QLabel* lblDisplayText;
  QLabel* imgError;
  QLabel* imgWarning;
  QLabel* imgInfo;
  QPushButton* btnFirst;
  QPushButton* btnSecond;
  QPushButton* btnThird;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // The close box gives Cancel.
  void reject() override;

 private:
  void RefreshDialog();
  void LayoutButtons();
  void ButtonClicked(int index);

  std::string text_;
  TDialogIcon icon_ = diNone;
  TDialogButtons buttons_ = dbOk;
  QPushButton* cancel_button_ = nullptr;
};
