// The object model over local cube files, read the way the browser reads it: through a
// Catalog opened with a connection string, by index, comparing names exactly.

#include <gtest/gtest.h>

#include "adomd/catalog.h"
#include "adomd/cellset.h"
#include "adomd/provider_error.h"
#include "adomd/provider_registry.h"
#include "engine/engine_provider.h"
#include "engine_test_files.h"

namespace {

using adomd::Properties;

std::string Text(const std::shared_ptr<Properties>& properties, const std::string& name) {
  for (int i = 0; i < properties->Count(); ++i)
    if (properties->Item(i)->Name() == name)
      return properties->Item(i)->Value().ToText();
  return "(none)";
}

template <class Collection>
auto FindNamed(const std::shared_ptr<Collection>& items, const std::string& unique_name) {
  for (int i = 0; i < items->Count(); ++i)
    if (items->Item(i)->UniqueName() == unique_name)
      return items->Item(i);
  throw std::runtime_error("nothing named " + unique_name);
}

class LocalCube : public ::testing::Test {
 protected:
  void SetUp() override { engine::RegisterEngineProvider(); }

  std::shared_ptr<adomd::CubeDef> Open(const std::string& path) {
    catalog_.SetActiveConnection("Provider=MSOLAP.3;Data Source=\"" + path + "\";");
    return catalog_.GetCubeDefs()->Item(0);
  }

