#pragma once

#include <string>
#include <vector>

namespace engine {

// The contents of a CSV file (RFC 4180: comma-separated, fields in double quotes may hold
// commas, quotes written twice and line breaks). The first record names the columns.
struct CsvTable {
  std::vector<std::string> columns;
  std::vector<std::vector<std::string>> rows;
};

// Raises BuildError naming the file and line of a fault: a missing file, an unclosed quote,
// a record whose field count differs from the header's, an empty or repeated column name.
CsvTable ReadCsvFile(const std::string& path);

}  // namespace engine
