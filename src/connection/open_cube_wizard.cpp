#include "connection/open_cube_wizard.h"

#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QStyle>
#include <QVBoxLayout>
#include <filesystem>

#include "config/app_path.h"
#include "config/ravenel_config.h"
#include "config/text_utils.h"
#include "config/user_interface.h"
#include "connection/manage_connections_list.h"
#include "forms/help_viewer.h"
#include "forms/ui_dialog.h"

namespace {

const char* const kHeaders[] = {"Instructions", "Step 1 - Connection Information",
                                "Step 2 - Select Catalog"};
const char* const kInstructions[] = {
    "", "Please select the connection type you wish to use and enter the connection information.",
    "Please select the data cube you wish to open from the list below."};
constexpr int kLastPage = 2;

// Themed pages paint their labels with the theme's font colour.
void PaintLabels(QWidget* page, TColor color) {
  for (QLabel* label : page->findChildren<QLabel*>()) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, ToQColor(color));
    label->setPalette(palette);
  }
}

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Page 0

TfrmOpenConnectionWizardInstructions::TfrmOpenConnectionWizardInstructions(QWidget* parent)
    : TContentForm(parent) {
  memInstructions = new QPlainTextEdit(this);
  memInstructions->setObjectName("memInstructions");
  memInstructions->setReadOnly(true);
  memInstructions->setPlainText(
      "Welcome to the Cube Connection Wizard.\n"
      "\n"
      "The Cube Connection Wizard walks you through the process of connecting to a data cube. \n"
      "Data Cubes are multidimensional data storage units providing quick and easy access \n"
      "to your full spectrum of enterprise data. ");
  chkShowAgain = new QCheckBox("Don't show this screen again", this);
  chkShowAgain->setObjectName("chkShowAgain");
  chkShowAgain->setChecked(gConfig && !gConfig->ShowInstructionsOnOpen);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(memInstructions);
  layout->addWidget(chkShowAgain);
}

bool TfrmOpenConnectionWizardInstructions::ApplyTheme(const TTheme* theme) {
  if (!TContentForm::ApplyTheme(theme)) return false;
  if (theme) PaintLabels(this, theme->FontColor);
  return true;
}

void TfrmOpenConnectionWizardInstructions::PageClosed() {
  if (gConfig) gConfig->ShowInstructionsOnOpen = !chkShowAgain->isChecked();
}

// ---------------------------------------------------------------------------------------------
// Page 1

