#include "display/display_grid.h"

#include <algorithm>

namespace {

const TGridCell kEmptyCell{};
constexpr int kCellPadding = 8;
constexpr int kFallbackCharWidth = 7;

}  // namespace

TDisplayGrid::TDisplayGrid() {
  cells_.assign(static_cast<size_t>(col_count_), std::vector<TGridCell>(static_cast<size_t>(row_count_)));
  col_widths_.assign(static_cast<size_t>(col_count_), kDefaultColWidth);
  row_heights_.assign(static_cast<size_t>(row_count_), kDefaultRowHeight);
}

void TDisplayGrid::SetColCount(int count) {
  count = std::max(count, 0);
  col_count_ = count;
  cells_.resize(static_cast<size_t>(count), std::vector<TGridCell>(static_cast<size_t>(row_count_)));
  col_widths_.resize(static_cast<size_t>(count), kDefaultColWidth);
  std::erase_if(selected_cols_, [count](int col) { return col >= count; });
  Changed();
}

void TDisplayGrid::SetRowCount(int count) {
  count = std::max(count, 0);
  row_count_ = count;
  for (auto& column : cells_) column.resize(static_cast<size_t>(count));
  row_heights_.resize(static_cast<size_t>(count), kDefaultRowHeight);
  Changed();
}

const TGridCell& TDisplayGrid::Cell(int col, int row) const {
  if (col < 0 || row < 0 || col >= col_count_ || row >= row_count_) return kEmptyCell;
  return cells_[static_cast<size_t>(col)][static_cast<size_t>(row)];
}

TGridCell* TDisplayGrid::MutableCell(int col, int row) {
  if (col < 0 || row < 0 || col >= col_count_ || row >= row_count_) return nullptr;
  Changed();
  return &cells_[static_cast<size_t>(col)][static_cast<size_t>(row)];
}

void TDisplayGrid::SetText(int col, int row, const std::string& text) {
  if (TGridCell* cell = MutableCell(col, row)) cell->Text = text;
}

void TDisplayGrid::ClearAll() {
  for (auto& column : cells_)
    for (TGridCell& cell : column) cell = TGridCell{};
  Changed();
}

int TDisplayGrid::ColWidth(int col) const {
  return col >= 0 && col < col_count_ ? col_widths_[static_cast<size_t>(col)] : 0;
}

int TDisplayGrid::RowHeight(int row) const {
  return row >= 0 && row < row_count_ ? row_heights_[static_cast<size_t>(row)] : 0;
}

void TDisplayGrid::SetColWidth(int col, int width) {
  if (col < 0 || col >= col_count_) return;
  col_widths_[static_cast<size_t>(col)] = std::max(width, 0);
  Changed();
}

void TDisplayGrid::SetRowHeight(int row, int height) {
  if (row < 0 || row >= row_count_) return;
  row_heights_[static_cast<size_t>(row)] = std::max(height, 0);
  Changed();
}

void TDisplayGrid::AutoSizeCol(int col) {
  if (col < 0 || col >= col_count_) return;
  int widest = 0;
  for (int row = 0; row < row_count_; ++row) {
    const TGridCell& cell = Cell(col, row);
    int width = measure_ ? measure_(cell)
                         : static_cast<int>(cell.Text.size()) * kFallbackCharWidth;
    if (cell.Image >= 0) width += 18;
    widest = std::max(widest, width);
  }
  SetColWidth(col, std::max(widest + kCellPadding, 20));
}

void TDisplayGrid::SetColSelected(int col, bool selected) {
  if (col < 0 || col >= col_count_ || IsColSelected(col) == selected) return;
  if (selected)
    selected_cols_.insert(col);
  else
    selected_cols_.erase(col);
  if (on_selection_changed_) on_selection_changed_();
}

void TDisplayGrid::ClearColSelect() {
  if (selected_cols_.empty()) return;
  selected_cols_.clear();
  if (on_selection_changed_) on_selection_changed_();
}

void TDisplayGrid::Changed() {
  if (updating_ > 0) {
    pending_change_ = true;
    return;
  }
  if (on_changed_) on_changed_();
}

void TDisplayGrid::EndUpdate() {
  if (updating_ > 0) --updating_;
  if (updating_ == 0 && pending_change_) {
    pending_change_ = false;
    if (on_changed_) on_changed_();
  }
}

std::string TDisplayGrid::DumpText() const {
  // Columns padded to their widest text; fixed cells separated from data by "|" and "-".
  std::vector<size_t> widths(static_cast<size_t>(col_count_), 0);
  for (int c = 0; c < col_count_; ++c)
    for (int r = 0; r < row_count_; ++r)
      widths[static_cast<size_t>(c)] = std::max(widths[static_cast<size_t>(c)], Text(c, r).size());
  std::string out = "grid " + std::to_string(col_count_) + "x" + std::to_string(row_count_) +
                    ", fixed " + std::to_string(fixed_cols_) + " cols " +
                    std::to_string(fixed_rows_) + " rows\n";
  for (int r = 0; r < row_count_; ++r) {
    if (r == fixed_rows_ && r > 0) {
      size_t rule = 3 * static_cast<size_t>(col_count_ - 1);
      for (const size_t width : widths) rule += width;
      out += std::string(rule, '-') + "\n";
    }
    for (int c = 0; c < col_count_; ++c) {
      const std::string& text = Text(c, r);
      out += (c == fixed_cols_ && c > 0) ? " | " : (c == 0 ? "" : "   ");
      out += text + std::string(widths[static_cast<size_t>(c)] - text.size(), ' ');
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    out += "\n";
  }
  return out;
}
