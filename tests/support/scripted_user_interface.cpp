#include "support/scripted_user_interface.h"

#include <gtest/gtest.h>

void ScriptedUserInterface::ShowError(const std::string& text) {
  prompts_.push_back({Kind::Error, text});
}

void ScriptedUserInterface::ShowInformation(const std::string& text) {
  prompts_.push_back({Kind::Information, text});
}

TDialogResult ScriptedUserInterface::Next(Kind kind, const std::string& text) {
  prompts_.push_back({kind, text});
  if (answers_.empty()) {
    ADD_FAILURE() << "The program asked a question the test did not script: " << text;
    return TDialogResult::Cancel;
  }
  const TDialogResult answer = answers_.front();
  answers_.pop_front();
  return answer;
}

bool ScriptedUserInterface::ConfirmOkCancel(const std::string& text) {
  return Next(Kind::ConfirmOkCancel, text) == TDialogResult::Ok;
}

bool ScriptedUserInterface::ConfirmYesNo(const std::string& text) {
  return Next(Kind::ConfirmYesNo, text) == TDialogResult::Yes;
}

TDialogResult ScriptedUserInterface::AskYesNoCancel(const std::string& text) {
  return Next(Kind::AskYesNoCancel, text);
}

std::vector<std::string> ScriptedUserInterface::Texts(Kind kind) const {
  std::vector<std::string> texts;
  for (const Prompt& prompt : prompts_)
    if (prompt.kind == kind) texts.push_back(prompt.text);
  return texts;
}
