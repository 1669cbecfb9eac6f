// The synthetic sample: its shape, its empty last year, and that a seed makes it again.

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/builder/cube_builder.h"
#include "engine/model/fact_scan.h"
#include "engine/sample/sample_cube.h"
#include "engine_test_files.h"

using namespace engine;

namespace {

double Total(const CubeData& cube, const char* measure) {
  ScanRequest request;
  request.measures = {cube.FindMeasure(measure)};
  return *ScanFacts(cube, request).at(0).values[0];
}

TEST(SampleCube, HasTheShapeTheBrowserIsExercisedWith) {
  const auto cube = FirstCube(SampleCubePath());
  EXPECT_EQ(cube->Name(), "Sales");
  EXPECT_EQ(cube->FactCount(), 100000u);
  const auto level_count = [&](const char* level) {
    const LevelRef ref = *cube->FindLevel(level);
    return cube->Hierarchy({ref.dimension, ref.hierarchy}).LevelMembers(ref.depth).size();
  };
  EXPECT_GE(level_count("[Product].[Product Name]"), 1500u);
  EXPECT_GE(level_count("[Customers].[Name]"), 10000u);
  EXPECT_GT(level_count("[Supplier].[Supplier]"), 500u);
  EXPECT_EQ(cube->Hierarchy(*cube->FindHierarchy("[Product]")).LevelCount(), 7);  // (All) + 6

  // Facts in every year but the last.
  const LevelRef year = *cube->FindLevel("[Time].[Calendar].[Year]");
  ScanRequest request;
  request.group_by = {year};
  request.measures = {cube->FindMeasure("Unit Sales")};
  const auto years = ScanFacts(*cube, request);
  const HierarchyData& calendar = cube->Hierarchy({year.dimension, year.hierarchy});
  ASSERT_EQ(calendar.LevelMembers(0).size(), 4u);
  ASSERT_EQ(years.size(), 3u);
  EXPECT_EQ(calendar.Member(years.back().members[0]).name, "2025");
  EXPECT_GT(Total(*cube, "Customer Count"), 5000);
  EXPECT_EQ(Total(*cube, "Sales Count"), 100000);
}

TEST(SampleCube, OneSeedMakesOneSampleAndKeepsItsStarSchema) {
  TemporaryFolder folder;
  SampleOptions options;
  options.rows = 3000;
  options.seed = 7;
  options.output = folder.File("a.cub");
  options.star_path = folder.File("star.sqlite");
  options.schema_path = folder.File("sample.xml");
  MakeSampleCube(options);
  options.output = folder.File("b.cub");
  options.star_path.clear();
  options.schema_path.clear();
  MakeSampleCube(options);
  options.seed = 8;
  options.output = folder.File("c.cub");
  MakeSampleCube(options);
  EXPECT_EQ(folder.Listing(), "a.cub b.cub c.cub sample.xml star.sqlite");

  const auto a = FirstCube(folder.File("a.cub"));
  const auto b = FirstCube(folder.File("b.cub"));
  const auto c = FirstCube(folder.File("c.cub"));
  EXPECT_EQ(Total(*a, "Store Sales"), Total(*b, "Store Sales"));
  EXPECT_EQ(a->Facts().keys[3].Data(), b->Facts().keys[3].Data());
  EXPECT_NE(Total(*a, "Store Sales"), Total(*c, "Store Sales"));

  // The kept star schema and schema build the same cube again.
  BuildOptions build;
  build.schema_path = folder.File("sample.xml");
  build.sqlite_source = folder.File("star.sqlite");
  build.output = folder.File("rebuilt.cub");
  BuildCubeFile(build);
  const auto rebuilt = FirstCube(folder.File("rebuilt.cub"));
  EXPECT_EQ(Total(*rebuilt, "Store Sales"), Total(*a, "Store Sales"));
  EXPECT_EQ(rebuilt->Measures().size(), a->Measures().size());
}

}  // namespace
