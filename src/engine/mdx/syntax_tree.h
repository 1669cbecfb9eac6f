#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/mdx/function_table.h"
#include "engine/mdx/source_text.h"

// The syntax tree of an MDX statement, as the parser builds it. The tree is immutable after
// parsing, so one parsed statement can be evaluated by several threads at once.
namespace engine::mdx {

struct Expression;
using ExpressionPtr = std::unique_ptr<Expression>;

// One part of a dotted name: [Time], Measures, &[1997].
struct NamePart {
  enum class Style { kBare, kBracketed, kKey };
  std::string name;  // without brackets; "]]" already read as "]"
  Style style = Style::kBracketed;
  bool operator==(const NamePart&) const = default;
};

// A dotted name such as [Time].[Calendar].[1997] or a bare [Store Sales]: a member, level,
// hierarchy, dimension, named set or measure; which one is for the evaluator to find out.
struct Identifier {
  std::vector<NamePart> parts;
  // The name as a unique name is written: "[Time].[1997]", with "]" written "]]", key parts
  // as "&[...]" and bare parts bracketed.
  std::string UniqueName() const;
  bool operator==(const Identifier&) const = default;
};

struct NumberLiteral {
  double value = 0;
};

struct StringLiteral {
  std::string value;
};

struct NullLiteral {};

// {a, b, ...}; may be empty.
struct SetConstructor {
  std::vector<ExpressionPtr> elements;
};

// (a, b, ...) with at least two elements; a single expression in parentheses is that
// expression itself.
struct TupleConstructor {
  std::vector<ExpressionPtr> elements;
};

// Filter(set, condition) in the function form; x.Children or x.Lag(1) in the method form,
// where arguments[0] is the object before the dot. set(n) is read as set.Item(n).
struct FunctionCall {
  const FunctionInfo* function = nullptr;
  bool method_form = false;
  std::vector<ExpressionPtr> arguments;
  FunctionId Id() const { return function->id; }
};

enum class UnaryOperator { kMinus, kNot };

// kMultiply is also the crossjoin of two sets, kPlus their union and kMinus their difference:
// which applies depends on the operands, known only when evaluating.
enum class BinaryOperator {
  kPlus,
  kMinus,
  kMultiply,
  kDivide,
  kEqual,
  kNotEqual,
  kLess,
  kLessEqual,
  kGreater,
  kGreaterEqual,
  kAnd,
  kOr,
  kXor,
  kIs,
  kRange,  // a:b
};

struct UnaryOperation {
  UnaryOperator op;
  ExpressionPtr operand;
};

struct BinaryOperation {
  BinaryOperator op;
  ExpressionPtr left;
  ExpressionPtr right;
};

struct Expression {
  using Node = std::variant<NumberLiteral, StringLiteral, NullLiteral, Identifier, SetConstructor,
                            TupleConstructor, FunctionCall, UnaryOperation, BinaryOperation>;
  Node node;
  SourcePosition position;  // where the expression starts
  // The number of nodes on the longest path down from here; the parser keeps it bounded so
  // that walking the tree recursively cannot exhaust the stack.
  int height = 1;

  template <typename T>
  const T* As() const {
    return std::get_if<T>(&node);
  }
  template <typename T>
  bool Is() const {
    return std::holds_alternative<T>(node);
  }
};

// A property of a calculated member: FORMAT_STRING = '#,0.0###', SOLVE_ORDER = 1.
struct CalculationProperty {
  std::string name;  // as written
  ExpressionPtr value;
  SourcePosition position;
};

// WITH MEMBER name AS expression [, property = value ...] or WITH SET name AS expression.
struct WithDefinition {
  enum class Kind { kMember, kSet };
  Kind kind = Kind::kMember;
  Identifier name;
  ExpressionPtr expression;
  bool quoted = false;  // the expression was written in single quotes
  std::vector<CalculationProperty> properties;
  SourcePosition position;
  // The property of that name, compared without regard to case; nullptr when not given.
  const CalculationProperty* FindProperty(std::string_view property_name) const;
};

// One axis of a SELECT: [NON EMPTY] set ON COLUMNS.
struct AxisSpecification {
  int ordinal = 0;  // 0 COLUMNS, 1 ROWS, 2 PAGES, 3 SECTIONS, 4 CHAPTERS, n AXIS(n)
  bool non_empty = false;
  ExpressionPtr set;
  SourcePosition position;
};

// "COLUMNS", "ROWS", "PAGES", "SECTIONS", "CHAPTERS", then "AXIS(5)" and so on.
std::string AxisName(int ordinal);

struct SelectStatement {
  std::vector<WithDefinition> definitions;  // in the order written
  std::vector<AxisSpecification> axes;      // axes[i].ordinal == i; may be empty
  std::string cube_name;                    // the name after FROM, without brackets
  SourcePosition cube_position;
  ExpressionPtr slicer;  // the WHERE expression; nullptr without WHERE
};

// DRILLTHROUGH [MAXROWS n] [FIRSTROWSET n] SELECT ... [RETURN column, ...]
struct DrillthroughStatement {
  std::optional<int64_t> max_rows;
  std::optional<int64_t> first_rowset;
  SelectStatement select;
  std::vector<ExpressionPtr> return_columns;  // empty without RETURN
};

// DIMENSION [cube].[dimension] [(LEVEL [l], ..., MEMBER [..].[..], ...)]
struct GlobalCubeDimension {
  Identifier name;
  std::vector<Identifier> levels;
  std::vector<Identifier> members;
  SourcePosition position;
};

// CREATE GLOBAL CUBE [name] STORAGE 'file' FROM [cube] (MEASURE [cube].[m], ..., DIMENSION ...)
struct CreateGlobalCubeStatement {
  std::string cube_name;
  std::string storage;  // the file to write
  std::string source_cube;
  std::vector<Identifier> measures;
  std::vector<GlobalCubeDimension> dimensions;
};

using Statement = std::variant<SelectStatement, DrillthroughStatement, CreateGlobalCubeStatement>;

}  // namespace engine::mdx
