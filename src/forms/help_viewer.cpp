#include "forms/help_viewer.h"

#include <QDialog>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "config/app_path.h"

namespace {

class THelpWindow : public QDialog {
 public:
  THelpWindow() {
    setWindowTitle("Hexvane Help");
    setAttribute(Qt::WA_DeleteOnClose);
    resize(760, 600);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("helpBrowser");
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
  }

  void Show(const QString& file) {
    if (QFileInfo::exists(file)) {
      browser_->setSource(QUrl::fromLocalFile(file));
    } else {
      browser_->setHtml("<h2>Help page missing</h2><p>The page <b>" +
                        QFileInfo(file).fileName().toHtmlEscaped() +
                        "</b> is not in the help folder " +
                        QFileInfo(file).path().toHtmlEscaped() + ".</p>");
    }
    show();
    raise();
    activateWindow();
  }

 private:
  QTextBrowser* browser_;
};

QPointer<THelpWindow> gHelpWindow;

}  // namespace

void ShowHelpTopic(const std::string& topic) {
  if (!gHelpWindow) gHelpWindow = new THelpWindow();  // deletes itself on close
  gHelpWindow->Show(QString::fromStdString(GetAppPath() + "help/" + topic));
}
