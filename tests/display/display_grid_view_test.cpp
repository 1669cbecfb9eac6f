#include "display/display_grid_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>

namespace {

// A grid shaped as a rendered result: one column dimension over 30 columns, one row
// dimension over 200 rows.
void FillResult(TDisplayGrid& grid) {
  grid.BeginUpdate();
  grid.SetColCount(31);
  grid.SetRowCount(202);
  grid.SetFixedCols(1);
  grid.SetFixedRows(2);
  grid.SetText(1, 0, "Time     ");
  grid.MutableCell(1, 0)->Image = giDownArrow;
  for (int c = 1; c < 31; ++c) grid.SetText(c, 1, "Month " + std::to_string(c));
  grid.SetText(0, 1, "Store     ");
  for (int r = 2; r < 202; ++r) {
    grid.SetText(0, r, "  City " + std::to_string(r));
    for (int c = 1; c < 31; ++c) {
      TGridCell* cell = grid.MutableCell(c, r);
      cell->Text = std::to_string(c * r);
      cell->Alignment = TCellAlignment::Right;
    }
  }
  grid.EndUpdate();
}

TEST(DisplayGridView, FixedLinesStayWhileTheDataScrolls) {
  TDisplayGrid grid;
  TDisplayGridView view(grid);
  view.resize(500, 300);
  view.show();
  FillResult(grid);
  QApplication::processEvents();

  const QPoint header = view.CellRect(3, 1).center();
  const QPoint city = view.CellRect(0, 10).center();
  EXPECT_EQ(view.CellAt(header), QPoint(3, 1));
  EXPECT_EQ(view.CellAt(city), QPoint(0, 10));
  EXPECT_EQ(view.CellAt(QPoint(5, 5)), QPoint(0, 0));

  view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum());
  view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
  QApplication::processEvents();
  EXPECT_EQ(view.CellAt(QPoint(5, 5)), QPoint(0, 0)) << "the corner does not scroll";
  EXPECT_EQ(view.CellAt(QPoint(5, 200)).x(), 0) << "fixed columns stay at the left";
  EXPECT_GT(view.CellAt(QPoint(5, 200)).y(), 150) << "but scroll with the rows";
  EXPECT_EQ(view.CellAt(QPoint(400, 30)).y(), 1) << "fixed rows stay at the top";
  EXPECT_GT(view.CellAt(QPoint(400, 30)).x(), 20);
  EXPECT_EQ(view.CellAt(QPoint(-5, 5)), QPoint(-1, -1));
}

TEST(DisplayGridView, ClickingAColumnHeaderTogglesItsSelection) {
  TDisplayGrid grid;
  TDisplayGridView view(grid);
  view.resize(500, 300);
  view.show();
  FillResult(grid);
  QApplication::processEvents();
  int changes = 0;
  // The model forwards selection changes to the views; watch the grid too.
  QObject::connect(&view, &TDisplayGridView::CellClicked, [&](int, int) { ++changes; });
  auto click = [&](int col, int row) {
    QWidget* target = view.childAt(view.CellRect(col, row).center());
    ASSERT_NE(target, nullptr);
    const QPoint local = target->mapFrom(&view, view.CellRect(col, row).center());
    QMouseEvent press(QEvent::MouseButtonPress, local, target->mapToGlobal(local), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, local, target->mapToGlobal(local),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
  };
  click(2, 1);
  click(4, 1);
  EXPECT_EQ(grid.SelectedCols(), (std::set<int>{2, 4}));
  click(2, 1);
  click(3, 10);  // a data cell selects nothing
  EXPECT_EQ(grid.SelectedCols(), (std::set<int>{4}));
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(view.CurrentCol(), 3);
  EXPECT_EQ(view.CurrentRow(), 10);
  view.grab().save("/tmp/grid_view.png");
}

}  // namespace
