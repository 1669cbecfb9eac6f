#include "forms/content_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

namespace {

TEST(ContentForm, AppliesAThemeOnceAndPaintsThePanelColour) {
  TContentForm form;
  TTheme theme = StandardTheme();
  theme.PanelColor = RGBColor(10, 20, 30);
  EXPECT_TRUE(form.ApplyTheme(&theme));
  EXPECT_EQ(form.palette().color(QPalette::Window), QColor(10, 20, 30));
  EXPECT_FALSE(form.ApplyTheme(&theme)) << "the same theme again repaints nothing";
  EXPECT_EQ(form.Theme(), &theme);
}

TEST(ContentForm, EmbeddedFormsFillTheirParent) {
  QWidget panel;
  panel.resize(300, 200);
  auto* form = new TContentForm(&panel);
  form->ShowEmbedded();
  panel.show();
  EXPECT_FALSE(form->isWindow());
  EXPECT_EQ(form->pos(), QPoint(0, 0));
  panel.resize(500, 400);
  QApplication::processEvents();
  EXPECT_EQ(form->size(), panel.size());

  TContentForm alone;
  alone.ShowEmbedded();
  EXPECT_TRUE(alone.isWindow());
  EXPECT_TRUE(alone.isVisible());
}

TEST(ContentFormList, HoldsFormsInOrderWithoutOwningThem) {
  TContentFormList list;
  EXPECT_EQ(list.Count(), 0);
  TContentForm a, b;
  list.Add(&a);
  list.Add(&b);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Item(1), &b);
  EXPECT_EQ(list.Item(2), nullptr);
}

}  // namespace