  adomd::Catalog catalog_;
};

TEST_F(LocalCube, SampleCubeHasTheNamesAndPropertiesTheBrowserReads) {
  const auto cube = Open(SampleCubePath());
  EXPECT_EQ(catalog_.GetCubeDefs()->Count(), 1);
  EXPECT_EQ(cube->Name(), "Sales");
  EXPECT_FALSE(cube->Description().empty());
  EXPECT_EQ(Text(cube->GetProperties(), "IS_DRILLTHROUGH_ENABLED"), "True");
  EXPECT_TRUE(cube->GetProperties()->Item(0)->Value().ToText() == "Sales");
  EXPECT_EQ(Text(cube->GetProperties(), "LAST_DATA_UPDATE").size(), 19u);

  const auto dimensions = cube->GetDimensions();
  std::vector<std::string> names;
  for (int i = 0; i < dimensions->Count(); ++i)
    names.push_back(dimensions->Item(i)->UniqueName());
  EXPECT_EQ(names, (std::vector<std::string>{"[Measures]", "[Time]", "[Store]", "[Product]",
                                             "[Customers]", "[Supplier]", "[Promotion Media]",
                                             "[Gender]", "[Marital Status]"}));

  // The measures: a dimension and hierarchy "[Measures]" whose level 0 holds every measure.
  const auto measures = dimensions->Item(0);
  EXPECT_EQ(measures->Name(), "Measures");
  EXPECT_EQ(Text(measures->GetProperties(), "DIMENSION_TYPE"), "2");
  const auto measure_hierarchy = measures->GetHierarchies()->Item(0);
  EXPECT_EQ(measure_hierarchy->UniqueName(), "[Measures]");
  const auto measure_members = measure_hierarchy->GetLevels()->Item(0)->GetMembers();
  std::vector<std::string> measure_names;
  for (int i = 0; i < measure_members->Count(); ++i) {
    const auto m = measure_members->Item(i);
    measure_names.push_back(m->UniqueName());
    EXPECT_EQ(m->LevelDepth(), 0);
    EXPECT_EQ(m->ChildCount(), 0);
  }
  EXPECT_EQ(measure_names,
            (std::vector<std::string>{"[Measures].[Unit Sales]", "[Measures].[Store Sales]",
                                      "[Measures].[Store Cost]", "[Measures].[Sales Count]",
                                      "[Measures].[Customer Count]", "[Measures].[Profit]"}));
  const auto profit = measure_members->Item(5);
  EXPECT_EQ(Text(profit->GetProperties(), "EXPRESSION"),
            "[Measures].[Store Sales] - [Measures].[Store Cost]");
  EXPECT_EQ(Text(profit->GetProperties(), "FORMAT_STRING"), "$#,##0.00");
  EXPECT_EQ(Text(measure_members->Item(0)->GetProperties(), "EXPRESSION"), "");

  // A dimension of one hierarchy: its unique name is the hierarchy's, levels and members
  // follow it; level 0 is the all level with the all member.
  const auto store = FindNamed(dimensions, "[Store]");
  EXPECT_EQ(Text(store->GetProperties(), "DIMENSION_TYPE"), "3");
  EXPECT_EQ(Text(store->GetProperties(), "DEFAULT_HIERARCHY"), "[Store]");
  const auto store_hierarchy = store->GetHierarchies()->Item(0);
  EXPECT_EQ(store_hierarchy->UniqueName(), "[Store]");
  EXPECT_EQ(Text(store_hierarchy->GetProperties(), "HIERARCHY_CARDINALITY"), "132");
  EXPECT_EQ(Text(store_hierarchy->GetProperties(), "HIERARCHY_DISPLAY_FOLDER"), "");
  const auto levels = store_hierarchy->GetLevels();
  ASSERT_EQ(levels->Count(), 5);
  EXPECT_EQ(levels->Item(0)->UniqueName(), "[Store].[(All)]");
  EXPECT_EQ(levels->Item(0)->Depth(), 0);
  EXPECT_EQ(Text(levels->Item(0)->GetProperties(), "LEVEL_TYPE"), "1");
  EXPECT_EQ(levels->Item(2)->UniqueName(), "[Store].[Store State]");
  EXPECT_EQ(levels->Item(2)->Caption(), "Store State");
  EXPECT_EQ(Text(levels->Item(2)->GetProperties(), "LEVEL_CARDINALITY"), "16");
  EXPECT_EQ(Text(levels->Item(2)->GetProperties(), "LEVEL_TYPE"), "0");
  const auto top = levels->Item(0)->GetMembers();
  ASSERT_EQ(top->Count(), 1);
  const auto all = top->Item(0);
  EXPECT_EQ(all->UniqueName(), "[Store].[All Stores]");
  EXPECT_EQ(all->LevelName(), "[Store].[(All)]");
  EXPECT_EQ(all->ChildCount(), 3);
  const auto usa = FindNamed(all->Children(), "[Store].[USA]");
  const auto ca = FindNamed(usa->Children(), "[Store].[USA].[CA]");
  EXPECT_EQ(ca->Name(), "CA");
  EXPECT_EQ(ca->Caption(), "CA");
  EXPECT_EQ(ca->LevelDepth(), 2);
  EXPECT_EQ(ca->LevelName(), "[Store].[Store State]");
  EXPECT_EQ(Text(ca->GetProperties(), "PARENT_UNIQUE_NAME"), "[Store].[USA]");
  // Children come in hierarchy order.
  std::vector<std::string> countries;
  for (int i = 0; i < all->Children()->Count(); ++i)
    countries.push_back(all->Children()->Item(i)->Name());
  EXPECT_EQ(countries, (std::vector<std::string>{"Canada", "Mexico", "USA"}));

  // Display folders.
  for (const char* name : {"[Gender]", "[Marital Status]"})
    EXPECT_EQ(Text(FindNamed(dimensions, name)->GetHierarchies()->Item(0)->GetProperties(),
                   "HIERARCHY_DISPLAY_FOLDER"),
              "Demographics");
  // The flat dimension's second level passes the volume warning; customers pass 2,500.
  const auto supplier_levels =
      FindNamed(dimensions, "[Supplier]")->GetHierarchies()->Item(0)->GetLevels();
  EXPECT_GT(std::stoi(Text(supplier_levels->Item(1)->GetProperties(), "LEVEL_CARDINALITY")), 500);
  EXPECT_GT(std::stoi(Text(
                FindNamed(dimensions, "[Customers]")->GetHierarchies()->Item(0)->GetProperties(),
                "HIERARCHY_CARDINALITY")),
            2500);
}

TEST_F(LocalCube, SampleTimeHasTwoHierarchiesWithTimeLevelTypes) {
  const auto time = FindNamed(Open(SampleCubePath())->GetDimensions(), "[Time]");
  EXPECT_EQ(Text(time->GetProperties(), "DIMENSION_TYPE"), "1");
  EXPECT_EQ(Text(time->GetProperties(), "DEFAULT_HIERARCHY"), "[Time].[Calendar]");
  const auto hierarchies = time->GetHierarchies();
  ASSERT_EQ(hierarchies->Count(), 2);
  struct Expected {
    const char* hierarchy;
    std::vector<std::pair<std::string, std::string>> levels;  // unique name, LEVEL_TYPE
  };
  const Expected expected[] = {
      {"[Time].[Calendar]",
       {{"[Time].[Calendar].[Year]", "20"},
        {"[Time].[Calendar].[Quarter]", "68"},
        {"[Time].[Calendar].[Month]", "132"},
        {"[Time].[Calendar].[Day]", "516"}}},
      {"[Time].[Weekly]",
       {{"[Time].[Weekly].[Year]", "20"},
        {"[Time].[Weekly].[Week]", "260"},
        {"[Time].[Weekly].[Day]", "516"}}},
  };
  for (int h = 0; h < 2; ++h) {
    const auto hierarchy = hierarchies->Item(h);
    EXPECT_EQ(hierarchy->UniqueName(), expected[h].hierarchy);
    const auto levels = hierarchy->GetLevels();
    ASSERT_EQ(levels->Count(), static_cast<int>(expected[h].levels.size()));
    for (int l = 0; l < levels->Count(); ++l) {
      EXPECT_EQ(levels->Item(l)->UniqueName(), expected[h].levels[static_cast<size_t>(l)].first);
      EXPECT_EQ(Text(levels->Item(l)->GetProperties(), "LEVEL_TYPE"),
                expected[h].levels[static_cast<size_t>(l)].second);
    }
    // No all level: level 0 holds the years, the top members.
    const auto years = levels->Item(0)->GetMembers();
    ASSERT_EQ(years->Count(), 4);
    EXPECT_EQ(years->Item(0)->UniqueName(), std::string(expected[h].hierarchy) + ".[2023]");
    EXPECT_EQ(years->Item(0)->LevelDepth(), 0);
  }
  const auto w1 =
      FindNamed(hierarchies->Item(1)->GetLevels()->Item(0)->GetMembers(), "[Time].[Weekly].[2025]")
          ->Children()
          ->Item(0);
  EXPECT_EQ(w1->UniqueName(), "[Time].[Weekly].[2025].[W1]");
  EXPECT_EQ(w1->LevelName(), "[Time].[Weekly].[Week]");
  EXPECT_EQ(w1->Children()->Item(0)->Caption(), "Wed 1 Jan 2025");
  EXPECT_EQ(w1->Children()->Item(0)->Name(), "2025-01-01");
}

TEST_F(LocalCube, FoodMartMembersComeInHierarchyOrder) {
  const auto cube = Open(FoodMartCubePath());
  const auto dimensions = cube->GetDimensions();
  // A hierarchy without a name in a dimension of two takes the dimension's name.
  const auto time_hierarchies = FindNamed(dimensions, "[Time]")->GetHierarchies();
  EXPECT_EQ(time_hierarchies->Item(0)->UniqueName(), "[Time].[Time]");
  EXPECT_EQ(time_hierarchies->Item(0)->Name(), "Time");
  const auto weekly_top = time_hierarchies->Item(1)->GetLevels()->Item(0)->GetMembers();
  EXPECT_EQ(weekly_top->Item(0)->UniqueName(), "[Time].[Weekly].[All Weeklys]");

  const auto q1 = FindNamed(time_hierarchies->Item(0)->GetLevels()->Item(0)->GetMembers(),
                            "[Time].[Time].[1997]")
                      ->Children()
                      ->Item(0);
  EXPECT_EQ(q1->UniqueName(), "[Time].[Time].[1997].[Q1]");
  std::vector<std::string> months;
  for (int i = 0; i < q1->Children()->Count(); ++i)
    months.push_back(q1->Children()->Item(i)->Name());
  EXPECT_EQ(months, (std::vector<std::string>{"January", "February", "March"}));

  // Level members of a deeper level run in hierarchy order across parents.
  const auto product_levels =
      FindNamed(dimensions, "[Product]")->GetHierarchies()->Item(0)->GetLevels();
  const auto departments = product_levels->Item(2)->GetMembers();
  std::vector<std::string> first_three;
  for (int i = 0; i < 3; ++i)
    first_three.push_back(departments->Item(i)->UniqueName());
  EXPECT_EQ(first_three, (std::vector<std::string>{"[Product].[Drink].[Alcoholic Beverages]",
                                                   "[Product].[Drink].[Beverages]",
                                                   "[Product].[Drink].[Dairy]"}));
  EXPECT_EQ(Text(product_levels->Item(6)->GetProperties(), "LEVEL_CARDINALITY"), "1560");
  EXPECT_EQ(Text(FindNamed(dimensions, "[Gender]")->GetHierarchies()->Item(0)->GetProperties(),
                 "HIERARCHY_DISPLAY_FOLDER"),
            "Demographics");
  EXPECT_THROW(departments->Item(departments->Count()), adomd::ProviderError);
}

TEST_F(LocalCube, ConnectionListsItsCatalogAndHasNoMdxYet) {
  Open(SampleCubePath());
  const auto connection = catalog_.ActiveConnection();
  EXPECT_EQ(connection->ListCatalogs(), (std::vector<std::string>{"Sales"}));
  adomd::Cellset cellset;
  try {
    cellset.Open("SELECT FROM [Sales]", connection);
    ADD_FAILURE();
  } catch (const adomd::ProviderError& error) {
    EXPECT_STREQ(error.what(), "MDX statements are not supported by this build of the engine yet.");
  }
  EXPECT_EQ(cellset.State(), adomd::Cellset::kStateClosed);
  EXPECT_THROW(connection->Execute("DRILLTHROUGH SELECT FROM [Sales]"), adomd::ProviderError);
}

TEST_F(LocalCube, OpeningABadFileFailsWithTheFilesMessage) {
  TemporaryFolder folder;
  folder.Write("bad.cub", "not a cube");
  try {
    catalog_.SetActiveConnection("Provider=MSOLAP.3;Data Source=\"" + folder.File("bad.cub") +
                                 "\";");
    ADD_FAILURE();
  } catch (const adomd::ProviderError& error) {
    EXPECT_EQ(std::string(error.what()),
              "The file " + folder.File("bad.cub") + " is not a Hexvane cube file.");
  }
  EXPECT_FALSE(catalog_.IsOpen());
  EXPECT_THROW(catalog_.SetActiveConnection("Provider=MSOLAP.3;Data Source=\"" +
                                            folder.File("none.cub") + "\";"),
               adomd::ProviderError);
}

TEST_F(LocalCube, ConnectionsToOneFileShareItsCubes) {
  const auto first = std::make_shared<engine::EngineConnection>(SampleCubePath());
  const auto second = std::make_shared<engine::EngineConnection>(SampleCubePath());
  EXPECT_EQ(first->File(), second->File());
}

}  // namespace
