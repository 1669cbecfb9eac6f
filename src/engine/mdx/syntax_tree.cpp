#include "engine/mdx/syntax_tree.h"

#include <array>

#include "engine/mdx/same_name.h"

namespace engine::mdx {

std::string Identifier::UniqueName() const {
  std::string result;
  for (const NamePart& part : parts) {
    if (!result.empty())
      result += '.';
    if (part.style == NamePart::Style::kKey)
      result += '&';
    result += '[';
    for (char c : part.name) {
      result += c;
      if (c == ']')
        result += ']';
    }
    result += ']';
  }
  return result;
}

const CalculationProperty* WithDefinition::FindProperty(std::string_view property_name) const {
  for (const CalculationProperty& property : properties)
    if (SameName(property.name, property_name))
      return &property;
  return nullptr;
}

std::string AxisName(int ordinal) {
  static constexpr std::array<std::string_view, 5> kNames = {"COLUMNS", "ROWS", "PAGES", "SECTIONS",
                                                             "CHAPTERS"};
  if (ordinal >= 0 && ordinal < static_cast<int>(kNames.size()))
    return std::string(kNames[static_cast<size_t>(ordinal)]);
  return "AXIS(" + std::to_string(ordinal) + ")";
}

}  // namespace engine::mdx
