#pragma once

#include <string>

#include "adomd/provider_error.h"
#include "engine/mdx/source_text.h"

namespace engine::mdx {

// A statement that cannot be parsed. The message names the place:
// "Syntax error at line 1, column 42: expected ')' but found 'ON'."
class SyntaxError : public adomd::ProviderError {
 public:
  SyntaxError(SourcePosition position, const std::string& detail);
  SourcePosition Position() const { return position_; }
  // The message without the position, such as "expected ')' but found 'ON'".
  const std::string& Detail() const { return detail_; }

 private:
  SourcePosition position_;
  std::string detail_;
};

}  // namespace engine::mdx
