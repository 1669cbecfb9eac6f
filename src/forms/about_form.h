#pragma once

#include <QLabel>

#include "forms/content_form.h"

// The About window.
class TfrmAbout : public TContentForm {
  Q_OBJECT
 public:
  explicit TfrmAbout(QWidget* parent = nullptr);

  QLabel* imgBackground;
  QLabel* lblVersion;
  QLabel* lblClose;
  QLabel* lblWebsite;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// The address the About window and the toolbar open as the program's home page: the help
// pages shipped with the program, as no public site exists.
QString HomePageUrl();
