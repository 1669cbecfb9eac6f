#include "engine/mdx/parser.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/mdx/lexer.h"
#include "engine/mdx/same_name.h"
#include "engine/mdx/syntax_error.h"

namespace engine::mdx {

namespace {

// Words that end or structure a statement and so never start a name in an expression.
constexpr std::array<std::string_view, 19> kReservedWords = {
    "AND",  "AS", "CREATE", "DRILLTHROUGH", "EMPTY",  "FROM", "IS",    "MEMBER", "NON", "NOT",
    "NULL", "ON", "OR",     "RETURN",       "SELECT", "SET",  "WHERE", "WITH",   "XOR"};

// Axis numbers run from 0 to this; MDX providers allow 128 axes.
constexpr int kMaxAxisOrdinal = 127;

std::string Quote(std::string_view text) {
  return "'" + std::string(text) + "'";
}

class Parser {
 public:
  // end_name describes the end of the text in messages: "the end of the statement".
  Parser(const SourceText& source, std::vector<Token> tokens, std::string_view end_name)
      : source_(source), tokens_(std::move(tokens)), end_name_(end_name) {}

  Statement ParseWholeStatement() {
    Statement statement = ParseStatementBody();
    Accept(TokenKind::kSemicolon);
    ExpectEnd();
    return statement;
  }

  ExpressionPtr ParseWholeExpression() {
    ExpressionPtr expression = ParseExpr();
    ExpectEnd();
    return expression;
  }

 private:
  // ---- tokens ----

  const Token& Peek(size_t ahead = 0) const {
    return tokens_[std::min(position_ + ahead, tokens_.size() - 1)];
  }
  const Token& Advance() {
    const Token& token = tokens_[position_];
    if (position_ + 1 < tokens_.size())
      ++position_;
    return token;
  }
  bool At(TokenKind kind, size_t ahead = 0) const { return Peek(ahead).kind == kind; }
  bool Accept(TokenKind kind) {
    if (!At(kind))
      return false;
    Advance();
    return true;
  }
  const Token& Expect(TokenKind kind, std::string_view expected) {
    if (!At(kind))
      Fail(Peek(), expected);
    return Advance();
  }

  static bool IsWord(const Token& token, std::string_view word) {
    return token.kind == TokenKind::kIdentifier && SameName(token.spelling, word);
  }
  bool AtWord(std::string_view word, size_t ahead = 0) const { return IsWord(Peek(ahead), word); }
  bool AcceptWord(std::string_view word) {
    if (!AtWord(word))
      return false;
    Advance();
    return true;
  }
  void ExpectWord(std::string_view word) {
    if (!AcceptWord(word))
      Fail(Peek(), std::string(word));
  }
  static bool IsReserved(const Token& token) {
    return std::any_of(kReservedWords.begin(), kReservedWords.end(),
                       [&](std::string_view word) { return IsWord(token, word); });
  }

  void ExpectEnd() {
    if (!At(TokenKind::kEnd))
      Fail(Peek(), end_name_);
  }

  // ---- messages ----

  SourcePosition PositionOf(const Token& token) const { return source_.PositionOf(token.offset); }

  std::string Describe(const Token& token) const {
    switch (token.kind) {
      case TokenKind::kEnd:
        return end_name_;
      case TokenKind::kString:
        return "the string " + Printable(token.spelling, 30);
      default:
        return Quote(Printable(token.spelling, 30));
    }
  }

  [[noreturn]] void Fail(const Token& at, std::string_view expected) const {
    throw SyntaxError(PositionOf(at),
                      "expected " + std::string(expected) + " but found " + Describe(at));
  }
  [[noreturn]] void FailWith(const Token& at, const std::string& detail) const {
    throw SyntaxError(PositionOf(at), detail);
  }

