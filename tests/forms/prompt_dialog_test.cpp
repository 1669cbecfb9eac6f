#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "app/ravenel_interface.h"
#include "forms/ui_dialog.h"
#include "support/modal_answer.h"

namespace {

struct ButtonState {
  std::string caption;
  bool visible;
  bool is_default;
};

std::vector<ButtonState> Buttons(const TfrmUI& dialog) {
  std::vector<ButtonState> states;
  for (const QPushButton* b : {dialog.btnFirst, dialog.btnSecond, dialog.btnThird})
    states.push_back({b->text().toStdString(), !b->isHidden(), b->isDefault()});
  return states;
}

TEST(PromptDialog, ButtonSetsGiveTheirCaptionsAndRoles) {
  struct Case {
    TDialogButtons set;
    std::vector<std::string> captions;  // of the visible buttons
    int default_button;                 // index, -1 for none
  };
  const Case cases[] = {{dbOk, {"&OK"}, 0},
                        {dbOkCancel, {"&OK", "&Cancel"}, 0},
                        {dbYesNo, {"&Yes", "&No"}, 0},
                        {dbYesNoCancel, {"&Yes", "&No", "&Cancel"}, -1}};
  TfrmUI dialog;
  for (const Case& c : cases) {
    dialog.SetButtonSet(c.set);
    const auto states = Buttons(dialog);
    std::vector<std::string> captions;
    int default_button = -1;
    for (size_t i = 0; i < states.size(); ++i) {
      if (states[i].visible) captions.push_back(states[i].caption);
      if (states[i].is_default) default_button = static_cast<int>(i);
    }
    EXPECT_EQ(captions, c.captions) << "set " << c.set;
    EXPECT_EQ(default_button, c.default_button) << "set " << c.set;
  }
}

TEST(PromptDialog, ButtonsAreSpacedWithEqualGaps) {
  TfrmUI dialog;
  for (const TDialogButtons set : {dbOk, dbOkCancel, dbYesNoCancel}) {
    dialog.SetButtonSet(set);
    std::vector<const QPushButton*> visible;
    for (const QPushButton* b : {dialog.btnFirst, dialog.btnSecond, dialog.btnThird})
      if (!b->isHidden()) visible.push_back(b);
    int total = 0;
    for (const QPushButton* b : visible) total += b->width();
    const int gap = (dialog.width() - total) / static_cast<int>(visible.size() + 1);
    int left = gap;
    for (const QPushButton* b : visible) {
      EXPECT_EQ(b->x(), left) << "set " << set;
      left += b->width() + gap;
    }
  }
  dialog.SetButtonSet(dbOk);
  const QPushButton* ok = dialog.btnFirst;
  EXPECT_LE(std::abs(ok->x() + ok->width() / 2 - dialog.width() / 2), 1) << "one button is centred";
}

TEST(PromptDialog, IconKindShowsExactlyItsImage) {
  TfrmUI dialog;
  struct Case {
    TDialogIcon icon;
    bool error, warning, info;
  };
  for (const Case c : {Case{diError, true, false, false}, Case{diWarning, false, true, false},
                       Case{diInformation, false, false, true}, Case{diNone, false, false, false}}) {
    dialog.SetIconKind(c.icon);
    EXPECT_EQ(!dialog.imgError->isHidden(), c.error);
    EXPECT_EQ(!dialog.imgWarning->isHidden(), c.warning);
    EXPECT_EQ(!dialog.imgInfo->isHidden(), c.info);
  }
}

TEST(RavenelInterface, AnswersMapToTheOperationsResults) {
  TRavenelInterface ui;
  struct Case {
    const char* what;
    std::function<void(QWidget*)> answer;
    std::function<bool()> ask;
  };
  auto click = [](int index) {
    return [index](QWidget* w) {
      auto* d = static_cast<TfrmUI*>(w);
      QPushButton* buttons[] = {d->btnFirst, d->btnSecond, d->btnThird};
      buttons[index]->click();
    };
  };
  auto close_box = [](QWidget* w) { w->close(); };
  auto escape = [](QWidget* w) {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(w, &key);
    if (w->isVisible()) w->close();  // Escape did nothing: close it for the next case
  };
  const Case cases[] = {
      {"Yes", click(0), [&] { return ui.ConfirmYesNo("Go on?"); }},
      {"No is false", click(1), [&] { return !ui.ConfirmYesNo("Go on?"); }},
      {"close box is false", close_box, [&] { return !ui.ConfirmYesNo("Go on?"); }},
      {"OK", click(0), [&] { return ui.ConfirmOkCancel("Go on?"); }},
      {"close box on OK/Cancel", close_box, [&] { return !ui.ConfirmOkCancel("Go on?"); }},
      {"Escape cancels OK/Cancel", escape, [&] { return !ui.ConfirmOkCancel("Go on?"); }},
      {"No of three", click(1), [&] { return ui.AskYesNoCancel("Save?") == TDialogResult::No; }},
      {"Cancel of three", click(2),
       [&] { return ui.AskYesNoCancel("Save?") == TDialogResult::Cancel; }},
      {"close box of three", close_box,
       [&] { return ui.AskYesNoCancel("Save?") == TDialogResult::Cancel; }},
  };
  for (const Case& c : cases) {
    AnswerNextModal(c.answer);
    EXPECT_TRUE(c.ask()) << c.what;
  }
}

TEST(RavenelInterface, MessagesCarryTheirTextAndIcon) {
  TRavenelInterface ui;
  std::string shown;
  bool error_icon = false;
  AnswerNextModal([&](QWidget* w) {
    auto* d = static_cast<TfrmUI*>(w);
    shown = d->lblDisplayText->text().toStdString();
    error_icon = !d->imgError->isHidden();
    d->btnFirst->click();
  });
  ui.ShowError("First line\rsecond line");
  EXPECT_EQ(shown, "First line\nsecond line");
  EXPECT_TRUE(error_icon);
}

}  // namespace
