#pragma once

#include <string>

#include "engine/mdx/syntax_tree.h"

namespace engine::mdx {

// The MDX text of a tree in one canonical spelling: every binary operation in parentheses,
// names as they were written, methods after their object, set(n) as set.Item(n). Parsing
// the text again gives the same tree, so the text also serves to show or compare trees.
std::string ToMdx(const Expression& expression);
std::string ToMdx(const Identifier& name);
std::string ToMdx(const Statement& statement);

}  // namespace engine::mdx