  // Counts the recursion of the descent: brackets, parentheses and arguments all pass through
  // ParseExpr, prefix operators through their own rule.
  class NestingGuard {
   public:
    NestingGuard(Parser& parser, const Token& at) : parser_(parser) {
      if (++parser_.nesting_ > kMaxNesting)
        parser_.FailWith(at, "the expression is nested more than " + std::to_string(kMaxNesting) +
                                 " levels deep");
    }
    ~NestingGuard() { --parser_.nesting_; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

   private:
    Parser& parser_;
  };

  // ---- building nodes ----

  ExpressionPtr Make(Expression::Node node, const Token& at) const {
    auto expression = std::make_unique<Expression>();
    int below = 0;
    auto measure = [&](const ExpressionPtr& child) {
      if (child)
        below = std::max(below, child->height);
    };
    if (auto* set = std::get_if<SetConstructor>(&node)) {
      for (const auto& element : set->elements)
        measure(element);
    } else if (auto* tuple = std::get_if<TupleConstructor>(&node)) {
      for (const auto& element : tuple->elements)
        measure(element);
    } else if (auto* call = std::get_if<FunctionCall>(&node)) {
      for (const auto& argument : call->arguments)
        measure(argument);
    } else if (auto* unary = std::get_if<UnaryOperation>(&node)) {
      measure(unary->operand);
    } else if (auto* binary = std::get_if<BinaryOperation>(&node)) {
      measure(binary->left);
      measure(binary->right);
    }
    if (below + 1 > kMaxExpressionHeight)
      FailWith(at, "the expression is too complex: more than " +
                       std::to_string(kMaxExpressionHeight) + " operations inside one another");
    expression->node = std::move(node);
    expression->position = PositionOf(at);
    expression->height = below + 1;
    return expression;
  }

  ExpressionPtr MakeBinary(BinaryOperator op, ExpressionPtr left, ExpressionPtr right) const {
    const SourcePosition position = left->position;
    ExpressionPtr result = Make(BinaryOperation{op, std::move(left), std::move(right)}, Peek());
    result->position = position;
    return result;
  }

  // ---- statements ----

  Statement ParseStatementBody() {
    if (AtWord("SELECT") || AtWord("WITH"))
      return ParseSelect();
    if (AtWord("DRILLTHROUGH"))
      return ParseDrillthrough();
    if (AtWord("CREATE"))
      return ParseCreateGlobalCube();
    Fail(Peek(), "SELECT, WITH, DRILLTHROUGH or CREATE GLOBAL CUBE");
  }

  SelectStatement ParseSelect() {
    SelectStatement select;
    if (AcceptWord("WITH")) {
      if (!AtWord("MEMBER") && !AtWord("SET"))
        Fail(Peek(), "MEMBER or SET");
      while (AtWord("MEMBER") || AtWord("SET"))
        select.definitions.push_back(ParseDefinition());
    }
    ExpectWord("SELECT");
    if (!AtWord("FROM")) {
      select.axes.push_back(ParseAxis());
      while (Accept(TokenKind::kComma))
        select.axes.push_back(ParseAxis());
    }
    CheckAxes(select.axes);
    ExpectWord("FROM");
    select.cube_position = PositionOf(Peek());
    select.cube_name = ParseSingleName("the cube name");
    if (AcceptWord("WHERE"))
      select.slicer = ParseExpr();
    return select;
  }

  WithDefinition ParseDefinition() {
    WithDefinition definition;
    definition.position = PositionOf(Peek());
    const bool member = AtWord("MEMBER");
    definition.kind = member ? WithDefinition::Kind::kMember : WithDefinition::Kind::kSet;
    Advance();
    definition.name = ParseName(member ? "the name of the member" : "the name of the set");
    ExpectWord("AS");
    if (At(TokenKind::kString)) {
      definition.quoted = true;
      definition.expression = ParseQuotedExpression(Advance());
    } else {
      definition.expression = ParseExpr();
    }
    while (Accept(TokenKind::kComma)) {
      if (!At(TokenKind::kIdentifier) || IsReserved(Peek()) || !At(TokenKind::kEqual, 1))
        Fail(Peek(), "a property such as FORMAT_STRING = '...'");
      CalculationProperty property;
      property.position = PositionOf(Peek());
      property.name = Advance().spelling;
      Advance();  // =
      property.value = ParseExpr();
      definition.properties.push_back(std::move(property));
    }
    return definition;
  }

