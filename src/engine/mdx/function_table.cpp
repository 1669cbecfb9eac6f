#include "engine/mdx/function_table.h"

#include <array>

#include "engine/mdx/same_name.h"

namespace engine::mdx {

namespace {

constexpr int kAll = ArgumentRange::kUnbounded;
constexpr std::optional<ArgumentRange> kNone;
constexpr std::optional<ArgumentRange> Args(int min, int max) {
  return ArgumentRange{min, max};
}

using F = FunctionId;
using V = ValueKind;

// In FunctionId order, so that FunctionOf can index it.
constexpr std::array kFunctions = {
    FunctionInfo{F::kAbs, "Abs", V::kNumeric, Args(1, 1), kNone},
    FunctionInfo{F::kAddCalculatedMembers, "AddCalculatedMembers", V::kSet, Args(1, 1), kNone},
    FunctionInfo{F::kAggregate, "Aggregate", V::kNumeric, Args(1, 2), kNone},
    FunctionInfo{F::kAllMembers, "AllMembers", V::kSet, kNone, Args(0, 0)},
    FunctionInfo{F::kAncestor, "Ancestor", V::kMember, Args(2, 2), kNone},
    FunctionInfo{F::kAvg, "Avg", V::kNumeric, Args(1, 2), kNone},
    FunctionInfo{F::kBottomCount, "BottomCount", V::kSet, Args(2, 3), kNone},
    FunctionInfo{F::kChildren, "Children", V::kSet, kNone, Args(0, 0)},
    FunctionInfo{F::kCoalesceEmpty, "CoalesceEmpty", V::kAny, Args(2, kAll), kNone},
    FunctionInfo{F::kCount, "Count", V::kNumeric, Args(1, 2), Args(0, 0)},
    FunctionInfo{F::kCrossJoin, "CrossJoin", V::kSet, Args(2, kAll), kNone},
    FunctionInfo{F::kCurrentMember, "CurrentMember", V::kMember, kNone, Args(0, 0)},
    FunctionInfo{F::kDefaultMember, "DefaultMember", V::kMember, kNone, Args(0, 0)},
    FunctionInfo{F::kDescendants, "Descendants", V::kSet, Args(1, 3), kNone},
    FunctionInfo{F::kDimension, "Dimension", V::kDimension, kNone, Args(0, 0)},
    FunctionInfo{F::kDistinct, "Distinct", V::kSet, Args(1, 1), kNone},
    FunctionInfo{F::kExcept, "Except", V::kSet, Args(2, 3), kNone},
    FunctionInfo{F::kFilter, "Filter", V::kSet, Args(2, 2), kNone},
    FunctionInfo{F::kFirstChild, "FirstChild", V::kMember, kNone, Args(0, 0)},
    FunctionInfo{F::kFirstSibling, "FirstSibling", V::kMember, kNone, Args(0, 0)},
    FunctionInfo{F::kGenerate, "Generate", V::kSet, Args(2, 3), kNone},
    FunctionInfo{F::kHead, "Head", V::kSet, Args(1, 2), kNone},
    FunctionInfo{F::kHierarchize, "Hierarchize", V::kSet, Args(1, 2), kNone},
    FunctionInfo{F::kHierarchy, "Hierarchy", V::kHierarchy, kNone, Args(0, 0)},
    FunctionInfo{F::kIIf, "IIf", V::kAny, Args(3, 3), kNone},
    FunctionInfo{F::kIntersect, "Intersect", V::kSet, Args(2, 3), kNone},
    FunctionInfo{F::kIsEmpty, "IsEmpty", V::kBoolean, Args(1, 1), kNone},
    // set.Item(n) is a tuple, tuple.Item(n) a member; set(n) is written as set.Item(n).
    FunctionInfo{F::kItem, "Item", V::kTuple, kNone, Args(1, kAll)},
    FunctionInfo{F::kLag, "Lag", V::kMember, kNone, Args(1, 1)},
    FunctionInfo{F::kLastChild, "LastChild", V::kMember, kNone, Args(0, 0)},
    FunctionInfo{F::kLastSibling, "LastSibling", V::kMember, kNone, Args(0, 0)},
    FunctionInfo{F::kLead, "Lead", V::kMember, kNone, Args(1, 1)},
    FunctionInfo{F::kLevel, "Level", V::kLevel, kNone, Args(0, 0)},
    FunctionInfo{F::kLevels, "Levels", V::kLevel, kNone, Args(1, 1)},
    FunctionInfo{F::kMax, "Max", V::kNumeric, Args(1, 2), kNone},
    FunctionInfo{F::kMedian, "Median", V::kNumeric, Args(1, 2), kNone},
    FunctionInfo{F::kMembers, "Members", V::kSet, kNone, Args(0, 0)},
    FunctionInfo{F::kMin, "Min", V::kNumeric, Args(1, 2), kNone},
    FunctionInfo{F::kName, "Name", V::kString, kNone, Args(0, 0)},
    FunctionInfo{F::kNextMember, "NextMember", V::kMember, kNone, Args(0, 0)},
    FunctionInfo{F::kOrder, "Order", V::kSet, Args(2, 3), kNone},
    FunctionInfo{F::kOrdinal, "Ordinal", V::kNumeric, kNone, Args(0, 0)},
    FunctionInfo{F::kParallelPeriod, "ParallelPeriod", V::kMember, Args(0, 3), kNone},
    FunctionInfo{F::kParent, "Parent", V::kMember, kNone, Args(0, 0)},
    FunctionInfo{F::kPrevMember, "PrevMember", V::kMember, kNone, Args(0, 0)},
    FunctionInfo{F::kProperties, "Properties", V::kString, kNone, Args(1, 2)},
    FunctionInfo{F::kRank, "Rank", V::kNumeric, Args(2, 3), kNone},
    FunctionInfo{F::kRound, "Round", V::kNumeric, Args(1, 2), kNone},
    FunctionInfo{F::kSiblings, "Siblings", V::kSet, kNone, Args(0, 0)},
    FunctionInfo{F::kStDev, "StDev", V::kNumeric, Args(1, 2), kNone},
    FunctionInfo{F::kStrToMember, "StrToMember", V::kMember, Args(1, 1), kNone},
    FunctionInfo{F::kStrToSet, "StrToSet", V::kSet, Args(1, 1), kNone},
    FunctionInfo{F::kSum, "Sum", V::kNumeric, Args(1, 2), kNone},
    FunctionInfo{F::kTail, "Tail", V::kSet, Args(1, 2), kNone},
    FunctionInfo{F::kTopCount, "TopCount", V::kSet, Args(2, 3), kNone},
    FunctionInfo{F::kUnion, "Union", V::kSet, Args(2, kAll), kNone},
    FunctionInfo{F::kUniqueName, "UniqueName", V::kString, kNone, Args(0, 0)},
    FunctionInfo{F::kValue, "Value", V::kAny, kNone, Args(0, 0)},
    FunctionInfo{F::kVar, "Var", V::kNumeric, Args(1, 2), kNone},
};

constexpr bool InIdOrder() {
  for (size_t i = 0; i < kFunctions.size(); ++i)
    if (static_cast<size_t>(kFunctions[i].id) != i)
      return false;
  return true;
}
static_assert(InIdOrder(), "kFunctions must list the functions in FunctionId order");

std::string Arguments(int count) {
  return std::to_string(count) + (count == 1 ? " argument" : " arguments");
}

}  // namespace

std::string ArgumentRange::Describe() const {
  if (max == kUnbounded)
    return "takes at least " + Arguments(min);
  if (max == 0)
    return "takes no arguments";
  if (min == max)
    return "takes " + Arguments(min);
  if (max == min + 1)
    return "takes " + std::to_string(min) + " or " + Arguments(max);
  return "takes " + std::to_string(min) + " to " + Arguments(max);
}

const FunctionInfo* FindFunction(std::string_view name) {
  for (const FunctionInfo& function : kFunctions)
    if (SameName(function.name, name))
      return &function;
  return nullptr;
}

const FunctionInfo& FunctionOf(FunctionId id) {
  return kFunctions[static_cast<size_t>(id)];
}

std::span<const FunctionInfo> AllFunctions() {
  return kFunctions;
}

}  // namespace engine::mdx
