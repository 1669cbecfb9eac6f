// The lookups and scans the MDX evaluator builds on, on real cube files.

#include <gtest/gtest.h>

#include <cmath>

#include "engine/model/cube_data.h"
#include "engine/model/fact_scan.h"
#include "engine/model/mdx_name.h"
#include "engine_test_files.h"

using namespace engine;

namespace {

class FoodMartCube : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { cube_ = FirstCube(FoodMartCubePath()); }
  static void TearDownTestSuite() { cube_.reset(); }

  static MemberRef Find(const std::string& unique_name) {
    const auto found = cube_->FindMember(unique_name);
    if (!found)
      throw std::runtime_error("no member " + unique_name);
    return *found;
  }
  static const HierarchyData& HierarchyOf(const MemberRef& ref) {
    return cube_->Hierarchy({ref.dimension, ref.hierarchy});
  }
  static std::vector<std::string> Names(const HierarchyData& hierarchy,
                                        std::span<const MemberId> members) {
    std::vector<std::string> names;
    for (MemberId m : members)
      names.push_back(hierarchy.Member(m).name);
    return names;
  }
  static int Measure(const std::string& name) { return cube_->FindMeasure(name); }

  static std::shared_ptr<const CubeData> cube_;
};

std::shared_ptr<const CubeData> FoodMartCube::cube_;

TEST(MdxName, QuotesAndSplitsNamesWithBrackets) {
  EXPECT_EQ(QuoteName("Odd]Name"), "[Odd]]Name]");
  EXPECT_EQ(SplitUniqueName("[Store].[USA].[Odd]]Name]"),
            (std::vector<std::string>{"Store", "USA", "Odd]Name"}));
  for (const char* bad : {"", "Store", "[Store", "[Store].", "[Store]x", "[Store]..[USA]"})
    EXPECT_FALSE(SplitUniqueName(bad)) << bad;
}

TEST_F(FoodMartCube, FindsMembersLevelsAndHierarchiesByUniqueName) {
  const MemberRef ca = Find("[Store].[USA].[CA]");
  EXPECT_EQ(HierarchyOf(ca).MemberUniqueName(ca.member), "[Store].[USA].[CA]");
  EXPECT_EQ(HierarchyOf(ca).Depth(ca.member), 2);
  // The all member may lead the path, or stand alone.
  EXPECT_EQ(Find("[Store].[All Stores].[USA].[CA]"), ca);
  EXPECT_EQ(HierarchyOf(Find("[Store].[All Stores]")).Depth(0), 0);
  // A dimension of two hierarchies: named ones, and the default one through the dimension.
  const MemberRef week = Find("[Time].[Weekly].[1997].[2]");
  EXPECT_EQ(HierarchyOf(week).Name(), "Weekly");
  EXPECT_EQ(Find("[Time].[1997].[Q1]"), Find("[Time].[Time].[1997].[Q1]"));
  EXPECT_EQ(cube_->FindHierarchy("[Time].[Weekly]"), (HierarchyRef{1, 1}));
  EXPECT_EQ(cube_->FindHierarchy("[Time]"), (HierarchyRef{1, 0}));
  EXPECT_EQ(cube_->FindLevel("[Store].[Store State]"), (LevelRef{0, 0, 2}));
  EXPECT_EQ(cube_->FindLevel("[Time].[Weekly].[Week]"), (LevelRef{1, 1, 2}));
  for (const char* missing : {"[Store].[USA].[XX]", "[Nowhere].[USA]", "[store].[USA]",
                              "[Store].[usa]", "Store.USA", "[Measures].[Unit Sales]"})
    EXPECT_FALSE(cube_->FindMember(missing)) << missing;
  EXPECT_EQ(cube_->FindMeasure("Unit Sales"), 0);
  EXPECT_EQ(cube_->FindMeasure("unit sales"), -1);
}