TfrmOpenConnectionWizardConnectionOptions::TfrmOpenConnectionWizardConnectionOptions(
    QWidget* parent)
    : TContentForm(parent), connection_string_(std::make_shared<TCubeConnectionString>()) {
  rbLocalCube = new QRadioButton("Local / Offline Cube", this);
  rbLocalCube->setObjectName("rbLocalCube");
  rbAnalysisServer = new QRadioButton("Analysis Server", this);
  rbAnalysisServer->setObjectName("rbAnalysisServer");
  rbHTTPConnection = new QRadioButton("HTTP Connection", this);
  rbHTTPConnection->setObjectName("rbHTTPConnection");
  rbLocalCube->setChecked(true);

  editLocalCubeFilename = new QLineEdit(this);
  editLocalCubeFilename->setObjectName("editLocalCubeFilename");
  btnLocalCubeSelectFile = new QPushButton("Browse ...", this);
  btnLocalCubeSelectFile->setObjectName("btnLocalCubeSelectFile");

  lbConnection = new QListWidget(this);
  lbConnection->setObjectName("lbConnection");
  btnManageConnections = new QPushButton("&Manage Connections", this);
  btnManageConnections->setObjectName("btnManageConnections");
  editUsername = new QLineEdit(this);
  editUsername->setObjectName("editUsername");
  editPassword = new QLineEdit(this);
  editPassword->setObjectName("editPassword");
  editPassword->setEchoMode(QLineEdit::Password);
  btnConnect = new QPushButton("Connect", this);
  btnConnect->setObjectName("btnConnect");
  lbDatabases = new QListWidget(this);
  lbDatabases->setObjectName("lbDatabases");
  imgHelp = new QPushButton(this);
  imgHelp->setObjectName("imgHelp");
  imgHelp->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
  imgHelp->setFlat(true);
  imgHelp->setToolTip("Help on connecting");

  auto* kinds = new QHBoxLayout;
  kinds->addWidget(rbLocalCube);
  kinds->addWidget(rbAnalysisServer);
  kinds->addWidget(rbHTTPConnection);
  kinds->addStretch();
  kinds->addWidget(imgHelp);

  auto* file = new QHBoxLayout;
  file->addWidget(new QLabel("Cube Filename:", this));
  file->addWidget(editLocalCubeFilename, 1);
  file->addWidget(btnLocalCubeSelectFile);

  auto* host = new QVBoxLayout;
  host->addWidget(new QLabel("Host", this));
  host->addWidget(lbConnection, 1);
  host->addWidget(btnManageConnections);
  auto* login = new QVBoxLayout;
  login->addWidget(new QLabel("Username", this));
  login->addWidget(editUsername);
  login->addWidget(new QLabel("Password", this));
  login->addWidget(editPassword);
  login->addWidget(btnConnect);
  login->addStretch();
  auto* database = new QVBoxLayout;
  database->addWidget(new QLabel("Database:", this));
  database->addWidget(lbDatabases, 1);
  auto* server = new QHBoxLayout;
  server->addLayout(host, 3);
  server->addLayout(login, 2);
  server->addLayout(database, 3);

  auto* note = new QLabel("Note: Only the databases you have permissions to will be listed.", this);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(kinds);
  layout->addLayout(file);
  layout->addSpacing(6);
  layout->addLayout(server, 1);
  layout->addWidget(note);

  for (QRadioButton* radio : {rbLocalCube, rbAnalysisServer, rbHTTPConnection})
    connect(radio, &QRadioButton::clicked, this, [this] { UpdateEnabling(); });
  connect(rbAnalysisServer, &QRadioButton::clicked, this,
          [this] { FillConnectionList(gConfig ? &gConfig->ServerConnections : nullptr); });
  connect(rbHTTPConnection, &QRadioButton::clicked, this,
          [this] { FillConnectionList(gConfig ? &gConfig->HttpConnections : nullptr); });
  connect(btnLocalCubeSelectFile, &QPushButton::clicked, this,
          [this] { btnLocalCubeSelectFileClick(); });
  connect(btnManageConnections, &QPushButton::clicked, this,
          [this] { btnManageConnectionsClick(); });
  connect(btnConnect, &QPushButton::clicked, this, [this] {
    if (gUserInterface) gUserInterface->SetBusy(true);
    CheckPage(false);
    if (gUserInterface) gUserInterface->SetBusy(false);
  });
  connect(imgHelp, &QPushButton::clicked, this, [this] { imgHelpClick(); });

  LoadFromConnectionString();
  UpdateEnabling();
}

bool TfrmOpenConnectionWizardConnectionOptions::ApplyTheme(const TTheme* theme) {
  if (!TContentForm::ApplyTheme(theme)) return false;
  if (theme) PaintLabels(this, theme->FontColor);
  return true;
}

void TfrmOpenConnectionWizardConnectionOptions::SetConnectionString(
    std::shared_ptr<TCubeConnectionString> connection_string) {
  connection_string_ =
      connection_string ? std::move(connection_string) : std::make_shared<TCubeConnectionString>();
  LoadFromConnectionString();
}

void TfrmOpenConnectionWizardConnectionOptions::PageShown() {
  DatabasesListedFor = -1;
  LoadFromConnectionString();
}

