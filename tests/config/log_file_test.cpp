#include "config/log_file.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "support/program_folder.h"

namespace {

TEST(LogFile, AppendsAcrossRunsAndFlushesEveryLine) {
  TestProgramFolder folder(false);
  const std::string path = folder.File("ravenel.log");
  {
    TLogFile first(path);
    ASSERT_TRUE(first.IsOpen());
    EXPECT_TRUE(first.WriteLine("first run"));
  }
  TLogFile second(path);
  EXPECT_TRUE(second.WriteLine("second run"));
  // Read while the log is still open: nothing waits in a buffer.
  EXPECT_EQ(folder.Read("ravenel.log"), "first run\nsecond run\n");
}

TEST(LogFile, AnEntryWithCarriageReturnsIsOneEntry) {
  TestProgramFolder folder(false);
  TLogFile log(folder.File("ravenel.log"));
  log.WriteLine("Error:x\r\rCurrent MDX was: \r\r SELECT");
  EXPECT_EQ(folder.Read("ravenel.log"), "Error:x\r\rCurrent MDX was: \r\r SELECT\n");
}

TEST(LogFile, ALogThatCannotBeOpenedStaysClosedAndWritesNothing) {
  TestProgramFolder folder(false);
  std::filesystem::create_directory(folder.File("ravenel.log"));
  TLogFile log(folder.File("ravenel.log"));
  EXPECT_FALSE(log.IsOpen());
  EXPECT_FALSE(log.WriteLine("lost"));

  TLogFile blank("   ");
  EXPECT_FALSE(blank.IsOpen());
  EXPECT_FALSE(blank.Open());
}

TEST(LogFile, AReadOnlyLogStaysClosed) {
  if (RunningAsRoot()) GTEST_SKIP() << "root writes read-only files";
  TestProgramFolder folder(false);
  folder.Write("ravenel.log", "old\n");
  ::chmod(folder.File("ravenel.log").c_str(), 0444);
  TLogFile log(folder.File("ravenel.log"));
  EXPECT_FALSE(log.IsOpen());
  EXPECT_FALSE(log.WriteLine("lost"));
  EXPECT_EQ(folder.Read("ravenel.log"), "old\n");
}

TEST(LogFile, CreateLogFileKeepsAnExistingLog) {
  TestProgramFolder folder(false);
  gLogFile.reset();
  EXPECT_TRUE(CreateLogFile(folder.File("one.log")));
  TLogFile* const first = gLogFile.get();
  EXPECT_TRUE(CreateLogFile(folder.File("two.log")));
  EXPECT_EQ(gLogFile.get(), first);
  EXPECT_EQ(gLogFile->FileName(), folder.File("one.log"));
  EXPECT_FALSE(folder.Exists("two.log"));
  gLogFile.reset();
}

}  // namespace