TEST_F(FoodMartCube, WalksChildrenParentsAncestorsDescendantsAndNeighbours) {
  const MemberRef usa = Find("[Store].[USA]");
  const HierarchyData& store = HierarchyOf(usa);
  EXPECT_EQ(Names(store, store.Children(usa.member)), (std::vector<std::string>{"CA", "OR", "WA"}));
  EXPECT_EQ(Names(store, store.TopMembers()), (std::vector<std::string>{"All Stores"}));
  EXPECT_EQ(Names(store, store.LevelMembers(1)),
            (std::vector<std::string>{"Canada", "Mexico", "USA"}));

  const MemberRef sf = Find("[Store].[USA].[CA].[San Francisco]");
  EXPECT_EQ(store.Parent(sf.member), Find("[Store].[USA].[CA]").member);
  EXPECT_EQ(store.Ancestor(sf.member, 1), usa.member);
  EXPECT_EQ(store.Ancestor(sf.member, 0), store.AllMember());
  EXPECT_EQ(store.Ancestor(sf.member, 4), kNoMember);
  EXPECT_TRUE(store.IsAncestorOrSelf(usa.member, sf.member));
  EXPECT_FALSE(store.IsAncestorOrSelf(sf.member, usa.member));

  // Descendants at a level are the level's members under the member, in order.
  const auto cities = store.Descendants(usa.member, 3);
  ASSERT_EQ(cities.size(), 14u);
  EXPECT_EQ(store.Member(cities.front()).name, "Alameda");
  EXPECT_EQ(store.Member(cities.back()).name, "Yakima");
  EXPECT_EQ(store.Descendants(usa.member, 1).size(), 1u);
  EXPECT_TRUE(store.Descendants(sf.member, 1).empty());

  // Neighbours within a level cross parents.
  const MemberRef q4 = Find("[Time].[1997].[Q4]");
  const HierarchyData& time = HierarchyOf(q4);
  EXPECT_EQ(time.MemberUniqueName(time.NextMember(q4.member)), "[Time].[Time].[1998].[Q1]");
  EXPECT_EQ(time.MemberUniqueName(time.PrevMember(q4.member)), "[Time].[Time].[1997].[Q3]");
  EXPECT_EQ(time.Lag(q4.member, 3), Find("[Time].[1997].[Q1]").member);
  EXPECT_EQ(time.Lag(q4.member, 4), kNoMember);
  EXPECT_EQ(time.Lag(q4.member, -5), kNoMember);
  // Months are in ordinal order, not by name.
  EXPECT_EQ(Names(time, time.Children(Find("[Time].[1997].[Q1]").member)),
            (std::vector<std::string>{"January", "February", "March"}));
}

TEST_F(FoodMartCube, TotalsMatchTheKnownFoodMartFigures) {
  ScanRequest request;
  for (const char* name :
       {"Unit Sales", "Store Sales", "Store Cost", "Sales Count", "Customer Count",
        "Max Unit Sales", "Min Store Sales", "Average Unit Sales"})
    request.measures.push_back(Measure(name));
  const auto groups = ScanFacts(*cube_, request);
  ASSERT_EQ(groups.size(), 1u);
  const auto& v = groups[0].values;
  EXPECT_EQ(groups[0].row_count, 86837u);
  EXPECT_EQ(*v[0], 266773);
  EXPECT_NEAR(*v[1], 565238.13, 1e-6);
  EXPECT_NEAR(*v[2], 225627.2336, 1e-6);  // 225,627.23 rounded
  EXPECT_EQ(*v[3], 86837);
  EXPECT_EQ(*v[4], 5581);
  EXPECT_EQ(*v[5], 6);
  EXPECT_NEAR(*v[6], 0.5, 1e-9);
  EXPECT_NEAR(*v[7], 266773.0 / 86837.0, 1e-9);
}

