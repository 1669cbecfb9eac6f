#pragma once

#include <deque>
#include <string>
#include <vector>

#include "config/user_interface.h"

// The prompt service of tests: every prompt is recorded, and questions are answered from a
// script in order. A question with no scripted answer left fails the test.
class ScriptedUserInterface : public TUserInterface {
 public:
  enum class Kind { Error, Information, ConfirmOkCancel, ConfirmYesNo, AskYesNoCancel };
  struct Prompt {
    Kind kind;
    std::string text;
  };

  void Answer(TDialogResult answer) { answers_.push_back(answer); }

  void ShowError(const std::string& text) override;
  void ShowInformation(const std::string& text) override;
  bool ConfirmOkCancel(const std::string& text) override;
  bool ConfirmYesNo(const std::string& text) override;
  TDialogResult AskYesNoCancel(const std::string& text) override;
  void SetBusy(bool busy) override { busy_ = busy; }

  const std::vector<Prompt>& Prompts() const { return prompts_; }
  // The texts of the prompts of one kind, in order.
  std::vector<std::string> Texts(Kind kind) const;
  bool Busy() const { return busy_; }
  size_t UnusedAnswers() const { return answers_.size(); }

 private:
  TDialogResult Next(Kind kind, const std::string& text);

  std::deque<TDialogResult> answers_;
  std::vector<Prompt> prompts_;
  bool busy_ = false;
};
