#pragma once

#include <string_view>

#include "engine/mdx/syntax_tree.h"

namespace engine::mdx {

// How deep brackets, parentheses, function calls and prefix operators may nest, and how tall
// the tree of one expression may grow (a chain of a + b + ... counts one level per operator).
// Beyond these a statement is refused with a message instead of exhausting the stack.
inline constexpr int kMaxNesting = 256;
inline constexpr int kMaxExpressionHeight = 1024;

// Parses one statement: SELECT (with its WITH clause), DRILLTHROUGH or CREATE GLOBAL CUBE,
// optionally followed by ";". Function names and argument counts are checked against the
// function table. Throws SyntaxError.
Statement ParseStatement(std::string_view text);

// Parses one expression on its own, such as the text a StrToSet call or a calculated member
// of a cube file holds. Throws SyntaxError.
ExpressionPtr ParseExpression(std::string_view text);

}  // namespace engine::mdx
