#include "engine/mdx/syntax_printer.h"

#include <charconv>

namespace engine::mdx {

namespace {

std::string Bracketed(std::string_view name) {
  std::string result = "[";
  for (char c : name) {
    result += c;
    if (c == ']')
      result += ']';
  }
  return result + "]";
}

std::string Quoted(std::string_view text) {
  std::string result = "'";
  for (char c : text) {
    result += c;
    if (c == '\'')
      result += '\'';
  }
  return result + "'";
}

std::string Number(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string_view OperatorText(BinaryOperator op) {
  switch (op) {
    case BinaryOperator::kPlus:
      return " + ";
    case BinaryOperator::kMinus:
      return " - ";
    case BinaryOperator::kMultiply:
      return " * ";
    case BinaryOperator::kDivide:
      return " / ";
    case BinaryOperator::kEqual:
      return " = ";
    case BinaryOperator::kNotEqual:
      return " <> ";
    case BinaryOperator::kLess:
      return " < ";
    case BinaryOperator::kLessEqual:
      return " <= ";
    case BinaryOperator::kGreater:
      return " > ";
    case BinaryOperator::kGreaterEqual:
      return " >= ";
    case BinaryOperator::kAnd:
      return " AND ";
    case BinaryOperator::kOr:
      return " OR ";
    case BinaryOperator::kXor:
      return " XOR ";
    case BinaryOperator::kIs:
      return " IS ";
    case BinaryOperator::kRange:
      return ":";
  }
  return " ? ";
}

std::string List(const std::vector<ExpressionPtr>& elements, size_t first = 0) {
  std::string result;
  for (size_t i = first; i < elements.size(); ++i) {
    if (i > first)
      result += ", ";
    result += ToMdx(*elements[i]);
  }
  return result;
}

// An operand of a prefix operator or the object of a method: a number or a prefix operation
// there goes in parentheses, which binary operations always have.
std::string Operand(const Expression& expression) {
  const bool wrap = expression.Is<NumberLiteral>() || expression.Is<UnaryOperation>();
  return wrap ? "(" + ToMdx(expression) + ")" : ToMdx(expression);
}

struct ExpressionPrinter {
  std::string operator()(const NumberLiteral& number) const { return Number(number.value); }
  std::string operator()(const StringLiteral& string) const { return Quoted(string.value); }
  std::string operator()(const NullLiteral&) const { return "NULL"; }
  std::string operator()(const Identifier& name) const { return ToMdx(name); }
  std::string operator()(const SetConstructor& set) const { return "{" + List(set.elements) + "}"; }
  std::string operator()(const TupleConstructor& tuple) const {
    return "(" + List(tuple.elements) + ")";
  }
  std::string operator()(const FunctionCall& call) const {
    const std::string name(call.function->name);
    if (!call.method_form)
      return name + "(" + List(call.arguments) + ")";
    std::string result = Operand(*call.arguments.front()) + "." + name;
    if (call.arguments.size() > 1)
      result += "(" + List(call.arguments, 1) + ")";
    return result;
  }
  std::string operator()(const UnaryOperation& unary) const {
    if (unary.op == UnaryOperator::kNot)
      return "NOT " + Operand(*unary.operand);
    return "-" + Operand(*unary.operand);
  }
  std::string operator()(const BinaryOperation& binary) const {
    return "(" + BinaryOperand(binary.op, *binary.left) + std::string(OperatorText(binary.op)) +
           BinaryOperand(binary.op, *binary.right) + ")";
  }

  // NOT binds more loosely than any other operator, and the operands of ":" more tightly
  // than a sign, so "(NOT a) + 1" and "(-1):a" keep their parentheses.
  static std::string BinaryOperand(BinaryOperator op, const Expression& operand) {
    if (op == BinaryOperator::kRange)
      return Operand(operand);
    const auto* unary = operand.As<UnaryOperation>();
    if (unary && unary->op == UnaryOperator::kNot)
      return "(" + ToMdx(operand) + ")";
    return ToMdx(operand);
  }
};

std::string Select(const SelectStatement& select) {
  std::string result;
  if (!select.definitions.empty()) {
    result += "WITH";
    for (const WithDefinition& definition : select.definitions) {
      result += definition.kind == WithDefinition::Kind::kMember ? " MEMBER " : " SET ";
      result += ToMdx(definition.name) + " AS ";
      const std::string expression = ToMdx(*definition.expression);
      if (definition.quoted) {
        result += Quoted(expression);
      } else if (definition.expression->Is<StringLiteral>()) {
        result += "(" + expression + ")";  // bare, a string would read as a quoted expression
      } else {
        result += expression;
      }
      for (const CalculationProperty& property : definition.properties)
        result += ", " + property.name + " = " + ToMdx(*property.value);
    }
    result += " ";
  }
  result += "SELECT";
  for (size_t i = 0; i < select.axes.size(); ++i) {
    const AxisSpecification& axis = select.axes[i];
    result += i == 0 ? " " : ", ";
    if (axis.non_empty)
      result += "NON EMPTY ";
    result += ToMdx(*axis.set) + " ON " + AxisName(axis.ordinal);
  }
  result += " FROM " + Bracketed(select.cube_name);
  if (select.slicer)
    result += " WHERE " + ToMdx(*select.slicer);
  return result;
}

struct StatementPrinter {
  std::string operator()(const SelectStatement& select) const { return Select(select); }
  std::string operator()(const DrillthroughStatement& drillthrough) const {
    std::string result = "DRILLTHROUGH ";
    if (drillthrough.max_rows)
      result += "MAXROWS " + std::to_string(*drillthrough.max_rows) + " ";
    if (drillthrough.first_rowset)
      result += "FIRSTROWSET " + std::to_string(*drillthrough.first_rowset) + " ";
    result += Select(drillthrough.select);
    if (!drillthrough.return_columns.empty())
      result += " RETURN " + List(drillthrough.return_columns);
    return result;
  }
  std::string operator()(const CreateGlobalCubeStatement& create) const {
    std::string result = "CREATE GLOBAL CUBE " + Bracketed(create.cube_name) + " STORAGE " +
                         Quoted(create.storage) + " FROM " + Bracketed(create.source_cube) + " (";
    std::string items;
    auto add = [&](const std::string& item) { items += (items.empty() ? "" : ", ") + item; };
    for (const Identifier& measure : create.measures)
      add("MEASURE " + ToMdx(measure));
    for (const GlobalCubeDimension& dimension : create.dimensions) {
      std::string restrictions;
      for (const Identifier& level : dimension.levels)
        restrictions += (restrictions.empty() ? "LEVEL " : ", LEVEL ") + ToMdx(level);
      for (const Identifier& member : dimension.members)
        restrictions += (restrictions.empty() ? "MEMBER " : ", MEMBER ") + ToMdx(member);
      add("DIMENSION " + ToMdx(dimension.name) +
          (restrictions.empty() ? "" : " (" + restrictions + ")"));
    }
    return result + items + ")";
  }
};

}  // namespace

std::string ToMdx(const Expression& expression) {
  return std::visit(ExpressionPrinter{}, expression.node);
}

std::string ToMdx(const Identifier& name) {
  std::string result;
  for (const NamePart& part : name.parts) {
    if (!result.empty())
      result += '.';
    switch (part.style) {
      case NamePart::Style::kBare:
        result += part.name;
        break;
      case NamePart::Style::kBracketed:
        result += Bracketed(part.name);
        break;
      case NamePart::Style::kKey:
        result += "&" + Bracketed(part.name);
        break;
    }
  }
  return result;
}

std::string ToMdx(const Statement& statement) {
  return std::visit(StatementPrinter{}, statement);
}

}  // namespace engine::mdx
