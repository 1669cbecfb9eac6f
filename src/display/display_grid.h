#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "config/display_theme.h"

enum class TCellAlignment { Left, Right, Center };
enum class TImageHAlign { Left, Right, Center };
enum class TImageVAlign { Top, Bottom, Center };

// Images the grid can show in a cell, by index.
enum TGridImage { giPlusBox = 0, giMinusBox = 1, giDownArrow = 2, giPivotArrow = 3 };

// What one cell of the result grid shows. Unset colours and fonts take the grid's defaults.
struct TGridCell {
  std::string Text;
  std::optional<TColor> Color;
  std::string FontName;
  std::optional<TColor> FontColor;
  int FontSize = 0;  // 0: the default size
  bool FontBold = false;
  TCellAlignment Alignment = TCellAlignment::Left;
  int Image = -1;  // a TGridImage, or -1 for none
  TImageHAlign ImageHAlign = TImageHAlign::Right;
  TImageVAlign ImageVAlign = TImageVAlign::Center;
};

// The result grid as data: cells with their text and look, fixed rows and columns, line
// sizes and the set of selected columns. A view shows it; the renderer and the calculated
// columns fill it. Nothing here draws.
class TDisplayGrid {
 public:
  static constexpr int kDefaultColWidth = 100;
  static constexpr int kDefaultRowHeight = 21;

  TDisplayGrid();

  int ColCount() const { return col_count_; }
  int RowCount() const { return row_count_; }
  // Growing keeps every cell; shrinking drops the cells beyond the new size.
  void SetColCount(int count);
  void SetRowCount(int count);
  int FixedRows() const { return fixed_rows_; }
  int FixedCols() const { return fixed_cols_; }
  void SetFixedRows(int count) { fixed_rows_ = count; Changed(); }
  void SetFixedCols(int count) { fixed_cols_ = count; Changed(); }
  bool FixedRowAlways = true;
  bool FixedColAlways = true;
  bool Multilinecells = false;

  // Cells outside the grid read as an empty cell; writes outside it are ignored.
  const TGridCell& Cell(int col, int row) const;
  TGridCell* MutableCell(int col, int row);
  const std::string& Text(int col, int row) const { return Cell(col, row).Text; }
  void SetText(int col, int row, const std::string& text);
  // Empties the text and look of every cell; sizes and counts stay.
  void ClearAll();

  int ColWidth(int col) const;
  int RowHeight(int row) const;
  void SetColWidth(int col, int width);
  void SetRowHeight(int row, int height);
  // Sizes a column to its widest text, measured by the installed text measure.
  void AutoSizeCol(int col);

  // Measures a cell's text in pixels; the view installs one that knows its fonts. Without
  // one, texts are measured by a fixed width per character.
  using TTextMeasure = std::function<int(const TGridCell& cell)>;
  void SetTextMeasure(TTextMeasure measure) { measure_ = std::move(measure); }

  TColor SelectionColor = RGBColor(0xC5, 0xDA, 0xF5);
  TColor GridLineColor = RGBColor(0xC0, 0xC0, 0xC0);

  // Single columns can be selected, several at once.
  bool IsColSelected(int col) const { return selected_cols_.contains(col); }
  void SetColSelected(int col, bool selected);
  void ClearColSelect();
  const std::set<int>& SelectedCols() const { return selected_cols_; }

  // Change notification for the view. Between BeginUpdate and EndUpdate changes are
  // gathered and reported once.
  void SetOnChanged(std::function<void()> on_changed) { on_changed_ = std::move(on_changed); }
  void SetOnSelectionChanged(std::function<void()> on_selection_changed) {
    on_selection_changed_ = std::move(on_selection_changed);
  }
  void BeginUpdate() { ++updating_; }
  void EndUpdate();

  // A readable text picture of the grid: one line per row with its cells' texts, fixed
  // rows and columns marked, for tests and for diagnosing a user's report.
  std::string DumpText() const;

 private:
  void Changed();

  int col_count_ = 5;
  int row_count_ = 5;
  int fixed_rows_ = 1;
  int fixed_cols_ = 1;
  std::vector<std::vector<TGridCell>> cells_;  // [col][row]
  std::vector<int> col_widths_;
  std::vector<int> row_heights_;
  std::set<int> selected_cols_;
  TTextMeasure measure_;
  std::function<void()> on_changed_;
  std::function<void()> on_selection_changed_;
  int updating_ = 0;
  bool pending_change_ = false;
};
