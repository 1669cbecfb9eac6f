#pragma once

#include <QLabel>
#include <functional>

#include "forms/content_form.h"

// The page the grid area shows while no cube is open; its link opens a cube.
class TfrmMainNoCubeOpen : public TContentForm {
  Q_OBJECT
 public:
  explicit TfrmMainNoCubeOpen(QWidget* parent = nullptr);
  bool ApplyTheme(const TTheme* theme) override;

  std::function<void()> OnOpenCube;
  QLabel* lblOpenCube;
  QLabel* lblMessage;
};
