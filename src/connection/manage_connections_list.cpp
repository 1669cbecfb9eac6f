#include "connection/manage_connections_list.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "config/olap_connection_list.h"
#include "config/ravenel_config.h"
#include "config/user_interface.h"
#include "connection/manage_connection_editor.h"
#include "forms/help_viewer.h"
#include "forms/ui_dialog.h"

TfrmManageConnectionsList::TfrmManageConnectionsList(TOLAPConnectionList& list, bool http_list,
                                                     QWidget* parent)
    : TContentForm(parent), list_(list), http_list_(http_list) {
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowTitle("Manage Your Connections");
  resize(520, 360);

  auto* help = new QPushButton(this);
  help->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
  help->setFlat(true);
  auto* help_label = new QLabel("<a href=\"help\">Help</a>", this);
  connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic("connect_as.htm"); });
  connect(help_label, &QLabel::linkActivated, this, [] { ShowHelpTopic("connect_as.htm"); });
  auto* texts = new QVBoxLayout;
  texts->addWidget(new QLabel("To setup a connection click the add button below.", this));
  texts->addWidget(new QLabel(
      "Note: For detailed instructions on connecting to cubes please click the help icon to the "
      "right.", this));
  auto* top = new QHBoxLayout;
  top->addLayout(texts, 1);
  top->addWidget(help);
  top->addWidget(help_label);

  gridCurrentConnections = new QTableWidget(0, 3, this);
  gridCurrentConnections->setObjectName("gridCurrentConnections");
  gridCurrentConnections->setSelectionBehavior(QAbstractItemView::SelectRows);
  gridCurrentConnections->setSelectionMode(QAbstractItemView::SingleSelection);
  gridCurrentConnections->setEditTriggers(QAbstractItemView::NoEditTriggers);
  gridCurrentConnections->verticalHeader()->hide();
  gridCurrentConnections->setHorizontalHeaderLabels({"Name", "Host", "Port"});

  btnAdd = new QPushButton("&Add", this);
  btnEdit = new QPushButton("&Edit", this);
  btnDelete = new QPushButton("&Delete", this);
  btnClose = new QPushButton("&Close", this);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {btnAdd, btnEdit, btnDelete}) buttons->addWidget(b);
  buttons->addStretch();
  buttons->addWidget(btnClose);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(gridCurrentConnections, 1);
  layout->addLayout(buttons);

  connect(btnAdd, &QPushButton::clicked, this, [this] { btnAddClick(); });
  connect(btnEdit, &QPushButton::clicked, this, [this] { btnEditClick(); });
  connect(gridCurrentConnections, &QTableWidget::cellDoubleClicked, this,
          [this] { btnEditClick(); });
  connect(btnDelete, &QPushButton::clicked, this, [this] { btnDeleteClick(); });
  connect(btnClose, &QPushButton::clicked, this, [this] { done(mrOk); });
  FillGrid();
}

bool TfrmManageConnectionsList::ApplyTheme(const TTheme* theme) {
  if (!TContentForm::ApplyTheme(theme)) return false;
  if (theme)
    for (QLabel* label : findChildren<QLabel*>()) PaintText(label, theme->FontColor);
  return true;
}

void TfrmManageConnectionsList::showEvent(QShowEvent* event) {
  FillGrid();
  SizeColumns(10);
  TContentForm::showEvent(event);
}

void TfrmManageConnectionsList::resizeEvent(QResizeEvent* event) {
  TContentForm::resizeEvent(event);
  SizeColumns(2);
}

void TfrmManageConnectionsList::reject() { done(mrOk); }

void TfrmManageConnectionsList::SizeColumns(int less) {
  const int third = gridCurrentConnections->viewport()->width() / 3 - less;
  for (int c = 0; c < 3; ++c) gridCurrentConnections->setColumnWidth(c, std::max(third, 20));
}

void TfrmManageConnectionsList::FillGrid() {
  // With no entries there is nothing to head: the grid shows no rows at all.
  gridCurrentConnections->horizontalHeader()->setVisible(list_.Count() > 0);
  gridCurrentConnections->setRowCount(list_.Count());
  for (int i = 0; i < list_.Count(); ++i) {
    const TOLAPConnection& entry = *list_.Item(i);
    const QString port = entry.Port == -1 ? "Default" : QString::number(entry.Port);
    const QString cells[] = {QString::fromStdString(entry.Name),
                             QString::fromStdString(entry.Host), port};
    for (int c = 0; c < 3; ++c)
      gridCurrentConnections->setItem(i, c, new QTableWidgetItem(cells[c]));
  }
}

int TfrmManageConnectionsList::SelectedIndex() const {
  const int row = gridCurrentConnections->currentRow();
  return row >= 0 && row < list_.Count() ? row : -1;
}

void TfrmManageConnectionsList::btnAddClick() {
  TfrmManageConnectionsAEVScreen editor(list_, http_list_, -1, this);
  editor.ApplyTheme(Theme());
  editor.exec();
  FillGrid();
}

void TfrmManageConnectionsList::btnEditClick() {
  const int index = SelectedIndex();
  if (index < 0) {
    if (gUserInterface) gUserInterface->ShowError("Please select a connection to edit before editing.");
    return;
  }
  TfrmManageConnectionsAEVScreen editor(list_, http_list_, index, this);
  editor.ApplyTheme(Theme());
  if (editor.exec() == mrOk) list_.Item(index)->Modified = true;
  FillGrid();
}

void TfrmManageConnectionsList::btnDeleteClick() {
  const int index = SelectedIndex();
  if (index < 0) {
    if (gUserInterface) gUserInterface->ShowError("Please select the connection you wish to delete.");
    return;
  }
  if (!gUserInterface ||
      !gUserInterface->ConfirmYesNo("Are you sure that you wish to delete the connection: " +
                                    list_.Item(index)->Name))
    return;
  list_.Extract(index);
  if (gConfig) gConfig->Save();
  FillGrid();
}
