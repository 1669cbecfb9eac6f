#include "config/olap_connection_list.h"

#include <gtest/gtest.h>

#include "config/ini_file.h"
#include "support/file_size_limit.h"
#include "support/program_folder.h"

namespace {

TEST(ConnectionList, SkipsMissingSectionsAndRenumbersOnSave) {
  TestProgramFolder folder(false);
  folder.Write("list.con",
               "[Connections]\nNumConnections=3\n"
               "[Connection1]\nConnectionName=Sales\nConnectionHost=olap1\nConnectionPort=2383\n"
               "ConnectionType=2\n"
               "[Connection3]\nConnectionName=Web\nConnectionHost=http://web/xmla\n"
               "ConnectionType=258\n"
               "[Connection4]\nConnectionName=Beyond the count\n");
  TOLAPConnectionList list;
  ASSERT_TRUE(list.LoadFromFile(folder.File("list.con")));
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Item(0)->Name, "Sales");
  EXPECT_EQ(list.Item(0)->Port, 2383);
  EXPECT_EQ(list.Item(0)->ServerVersion, 2);
  EXPECT_EQ(list.Item(1)->Name, "Web");
  EXPECT_EQ(list.Item(1)->Port, -1);
  EXPECT_EQ(list.Item(1)->ServerVersion, 2);  // 258: the low 8 bits
  EXPECT_FALSE(list.Item(1)->Modified);

  ASSERT_TRUE(list.SaveToFile(folder.File("list.con")));
  const TIniFile saved(folder.File("list.con"));
  EXPECT_EQ(saved.ReadSections(),
            (std::vector<std::string>{"Connections", "Connection1", "Connection2"}));
  EXPECT_EQ(saved.ReadInteger("Connections", "NumConnections", 0), 2);
  EXPECT_EQ(saved.ReadString("Connection2", "ConnectionHost", ""), "http://web/xmla");
  EXPECT_EQ(saved.ReadSection("Connection2"),
            (std::vector<std::string>{"ConnectionName", "ConnectionHost", "ConnectionPort",
                                      "ConnectionType"}));
}

TEST(ConnectionList, MissingOrDamagedFilesGiveShortListsWithoutFailure) {
  TestProgramFolder folder(false);
  TOLAPConnectionList list;
  EXPECT_TRUE(list.LoadFromFile(folder.File("none.con")));
  EXPECT_EQ(list.Count(), 0);

  folder.Write("bad.con", "[Connections]\nNumConnections=many\n[Connection1]\nConnectionName=x\n");
  EXPECT_TRUE(list.LoadFromFile(folder.File("bad.con")));
  EXPECT_EQ(list.Count(), 0);

  folder.Write("huge.con", "[Connections]\nNumConnections=2147483647\n[Connection2]\n"
                           "ConnectionPort=abc\nConnectionType=x\n");
  EXPECT_TRUE(list.LoadFromFile(folder.File("huge.con")));
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Item(0)->Name, "");
  EXPECT_EQ(list.Item(0)->Port, -1);
  EXPECT_EQ(list.Item(0)->ServerVersion, 0);
}

TEST(ConnectionList, AFailedSaveKeepsTheSavedConnections) {
  TestProgramFolder folder(false);
  const std::string before = "[Connections]\nNumConnections=1\n[Connection1]\nConnectionName=Keep\n";
  folder.Write("list.con", before);
  TOLAPConnectionList list;
  for (int i = 0; i < 200; ++i) {
    auto entry = std::make_unique<TOLAPConnection>();
    entry->Name = "Connection number " + std::to_string(i);
    entry->Host = std::string(40, 'h');
    list.Add(std::move(entry));
  }
  {
    const FileSizeLimit limit(512);
    EXPECT_FALSE(list.SaveToFile(folder.File("list.con")));
  }
  EXPECT_EQ(folder.Read("list.con"), before);
}

TEST(ConnectionList, ExtractHandsTheEntryOver) {
  TOLAPConnectionList list;
  list.Add(std::make_unique<TOLAPConnection>())->Name = "a";
  list.Add(std::make_unique<TOLAPConnection>())->Name = "b";
  auto taken = list.Extract(0);
  ASSERT_TRUE(taken);
  EXPECT_EQ(taken->Name, "a");
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Item(0)->Name, "b");
  EXPECT_EQ(list.Extract(5), nullptr);
}

}  // namespace
