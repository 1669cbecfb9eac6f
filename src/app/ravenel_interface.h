#pragma once

#include <memory>

#include "app/base_user_interface.h"
#include "forms/theme.h"
#include "forms/ui_dialog.h"

// The prompt service over the program's own themed prompt dialog, one instance of which
// serves every prompt for the life of the program.
class TRavenelInterface : public TBaseUserInterface {
 public:
  TRavenelInterface();
  ~TRavenelInterface() override;

  void ShowError(const std::string& text) override;
  void ShowInformation(const std::string& text) override;
  bool ConfirmOkCancel(const std::string& text) override;
  bool ConfirmYesNo(const std::string& text) override;
  TDialogResult AskYesNoCancel(const std::string& text) override;
  // Prompts take the colours of the main window.
  void ApplyTheme(const TTheme* theme);

  TfrmUI* Dialog() const { return frmUI.get(); }

 private:
  TModalResult Prompt(const std::string& text, TDialogIcon icon, TDialogButtons buttons);

  std::unique_ptr<TfrmUI> frmUI;
};
