#include "engine/mdx/syntax_error.h"

namespace engine::mdx {

namespace {

std::string Compose(SourcePosition position, const std::string& detail) {
  return "Syntax error at line " + std::to_string(position.line) + ", column " +
         std::to_string(position.column) + ": " + detail + ".";
}

}  // namespace

SyntaxError::SyntaxError(SourcePosition position, const std::string& detail)
    : adomd::ProviderError(Compose(position, detail)), position_(position), detail_(detail) {}

}  // namespace engine::mdx
