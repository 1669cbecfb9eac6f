#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace engine::mdx {

// Every MDX function the engine knows, one per name.
enum class FunctionId {
  kAbs,
  kAddCalculatedMembers,
  kAggregate,
  kAllMembers,
  kAncestor,
  kAvg,
  kBottomCount,
  kChildren,
  kCoalesceEmpty,
  kCount,
  kCrossJoin,
  kCurrentMember,
  kDefaultMember,
  kDescendants,
  kDimension,
  kDistinct,
  kExcept,
  kFilter,
  kFirstChild,
  kFirstSibling,
  kGenerate,
  kHead,
  kHierarchize,
  kHierarchy,
  kIIf,
  kIntersect,
  kIsEmpty,
  kItem,
  kLag,
  kLastChild,
  kLastSibling,
  kLead,
  kLevel,
  kLevels,
  kMax,
  kMedian,
  kMembers,
  kMin,
  kName,
  kNextMember,
  kOrder,
  kOrdinal,
  kParallelPeriod,
  kParent,
  kPrevMember,
  kProperties,
  kRank,
  kRound,
  kSiblings,
  kStDev,
  kStrToMember,
  kStrToSet,
  kSum,
  kTail,
  kTopCount,
  kUnion,
  kUniqueName,
  kValue,
  kVar,
};

// What a function returns. kAny: the kind of the arguments it passes on (IIf, CoalesceEmpty).
enum class ValueKind {
  kSet,
  kTuple,
  kMember,
  kLevel,
  kHierarchy,
  kDimension,
  kNumeric,
  kString,
  kBoolean,
  kAny,
};

// How many arguments a call may have; max is kUnbounded for any number from min.
struct ArgumentRange {
  static constexpr int kUnbounded = -1;
  int min = 0;
  int max = 0;
  bool Allows(int count) const { return count >= min && (max == kUnbounded || count <= max); }
  // "takes 1 or 2 arguments", "takes no arguments", "takes at least 2 arguments", ...
  std::string Describe() const;
};

struct FunctionInfo {
  FunctionId id;
  std::string_view name;  // as written in messages and printed statements
  ValueKind kind;
  // The forms the function can be called in: as a function, Tail(set, 1), and as a method
  // of its first argument, [Time].[1997].Children. A method's range counts the arguments in
  // its parentheses, without the object before the dot.
  std::optional<ArgumentRange> function_form;
  std::optional<ArgumentRange> method_form;
};

// The function of that name, compared without regard to case; nullptr when there is none.
const FunctionInfo* FindFunction(std::string_view name);
const FunctionInfo& FunctionOf(FunctionId id);
std::span<const FunctionInfo> AllFunctions();

}  // namespace engine::mdx
