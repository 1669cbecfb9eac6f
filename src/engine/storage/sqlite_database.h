#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace engine {

// A failure reported by SQLite; what() is SQLite's message.
class SqliteError : public std::runtime_error {
 public:
  SqliteError(const std::string& message, int code) : std::runtime_error(message), code_(code) {}
  int Code() const { return code_; }

 private:
  int code_;
};

// A prepared statement; columns are numbered from 0, parameters from 1.
class SqliteStatement {
 public:
  SqliteStatement(sqlite3* db, std::string_view sql);

  SqliteStatement& Bind(int index, int64_t value);
  SqliteStatement& Bind(int index, double value);
  SqliteStatement& Bind(int index, std::string_view value);
  SqliteStatement& BindBlob(int index, const void* data, size_t size);
  SqliteStatement& BindNull(int index);
  // True while there is a row; false when done.
  bool Step();
  // Runs a statement that returns no rows, then resets it for the next binding.
  void Run();
  void Reset();

  int ColumnCount() const { return sqlite3_column_count(statement_.get()); }
  std::string ColumnName(int column) const;
  int ColumnType(int column) const { return sqlite3_column_type(statement_.get(), column); }
  bool IsNull(int column) const { return ColumnType(column) == SQLITE_NULL; }
  int64_t Int(int column) const { return sqlite3_column_int64(statement_.get(), column); }
  double Double(int column) const { return sqlite3_column_double(statement_.get(), column); }
  std::string Text(int column) const;
  std::span<const std::byte> Blob(int column) const;
  sqlite3_stmt* Handle() const { return statement_.get(); }

 private:
  void Check(int code) const;

  sqlite3* db_;
  std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement_;
};

// An open SQLite database, closed when the object goes.
class SqliteDatabase {
 public:
  // Read-only and immutable: SQLite neither locks nor writes anything, not even a journal.
  static SqliteDatabase OpenImmutable(const std::string& path);
  static SqliteDatabase OpenReadOnly(const std::string& path);
  // Opens for writing, creating the file when missing.
  static SqliteDatabase OpenForWriting(const std::string& path);
  static SqliteDatabase OpenInMemory();

  void Execute(std::string_view sql);
  SqliteStatement Prepare(std::string_view sql) { return SqliteStatement(db_.get(), sql); }
  bool HasTable(std::string_view name);
  sqlite3* Handle() const { return db_.get(); }

 private:
  explicit SqliteDatabase(sqlite3* db) : db_(db, &sqlite3_close_v2) {}
  static SqliteDatabase Open(const std::string& name, int flags);

  std::unique_ptr<sqlite3, int (*)(sqlite3*)> db_;
};

// "name" with its double quotes doubled, for column and table names in SQL text.
std::string QuoteIdentifier(std::string_view name);

}  // namespace engine
