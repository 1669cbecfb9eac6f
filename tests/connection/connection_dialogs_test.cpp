#include <gtest/gtest.h>

#include <QHeaderView>

#include "config/ini_file.h"
#include "config/ravenel_config.h"
#include "connection/manage_connection_editor.h"
#include "connection/manage_connections_list.h"
#include "connection/open_cube_wizard.h"
#include "forms/ui_dialog.h"
#include "support/modal_answer.h"
#include "support/program_folder.h"
#include "support/scripted_user_interface.h"

namespace {

// A program folder with its configuration and the scripted prompt service.
class ConnectionDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gConfig = std::make_unique<TRavenelConfig>(folder.File("app.ini"));
    auto scripted = std::make_unique<ScriptedUserInterface>();
    ui = scripted.get();
    gUserInterface = std::move(scripted);
  }
  void TearDown() override {
    gUserInterface.reset();
    gConfig.reset();
  }

  TestProgramFolder folder;
  ScriptedUserInterface* ui = nullptr;
};

TEST_F(ConnectionDialogsTest, AddingWithBlankPortAndNoTypeStoresDefaults) {
  TOLAPConnectionList& list = gConfig->ServerConnections;
  TfrmManageConnectionsAEVScreen editor(list, false, -1);
  EXPECT_EQ(editor.windowTitle(), "Add Connection");
  editor.editName->setText("Sales server");
  editor.editHost->setText("");
  editor.btnOK->click();
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Item(0)->Host, "localhost");
  EXPECT_EQ(list.Item(0)->Port, -1);
  EXPECT_EQ(list.Item(0)->ServerVersion, 0);
  const TIniFile saved(folder.File("hexvane_connection_list.con"));
  EXPECT_EQ(saved.ReadInteger("Connection1", "ConnectionPort", 0), -1);

  TfrmManageConnectionsList window(list, false);
  window.show();
  EXPECT_EQ(window.gridCurrentConnections->item(0, 2)->text(), "Default");
}

TEST_F(ConnectionDialogsTest, TheEditorRefusesABlankNameAndANonNumericPort) {
  TOLAPConnectionList& list = gConfig->HttpConnections;
  TfrmManageConnectionsAEVScreen editor(list, true, -1);
  editor.btnOK->click();
  editor.editName->setText("Web");
  editor.editPort->setText("80a");
  editor.btnOK->click();
  EXPECT_EQ(ui->Texts(ScriptedUserInterface::Kind::Error),
            (std::vector<std::string>{"Please enter a name before saving.",
                                      "Please enter in a numeric port number before saving."}));
  EXPECT_EQ(list.Count(), 0);
  editor.editPort->setText("8050");
  editor.rbConnectionTypeSQL2005->setChecked(true);
  editor.btnOK->click();
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Item(0)->Port, 8050);
  EXPECT_EQ(list.Item(0)->ServerVersion, 2);
  EXPECT_TRUE(folder.Exists("hexvane_http_connection_list.con"));
}

TEST_F(ConnectionDialogsTest, DeletingTheLastEntryLeavesAnEmptyGrid) {
  TOLAPConnectionList& list = gConfig->ServerConnections;
  list.Add(std::make_unique<TOLAPConnection>())->Name = "Only";
  TfrmManageConnectionsList window(list, false);
  window.show();
  window.btnDelete->click();  // nothing selected yet
  window.gridCurrentConnections->setCurrentCell(0, 0);
  ui->Answer(TDialogResult::Yes);
  window.btnDelete->click();
  EXPECT_EQ(ui->Texts(ScriptedUserInterface::Kind::Error),
            (std::vector<std::string>{"Please select the connection you wish to delete."}));
  EXPECT_EQ(ui->Texts(ScriptedUserInterface::Kind::ConfirmYesNo),
            (std::vector<std::string>{"Are you sure that you wish to delete the connection: Only"}));
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(window.gridCurrentConnections->rowCount(), 0);
  EXPECT_TRUE(window.gridCurrentConnections->horizontalHeader()->isHidden());
  EXPECT_TRUE(folder.Exists("app.ini")) << "a delete saves the whole configuration";
}

TEST_F(ConnectionDialogsTest, EditingMarksTheEntryModified) {
  TOLAPConnectionList& list = gConfig->ServerConnections;
  auto* entry = list.Add(std::make_unique<TOLAPConnection>());
  entry->Name = "Old";
  entry->ServerVersion = 1;
  TfrmManageConnectionsList window(list, false);
  window.show();
  window.gridCurrentConnections->setCurrentCell(0, 0);
  AnswerNextModal([](QWidget* w) {
    auto* editor = static_cast<TfrmManageConnectionsAEVScreen*>(w);
    EXPECT_TRUE(editor->rbConnectionType2000->isChecked());
    editor->editName->setText("New");
    editor->btnOK->click();
  });
  window.btnEdit->click();
  EXPECT_EQ(entry->Name, "New");
  EXPECT_TRUE(entry->Modified);
  EXPECT_EQ(window.gridCurrentConnections->item(0, 0)->text(), "New");
}

TEST_F(ConnectionDialogsTest, WizardStartsOnTheConnectionPageAndChecksIt) {
  TfrmOpenCubeWizard wizard;
  EXPECT_EQ(wizard.CurrentPage(), 1);
  EXPECT_FALSE(wizard.btnBack->isEnabled());
  EXPECT_EQ(wizard.btnNext->text(), "&Next");
  EXPECT_EQ(wizard.lblWizardHeader->text(), "Step 1 - Connection Information");

  auto* page = wizard.pageConnectionOptions;
  EXPECT_TRUE(page->editLocalCubeFilename->isEnabled());
  EXPECT_FALSE(page->lbConnection->isEnabled());
  page->editLocalCubeFilename->setText(QString::fromStdString(folder.File("missing.cub")));
  wizard.btnNext->click();

  page->rbAnalysisServer->click();
  EXPECT_FALSE(page->editLocalCubeFilename->isEnabled());
  EXPECT_TRUE(page->lbConnection->isEnabled());
  wizard.btnNext->click();  // no saved connection to select
  EXPECT_EQ(ui->Texts(ScriptedUserInterface::Kind::Error),
            (std::vector<std::string>{"Please select a cube file to connect to before continuing.",
                                      "Please select a Host connection before continuing."}));
  EXPECT_EQ(wizard.CurrentPage(), 1);
}

TEST_F(ConnectionDialogsTest, WizardWithInstructionsAndCancelling) {
  gConfig->ShowInstructionsOnOpen = true;
  TfrmOpenCubeWizard wizard;
  wizard.show();
  EXPECT_EQ(wizard.CurrentPage(), 0);
  EXPECT_FALSE(wizard.pageInstructions->chkShowAgain->isChecked());
  wizard.pageInstructions->chkShowAgain->setChecked(true);
  wizard.btnNext->click();
  EXPECT_EQ(wizard.CurrentPage(), 1);
  EXPECT_TRUE(wizard.btnBack->isEnabled());
  EXPECT_FALSE(gConfig->ShowInstructionsOnOpen) << "\"Don't show this screen again\" was ticked";

  ui->Answer(TDialogResult::No);
  wizard.btnCancel->click();
  EXPECT_TRUE(wizard.isVisible()) << "No keeps the wizard open";
  ui->Answer(TDialogResult::Yes);
  wizard.btnCancel->click();
  EXPECT_FALSE(wizard.isVisible());
  EXPECT_EQ(wizard.result(), mrCancel);
  EXPECT_EQ(ui->Texts(ScriptedUserInterface::Kind::ConfirmYesNo).size(), 2u);
}

}  // namespace
