#include "forms/loading_screen.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "forms/brand_artwork.h"

namespace {
constexpr int kWidth = 415;
constexpr int kHeight = 360;
}  // namespace

TfrmLoadingScreen::TfrmLoadingScreen()
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::SplashScreen) {
  setFixedSize(kWidth, kHeight);
  auto* image = new QLabel(this);
  image->setGeometry(0, 0, kWidth, kHeight);
  image->setPixmap(BrandPicture(kWidth, kHeight, tr("OLAP cube browser - loading ...")));
  pbStatus = new QProgressBar(this);
  pbStatus->setObjectName("pbStatus");
  pbStatus->setRange(0, 20);
  pbStatus->setTextVisible(false);
  pbStatus->setGeometry(24, kHeight - 30, kWidth - 48, 10);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

void TfrmLoadingScreen::ResetProgress() { pbStatus->setValue(0); }

void TfrmLoadingScreen::StepProgress() { pbStatus->setValue(pbStatus->value() + 1); }