TEST_F(FoodMartCube, GroupsByLevelsAndFiltersByKeyBitmaps) {
  const LevelRef state = *cube_->FindLevel("[Store].[Store State]");
  const LevelRef gender = *cube_->FindLevel("[Gender].[Gender]");
  ScanRequest request;
  request.group_by = {state, gender};
  request.measures = {Measure("Unit Sales"), Measure("Customer Count")};
  const auto groups = ScanFacts(*cube_, request);
  // Only states with sales appear, in level order, genders varying fastest.
  const HierarchyData& store = cube_->Hierarchy({state.dimension, state.hierarchy});
  std::vector<std::string> seen;
  double total = 0;
  for (const auto& g : groups) {
    seen.push_back(
        store.Member(g.members[0]).name + "/" +
        cube_->Hierarchy({gender.dimension, gender.hierarchy}).Member(g.members[1]).name);
    total += *g.values[0];
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"CA/F", "CA/M", "OR/F", "OR/M", "WA/F", "WA/M"}));
  EXPECT_EQ(total, 266773);

  // A slicer of two members of one dimension is the union of their key bitmaps.
  const MemberRef ca = Find("[Store].[USA].[CA]");
  const MemberRef wa = Find("[Store].[USA].[WA]");
  KeyBitmap stores = HierarchyOf(ca).KeysOf(ca.member);
  stores |= HierarchyOf(wa).KeysOf(wa.member);
  const MemberRef q1 = Find("[Time].[1997].[Q1]");
  const KeyBitmap quarter = HierarchyOf(q1).KeysOf(q1.member);
  ScanRequest sliced;
  sliced.filters.assign(cube_->Dimensions().size(), nullptr);
  sliced.filters[static_cast<size_t>(ca.dimension)] = &stores;
  sliced.filters[static_cast<size_t>(q1.dimension)] = &quarter;
  sliced.measures = {Measure("Unit Sales")};
  const auto slice = ScanFacts(*cube_, sliced);
  ASSERT_EQ(slice.size(), 1u);
  // Cross-checked against the star schema with SQL.
  EXPECT_EQ(*slice[0].values[0], 16890 + 30114);
  // An empty filter leaves no group at all.
  const KeyBitmap none(cube_->Dimension(ca.dimension).KeyCount());
  sliced.filters[static_cast<size_t>(ca.dimension)] = &none;
  EXPECT_TRUE(ScanFacts(*cube_, sliced).empty());
}

TEST_F(FoodMartCube, MatchingRowsAreTheFactsBehindACell) {
  const MemberRef store = Find("[Store].[USA].[CA].[San Francisco].[Store 14]");
  const KeyBitmap keys = HierarchyOf(store).KeysOf(store.member);
  std::vector<const KeyBitmap*> filters(cube_->Dimensions().size(), nullptr);
  filters[static_cast<size_t>(store.dimension)] = &keys;
  const auto all = MatchingRows(*cube_, filters, 0, UINT64_MAX);
  ASSERT_FALSE(all.empty());
  const auto& column = cube_->KeysOf(store.dimension);
  for (uint64_t row : all)
    ASSERT_TRUE(keys.Test(column[row]));
  const auto page = MatchingRows(*cube_, filters, 10, 5);
  ASSERT_EQ(page.size(), 5u);
  EXPECT_EQ(page.front(), all[10]);
}

TEST(SampleCubeData, CardinalitiesAndKeyMapsAgree) {
  const auto cube = FirstCube(SampleCubePath());
  for (const auto& dimension : cube->Dimensions())
    for (const auto& hierarchy : dimension.Hierarchies())
      for (int depth = 0; depth < hierarchy.LevelCount(); ++depth) {
        // Every key belongs to a member of each level that is an ancestor of its leaf.
        const auto map = hierarchy.Level(depth).MemberOfKey();
        ASSERT_EQ(map.size(), dimension.KeyCount());
        const auto leaves = hierarchy.Level(hierarchy.LevelCount() - 1).MemberOfKey();
        for (uint32_t key = 0; key < dimension.KeyCount(); ++key)
          ASSERT_EQ(hierarchy.Ancestor(leaves[key], depth), map[key]);
      }
}

}  // namespace
