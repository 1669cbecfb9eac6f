// Cube files: a round trip keeps everything; bad files are refused with a message naming
// them and are never written to; a failed write leaves nothing behind.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/storage/cube_file.h"
#include "engine/storage/sqlite_database.h"
#include "engine_test_files.h"
#include "support/file_size_limit.h"

using namespace engine;

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

std::string OpenError(const std::string& path) {
  try {
    ReadCubeFile(path);
  } catch (const CubeFileError& error) {
    return error.what();
  }
  return "(opened)";
}

void ExpectSameCube(const CubeData& a, const CubeData& b) {
  EXPECT_EQ(a.Name(), b.Name());
  EXPECT_EQ(a.Description(), b.Description());
  EXPECT_EQ(a.LastDataUpdate(), b.LastDataUpdate());
  ASSERT_EQ(a.Dimensions().size(), b.Dimensions().size());
  for (size_t d = 0; d < a.Dimensions().size(); ++d) {
    const auto& x = a.Dimensions()[d];
    const auto& y = b.Dimensions()[d];
    EXPECT_EQ(x.UniqueName(), y.UniqueName());
    EXPECT_EQ(x.DimensionType(), y.DimensionType());
    ASSERT_EQ(x.Hierarchies().size(), y.Hierarchies().size());
    for (size_t h = 0; h < x.Hierarchies().size(); ++h) {
      const auto& p = x.Hierarchies()[h].Content();
      const auto& q = y.Hierarchies()[h].Content();
      EXPECT_EQ(p.display_folder, q.display_folder);
      EXPECT_EQ(p.leaf_of_key, q.leaf_of_key);
      ASSERT_EQ(p.members.size(), q.members.size());
      for (size_t m = 0; m < p.members.size(); ++m) {
        EXPECT_EQ(p.members[m].name, q.members[m].name);
        EXPECT_EQ(p.members[m].caption, q.members[m].caption);
        EXPECT_EQ(p.members[m].key, q.members[m].key);
        EXPECT_EQ(p.members[m].parent, q.members[m].parent);
      }
    }
  }
  ASSERT_EQ(a.Measures().size(), b.Measures().size());
  for (size_t m = 0; m < a.Measures().size(); ++m) {
    EXPECT_EQ(a.Measures()[m].name, b.Measures()[m].name);
    EXPECT_EQ(a.Measures()[m].aggregator, b.Measures()[m].aggregator);
    EXPECT_EQ(a.Measures()[m].expression, b.Measures()[m].expression);
    EXPECT_EQ(a.Measures()[m].format_string, b.Measures()[m].format_string);
  }
  ASSERT_EQ(a.FactCount(), b.FactCount());
  for (size_t k = 0; k < a.Facts().keys.size(); ++k)
    EXPECT_EQ(a.Facts().keys[k].Data(), b.Facts().keys[k].Data());
  for (size_t n = 0; n < a.Facts().numbers.size(); ++n) {
    EXPECT_EQ(a.Facts().numbers[n].Data(), b.Facts().numbers[n].Data());
    EXPECT_EQ(a.Facts().numbers[n].Nulls(), b.Facts().numbers[n].Nulls());
    EXPECT_EQ(a.Facts().numbers[n].Scale(), b.Facts().numbers[n].Scale());
  }
}

// Changes a copy of a good cube file with SQL, then refuses to open it.
struct DamageCase {
  const char* what;
  const char* sql;
  const char* message;
};

TEST(CubeFile, WritingAndReadingKeepsEveryPart) {
  TemporaryFolder folder;
  const auto original = ReadCubeFile(FoodMartCubePath());
  WriteCubeFile(folder.File("copy.cub"), original->cubes);
  const auto copy = ReadCubeFile(folder.File("copy.cub"));
  EXPECT_EQ(copy->catalog, "copy");
  ASSERT_EQ(copy->cubes.size(), 1u);
  ExpectSameCube(*original->cubes[0], *copy->cubes[0]);
  // Only the file itself is left: no temporary file, no journal.
  EXPECT_EQ(folder.Listing(), "copy.cub");
}

TEST(CubeFile, MeasuresAreStoredInNarrowExactColumns) {
  const auto cube = FirstCube(FoodMartCubePath());
  const auto& numbers = cube->Facts().numbers;
  const auto column = [&](const char* measure) -> const NumberColumn& {
    return numbers[static_cast<size_t>(
        cube->Measures()[static_cast<size_t>(cube->FindMeasure(measure))].column)];
  };
  EXPECT_EQ(column("Unit Sales").TypeName(), "i8");
  EXPECT_EQ(column("Store Sales").Scale(), 2);
  EXPECT_EQ(column("Store Cost").Scale(), 4);
  EXPECT_EQ(column("Sales Count").TypeName(), "none");
  // Measures over one column share it.
  EXPECT_EQ(&column("Unit Sales"), &column("Max Unit Sales"));
  EXPECT_EQ(&column("Unit Sales"), &column("Average Unit Sales"));
  EXPECT_EQ(numbers.size(), 5u);
  EXPECT_EQ(cube->KeysOf(cube->FindDimension("Store")).Width(), 1);
  EXPECT_EQ(cube->KeysOf(cube->FindDimension("Customers")).Width(), 2);
}

