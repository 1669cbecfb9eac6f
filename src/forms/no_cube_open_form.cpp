#include "forms/no_cube_open_form.h"

#include <QVBoxLayout>

TfrmMainNoCubeOpen::TfrmMainNoCubeOpen(QWidget* parent) : TContentForm(parent) {
  lblMessage = new QLabel(tr("No cube is open."), this);
  lblMessage->setObjectName("lblMessage");
  lblMessage->setAlignment(Qt::AlignCenter);
  QFont font = lblMessage->font();
  font.setPointSize(font.pointSize() + 4);
  lblMessage->setFont(font);

  lblOpenCube = new QLabel("<a href=\"open\">" + tr("Open a cube ...") + "</a>", this);
  lblOpenCube->setObjectName("lblOpenCube");
  lblOpenCube->setAlignment(Qt::AlignCenter);
  connect(lblOpenCube, &QLabel::linkActivated, this, [this] {
    if (OnOpenCube) OnOpenCube();
  });

  auto* layout = new QVBoxLayout(this);
  layout->addStretch();
  layout->addWidget(lblMessage);
  layout->addWidget(lblOpenCube);
  layout->addStretch();
}

bool TfrmMainNoCubeOpen::ApplyTheme(const TTheme* theme) {
  if (!TContentForm::ApplyTheme(theme)) return false;
  if (theme) PaintText(lblMessage, theme->FontColor);
  return true;
}
