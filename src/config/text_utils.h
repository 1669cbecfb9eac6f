#pragma once

#include <optional>
#include <string>
#include <string_view>

// Small text helpers shared by the configuration, connection and query layers.

// The text without leading and trailing blanks (spaces, tabs, line breaks).
std::string Trim(std::string_view text);
bool IsBlank(std::string_view text);
bool SameTextIgnoringCase(std::string_view a, std::string_view b);
std::string LowerCase(std::string_view text);
// A whole decimal integer with an optional sign and surrounding blanks; nothing otherwise.
std::optional<long long> ParseDecimal(std::string_view text);
