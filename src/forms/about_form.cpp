#include "forms/about_form.h"

#include <QDesktopServices>
#include <QEvent>
#include <QUrl>

#include "config/app_path.h"
#include "forms/brand_artwork.h"

namespace {
constexpr int kWidth = 414;
constexpr int kHeight = 363;
}  // namespace

QString HomePageUrl() {
  return QUrl::fromLocalFile(QString::fromStdString(GetAppPath() + "help/introduction.htm"))
      .toString();
}

TfrmAbout::TfrmAbout(QWidget* parent) : TContentForm(parent) {
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  setFixedSize(kWidth, kHeight);

  imgBackground = new QLabel(this);
  imgBackground->setGeometry(0, 0, kWidth, kHeight);
  imgBackground->setPixmap(BrandPicture(kWidth, kHeight, tr("OLAP cube browser for Linux")));

  const QString light = "color: white; background: transparent;";
  lblVersion = new QLabel("Version:", this);
  lblVersion->setObjectName("lblVersion");
  lblVersion->setStyleSheet(light);
  lblVersion->setGeometry(16, kHeight - 40, 220, 20);

  lblClose = new QLabel("Close", this);
  lblClose->setObjectName("lblClose");
  lblClose->setStyleSheet(light + " font-weight: bold;");
  lblClose->setGeometry(kWidth - 60, kHeight - 40, 50, 20);
  lblClose->setCursor(Qt::PointingHandCursor);

  lblWebsite = new QLabel(this);
  lblWebsite->setObjectName("lblWebsite");
  lblWebsite->setStyleSheet(light);
  lblWebsite->setText("<a style=\"color:#FFD25A\" href=\"" + HomePageUrl() +
                      "\">About Hexvane and its help</a>");
  lblWebsite->setGeometry(16, kHeight - 64, 260, 20);
  connect(lblWebsite, &QLabel::linkActivated, this,
          [](const QString& link) { QDesktopServices::openUrl(QUrl(link)); });

  for (QLabel* label : {imgBackground, lblVersion, lblClose}) label->installEventFilter(this);
}

void TfrmAbout::showEvent(QShowEvent* event) {
  lblVersion->setText("Version:  4.1.0.76");
  if (parentWidget()) move(parentWidget()->geometry().center() - rect().center());
  TContentForm::showEvent(event);
}

bool TfrmAbout::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    accept();
    return true;
  }
  return TContentForm::eventFilter(watched, event);
}
