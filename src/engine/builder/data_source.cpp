#include "engine/builder/data_source.h"

#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <set>

#include "engine/builder/build_error.h"
#include "engine/builder/csv_reader.h"

namespace engine {

namespace {

bool IsInteger(const std::string& text) {
  size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
  if (i == text.size() || text.size() - i > 18)
    return false;
  for (; i < text.size(); ++i)
    if (text[i] < '0' || text[i] > '9')
      return false;
  return true;
}

bool IsReal(const std::string& text, double& value) {
  if (text.find_first_of(" \t") != std::string::npos)
    return false;
  errno = 0;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return end == text.c_str() + text.size() && errno == 0 && std::isfinite(value);
}

// The column's type from its values: INTEGER when every non-empty value is an integer,
// REAL when every one is a number, TEXT otherwise. Empty fields are NULL.
std::string ColumnType(const CsvTable& table, size_t column) {
  bool integer = true;
  bool real = true;
  double ignored = 0;
  for (const auto& row : table.rows) {
    const std::string& value = row[column];
    if (value.empty())
      continue;
    if (integer && !IsInteger(value))
      integer = false;
    if (!integer && real && !IsReal(value, ignored))
      real = false;
    if (!real)
      break;
  }
  return integer ? "INTEGER" : real ? "REAL" : "TEXT";
}

}  // namespace

DataSource DataSource::FromSqlite(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
    throw BuildError("The data source " + path + " does not exist.");
  try {
    DataSource source(SqliteDatabase::OpenReadOnly(path), "the data source " + path);
    source.db_.Execute("SELECT count(*) FROM sqlite_master");
    return source;
  } catch (const SqliteError& error) {
    throw BuildError("The data source " + path +
                     " is not a readable SQLite database: " + error.what() + ".");
  }
}

DataSource DataSource::FromCsv(const std::vector<std::pair<std::string, std::string>>& tables) {
  DataSource source(SqliteDatabase::OpenInMemory(), "the CSV data");
  std::set<std::string> names;
  for (const auto& [name, path] : tables) {
    if (name.empty())
      throw BuildError("The CSV file " + path + " is given no table name.");
    if (!names.insert(name).second)
      throw BuildError("The table name " + name + " is given to two CSV files.");
    const CsvTable csv = ReadCsvFile(path);
    std::string create = "CREATE TABLE " + QuoteIdentifier(name) + " (";
    std::string insert = "INSERT INTO " + QuoteIdentifier(name) + " VALUES (";
    std::vector<std::string> types;
    for (size_t c = 0; c < csv.columns.size(); ++c) {
      types.push_back(ColumnType(csv, c));
      create += (c ? ", " : "") + QuoteIdentifier(csv.columns[c]) + " " + types.back();
      insert += (c ? ", ?" : "?") + std::to_string(c + 1);
    }
    source.db_.Execute(create + ")");
    source.db_.Execute("BEGIN");
    SqliteStatement statement = source.db_.Prepare(insert + ")");
    for (const auto& row : csv.rows) {
      for (size_t c = 0; c < row.size(); ++c) {
        const int index = static_cast<int>(c + 1);
        double real = 0;
        if (row[c].empty())
          statement.BindNull(index);
        else if (types[c] == "INTEGER")
          statement.Bind(index, static_cast<int64_t>(std::strtoll(row[c].c_str(), nullptr, 10)));
        else if (types[c] == "REAL" && IsReal(row[c], real))
          statement.Bind(index, real);
        else
          statement.Bind(index, row[c]);
      }
      statement.Run();
    }
    source.db_.Execute("COMMIT");
  }
  return source;
}

bool DataSource::HasTable(const std::string& table) {
  return db_.HasTable(table);
}

std::vector<std::string> DataSource::Columns(const std::string& table) {
  std::vector<std::string> columns;
  SqliteStatement statement = db_.Prepare("SELECT name FROM pragma_table_info(?1)");
  statement.Bind(1, table);
  while (statement.Step())
    columns.push_back(statement.Text(0));
  return columns;
}

bool DataSource::HasColumn(const std::string& table, const std::string& column) {
  for (const auto& name : Columns(table))
    if (name == column)
      return true;
  return false;
}

}  // namespace engine
