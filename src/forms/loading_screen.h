#pragma once

#include <QProgressBar>
#include <QWidget>

// The splash window shown while the program starts.
class TfrmLoadingScreen : public QWidget {
  Q_OBJECT
 public:
  TfrmLoadingScreen();
  void ResetProgress();
  void StepProgress();

  QProgressBar* pbStatus;
};