  // The text of a quoted expression parsed on its own, its places kept in the statement.
  ExpressionPtr ParseQuotedExpression(const Token& string) {
    const std::string_view written = string.spelling;
    const char quote = written.front();
    std::vector<size_t> offsets;
    offsets.reserve(string.value.size() + 1);
    for (size_t i = 1; i + 1 < written.size(); ++i) {
      offsets.push_back(string.offset + i);
      if (written[i] == quote)
        ++i;  // a doubled quote stands for one
    }
    offsets.push_back(string.offset + written.size() - 1);
    Parser inner(source_, Tokenize(string.value, source_, OffsetMap(std::move(offsets))),
                 "the end of the quoted expression");
    inner.nesting_ = nesting_;
    return inner.ParseWholeExpression();
  }

  AxisSpecification ParseAxis() {
    AxisSpecification axis;
    axis.position = PositionOf(Peek());
    if (AcceptWord("NON")) {
      ExpectWord("EMPTY");
      axis.non_empty = true;
    }
    axis.set = ParseExpr();
    ExpectWord("ON");
    axis.ordinal = ParseAxisOrdinal();
    return axis;
  }

  int ParseAxisOrdinal() {
    static constexpr std::array<std::string_view, 5> kNames = {"COLUMNS", "ROWS", "PAGES",
                                                               "SECTIONS", "CHAPTERS"};
    for (size_t i = 0; i < kNames.size(); ++i)
      if (AcceptWord(kNames[i]))
        return static_cast<int>(i);
    const char* const expected = "COLUMNS, ROWS, PAGES, SECTIONS, CHAPTERS, AXIS(n) or a number";
    if (AcceptWord("AXIS")) {
      Expect(TokenKind::kLeftParen, "'('");
      const int ordinal = ParseWholeNumber("the axis number", kMaxAxisOrdinal);
      Expect(TokenKind::kRightParen, "')'");
      return ordinal;
    }
    if (At(TokenKind::kNumber))
      return ParseWholeNumber("the axis number", kMaxAxisOrdinal);
    Fail(Peek(), expected);
  }

  // A number token that is a whole number from 0 to max.
  int64_t ParseWholeNumber(std::string_view what, int64_t max) {
    const Token& token = Expect(TokenKind::kNumber, "a number");
    const double value = token.number;
    if (value < 0 || value > static_cast<double>(max) || std::floor(value) != value)
      FailWith(token, std::string(what) + " must be a whole number from 0 to " +
                          std::to_string(max) + ", not " + Quote(Printable(token.spelling, 30)));
    return static_cast<int64_t>(value);
  }

  // Axes may be written in any order but must be numbered from 0 without gaps; they are
  // returned in axis order.
  void CheckAxes(std::vector<AxisSpecification>& axes) const {
    std::vector<const AxisSpecification*> by_ordinal(kMaxAxisOrdinal + 1, nullptr);
    for (const AxisSpecification& axis : axes) {
      auto& slot = by_ordinal[static_cast<size_t>(axis.ordinal)];
      if (slot)
        throw SyntaxError(axis.position, "the axis " + AxisName(axis.ordinal) + " is given twice");
      slot = &axis;
    }
    for (const AxisSpecification& axis : axes)
      for (int lower = 0; lower < axis.ordinal; ++lower)
        if (!by_ordinal[static_cast<size_t>(lower)])
          throw SyntaxError(axis.position, "the axis " + AxisName(axis.ordinal) +
                                               " is given without the axis " + AxisName(lower));
    std::sort(axes.begin(), axes.end(),
              [](const auto& a, const auto& b) { return a.ordinal < b.ordinal; });
  }