TEST(CubeFile, RefusesFilesThatAreNotCubeFiles) {
  TemporaryFolder folder;
  folder.Write("notes.cub", "These are not the cubes you are looking for.\n");
  folder.Write("empty.cub", "");
  {
    SqliteDatabase db = SqliteDatabase::OpenForWriting(folder.File("other.sqlite"));
    db.Execute("CREATE TABLE t (x INTEGER)");
  }
  std::filesystem::create_directory(folder.File("folder.cub"));
  EXPECT_EQ(OpenError(folder.File("missing.cub")),
            "The cube file " + folder.File("missing.cub") + " does not exist.");
  EXPECT_EQ(OpenError(folder.File("folder.cub")),
            "The cube file " + folder.File("folder.cub") + " is not a file.");
  for (const char* name : {"notes.cub", "empty.cub", "other.sqlite"})
    EXPECT_EQ(OpenError(folder.File(name)),
              "The file " + folder.File(name) + " is not a Hexvane cube file.")
        << name;
  EXPECT_EQ(OpenError(FoodMartDatabasePath()),
            "The file " + FoodMartDatabasePath() + " is not a Hexvane cube file.");
}

TEST(CubeFile, RefusesDamagedAndNewerFilesWithoutWritingToThem) {
  const DamageCase cases[] = {
      {"newer", "UPDATE hexvane_cube_file SET value = '2' WHERE key = 'format_version'",
       "has format version 2, which is newer than this program reads (1)"},
      {"bad version", "UPDATE hexvane_cube_file SET value = 'one' WHERE key = 'format_version'",
       "is damaged: its format version \"one\" is not valid"},
      {"flipped fact byte",
       "UPDATE fact_segment SET data = zeroblob(length(data)) WHERE kind = 'key' AND column_id = 0",
       "is damaged: a fact segment fails its checksum"},
      {"short segment", "UPDATE fact_segment SET data = substr(data, 1, 10) WHERE column_id = 0",
       "is damaged: a fact segment has the wrong size"},
      {"lost segment", "DELETE FROM fact_segment WHERE kind = 'number'",
       "is damaged: a fact column does not hold one value per fact"},
      {"key map", "UPDATE hierarchy SET checksum = checksum + 1 WHERE dimension_id = 0",
       "is damaged: the key map of hierarchy \"Store\" fails its checksum"},
      {"member order", "UPDATE member SET parent_id = 5 WHERE member_id = 2 AND dimension_id = 0",
       "is damaged: Hierarchy [Store]: member 2 is not in hierarchy order."},
      {"lost member", "DELETE FROM member WHERE member_id = 3 AND dimension_id = 0",
       "is damaged: the members are not numbered in sequence"},
      {"no cube", "DELETE FROM cube", "is damaged: it holds no cube"},
      {"lost table", "DROP TABLE measure", "is damaged: no such table: measure"},
      {"aggregator", "UPDATE measure SET aggregator = 'median' WHERE measure_id = 0",
       "is damaged: a measure has the unknown aggregator \"median\""},
  };
  TemporaryFolder folder;
  const std::string good = ReadAll(FoodMartCubePath());
  for (const auto& c : cases) {
    const std::string path = folder.File("damaged.cub");
    std::filesystem::remove(path);
    std::filesystem::copy_file(FoodMartCubePath(), path);
    {
      SqliteDatabase db = SqliteDatabase::OpenForWriting(path);
      db.Execute(c.sql);
    }
    const std::string before = ReadAll(path);
    struct stat info {};
    ::stat(path.c_str(), &info);
    const auto modified = info.st_mtim;
    const std::string message = OpenError(path);
    EXPECT_NE(message.find(path), std::string::npos) << c.what << ": " << message;
    EXPECT_NE(message.find(c.message), std::string::npos) << c.what << ": " << message;
    EXPECT_EQ(ReadAll(path), before) << c.what;
    ::stat(path.c_str(), &info);
    EXPECT_EQ(info.st_mtim.tv_nsec, modified.tv_nsec) << c.what;
    EXPECT_EQ(folder.Listing(), "damaged.cub") << c.what << ": opening left a file behind";
  }
  // A file cut short is damaged too.
  const std::string path = folder.File("cut.cub");
  std::ofstream(path, std::ios::binary) << good.substr(0, good.size() / 2);
  const std::string message = OpenError(path);
  EXPECT_NE(message.find("The cube file " + path + " is damaged"), std::string::npos) << message;
}

TEST(CubeFile, OpensAFileThatCannotBeWritten) {
  TemporaryFolder folder;
  const std::string path = folder.File("read-only.cub");
  std::filesystem::copy_file(SampleCubePath(), path);
  std::filesystem::permissions(path, std::filesystem::perms::owner_read);
  EXPECT_EQ(ReadCubeFile(path)->cubes.front()->Name(), "Sales");
}

TEST(CubeFile, AFailedWriteLeavesNothingBehind) {
  TemporaryFolder folder;
  const auto cubes = ReadCubeFile(SampleCubePath())->cubes;
  folder.Write("Sales.cub", "the file that was there before");
  std::string message;
  {
    FileSizeLimit limit(64 * 1024);
    try {
      WriteCubeFile(folder.File("Sales.cub"), cubes);
    } catch (const CubeFileError& error) {
      message = error.what();
    }
  }
  EXPECT_NE(message.find("Unable to write the cube file " + folder.File("Sales.cub")),
            std::string::npos)
      << message;
  EXPECT_EQ(ReadAll(folder.File("Sales.cub")), "the file that was there before");
  EXPECT_EQ(folder.Listing(), "Sales.cub");

  try {
    WriteCubeFile(folder.File("no-such-folder/Sales.cub"), cubes);
    ADD_FAILURE() << "wrote into a missing folder";
  } catch (const CubeFileError& error) {
    EXPECT_NE(std::string(error.what()).find("no-such-folder/Sales.cub"), std::string::npos);
  }
}

}  // namespace
