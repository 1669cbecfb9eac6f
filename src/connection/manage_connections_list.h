#pragma once

#include <QTableWidget>

#include "forms/content_form.h"

class TOLAPConnectionList;

// The saved connections of one list, with add, edit and delete. Works on the list it is
// given; does not own it.
class TfrmManageConnectionsList : public TContentForm {
  Q_OBJECT
 public:
  TfrmManageConnectionsList(TOLAPConnectionList& list, bool http_list, QWidget* parent = nullptr);
  bool ApplyTheme(const TTheme* theme) override;

  // The index of the entry of the current row; -1 when none.
  int SelectedIndex() const;

  QTableWidget* gridCurrentConnections;
  QPushButton* btnAdd;
  QPushButton* btnEdit;
  QPushButton* btnDelete;
  QPushButton* btnClose;

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void reject() override;

 private:
  void FillGrid();
  void SizeColumns(int less);
  void btnAddClick();
  void btnEditClick();
  void btnDeleteClick();

  TOLAPConnectionList& list_;
  bool http_list_;
};
