#include "app/ravenel_interface.h"

TRavenelInterface::TRavenelInterface() : frmUI(std::make_unique<TfrmUI>()) {
  frmUI->SetDisplayText("");
}

TRavenelInterface::~TRavenelInterface() = default;

TModalResult TRavenelInterface::Prompt(const std::string& text, TDialogIcon icon,
                                       TDialogButtons buttons) {
  frmUI->SetDisplayText(text);
  frmUI->SetIconKind(icon);
  frmUI->SetButtonSet(buttons);
  return frmUI->ShowModal();
}

void TRavenelInterface::ShowError(const std::string& text) { Prompt(text, diError, dbOk); }

void TRavenelInterface::ShowInformation(const std::string& text) {
  Prompt(text, diInformation, dbOk);
}

bool TRavenelInterface::ConfirmOkCancel(const std::string& text) {
  return Prompt(text, diWarning, dbOkCancel) == mrOk;
}

bool TRavenelInterface::ConfirmYesNo(const std::string& text) {
  return Prompt(text, diWarning, dbYesNo) == mrYes;
}

TDialogResult TRavenelInterface::AskYesNoCancel(const std::string& text) {
  switch (Prompt(text, diWarning, dbYesNoCancel)) {
    case mrYes:
      return TDialogResult::Yes;
    case mrNo:
      return TDialogResult::No;
    default:
      return TDialogResult::Cancel;
  }
}

void TRavenelInterface::ApplyTheme(const TTheme* theme) { frmUI->ApplyTheme(theme); }
