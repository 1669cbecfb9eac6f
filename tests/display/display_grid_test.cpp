#include "display/display_grid.h"

#include <gtest/gtest.h>

namespace {

TEST(DisplayGrid, ResizingKeepsCellsAndOutsideCoordinatesAreHarmless) {
  TDisplayGrid grid;
  grid.SetColCount(2);
  grid.SetRowCount(2);
  grid.SetText(1, 1, "kept");
  grid.SetColCount(4);
  grid.SetRowCount(3);
  EXPECT_EQ(grid.Text(1, 1), "kept");
  EXPECT_EQ(grid.Text(3, 2), "");
  grid.SetText(9, 9, "ignored");
  grid.SetText(-1, 0, "ignored");
  EXPECT_EQ(grid.Text(9, 9), "");
  EXPECT_EQ(grid.MutableCell(4, 0), nullptr);
  EXPECT_EQ(grid.ColWidth(7), 0);
  grid.SetColCount(1);
  EXPECT_EQ(grid.Text(1, 1), "");
}

TEST(DisplayGrid, ClearAllEmptiesTextAndLookButKeepsSizes) {
  TDisplayGrid grid;
  TGridCell* cell = grid.MutableCell(0, 0);
  cell->Text = "x";
  cell->Color = RGBColor(1, 2, 3);
  cell->Image = giDownArrow;
  grid.SetColWidth(0, 99);
  grid.ClearAll();
  EXPECT_EQ(grid.Text(0, 0), "");
  EXPECT_FALSE(grid.Cell(0, 0).Color.has_value());
  EXPECT_EQ(grid.Cell(0, 0).Image, -1);
  EXPECT_EQ(grid.ColWidth(0), 99);
}

TEST(DisplayGrid, SelectsSingleColumnsAndReportsChangesOnce) {
  TDisplayGrid grid;
  int selection_changes = 0;
  int changes = 0;
  grid.SetOnSelectionChanged([&] { ++selection_changes; });
  grid.SetOnChanged([&] { ++changes; });
  grid.SetColSelected(1, true);
  grid.SetColSelected(3, true);
  grid.SetColSelected(3, true);
  EXPECT_EQ(grid.SelectedCols(), (std::set<int>{1, 3}));
  EXPECT_EQ(selection_changes, 2);
  grid.SetColCount(2);
  EXPECT_EQ(grid.SelectedCols(), (std::set<int>{1}));
  grid.ClearColSelect();
  EXPECT_TRUE(grid.SelectedCols().empty());

  changes = 0;
  grid.BeginUpdate();
  grid.SetText(0, 0, "a");
  grid.SetText(1, 1, "b");
  EXPECT_EQ(changes, 0);
  grid.EndUpdate();
  EXPECT_EQ(changes, 1);
}

TEST(DisplayGrid, AutoSizesColumnsToTheirWidestText) {
  TDisplayGrid grid;
  grid.SetTextMeasure([](const TGridCell& cell) { return static_cast<int>(cell.Text.size()) * 10; });
  grid.SetText(2, 0, "abc");
  grid.SetText(2, 3, "abcdefgh");
  grid.AutoSizeCol(2);
  EXPECT_EQ(grid.ColWidth(2), 88);
}

TEST(DisplayGrid, DumpsAReadablePicture) {
  TDisplayGrid grid;
  grid.SetColCount(3);
  grid.SetRowCount(3);
  grid.SetFixedCols(1);
  grid.SetFixedRows(1);
  grid.SetText(1, 0, "Q1");
  grid.SetText(2, 0, "Q2");
  grid.SetText(0, 1, "CA");
  grid.SetText(1, 1, "10");
  grid.SetText(2, 1, "20");
  grid.SetText(0, 2, "WA");
  grid.SetText(1, 2, "5");
  EXPECT_EQ(grid.DumpText(),
            "grid 3x3, fixed 1 cols 1 rows\n"
            "   | Q1   Q2\n"
            "------------\n"
            "CA | 10   20\n"
            "WA | 5\n");
}

}  // namespace
