#include "display/display_grid_view.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include "display/grid_images.h"
#include "forms/theme.h"

namespace {

// Draws a cell as the standard delegate does, then its image.
class TGridCellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem plain(option);
    plain.state &= ~(QStyle::State_HasFocus | QStyle::State_Selected | QStyle::State_MouseOver);
    QStyledItemDelegate::paint(painter, plain, index);
    const QPixmap image = GridImage(index.data(TDisplayGridModel::ImageRole).toInt());
    if (image.isNull()) return;
    const auto alignment =
        static_cast<Qt::Alignment>(index.data(TDisplayGridModel::ImageAlignmentRole).toInt());
    const QRect area = option.rect.adjusted(2, 1, -2, -1);
    const QRect placed = QStyle::alignedRect(Qt::LeftToRight, alignment, image.size(), area);
    painter->drawPixmap(placed.topLeft(), image);
  }
};

void Configure(QTableView* view, QAbstractItemModel* model, QAbstractItemDelegate* delegate) {
  view->setModel(model);
  view->setItemDelegate(delegate);
  view->horizontalHeader()->hide();
  view->verticalHeader()->hide();
  view->horizontalHeader()->setMinimumSectionSize(0);
  view->verticalHeader()->setMinimumSectionSize(0);
  view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view->verticalHeader()->setDefaultSectionSize(TDisplayGrid::kDefaultRowHeight);
  view->horizontalHeader()->setDefaultSectionSize(TDisplayGrid::kDefaultColWidth);
  view->setSelectionMode(QAbstractItemView::NoSelection);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setFocusPolicy(Qt::NoFocus);
  view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  view->setFrameShape(QFrame::NoFrame);
  view->setMouseTracking(false);
}

}  // namespace

TDisplayGridView::TDisplayGridView(TDisplayGrid& grid, QWidget* parent)
    : QTableView(parent), model_(std::make_unique<TDisplayGridModel>(grid)) {
  auto* delegate = new TGridCellDelegate(this);
  Configure(this, model_.get(), delegate);
  setFocusPolicy(Qt::StrongFocus);
  setFrameShape(QFrame::NoFrame);
  left_ = new QTableView(this);
  top_ = new QTableView(this);
  corner_ = new QTableView(this);
  for (QTableView* overlay : {left_, top_, corner_}) {
    Configure(overlay, model_.get(), delegate);
    overlay->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    overlay->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    overlay->viewport()->installEventFilter(this);
  }
  viewport()->installEventFilter(this);

  connect(horizontalScrollBar(), &QScrollBar::valueChanged, top_->horizontalScrollBar(),
          &QScrollBar::setValue);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, left_->verticalScrollBar(),
          &QScrollBar::setValue);
  connect(model_.get(), &TDisplayGridModel::GridReset, this, [this] { ApplyGrid(); });
  ApplyGrid();
}

TDisplayGridView::~TDisplayGridView() {
  // The views go before the model they show.
  for (QTableView* view : {left_, top_, corner_}) view->setModel(nullptr);
  setModel(nullptr);
}

void TDisplayGridView::ApplyGrid() {
  const TDisplayGrid& grid = Grid();
  const int fixed_cols = std::min(grid.FixedCols(), grid.ColCount());
  const int fixed_rows = std::min(grid.FixedRows(), grid.RowCount());
  const QString style =
      QString("QTableView { gridline-color: %1; }").arg(ToQColor(grid.GridLineColor).name());
  fixed_width_ = 0;
  fixed_height_ = 0;
  for (QTableView* view : {static_cast<QTableView*>(this), left_, top_, corner_}) {
    view->setStyleSheet(style);
    view->setWordWrap(grid.Multilinecells);
    // The data view shows every line; the fixed lines slide under the overlays, which show
    // the fixed lines alone.
    const bool only_fixed_cols = view == left_ || view == corner_;
    const bool only_fixed_rows = view == top_ || view == corner_;
    for (int c = 0; c < grid.ColCount(); ++c) {
      view->setColumnWidth(c, grid.ColWidth(c));
      view->setColumnHidden(c, only_fixed_cols && c >= fixed_cols);
    }
    for (int r = 0; r < grid.RowCount(); ++r) {
      if (view->rowHeight(r) != grid.RowHeight(r)) view->setRowHeight(r, grid.RowHeight(r));
      view->setRowHidden(r, only_fixed_rows && r >= fixed_rows);
    }
  }
  for (int c = 0; c < fixed_cols; ++c) fixed_width_ += grid.ColWidth(c);
  for (int r = 0; r < fixed_rows; ++r) fixed_height_ += grid.RowHeight(r);
  PlaceOverlays();
}