  DrillthroughStatement ParseDrillthrough() {
    DrillthroughStatement drillthrough;
    Advance();  // DRILLTHROUGH
    constexpr int64_t kMaxRows = int64_t{1} << 53;
    for (;;) {
      if (!drillthrough.max_rows && AcceptWord("MAXROWS")) {
        drillthrough.max_rows = ParseWholeNumber("MAXROWS", kMaxRows);
      } else if (!drillthrough.first_rowset && AcceptWord("FIRSTROWSET")) {
        drillthrough.first_rowset = ParseWholeNumber("FIRSTROWSET", kMaxRows);
      } else {
        break;
      }
    }
    if (!AtWord("SELECT") && !AtWord("WITH")) {
      std::string expected;
      if (!drillthrough.max_rows)
        expected += "MAXROWS, ";
      if (!drillthrough.first_rowset)
        expected += "FIRSTROWSET, ";
      if (!expected.empty())
        expected.replace(expected.size() - 2, 2, " or ");
      Fail(Peek(), expected + "SELECT");
    }
    drillthrough.select = ParseSelect();
    if (AcceptWord("RETURN")) {
      drillthrough.return_columns.push_back(ParseExpr());
      while (Accept(TokenKind::kComma))
        drillthrough.return_columns.push_back(ParseExpr());
    }
    return drillthrough;
  }

  CreateGlobalCubeStatement ParseCreateGlobalCube() {
    CreateGlobalCubeStatement create;
    Advance();  // CREATE
    ExpectWord("GLOBAL");
    ExpectWord("CUBE");
    create.cube_name = ParseSingleName("the name of the new cube");
    ExpectWord("STORAGE");
    create.storage = Expect(TokenKind::kString, "the file name in quotes").value;
    ExpectWord("FROM");
    create.source_cube = ParseSingleName("the name of the source cube");
    Expect(TokenKind::kLeftParen, "'('");
    // Empty items are passed over: the statement puts a comma after its last measure.
    for (;;) {
      if (Accept(TokenKind::kComma))
        continue;
      if (Accept(TokenKind::kRightParen))
        break;
      if (AcceptWord("MEASURE")) {
        create.measures.push_back(ParseName("the measure"));
      } else if (AtWord("DIMENSION")) {
        create.dimensions.push_back(ParseGlobalCubeDimension());
      } else {
        Fail(Peek(), "MEASURE, DIMENSION or ')'");
      }
      if (!At(TokenKind::kComma) && !At(TokenKind::kRightParen))
        Fail(Peek(), "',' or ')'");
    }
    return create;
  }

  GlobalCubeDimension ParseGlobalCubeDimension() {
    GlobalCubeDimension dimension;
    dimension.position = PositionOf(Advance());  // DIMENSION
    dimension.name = ParseName("the dimension");
    if (!Accept(TokenKind::kLeftParen))
      return dimension;
    for (;;) {
      if (Accept(TokenKind::kComma))
        continue;
      if (Accept(TokenKind::kRightParen))
        break;
      if (AcceptWord("LEVEL")) {
        dimension.levels.push_back(ParseName("the level"));
      } else if (AcceptWord("MEMBER")) {
        dimension.members.push_back(ParseName("the member"));
      } else {
        Fail(Peek(), "LEVEL, MEMBER or ')'");
      }
      if (!At(TokenKind::kComma) && !At(TokenKind::kRightParen))
        Fail(Peek(), "',' or ')'");
    }
    return dimension;
  }

  // ---- names ----

  bool AtNameStart() const {
    return At(TokenKind::kBracketName) || At(TokenKind::kKeyName) ||
           (At(TokenKind::kIdentifier) && !IsReserved(Peek()));
  }

  static NamePart PartOf(const Token& token) {
    switch (token.kind) {
      case TokenKind::kBracketName:
        return {token.value, NamePart::Style::kBracketed};
      case TokenKind::kKeyName:
        return {token.value, NamePart::Style::kKey};
      default:
        return {token.spelling, NamePart::Style::kBare};
    }
  }