void TfrmOpenConnectionWizardConnectionOptions::UpdateEnabling() {
  const bool local = rbLocalCube->isChecked();
  const bool server = rbAnalysisServer->isChecked() || rbHTTPConnection->isChecked();
  editLocalCubeFilename->setEnabled(local);
  btnLocalCubeSelectFile->setEnabled(local);
  for (QWidget* widget : std::initializer_list<QWidget*>{lbConnection, btnManageConnections,
                                                          editUsername, editPassword,
                                                          lbDatabases, btnConnect})
    widget->setEnabled(server);
}

TOLAPConnectionList* TfrmOpenConnectionWizardConnectionOptions::CurrentList() const {
  if (!gConfig) return nullptr;
  if (rbAnalysisServer->isChecked()) return &gConfig->ServerConnections;
  if (rbHTTPConnection->isChecked()) return &gConfig->HttpConnections;
  return nullptr;
}

void TfrmOpenConnectionWizardConnectionOptions::FillConnectionList(TOLAPConnectionList* list) {
  lbConnection->clear();
  lbDatabases->clear();
  if (!list) return;
  for (int i = 0; i < list->Count(); ++i) lbConnection->addItem(Q(list->Item(i)->Name));
  if (lbConnection->count() > 0) lbConnection->setCurrentRow(0);
}

void TfrmOpenConnectionWizardConnectionOptions::LoadFromConnectionString() {
  switch (connection_string_->ConnectionType) {
    case ctLocalCube:
      rbLocalCube->setChecked(true);
      editLocalCubeFilename->setText(Q(connection_string_->LocalCubeFile));
      break;
    case ctAnalysisServer: {
      rbAnalysisServer->setChecked(true);
      FillConnectionList(gConfig ? &gConfig->ServerConnections : nullptr);
      if (TOLAPConnectionList* list = CurrentList())
        for (int i = 0; i < list->Count(); ++i)
          if (list->Item(i)->Host == connection_string_->Host) {
            lbConnection->setCurrentRow(i);
            break;
          }
      break;
    }
    default:
      break;
  }
  lbDatabases->clear();
  UpdateEnabling();
}

void TfrmOpenConnectionWizardConnectionOptions::FillConnectionString() {
  TCubeConnectionString& c = *connection_string_;
  if (rbLocalCube->isChecked()) {
    c.SetConnectionType(ctLocalCube);
    c.SetLocalCubeFile(editLocalCubeFilename->text().toStdString());
    return;
  }
  c.SetConnectionType(ctAnalysisServer);
  TOLAPConnectionList* list = CurrentList();
  const TOLAPConnection* selected = list ? list->Item(lbConnection->currentRow()) : nullptr;
  if (!selected) return;
  c.SetHost(selected->Host);
  c.SetUserName(editUsername->text().toStdString());
  c.SetPassword(editPassword->text().toStdString());
  c.SetServerVersion(selected->ServerVersion);
  const QListWidgetItem* database = lbDatabases->currentItem();
  c.SetCatalog(database ? database->text().toStdString() : std::string());
}

void TfrmOpenConnectionWizardConnectionOptions::ListDatabases() {
  TOLAPConnectionList* list = CurrentList();
  const TOLAPConnection* selected = list ? list->Item(lbConnection->currentRow()) : nullptr;
  if (!selected) return;
  const auto databases = ListCatalogs(selected->Host, selected->ServerVersion,
                                      editUsername->text().toStdString(),
                                      editPassword->text().toStdString());
  lbDatabases->clear();
  if (!databases) {
    if (gUserInterface) gUserInterface->ShowError("Unable to retieve list of databases on Analysis server.");
    return;
  }
  for (const std::string& name : *databases) lbDatabases->addItem(Q(name));
  if (databases->empty()) {
    if (gUserInterface)
      gUserInterface->ShowInformation(
          "You have connected to the host server but no cube databases were retrieved.  Either "
          "there are no databases available or you do not have sufficient permissions to view "
          "them.");
  } else {
    lbDatabases->setCurrentRow(0);
  }
}

