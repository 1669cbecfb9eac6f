#include "app/base_user_interface.h"

#include "forms/display_text.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

namespace {

QWidget* PromptParent() { return QApplication::activeWindow(); }

QString Title() { return QApplication::applicationName(); }

}  // namespace

void TBaseUserInterface::ShowError(const std::string& text) {
  QMessageBox::critical(PromptParent(), Title(), DisplayText(text));
}

void TBaseUserInterface::ShowInformation(const std::string& text) {
  QMessageBox::information(PromptParent(), Title(), DisplayText(text));
}

bool TBaseUserInterface::ConfirmOkCancel(const std::string& text) {
  return QMessageBox::question(PromptParent(), Title(), DisplayText(text),
                               QMessageBox::Ok | QMessageBox::Cancel,
                               QMessageBox::Ok) == QMessageBox::Ok;
}

bool TBaseUserInterface::ConfirmYesNo(const std::string& text) {
  return QMessageBox::question(PromptParent(), Title(), DisplayText(text),
                               QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::Yes) == QMessageBox::Yes;
}

TDialogResult TBaseUserInterface::AskYesNoCancel(const std::string& text) {
  switch (QMessageBox::information(PromptParent(), Title(), DisplayText(text),
                                   QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                   QMessageBox::NoButton)) {
    case QMessageBox::Yes:
      return TDialogResult::Yes;
    case QMessageBox::No:
      return TDialogResult::No;
    default:
      return TDialogResult::Cancel;
  }
}

void TBaseUserInterface::SetBusy(bool busy) {
  if (busy && !busy_) QApplication::setOverrideCursor(Qt::WaitCursor);
  if (!busy && busy_) QApplication::restoreOverrideCursor();
  busy_ = busy;
  QApplication::processEvents();
}
