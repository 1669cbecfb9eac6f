#include "engine/mdx/function_table.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace engine::mdx;

TEST(MdxFunctionTable, HoldsEveryFunctionTheBrowserAndUsersWriteUnderAnyLetterCase) {
  const char* const names[] = {"Members",
                               "Children",
                               "Levels",
                               "Item",
                               "AddCalculatedMembers",
                               "Hierarchize",
                               "Union",
                               "Filter",
                               "Tail",
                               "IsEmpty",
                               "CurrentMember",
                               "ParallelPeriod",
                               "Sum",
                               "Aggregate",
                               "Avg",
                               "Min",
                               "Max",
                               "StDev",
                               "IIf",
                               "CrossJoin",
                               "Descendants",
                               "Parent",
                               "Ancestor",
                               "PrevMember",
                               "NextMember",
                               "Lag",
                               "Lead",
                               "Head",
                               "TopCount",
                               "BottomCount",
                               "Order",
                               "Except",
                               "Intersect",
                               "Distinct",
                               "Count",
                               "Var",
                               "Median",
                               "Rank",
                               "Generate",
                               "CoalesceEmpty",
                               "FirstChild",
                               "LastChild",
                               "Siblings",
                               "Level",
                               "Hierarchy",
                               "Dimension",
                               "Name",
                               "UniqueName",
                               "Properties",
                               "StrToMember",
                               "StrToSet",
                               "Abs",
                               "Round"};
  for (const char* name : names) {
    SCOPED_TRACE(name);
    const FunctionInfo* function = FindFunction(name);
    ASSERT_NE(function, nullptr);
    EXPECT_EQ(function->name, name);
    std::string upper = name;
    for (char& c : upper)
      c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(FindFunction(upper), function);
    EXPECT_EQ(&FunctionOf(function->id), function);
    EXPECT_TRUE(function->function_form || function->method_form);
  }
  EXPECT_EQ(FindFunction("Fitler"), nullptr);
  EXPECT_EQ(FindFunction(""), nullptr);
}

TEST(MdxFunctionTable, NamesEachFunctionOnce) {
  std::set<std::string> seen;
  for (const FunctionInfo& function : AllFunctions()) {
    std::string lower(function.name);
    for (char& c : lower)
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_TRUE(seen.insert(lower).second) << function.name;
  }
}

TEST(MdxFunctionTable, DescribesArgumentCountsForMessages) {
  const struct {
    ArgumentRange range;
    const char* text;
  } cases[] = {
      {{0, 0}, "takes no arguments"},
      {{1, 1}, "takes 1 argument"},
      {{3, 3}, "takes 3 arguments"},
      {{1, 2}, "takes 1 or 2 arguments"},
      {{0, 3}, "takes 0 to 3 arguments"},
      {{1, ArgumentRange::kUnbounded}, "takes at least 1 argument"},
      {{2, ArgumentRange::kUnbounded}, "takes at least 2 arguments"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.range.Describe(), c.text);
  EXPECT_TRUE((ArgumentRange{2, ArgumentRange::kUnbounded}).Allows(40));
  EXPECT_FALSE((ArgumentRange{1, 2}).Allows(3));
  EXPECT_FALSE((ArgumentRange{1, 2}).Allows(0));
}

}  // namespace