bool TfrmOpenConnectionWizardConnectionOptions::CheckPage(bool from_next) {
  FillConnectionString();
  TCubeConnectionString& c = *connection_string_;
  const int selected = lbConnection->currentRow();
  const bool server = c.ConnectionType == ctAnalysisServer;
  if (server && (selected < 0 || !CurrentList() || !CurrentList()->Item(selected))) {
    if (gUserInterface) gUserInterface->ShowError("Please select a Host connection before continuing.");
    return false;
  }
  if (server && selected != DatabasesListedFor) lbDatabases->clear();
  std::error_code error;
  if (c.ConnectionType == ctLocalCube && !std::filesystem::is_regular_file(c.LocalCubeFile, error)) {
    if (gUserInterface)
      gUserInterface->ShowError("Please select a cube file to connect to before continuing.");
    return false;
  }
  if (!c.TestConnection(true)) {
    DatabasesListedFor = selected;
    return false;
  }
  if (server && (selected != DatabasesListedFor || lbDatabases->count() == 0)) {
    ListDatabases();
    if (from_next) {
      if (gUserInterface) gUserInterface->ShowError("Please select a database before you continue.");
      return false;
    }
    DatabasesListedFor = selected;
    return false;
  }
  if (c.CountCubes() == 0) {
    if (gUserInterface)
      gUserInterface->ShowError(
          "You have connected to the cube database but no cubes were retrieved.  Either there "
          "are no processed cubes available or you do not have sufficient permissions to view "
          "them.");
    return false;
  }
  DatabasesListedFor = selected;
  return true;
}

bool TfrmOpenConnectionWizardConnectionOptions::CanContinue() { return CheckPage(true); }

void TfrmOpenConnectionWizardConnectionOptions::btnLocalCubeSelectFileClick() {
  const QString file = QFileDialog::getOpenFileName(
      this, "Select a local cube", Q(GetAppPath() + "Local Cubes/"),
      "Local Cube Files (*.cub)");
  if (!file.isEmpty() && QFileInfo::exists(file)) editLocalCubeFilename->setText(file);
}

void TfrmOpenConnectionWizardConnectionOptions::btnManageConnectionsClick() {
  TOLAPConnectionList* list = CurrentList();
  if (!list) return;
  TfrmManageConnectionsList dialog(*list, list == &gConfig->HttpConnections, this);
  dialog.ApplyTheme(Theme());
  dialog.exec();
  FillConnectionList(list);
}

void TfrmOpenConnectionWizardConnectionOptions::imgHelpClick() {
  if (rbLocalCube->isChecked())
    ShowHelpTopic("connecting to a cube.htm");
  else if (rbAnalysisServer->isChecked())
    ShowHelpTopic("connect_as.htm");
  else
    ShowHelpTopic("connecting to a cube_http.htm");
}

// ---------------------------------------------------------------------------------------------
// Page 2

TfrmOpenConnectWizardSelectCatalog::TfrmOpenConnectWizardSelectCatalog(QWidget* parent)
    : TContentForm(parent) {
  auto* group = new QGroupBox("Please select the cube you wish to open", this);
  lbCatalogs = new QListWidget(group);
  lbCatalogs->setObjectName("lbCatalogs");
  lblCatelogSelection = new QLabel(group);
  lblCatelogSelection->setObjectName("lblCatelogSelection");
  lblCatelogSelection->setWordWrap(true);
  lblCatelogSelection->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  auto* list = new QVBoxLayout;
  list->addWidget(new QLabel("Cube to open", group));
  list->addWidget(lbCatalogs, 1);
  auto* inner = new QHBoxLayout(group);
  inner->addLayout(list, 1);
  inner->addWidget(lblCatelogSelection, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group, 1);
  layout->addWidget(new QLabel("Note: Only the cubes you have permissions to will be listed.", this));
  connect(lbCatalogs, &QListWidget::currentRowChanged, this,
          [this](int row) { CatalogClicked(row); });
}

