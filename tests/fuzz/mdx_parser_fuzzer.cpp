// libFuzzer target for the MDX parser: any text gives a tree or a SyntaxError, and the
// canonical text of a tree parses back to the same tree.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/mdx/parser.h"
#include "engine/mdx/syntax_error.h"
#include "engine/mdx/syntax_printer.h"

namespace {

using namespace engine::mdx;

// Canonical text adds parentheses, which may take a tree just inside the limits beyond them.
bool IsLimitError(const SyntaxError& error) {
  const std::string& detail = error.Detail();
  return detail.find("nested more than") != std::string::npos ||
         detail.find("too complex") != std::string::npos;
}

void CheckError(const SyntaxError& error) {
  if (error.Position().line < 1 || error.Position().column < 1 || error.Detail().empty())
    std::abort();
}

template <typename Parse>
void RoundTrip(std::string_view text, Parse parse) {
  std::string canonical;
  try {
    canonical = ToMdx(*parse(text));
  } catch (const SyntaxError& error) {
    CheckError(error);
    return;
  }
  try {
    if (ToMdx(*parse(canonical)) != canonical)
      std::abort();
  } catch (const SyntaxError& error) {
    if (!IsLimitError(error))
      std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  RoundTrip(text,
            [](std::string_view t) { return std::make_unique<Statement>(ParseStatement(t)); });
  RoundTrip(text, [](std::string_view t) { return ParseExpression(t); });
  return 0;
}
