#include "engine/builder/csv_reader.h"

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "engine/builder/build_error.h"

namespace engine {

CsvTable ReadCsvFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in || std::filesystem::is_directory(path))
    throw BuildError("The CSV file " + path + " cannot be read.");
  std::stringstream buffer;
  buffer << in.rdbuf();
  std::string text = buffer.str();
  if (text.starts_with("\xEF\xBB\xBF"))
    text.erase(0, 3);

  CsvTable table;
  std::vector<std::string> record;
  std::string field;
  int line = 1;
  int record_line = 1;
  bool quoted = false;
  bool field_started = false;
  auto fail = [&](int at, const std::string& what) {
    throw BuildError("The CSV file " + path + ", line " + std::to_string(at) + ": " + what);
  };
  auto end_record = [&] {
    record.push_back(std::move(field));
    field.clear();
    field_started = false;
    if (record.size() == 1 && record[0].empty()) {
      record.clear();  // a blank line
      return;
    }
    if (table.columns.empty()) {
      std::set<std::string> seen;
      for (const auto& name : record) {
        if (name.find_first_not_of(" \t") == std::string::npos)
          fail(record_line, "a column has no name.");
        if (!seen.insert(name).second)
          fail(record_line, "the column \"" + name + "\" is named twice.");
      }
      table.columns = std::move(record);
    } else {
      if (record.size() != table.columns.size())
        fail(record_line, "the record has " + std::to_string(record.size()) +
                              " fields; the header names " + std::to_string(table.columns.size()) +
                              " columns.");
      table.rows.push_back(std::move(record));
    }
    record.clear();
  };

  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"') {
        if (i + 1 < text.size() && text[i + 1] == '"') {
          field += '"';
          ++i;
        } else {
          quoted = false;
          if (i + 1 < text.size() && text[i + 1] != ',' && text[i + 1] != '\n' &&
              text[i + 1] != '\r')
            fail(line, "text follows the closing quote of a field.");
        }
      } else {
        if (c == '\n')
          ++line;
        field += c;
      }
      continue;
    }
    if (c == '"' && !field_started) {
      quoted = true;
      field_started = true;
    } else if (c == ',') {
      record.push_back(std::move(field));
      field.clear();
      field_started = false;
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      continue;
    } else if (c == '\n') {
      end_record();
      ++line;
      record_line = line;
    } else {
      if (c == '"')
        fail(line, "a quote inside a field that does not begin with one.");
      field += c;
      field_started = true;
    }
  }
  if (quoted)
    fail(record_line, "a quoted field is not closed.");
  if (field_started || !record.empty())
    end_record();
  if (table.columns.empty())
    fail(1, "the file has no header naming its columns.");
  return table;
}

}  // namespace engine