  // A dotted name of plain parts, as the WITH clause and CREATE GLOBAL CUBE write them.
  Identifier ParseName(std::string_view what) {
    if (!AtNameStart())
      Fail(Peek(), what);
    Identifier name;
    name.parts.push_back(PartOf(Advance()));
    while (At(TokenKind::kDot)) {
      Advance();
      if (!At(TokenKind::kBracketName) && !At(TokenKind::kKeyName) && !At(TokenKind::kIdentifier))
        Fail(Peek(), "a name after '.'");
      name.parts.push_back(PartOf(Advance()));
    }
    return name;
  }

  // A name of one part, such as a cube name.
  std::string ParseSingleName(std::string_view what) {
    if (!At(TokenKind::kBracketName) && !(At(TokenKind::kIdentifier) && !IsReserved(Peek())))
      Fail(Peek(), what);
    const Token& token = Advance();
    return token.kind == TokenKind::kBracketName ? token.value : token.spelling;
  }

  // ---- expressions, lowest precedence first ----

  ExpressionPtr ParseExpr() {
    const NestingGuard guard(*this, Peek());
    return ParseOr();
  }

  ExpressionPtr ParseOr() {
    ExpressionPtr left = ParseAnd();
    for (;;) {
      BinaryOperator op;
      if (AtWord("OR")) {
        op = BinaryOperator::kOr;
      } else if (AtWord("XOR")) {
        op = BinaryOperator::kXor;
      } else {
        return left;
      }
      Advance();
      left = MakeBinary(op, std::move(left), ParseAnd());
    }
  }

  ExpressionPtr ParseAnd() {
    ExpressionPtr left = ParseNot();
    while (AcceptWord("AND"))
      left = MakeBinary(BinaryOperator::kAnd, std::move(left), ParseNot());
    return left;
  }

  ExpressionPtr ParseNot() {
    if (!AtWord("NOT"))
      return ParseComparison();
    const Token& at = Advance();
    const NestingGuard guard(*this, at);
    return Make(UnaryOperation{UnaryOperator::kNot, ParseNot()}, at);
  }

  ExpressionPtr ParseComparison() {
    ExpressionPtr left = ParseAdditive();
    for (;;) {
      BinaryOperator op;
      switch (Peek().kind) {
        case TokenKind::kEqual:
          op = BinaryOperator::kEqual;
          break;
        case TokenKind::kNotEqual:
          op = BinaryOperator::kNotEqual;
          break;
        case TokenKind::kLess:
          op = BinaryOperator::kLess;
          break;
        case TokenKind::kLessEqual:
          op = BinaryOperator::kLessEqual;
          break;
        case TokenKind::kGreater:
          op = BinaryOperator::kGreater;
          break;
        case TokenKind::kGreaterEqual:
          op = BinaryOperator::kGreaterEqual;
          break;
        default:
          if (!AtWord("IS"))
            return left;
          op = BinaryOperator::kIs;
      }
      Advance();
      left = MakeBinary(op, std::move(left), ParseAdditive());
    }
  }

  ExpressionPtr ParseAdditive() {
    ExpressionPtr left = ParseMultiplicative();
    for (;;) {
      BinaryOperator op;
      if (At(TokenKind::kPlus)) {
        op = BinaryOperator::kPlus;
      } else if (At(TokenKind::kMinus)) {
        op = BinaryOperator::kMinus;
      } else {
        return left;
      }
      Advance();
      left = MakeBinary(op, std::move(left), ParseMultiplicative());
    }
  }

  ExpressionPtr ParseMultiplicative() {
    ExpressionPtr left = ParseUnary();
    for (;;) {
      BinaryOperator op;
      if (At(TokenKind::kStar)) {
        op = BinaryOperator::kMultiply;
      } else if (At(TokenKind::kSlash)) {
        op = BinaryOperator::kDivide;
      } else {
        return left;
      }
      Advance();
      left = MakeBinary(op, std::move(left), ParseUnary());
    }
  }

