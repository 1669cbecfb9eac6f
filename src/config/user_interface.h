#pragma once

#include <memory>
#include <string>

// The prompt service: the one way any part of the program shows an error, a message or a
// question, and switches the busy cursor. Texts may carry line breaks as carriage returns.
enum class TDialogResult { Ok, Cancel, Yes, No };

class TUserInterface {
 public:
  virtual ~TUserInterface() = default;
  virtual void ShowError(const std::string& text) = 0;
  virtual void ShowInformation(const std::string& text) = 0;
  // True only when OK was chosen.
  virtual bool ConfirmOkCancel(const std::string& text) = 0;
  // True only when Yes was chosen.
  virtual bool ConfirmYesNo(const std::string& text) = 0;
  // Yes, No or Cancel; closing the prompt gives Cancel.
  virtual TDialogResult AskYesNoCancel(const std::string& text) = 0;
  // The busy cursor on or off; pending input is processed, so callers must allow re-entry.
  virtual void SetBusy(bool busy) = 0;
};

extern std::unique_ptr<TUserInterface> gUserInterface;
