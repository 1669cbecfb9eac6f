#include "app/globals.h"

#include <gtest/gtest.h>

#include <system_error>

#include "app/exception_report.h"
#include "config/log_file.h"
#include "config/ravenel_config.h"
#include "support/program_folder.h"
#include "support/scripted_user_interface.h"

namespace {

TEST(Globals, AFirstStartCreatesTheLogAndRunsWithDefaults) {
  TestProgramFolder folder;
  InitGlobals(std::make_unique<ScriptedUserInterface>());
  ASSERT_TRUE(gLogFile);
  ASSERT_TRUE(gConfig);
  ASSERT_TRUE(gUserInterface);
  EXPECT_TRUE(gLogFile->IsOpen());
  EXPECT_TRUE(folder.Exists("ravenel.log"));
  EXPECT_EQ(gConfig->IniFileName, folder.File("app.ini"));
  EXPECT_TRUE(gConfig->DontDisplayTutorialOnStartup);
  EXPECT_FALSE(folder.Exists("app.ini")) << "start-up saves nothing";
  FreeGlobals();
  EXPECT_FALSE(gConfig);
  EXPECT_FALSE(gUserInterface);
  EXPECT_FALSE(gLogFile);
  FreeGlobals();  // again: nothing left to free
}

TEST(Globals, MissingThemesStopTheStartAndShutdownStillFrees) {
  TestProgramFolder folder(false);
  EXPECT_THROW(InitGlobals(std::make_unique<ScriptedUserInterface>()), TRequiredFilesMissing);
  EXPECT_TRUE(gLogFile);
  FreeGlobals();
  EXPECT_FALSE(gLogFile);
}

TEST(ExceptionReport, LogsTheErrorTheSenderAndTheCurrentStatement) {
  TestProgramFolder folder;
  CreateLogFile(folder.File("ravenel.log"));
  const std::runtime_error error("boom");
  EXPECT_TRUE(LogUnhandledException(error, "TfrmMain", std::string(" SELECT {} ON COLUMNS")));
  EXPECT_FALSE(LogUnhandledException(std::system_error(std::make_error_code(std::errc::io_error)),
                                     "", std::nullopt));
  gLogFile.reset();

  const std::string log = folder.Read("ravenel.log");
  EXPECT_TRUE(log.starts_with("Error occured: ")) << log;
  EXPECT_NE(log.find(" with error message boom\nSender Classname Name: TfrmMain\n"
                     "Current mdx was  SELECT {} ON COLUMNS\nError occured: "),
            std::string::npos)
      << log;
}

TEST(ExceptionReport, TimestampsHaveNoLeadingZerosInTheTime) {
  std::tm parts{};
  parts.tm_year = 2026 - 1900;
  parts.tm_mon = 2;
  parts.tm_mday = 4;
  parts.tm_hour = 7;
  parts.tm_min = 5;
  parts.tm_sec = 9;
  parts.tm_isdst = -1;
  EXPECT_EQ(FormatLogTimestamp(std::mktime(&parts)), "2026-03-04 7:5:9");
}

}  // namespace