void TDisplayGridView::updateGeometries() {
  QTableView::updateGeometries();
  if (left_) PlaceOverlays();
}

void TDisplayGridView::PlaceOverlays() {
  const QRect area = viewport()->geometry();  // in this widget's coordinates
  corner_->setGeometry(area.left(), area.top(), fixed_width_, fixed_height_);
  top_->setGeometry(area.left(), area.top(), area.width(), fixed_height_);
  left_->setGeometry(area.left(), area.top(), fixed_width_, area.height());
  corner_->raise();
  corner_->setVisible(fixed_width_ > 0 && fixed_height_ > 0);
  top_->setVisible(fixed_height_ > 0);
  left_->setVisible(fixed_width_ > 0);
  top_->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
  left_->verticalScrollBar()->setValue(verticalScrollBar()->value());
}

void TDisplayGridView::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  PlaceOverlays();
}

const QTableView* TDisplayGridView::ViewAt(const QPoint& point, QPoint* local) const {
  for (const QTableView* view : {corner_, top_, left_}) {
    if (view->isVisible() && view->geometry().contains(point)) {
      *local = view->viewport()->mapFrom(this, point);
      return view;
    }
  }
  if (viewport()->geometry().contains(point)) {
    *local = viewport()->mapFrom(this, point);
    return this;
  }
  return nullptr;
}

QPoint TDisplayGridView::CellAt(const QPoint& point) const {
  QPoint local;
  const QTableView* view = ViewAt(point, &local);
  const QModelIndex index = view ? view->indexAt(local) : QModelIndex();
  return index.isValid() ? QPoint(index.column(), index.row()) : QPoint(-1, -1);
}

QRect TDisplayGridView::CellRect(int col, int row) const {
  const TDisplayGrid& grid = Grid();
  const bool fixed_col = col < grid.FixedCols();
  const bool fixed_row = row < grid.FixedRows();
  const QTableView* view = fixed_col && fixed_row ? corner_
                           : fixed_col            ? left_
                           : fixed_row            ? top_
                                                  : static_cast<const QTableView*>(this);
  const QRect rect = view->visualRect(model_->index(row, col));
  return QRect(view->viewport()->mapTo(this, rect.topLeft()), rect.size());
}

void TDisplayGridView::SetCurrentCell(int col, int row) {
  if (col == current_col_ && row == current_row_) return;
  current_col_ = col;
  current_row_ = row;
  emit CurrentCellChanged(col, row);
}

bool TDisplayGridView::eventFilter(QObject* watched, QEvent* event) {
  auto* target = qobject_cast<QWidget*>(watched);
  if (!target) return QTableView::eventFilter(watched, event);
  const auto type = event->type();
  if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
      type == QEvent::MouseButtonDblClick) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint cell = CellAt(target->mapTo(this, mouse->position().toPoint()));
    if (type == QEvent::MouseButtonPress) {
      if (mouse->button() == Qt::LeftButton && cell.x() >= 0) SetCurrentCell(cell.x(), cell.y());
      emit CellPressed(cell.x(), cell.y(), mouse->button(), mouse->globalPosition().toPoint());
      if (mouse->button() == Qt::RightButton)
        emit CellRightClicked(cell.x(), cell.y(), mouse->globalPosition().toPoint());
    } else if (type == QEvent::MouseButtonRelease) {
      emit CellReleased(cell.x(), cell.y(), mouse->button());
      if (mouse->button() == Qt::LeftButton && cell.x() >= 0) {
        // A click on a column's header cell selects or unselects that column alone.
        TDisplayGrid& grid = Grid();
        if (cell.y() < grid.FixedRows() && cell.x() >= grid.FixedCols())
          grid.SetColSelected(cell.x(), !grid.IsColSelected(cell.x()));
        emit CellClicked(cell.x(), cell.y());
      }
    } else if (mouse->button() == Qt::LeftButton) {
      emit CellDoubleClicked(cell.x(), cell.y());
    }
    return true;
  }
  return QTableView::eventFilter(watched, event);
}