  // A sign before a number becomes part of the number: Lag(-1) holds the number -1.
  ExpressionPtr ParseUnary() {
    if (!At(TokenKind::kMinus) && !At(TokenKind::kPlus))
      return ParseRange();
    const Token& at = Advance();
    const bool minus = at.kind == TokenKind::kMinus;
    const NestingGuard guard(*this, at);
    ExpressionPtr operand = ParseUnary();
    if (auto* number = std::get_if<NumberLiteral>(&operand->node)) {
      if (minus)
        number->value = -number->value;
      operand->position = PositionOf(at);
      return operand;
    }
    if (!minus)
      return operand;
    return Make(UnaryOperation{UnaryOperator::kMinus, std::move(operand)}, at);
  }

  ExpressionPtr ParseRange() {
    ExpressionPtr left = ParsePostfix(ParsePrimary());
    while (Accept(TokenKind::kColon))
      left = MakeBinary(BinaryOperator::kRange, std::move(left), ParsePostfix(ParsePrimary()));
    return left;
  }

  ExpressionPtr ParsePrimary() {
    const Token& token = Peek();
    switch (token.kind) {
      case TokenKind::kNumber:
        Advance();
        return Make(NumberLiteral{token.number}, token);
      case TokenKind::kString:
        Advance();
        return Make(StringLiteral{token.value}, token);
      case TokenKind::kLeftBrace:
        return ParseSet();
      case TokenKind::kLeftParen:
        return ParseParenthesized();
      case TokenKind::kBracketName:
      case TokenKind::kKeyName:
        Advance();
        return Make(Identifier{{PartOf(token)}}, token);
      case TokenKind::kIdentifier:
        if (IsWord(token, "NULL")) {
          Advance();
          return Make(NullLiteral{}, token);
        }
        if (IsReserved(token))
          break;
        if (At(TokenKind::kLeftParen, 1))
          return ParseFunction();
        Advance();
        return Make(Identifier{{PartOf(token)}}, token);
      default:
        break;
    }
    Fail(token, "an expression");
  }

  ExpressionPtr ParseSet() {
    const Token& open = Advance();
    SetConstructor set;
    if (!Accept(TokenKind::kRightBrace)) {
      set.elements.push_back(ParseExpr());
      while (Accept(TokenKind::kComma))
        set.elements.push_back(ParseExpr());
      Expect(TokenKind::kRightBrace, "',' or '}'");
    }
    return Make(std::move(set), open);
  }

  ExpressionPtr ParseParenthesized() {
    const Token& open = Advance();
    std::vector<ExpressionPtr> elements;
    elements.push_back(ParseExpr());
    while (Accept(TokenKind::kComma))
      elements.push_back(ParseExpr());
    Expect(TokenKind::kRightParen, "',' or ')'");
    if (elements.size() == 1)
      return std::move(elements.front());
    return Make(TupleConstructor{std::move(elements)}, open);
  }

  // The arguments in parentheses after a function name; the "(" is next.
  std::vector<ExpressionPtr> ParseArguments() {
    Advance();  // (
    std::vector<ExpressionPtr> arguments;
    if (Accept(TokenKind::kRightParen))
      return arguments;
    arguments.push_back(ParseExpr());
    while (Accept(TokenKind::kComma))
      arguments.push_back(ParseExpr());
    Expect(TokenKind::kRightParen, "',' or ')'");
    return arguments;
  }

  [[noreturn]] void FailUnknownFunction(const Token& name) const {
    FailWith(name, "Unknown function " + Quote(Printable(name.spelling, 40)));
  }

  void CheckCount(const Token& name, const FunctionInfo& function, const ArgumentRange& range,
                  size_t count) const {
    if (!range.Allows(static_cast<int>(count)))
      FailWith(name, "Function " + Quote(function.name) + " " + range.Describe() + ", got " +
                         std::to_string(count));
  }

  // ParseName(arguments) in the function form.
  ExpressionPtr ParseFunction() {
    const Token& name = Advance();
    const FunctionInfo* function = FindFunction(name.spelling);
    if (!function)
      FailUnknownFunction(name);
    if (!function->function_form)
      FailWith(name, "Function " + Quote(function->name) + " is written after its object: x." +
                         std::string(function->name));
    std::vector<ExpressionPtr> arguments = ParseArguments();
    CheckCount(name, *function, *function->function_form, arguments.size());
    return Make(FunctionCall{function, false, std::move(arguments)}, name);
  }

