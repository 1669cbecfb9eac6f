#include "display/display_grid_model.h"

#include <QColor>
#include <QFontMetrics>

#include "forms/theme.h"

namespace {
const QColor kFixedColor(0xC0, 0xC0, 0xC0);  // silver
const QColor kDataColor(Qt::white);
}  // namespace

TDisplayGridModel::TDisplayGridModel(TDisplayGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), default_font_("DejaVu Sans", 9) {
  grid_.SetOnChanged([this] { Reset(); });
  grid_.SetOnSelectionChanged([this] {
    if (rowCount() > 0 && columnCount() > 0)
      emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                       {Qt::BackgroundRole});
  });
  grid_.SetTextMeasure([this](const TGridCell& cell) {
    const QFontMetrics metrics(CellFont(cell));
    int widest = 0;
    for (const QString& line : QString::fromStdString(cell.Text).split('\n'))
      widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
  });
}

TDisplayGridModel::~TDisplayGridModel() {
  grid_.SetOnChanged(nullptr);
  grid_.SetOnSelectionChanged(nullptr);
  grid_.SetTextMeasure(nullptr);
}

void TDisplayGridModel::Reset() {
  beginResetModel();
  endResetModel();
  emit GridReset();
}

int TDisplayGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : grid_.RowCount();
}

int TDisplayGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : grid_.ColCount();
}

QFont TDisplayGridModel::CellFont(const TGridCell& cell) const {
  QFont font = default_font_;
  if (!cell.FontName.empty()) font.setFamily(QString::fromStdString(cell.FontName));
  if (cell.FontSize > 0) font.setPointSize(cell.FontSize);
  font.setBold(cell.FontBold);
  return font;
}

QVariant TDisplayGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int col = index.column();
  const int row = index.row();
  const TGridCell& cell = grid_.Cell(col, row);
  const bool fixed = col < grid_.FixedCols() || row < grid_.FixedRows();
  switch (role) {
    case Qt::DisplayRole:
      return QString::fromStdString(cell.Text);
    case Qt::BackgroundRole:
      if (!fixed && grid_.IsColSelected(col)) return ToQColor(grid_.SelectionColor);
      if (cell.Color) return ToQColor(*cell.Color);
      return fixed ? kFixedColor : kDataColor;
    case Qt::ForegroundRole:
      return cell.FontColor ? ToQColor(*cell.FontColor) : QColor(Qt::black);
    case Qt::FontRole:
      return CellFont(cell);
    case Qt::TextAlignmentRole: {
      const Qt::Alignment horizontal = cell.Alignment == TCellAlignment::Right    ? Qt::AlignRight
                                       : cell.Alignment == TCellAlignment::Center ? Qt::AlignHCenter
                                                                                  : Qt::AlignLeft;
      return static_cast<int>(horizontal | Qt::AlignVCenter);
    }
    case ImageRole:
      return cell.Image;
    case ImageAlignmentRole: {
      const Qt::Alignment h = cell.ImageHAlign == TImageHAlign::Left     ? Qt::AlignLeft
                              : cell.ImageHAlign == TImageHAlign::Center ? Qt::AlignHCenter
                                                                         : Qt::AlignRight;
      const Qt::Alignment v = cell.ImageVAlign == TImageVAlign::Top      ? Qt::AlignTop
                              : cell.ImageVAlign == TImageVAlign::Bottom ? Qt::AlignBottom
                                                                         : Qt::AlignVCenter;
      return static_cast<int>(h | v);
    }
    default:
      return {};
  }
}
