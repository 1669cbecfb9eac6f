#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// "[" + name + "]" with every "]" of the name doubled, as unique names write it.
std::string QuoteName(std::string_view name);

// The names of a unique name such as "[Store].[USA].[CA]" or "[Time].[Odd]]Name]", without
// their brackets ("]]" read as "]"). Nothing when the text is not a "."-separated list of
// bracketed names.
std::optional<std::vector<std::string>> SplitUniqueName(std::string_view unique_name);

}  // namespace engine
