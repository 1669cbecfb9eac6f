#pragma once

#include <QTableView>
#include <array>
#include <memory>

#include "display/display_grid.h"
#include "display/display_grid_model.h"

// Shows a TDisplayGrid: its fixed rows and columns stay in place while the data area
// scrolls, every cell in the look the renderer gave it. Cells are addressed as the grid
// addresses them (column, row); -1 means no cell.
class TDisplayGridView : public QTableView {
  Q_OBJECT
 public:
  explicit TDisplayGridView(TDisplayGrid& grid, QWidget* parent = nullptr);
  ~TDisplayGridView() override;

  TDisplayGrid& Grid() const { return model_->Grid(); }
  // The cell under a point of this widget; (-1, -1) outside the cells.
  QPoint CellAt(const QPoint& point) const;
  // The rectangle of a cell in this widget's coordinates, as it is drawn now.
  QRect CellRect(int col, int row) const;
  int CurrentCol() const { return current_col_; }
  int CurrentRow() const { return current_row_; }
  void SetCurrentCell(int col, int row);
  // Whether the user is sizing or moving lines; a drag neither starts nor lands then.
  bool IsMoveInProgress() const { return false; }

 signals:
  void CellClicked(int col, int row);
  void CellDoubleClicked(int col, int row);
  void CellRightClicked(int col, int row, const QPoint& global_position);
  void CellPressed(int col, int row, Qt::MouseButton button, const QPoint& global_position);
  void CellReleased(int col, int row, Qt::MouseButton button);
  void CurrentCellChanged(int col, int row);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void updateGeometries() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ApplyGrid();
  void PlaceOverlays();
  // The view and its viewport for a point, with the point in that viewport's coordinates.
  const QTableView* ViewAt(const QPoint& point, QPoint* local) const;

  std::unique_ptr<TDisplayGridModel> model_;
  // Overlays for the fixed lines: columns at the left, rows at the top, and their corner.
  QTableView* left_ = nullptr;
  QTableView* top_ = nullptr;
  QTableView* corner_ = nullptr;
  int fixed_width_ = 0;
  int fixed_height_ = 0;
  int current_col_ = -1;
  int current_row_ = -1;
};
