#include "connection/manage_connection_editor.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <climits>

#include "config/olap_connection_list.h"
#include "config/ravenel_config.h"
#include "config/text_utils.h"
#include "config/user_interface.h"
#include "connection/cube_connection_string.h"
#include "forms/help_viewer.h"
#include "forms/ui_dialog.h"

TfrmManageConnectionsAEVScreen::TfrmManageConnectionsAEVScreen(TOLAPConnectionList& list,
                                                               bool http_list, int edit_index,
                                                               QWidget* parent)
    : TContentForm(parent), list_(list), http_list_(http_list), edit_index_(edit_index) {
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowTitle(edit_index < 0 ? "Add Connection" : "Connection");

  auto* steps_title = new QLabel("Steps:", this);
  QFont bold = steps_title->font();
  bold.setBold(true);
  steps_title->setFont(bold);
  auto* steps = new QLabel(
      "1. Give your connection a name.\n"
      "2. Enter the host: the name of the OLAP server (\"localhost\" for this machine), or, for "
      "an HTTP connection, the address of its XMLA endpoint such as "
      "http://olap.example.com:8050/xmla (HTTP access requires SQL Enterprise Edition on "
      "Microsoft servers).\n"
      "3. Port number is only required if your server is running on a non-standard port\n"
      "4. For maximum performance select your Server Type.",
      this);
  steps->setWordWrap(true);
  auto* help = new QPushButton(this);
  help->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
  help->setFlat(true);
  auto* help_label = new QLabel("<a href=\"help\">Help</a>", this);
  connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic("connect_as.htm"); });
  connect(help_label, &QLabel::linkActivated, this, [] { ShowHelpTopic("connect_as.htm"); });

  editName = new QLineEdit(this);
  editName->setObjectName("editName");
  editHost = new QLineEdit(this);
  editHost->setObjectName("editHost");
  editPort = new QLineEdit(this);
  editPort->setObjectName("editPort");
  auto* fields = new QFormLayout;
  fields->addRow("Name", editName);
  fields->addRow("Host", editHost);
  fields->addRow("Optional: Port Number (only if req'd by Sys Admin)", editPort);

  auto* types = new QGroupBox("Server Type", this);
  rbConnectionType2000 = new QRadioButton("SQL 2000 / SQL 7.0", types);
  rbConnectionTypeSQL2005 = new QRadioButton("SQL 2005", types);
  rbConnectionTypeDefault = new QRadioButton("Generic (may not be as efficient)", types);
  auto* group = new QButtonGroup(this);
  auto* type_layout = new QVBoxLayout(types);
  for (QRadioButton* rb : {rbConnectionType2000, rbConnectionTypeSQL2005, rbConnectionTypeDefault}) {
    group->addButton(rb);
    type_layout->addWidget(rb);
  }

  btnOK = new QPushButton("&OK", this);
  btnOK->setDefault(true);
  btnCancel = new QPushButton("&Cancel", this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(help);
  buttons->addWidget(help_label);
  buttons->addStretch();
  buttons->addWidget(btnOK);
  buttons->addWidget(btnCancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(steps_title);
  layout->addWidget(steps);
  layout->addLayout(fields);
  layout->addWidget(types);
  layout->addLayout(buttons);
  resize(480, sizeHint().height());

  connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
  connect(btnCancel, &QPushButton::clicked, this, [this] { reject(); });

  if (const TOLAPConnection* entry = list_.Item(edit_index_)) {
    editName->setText(QString::fromStdString(entry->Name));
    editHost->setText(QString::fromStdString(entry->Host));
    editPort->setText(entry->Port == -1 ? QString() : QString::number(entry->Port));
    switch (entry->ServerVersion) {
      case svSql2000:
        rbConnectionType2000->setChecked(true);
        break;
      case svSql2005:
        rbConnectionTypeSQL2005->setChecked(true);
        break;
      default:
        rbConnectionTypeDefault->setChecked(true);
        break;
    }
  }
}

bool TfrmManageConnectionsAEVScreen::ApplyTheme(const TTheme* theme) {
  if (!TContentForm::ApplyTheme(theme)) return false;
  if (theme)
    for (QLabel* label : findChildren<QLabel*>()) PaintText(label, theme->FontColor);
  return true;
}

void TfrmManageConnectionsAEVScreen::reject() { done(mrCancel); }

void TfrmManageConnectionsAEVScreen::btnOKClick() {
  if (IsBlank(editName->text().toStdString())) {
    if (gUserInterface) gUserInterface->ShowError("Please enter a name before saving.");
    editName->setFocus();
    return;
  }
  if (IsBlank(editHost->text().toStdString())) editHost->setText(kLocalMachineName);
  if (IsBlank(editPort->text().toStdString())) editPort->setText("-1");
  const auto port = ParseDecimal(editPort->text().toStdString());
  if (!port || *port < INT_MIN || *port > INT_MAX) {
    if (gUserInterface) gUserInterface->ShowError("Please enter in a numeric port number before saving.");
    editPort->setFocus();
    return;
  }
  const uint8_t version = rbConnectionType2000->isChecked()      ? svSql2000
                          : rbConnectionTypeSQL2005->isChecked() ? svSql2005
                                                                 : svGeneric;
  TOLAPConnection* entry = list_.Item(edit_index_);
  if (!entry) entry = list_.Add(std::make_unique<TOLAPConnection>());
  entry->Name = editName->text().toStdString();
  entry->Host = editHost->text().toStdString();
  entry->Port = static_cast<int>(*port);
  entry->ServerVersion = version;
  const std::string file = http_list_ ? TRavenelConfig::HttpConnectionsFile()
                                      : TRavenelConfig::ServerConnectionsFile();
  // The entry stays in the list and is written again with the settings; the user should
  // still know the file is not up to date.
  if (!list_.SaveToFile(file) && gUserInterface)
    gUserInterface->ShowError("Unable to save the connection list to " + file + ".");
  done(mrOk);
}
