#pragma once

#include <string>
#include <utility>
#include <vector>

#include "engine/storage/sqlite_database.h"

namespace engine {

// The tables a cube is built from: a SQLite database opened read-only, or CSV files loaded
// into a database in memory, one table per file.
class DataSource {
 public:
  // Raises BuildError when the file is missing or is not a SQLite database.
  static DataSource FromSqlite(const std::string& path);
  // (table name, CSV file) pairs. Raises BuildError naming the file and line of a fault.
  static DataSource FromCsv(const std::vector<std::pair<std::string, std::string>>& tables);

  SqliteDatabase& Db() { return db_; }
  const std::string& Description() const { return description_; }
  bool HasTable(const std::string& table);
  // The table's column names; empty when there is no such table.
  std::vector<std::string> Columns(const std::string& table);
  bool HasColumn(const std::string& table, const std::string& column);

 private:
  DataSource(SqliteDatabase db, std::string description)
      : db_(std::move(db)), description_(std::move(description)) {}

  SqliteDatabase db_;
  std::string description_;
};

}  // namespace engine
