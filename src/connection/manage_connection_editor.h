#pragma once

#include <QLineEdit>
#include <QRadioButton>

#include "forms/content_form.h"

class TOLAPConnectionList;

// Adds an entry to a saved connection list, or edits one, and writes the list's file.
class TfrmManageConnectionsAEVScreen : public TContentForm {
  Q_OBJECT
 public:
  // edit_index -1 adds a new entry.
  TfrmManageConnectionsAEVScreen(TOLAPConnectionList& list, bool http_list, int edit_index,
                                 QWidget* parent = nullptr);
  bool ApplyTheme(const TTheme* theme) override;

  QLineEdit* editName;
  QLineEdit* editHost;
  QLineEdit* editPort;
  QRadioButton* rbConnectionType2000;
  QRadioButton* rbConnectionTypeSQL2005;
  QRadioButton* rbConnectionTypeDefault;
  QPushButton* btnOK;
  QPushButton* btnCancel;

 protected:
  void reject() override;

 private:
  void btnOKClick();

  TOLAPConnectionList& list_;
  bool http_list_;
  int edit_index_;
};
