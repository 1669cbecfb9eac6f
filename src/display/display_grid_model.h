#pragma once

#include <QAbstractTableModel>
#include <QFont>

#include "display/display_grid.h"

// Presents a TDisplayGrid to Qt's item views: texts, colours, fonts, alignment and images per
// cell, and the selected columns in the grid's selection colour.
class TDisplayGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  // The role under which a cell's image index (a TGridImage, or -1) is given.
  static constexpr int ImageRole = Qt::UserRole + 1;
  static constexpr int ImageAlignmentRole = Qt::UserRole + 2;

  explicit TDisplayGridModel(TDisplayGrid& grid, QObject* parent = nullptr);
  ~TDisplayGridModel() override;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  TDisplayGrid& Grid() const { return grid_; }
  // The font a cell is drawn with.
  QFont CellFont(const TGridCell& cell) const;
  // The default look of cells that set none: the fixed lines and the data area.
  void SetDefaultFont(const QFont& font) { default_font_ = font; }

 signals:
  // The grid's content or shape changed; views re-read sizes.
  void GridReset();

 private:
  void Reset();

  TDisplayGrid& grid_;
  QFont default_font_;
};
