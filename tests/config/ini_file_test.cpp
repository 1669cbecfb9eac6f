#include "config/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/file_size_limit.h"
#include "support/program_folder.h"

namespace {

TEST(IniFile, MatchesSectionsAndKeysWithoutRegardToCaseAndKeepsValuesAsWritten) {
  TestProgramFolder folder(false);
  folder.Write("a.ini", "\xEF\xBB\xBF; a comment\r\nstray=ignored\r\n[AppSettings]\r\n"
                        "CurrentTheme=Dark Blue \r\n  Spaced Key = value with = sign\r\n"
                        "Dup=first\r\nDup=second\r\nno equals sign\r\n[other]\nX=1\n");
  const TIniFile ini(folder.File("a.ini"));
  EXPECT_EQ(ini.ReadString("appsettings", "currenttheme", "-"), "Dark Blue ");
  EXPECT_EQ(ini.ReadString("APPSETTINGS", "spaced key", "-"), " value with = sign");
  EXPECT_EQ(ini.ReadString("AppSettings", "Dup", "-"), "first");
  EXPECT_EQ(ini.ReadString("AppSettings", "stray", "-"), "-");
  EXPECT_EQ(ini.ReadString("Missing", "X", "fallback"), "fallback");
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"AppSettings", "other"}));
  EXPECT_TRUE(ini.SectionExists("OTHER"));
  EXPECT_TRUE(ini.ValueExists("Other", "x"));
}

TEST(IniFile, ReadsDecimalNumbersAndFallsBackOnAnythingElse) {
  struct Case {
    const char* value;
    int expected;
  };
  const Case cases[] = {{"12", 12},   {" 7 ", 7},     {"-3", -3},  {"+4", 4},
                        {"abc", 99},  {"12abc", 99},  {"", 99},    {"0x10", 99},
                        {"1.5", 99},  {"+-2", 99},    {"99999999999", 99}};
  TestProgramFolder folder(false);
  std::string text = "[S]\n";
  for (size_t i = 0; i < std::size(cases); ++i)
    text += "k" + std::to_string(i) + "=" + cases[i].value + "\n";
  folder.Write("n.ini", text);
  const TIniFile ini(folder.File("n.ini"));
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(ini.ReadInteger("S", "k" + std::to_string(i), 99), cases[i].expected)
        << "value \"" << cases[i].value << "\"";
  EXPECT_EQ(ini.ReadInteger("S", "absent", 5), 5);
}

TEST(IniFile, ReadsBooleansAsIntegers) {
  TestProgramFolder folder(false);
  folder.Write("b.ini", "[S]\nzero=0\none=1\ntwo=2\nminus=-1\nword=yes\n");
  const TIniFile ini(folder.File("b.ini"));
  EXPECT_FALSE(ini.ReadBool("S", "zero", true));
  EXPECT_TRUE(ini.ReadBool("S", "one", false));
  EXPECT_TRUE(ini.ReadBool("S", "two", false));
  EXPECT_TRUE(ini.ReadBool("S", "minus", false));
  EXPECT_TRUE(ini.ReadBool("S", "word", true));
  EXPECT_FALSE(ini.ReadBool("S", "word", false));
}

TEST(IniFile, UpdatesInPlaceKeepingWhatWasNotWritten) {
  TestProgramFolder folder(false);
  folder.Write("u.ini", "[Keep]\nA=1\n[Change]\nB=old\nC=stays\n");
  {
    TIniFile ini(folder.File("u.ini"));
    ini.WriteString("change", "b", "new");
    ini.WriteInteger("Change", "D", -7);
    ini.WriteBool("Added", "E", true);
    ini.UpdateFile();
  }
  const TIniFile reread(folder.File("u.ini"));
  EXPECT_EQ(reread.ReadString("Keep", "A", ""), "1");
  EXPECT_EQ(reread.ReadString("Change", "B", ""), "new");
  EXPECT_EQ(reread.ReadString("Change", "C", ""), "stays");
  EXPECT_EQ(reread.ReadInteger("Change", "D", 0), -7);
  EXPECT_EQ(reread.ReadString("Added", "E", ""), "1");
  EXPECT_EQ(reread.ReadSection("Change"), (std::vector<std::string>{"B", "C", "D"}));
}

TEST(IniFile, ErasesSectionsAndKeys) {
  TestProgramFolder folder(false);
  folder.Write("e.ini", "[A]\nx=1\ny=2\n[B]\nz=3\n");
  TIniFile ini(folder.File("e.ini"));
  ini.EraseSection("b");
  ini.DeleteKey("a", "X");
  ini.UpdateFile();
  EXPECT_EQ(folder.Read("e.ini"), "[A]\ny=2\n");
}

TEST(IniFile, RefusesValuesWithLineBreaks) {
  TIniFile ini("");
  EXPECT_THROW(ini.WriteString("S", "K", "two\nlines"), TIniFileError);
  EXPECT_THROW(ini.WriteString("S", "K", "carriage\rreturn"), TIniFileError);
}

TEST(IniFile, MissingFileReadsEmptyAndAFolderIsRefused) {
  TestProgramFolder folder(false);
  const TIniFile missing(folder.File("nothing.ini"));
  EXPECT_TRUE(missing.ReadSections().empty());
  std::filesystem::create_directory(folder.File("folder.ini"));
  EXPECT_THROW(TIniFile(folder.File("folder.ini")), TIniFileError);
}

TEST(IniFile, AFailedSaveLeavesTheOldFileWholeAndNoTemporaryFile) {
  TestProgramFolder folder(false);
  const std::string before = "[S]\nK=old\n";
  folder.Write("s.ini", before);
  TIniFile ini(folder.File("s.ini"));
  ini.WriteString("S", "K", std::string(64 * 1024, 'x'));
  {
    const FileSizeLimit limit(1024);
    EXPECT_THROW(ini.UpdateFile(), TIniFileError);
  }
  EXPECT_EQ(folder.Read("s.ini"), before);
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
    ++files;
  EXPECT_EQ(files, 1);
}

TEST(IniFile, SaveIntoAMissingFolderFailsWithTheFileName) {
  TestProgramFolder folder(false);
  TIniFile ini(folder.File("no/such/folder/x.ini"));
  ini.WriteString("S", "K", "v");
  try {
    ini.UpdateFile();
    FAIL() << "the save should fail";
  } catch (const TIniFileError& error) {
    EXPECT_NE(std::string(error.what()).find("x.ini"), std::string::npos) << error.what();
  }
}

}  // namespace