  static bool TakesParts(const ExpressionPtr& expression) { return expression->Is<Identifier>(); }

  // Dotted name parts, method calls and set(n) after a primary expression.
  ExpressionPtr ParsePostfix(ExpressionPtr expression) {
    for (;;) {
      if (At(TokenKind::kDot)) {
        expression = ParseAfterDot(std::move(expression));
      } else if (At(TokenKind::kLeftParen) &&
                 (expression->Is<Identifier>() || expression->Is<FunctionCall>() ||
                  expression->Is<SetConstructor>())) {
        expression = ParseItemIndex(std::move(expression));
      } else {
        return expression;
      }
    }
  }

  ExpressionPtr ParseAfterDot(ExpressionPtr object) {
    Advance();  // .
    const Token& token = Peek();
    if (token.kind == TokenKind::kBracketName || token.kind == TokenKind::kKeyName) {
      if (!TakesParts(object))
        Fail(token, "a function name after '.'");
      Advance();
      std::get<Identifier>(object->node).parts.push_back(PartOf(token));
      return object;
    }
    if (token.kind != TokenKind::kIdentifier)
      Fail(token, "a name or a function after '.'");
    const FunctionInfo* function = FindFunction(token.spelling);
    const bool with_parentheses = At(TokenKind::kLeftParen, 1);
    if (!function || !function->method_form) {
      // A bare word after a dot is a name part unless it calls something.
      if (!with_parentheses && TakesParts(object)) {
        Advance();
        std::get<Identifier>(object->node).parts.push_back(PartOf(token));
        return object;
      }
      if (!function)
        FailUnknownFunction(token);
      FailWith(token, "Function " + Quote(function->name) + " is not written after an object: " +
                          std::string(function->name) + "(...)");
    }
    Advance();
    const ArgumentRange& range = *function->method_form;
    std::vector<ExpressionPtr> arguments;
    arguments.push_back(std::move(object));
    // Parentheses after a method without arguments index its result: Members(0).
    if (with_parentheses && range.max != 0) {
      std::vector<ExpressionPtr> rest = ParseArguments();
      CheckCount(token, *function, range, rest.size());
      for (auto& argument : rest)
        arguments.push_back(std::move(argument));
    } else {
      CheckCount(token, *function, range, 0);
    }
    const SourcePosition position = arguments.front()->position;
    ExpressionPtr call = Make(FunctionCall{function, true, std::move(arguments)}, token);
    call->position = position;
    return call;
  }

  // set(n), read as set.Item(n).
  ExpressionPtr ParseItemIndex(ExpressionPtr object) {
    const Token& open = Peek();
    const FunctionInfo& item = FunctionOf(FunctionId::kItem);
    std::vector<ExpressionPtr> rest = ParseArguments();
    CheckCount(open, item, *item.method_form, rest.size());
    std::vector<ExpressionPtr> arguments;
    arguments.push_back(std::move(object));
    for (auto& argument : rest)
      arguments.push_back(std::move(argument));
    const SourcePosition position = arguments.front()->position;
    ExpressionPtr call = Make(FunctionCall{&item, true, std::move(arguments)}, open);
    call->position = position;
    return call;
  }

  const SourceText& source_;
  std::vector<Token> tokens_;
  std::string end_name_;
  size_t position_ = 0;
  int nesting_ = 0;
};

}  // namespace

Statement ParseStatement(std::string_view text) {
  const SourceText source(text);
  return Parser(source, Tokenize(text, source), "the end of the statement").ParseWholeStatement();
}

ExpressionPtr ParseExpression(std::string_view text) {
  const SourceText source(text);
  return Parser(source, Tokenize(text, source), "the end of the expression").ParseWholeExpression();
}

}  // namespace engine::mdx
