#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <memory>

#include "connection/cube_connection.h"
#include "forms/content_form.h"

class TOLAPConnectionList;

// Page 0: what the wizard is for.
class TfrmOpenConnectionWizardInstructions : public TContentForm {
  Q_OBJECT
 public:
  explicit TfrmOpenConnectionWizardInstructions(QWidget* parent = nullptr);
  bool ApplyTheme(const TTheme* theme) override;
  // Stores the inverted box in ShowInstructionsOnOpen.
  void PageClosed();

  QPlainTextEdit* memInstructions;
  QCheckBox* chkShowAgain;
};

// Page 1: the kind of source and where it is.
class TfrmOpenConnectionWizardConnectionOptions : public TContentForm {
  Q_OBJECT
 public:
  explicit TfrmOpenConnectionWizardConnectionOptions(QWidget* parent = nullptr);
  bool ApplyTheme(const TTheme* theme) override;
  bool CanContinue() override;

  // Takes the connection string over and loads the controls from it.
  void SetConnectionString(std::shared_ptr<TCubeConnectionString> connection_string);
  const std::shared_ptr<TCubeConnectionString>& ConnectionString() const {
    return connection_string_;
  }
  // Called whenever the page is shown.
  void PageShown();

  QRadioButton* rbLocalCube;
  QRadioButton* rbAnalysisServer;
  QRadioButton* rbHTTPConnection;
  QLineEdit* editLocalCubeFilename;
  QPushButton* btnLocalCubeSelectFile;
  QListWidget* lbConnection;
  QPushButton* btnManageConnections;
  QLineEdit* editUsername;
  QLineEdit* editPassword;
  QPushButton* btnConnect;
  QListWidget* lbDatabases;
  QPushButton* imgHelp;

 private:
  void UpdateEnabling();
  void FillConnectionList(TOLAPConnectionList* list);
  TOLAPConnectionList* CurrentList() const;
  void LoadFromConnectionString();
  void FillConnectionString();
  void ListDatabases();
  // The page check: from Next, or from "Connect".
  bool CheckPage(bool from_next);
  void btnLocalCubeSelectFileClick();
  void btnManageConnectionsClick();
  void imgHelpClick();

  std::shared_ptr<TCubeConnectionString> connection_string_;
  int DatabasesListedFor = -1;
};

// Page 2: the cube to open.
class TfrmOpenConnectWizardSelectCatalog : public TContentForm {
  Q_OBJECT
 public:
  explicit TfrmOpenConnectWizardSelectCatalog(QWidget* parent = nullptr);
  bool ApplyTheme(const TTheme* theme) override;
  bool CanContinue() override;
  void FillFromConnection(TMSOLAPConnection& connection);

  std::string SelectedCubeName;
  QListWidget* lbCatalogs;
  QLabel* lblCatelogSelection;

 private:
  void CatalogClicked(int row);
  std::vector<std::shared_ptr<adomd::CubeDef>> cubes_;
};

// The window through which the user chooses what to browse; it hands back an open
// connection whose current cube is the chosen one.
class TfrmOpenCubeWizard : public TContentForm {
  Q_OBJECT
 public:
  explicit TfrmOpenCubeWizard(QWidget* parent = nullptr);
  ~TfrmOpenCubeWizard() override;
  bool ApplyTheme(const TTheme* theme) override;

  // Gives the wizard a connection to set up, freeing one it held.
  void SetConnection(std::unique_ptr<TMSOLAPConnection> connection);
  // After an OK the caller owns the connection.
  std::unique_ptr<TMSOLAPConnection> TakeConnection() { return std::move(connection_); }
  TMSOLAPConnection* Connection() const { return connection_.get(); }
  bool Completed() const { return completed_; }
  int CurrentPage() const { return current_page_; }

  QLabel* lblWizardHeader;
  QLabel* lblInstructions;
  QWidget* panContainer;
  QPushButton* btnCancel;
  QPushButton* btnBack;
  QPushButton* btnNext;

  TfrmOpenConnectionWizardInstructions* pageInstructions;
  TfrmOpenConnectionWizardConnectionOptions* pageConnectionOptions;
  TfrmOpenConnectWizardSelectCatalog* pageSelectCatalog;

 protected:
  void done(int result) override;

 private:
  TContentForm* Page(int index) const;
  void ShowPage(int index);
  void btnNextClick();
  void btnBackClick();

  std::unique_ptr<TMSOLAPConnection> connection_;
  int first_page_ = 1;
  int current_page_ = -1;
  bool completed_ = false;
};