bool TfrmOpenConnectWizardSelectCatalog::ApplyTheme(const TTheme* theme) {
  if (!TContentForm::ApplyTheme(theme)) return false;
  if (theme) PaintLabels(this, theme->FontColor);
  return true;
}

void TfrmOpenConnectWizardSelectCatalog::FillFromConnection(TMSOLAPConnection& connection) {
  lbCatalogs->clear();
  cubes_.clear();
  const auto cube_defs = connection.GetCubeDefs();
  const int count = cube_defs ? cube_defs->Count() : 0;
  if (count < 1) {
    if (gUserInterface)
      gUserInterface->ShowInformation(
          "There are no active connections defined unable to continue. Please click the back "
          "button and reenter your connection information to continue.");
    return;
  }
  for (int i = 0; i < count; ++i) {
    cubes_.push_back(cube_defs->Item(i));
    lbCatalogs->addItem(Q(cubes_.back()->Name()));
  }
  lbCatalogs->setCurrentRow(0);
}

void TfrmOpenConnectWizardSelectCatalog::CatalogClicked(int row) {
  if (row < 0 || row >= static_cast<int>(cubes_.size())) return;
  const auto& cube = cubes_[static_cast<size_t>(row)];
  lblCatelogSelection->setText(Q("Cube Name:" + cube->Name() + "\n\nDesc: " + cube->Description() +
                                 "\n\nDimensions: " +
                                 std::to_string(cube->GetDimensions()->Count()) + "\n\n"));
  SelectedCubeName = cube->Name();
}

bool TfrmOpenConnectWizardSelectCatalog::CanContinue() {
  if (lbCatalogs->currentRow() >= 0) return true;
  if (gUserInterface) gUserInterface->ShowError("Please select a cube before continuing.");
  return false;
}

// ---------------------------------------------------------------------------------------------
// The wizard

TfrmOpenCubeWizard::TfrmOpenCubeWizard(QWidget* parent) : TContentForm(parent) {
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowTitle("Hexvane - Cube Connection Wizard");
  resize(576, 390);

  auto* top = new QWidget(this);
  auto* header_image = new QLabel(top);
  header_image->setPixmap(style()->standardIcon(QStyle::SP_DriveNetIcon).pixmap(40, 40));
  lblWizardHeader = new QLabel(top);
  lblWizardHeader->setObjectName("lblWizardHeader");
  QFont bold = lblWizardHeader->font();
  bold.setBold(true);
  bold.setPointSize(bold.pointSize() + 2);
  lblWizardHeader->setFont(bold);
  lblInstructions = new QLabel(top);
  lblInstructions->setObjectName("lblInstructions");
  lblInstructions->setWordWrap(true);
  auto* texts = new QVBoxLayout;
  texts->addWidget(lblWizardHeader);
  texts->addWidget(lblInstructions);
  auto* top_layout = new QHBoxLayout(top);
  top_layout->addWidget(header_image);
  top_layout->addLayout(texts, 1);

  panContainer = new QWidget(this);
  panContainer->setObjectName("panContainer");
  auto* container = new QVBoxLayout(panContainer);
  container->setContentsMargins(0, 0, 0, 0);

  btnCancel = new QPushButton("&Cancel", this);
  btnCancel->setObjectName("btnCancel");
  btnBack = new QPushButton("&Back", this);
  btnBack->setObjectName("btnBack");
  btnNext = new QPushButton("&Next", this);
  btnNext->setObjectName("btnNext");
  btnNext->setDefault(true);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(btnCancel);
  bottom->addSpacing(12);
  bottom->addWidget(btnBack);
  bottom->addWidget(btnNext);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(top);
  layout->addWidget(panContainer, 1);
  layout->addLayout(bottom);

  pageInstructions = new TfrmOpenConnectionWizardInstructions(panContainer);
  pageConnectionOptions = new TfrmOpenConnectionWizardConnectionOptions(panContainer);
  pageSelectCatalog = new TfrmOpenConnectWizardSelectCatalog(panContainer);
  for (int i = 0; i <= kLastPage; ++i) Page(i)->hide();

  connect(btnNext, &QPushButton::clicked, this, [this] { btnNextClick(); });
  connect(btnBack, &QPushButton::clicked, this, [this] { btnBackClick(); });
  connect(btnCancel, &QPushButton::clicked, this, [this] { reject(); });

  first_page_ = gConfig && gConfig->ShowInstructionsOnOpen ? 0 : 1;
  ShowPage(first_page_);
}

