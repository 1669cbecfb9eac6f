#pragma once

#include "config/user_interface.h"

// The prompt service over the desktop's standard message boxes.
class TBaseUserInterface : public TUserInterface {
 public:
  void ShowError(const std::string& text) override;
  void ShowInformation(const std::string& text) override;
  bool ConfirmOkCancel(const std::string& text) override;
  bool ConfirmYesNo(const std::string& text) override;
  TDialogResult AskYesNoCancel(const std::string& text) override;
  void SetBusy(bool busy) override;

 private:
  bool busy_ = false;
};
