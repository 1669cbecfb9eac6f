#include "engine/model/mdx_name.h"

namespace engine {

std::string QuoteName(std::string_view name) {
  std::string quoted = "[";
  for (char c : name) {
    quoted += c;
    if (c == ']')
      quoted += ']';
  }
  return quoted + "]";
}

std::optional<std::vector<std::string>> SplitUniqueName(std::string_view unique_name) {
  std::vector<std::string> names;
  size_t i = 0;
  while (true) {
    if (i >= unique_name.size() || unique_name[i] != '[')
      return std::nullopt;
    ++i;
    std::string name;
    bool closed = false;
    while (i < unique_name.size()) {
      if (unique_name[i] == ']') {
        if (i + 1 < unique_name.size() && unique_name[i + 1] == ']') {
          name += ']';
          i += 2;
          continue;
        }
        ++i;
        closed = true;
        break;
      }
      name += unique_name[i++];
    }
    if (!closed)
      return std::nullopt;
    names.push_back(std::move(name));
    if (i == unique_name.size())
      return names;
    if (unique_name[i] != '.')
      return std::nullopt;
    ++i;
  }
}

}  // namespace engine