TfrmOpenCubeWizard::~TfrmOpenCubeWizard() = default;

TContentForm* TfrmOpenCubeWizard::Page(int index) const {
  switch (index) {
    case 0:
      return pageInstructions;
    case 1:
      return pageConnectionOptions;
    case 2:
      return pageSelectCatalog;
    default:
      return nullptr;
  }
}

bool TfrmOpenCubeWizard::ApplyTheme(const TTheme* theme) {
  if (!TContentForm::ApplyTheme(theme)) return false;
  if (theme) {
    PaintLabels(this, theme->FontColor);
    if (TContentForm* page = Page(current_page_)) page->ApplyTheme(theme);
  }
  return true;
}

void TfrmOpenCubeWizard::SetConnection(std::unique_ptr<TMSOLAPConnection> connection) {
  connection_ = std::move(connection);
}

void TfrmOpenCubeWizard::ShowPage(int index) {
  if (TContentForm* previous = Page(current_page_)) {
    previous->hide();
    if (previous == pageInstructions) pageInstructions->PageClosed();
  }
  lblWizardHeader->setText(kHeaders[index]);
  lblInstructions->setText(kInstructions[index]);
  current_page_ = index;
  TContentForm* page = Page(index);
  if (Theme()) page->ApplyTheme(Theme());
  if (page == pageConnectionOptions) pageConnectionOptions->PageShown();
  page->ShowEmbedded();
  btnBack->setEnabled(index != first_page_);
  btnNext->setText(index == kLastPage ? "&Finish" : "&Next");
}

void TfrmOpenCubeWizard::btnNextClick() {
  TContentForm* page = Page(current_page_);
  if (!page || !page->CanContinue()) return;
  if (!connection_) connection_ = std::make_unique<TMSOLAPConnection>();
  switch (current_page_) {
    case 0:
      pageConnectionOptions->SetConnectionString(connection_->GetConnectionString());
      ShowPage(1);
      break;
    case 1: {
      const auto& chosen = pageConnectionOptions->ConnectionString();
      if (chosen->ConnectionType == ctLocalCube) connection_->SetCubeIndex(0);
      std::shared_ptr<TCubeConnectionString> clone = chosen->Clone();
      // A connection that did not open has no cubes to count; Open has said why.
      if (!connection_->Open(clone)) return;
      const auto cubes = connection_->GetCubeDefs();
      if (cubes && cubes->Count() == 1) {
        completed_ = true;
        done(mrOk);
        return;
      }
      ShowPage(2);
      pageSelectCatalog->FillFromConnection(*connection_);
      break;
    }
    case 2:
      connection_->SelectCube(pageSelectCatalog->SelectedCubeName);
      completed_ = true;
      done(mrOk);
      break;
    default:
      break;
  }
}

void TfrmOpenCubeWizard::btnBackClick() {
  if (connection_) connection_->SetCubeIndex(-1);
  if (current_page_ > first_page_) ShowPage(current_page_ - 1);
  completed_ = false;
}

void TfrmOpenCubeWizard::done(int result) {
  if (!completed_ && gUserInterface &&
      !gUserInterface->ConfirmYesNo(
          "You have not completed the connection wizard. Are you sure you wish to exit?"))
    return;
  if (current_page_ == 0) pageInstructions->PageClosed();
  TContentForm::done(result == mrOk && completed_ ? mrOk : mrCancel);
}
