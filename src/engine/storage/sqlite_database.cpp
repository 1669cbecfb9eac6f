#include "engine/storage/sqlite_database.h"

#include <cctype>

namespace engine {

namespace {

// A file: URI for a path, so that no character of the name is taken as URI syntax.
std::string FileUri(const std::string& path) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string uri = "file:";
  for (unsigned char c : path) {
    if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += kHex[c >> 4];
      uri += kHex[c & 15];
    }
  }
  return uri;
}

}  // namespace

SqliteStatement::SqliteStatement(sqlite3* db, std::string_view sql)
    : db_(db), statement_(nullptr, &sqlite3_finalize) {
  sqlite3_stmt* statement = nullptr;
  const int code =
      sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &statement, nullptr);
  statement_.reset(statement);
  Check(code);
}

void SqliteStatement::Check(int code) const {
  if (code != SQLITE_OK)
    throw SqliteError(sqlite3_errmsg(db_), code);
}

SqliteStatement& SqliteStatement::Bind(int index, int64_t value) {
  Check(sqlite3_bind_int64(statement_.get(), index, value));
  return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, double value) {
  Check(sqlite3_bind_double(statement_.get(), index, value));
  return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, std::string_view value) {
  Check(sqlite3_bind_text64(statement_.get(), index, value.data(), value.size(), SQLITE_TRANSIENT,
                            SQLITE_UTF8));
  return *this;
}

SqliteStatement& SqliteStatement::BindBlob(int index, const void* data, size_t size) {
  // A zero-length blob still binds as a blob, not as NULL.
  static const char kEmpty = 0;
  Check(sqlite3_bind_blob64(statement_.get(), index, size == 0 ? &kEmpty : data, size,
                            SQLITE_STATIC));
  return *this;
}

SqliteStatement& SqliteStatement::BindNull(int index) {
  Check(sqlite3_bind_null(statement_.get(), index));
  return *this;
}

bool SqliteStatement::Step() {
  const int code = sqlite3_step(statement_.get());
  if (code == SQLITE_ROW)
    return true;
  if (code == SQLITE_DONE)
    return false;
  throw SqliteError(sqlite3_errmsg(db_), code);
}

void SqliteStatement::Run() {
  while (Step()) {
  }
  Reset();
}

void SqliteStatement::Reset() {
  sqlite3_reset(statement_.get());
  sqlite3_clear_bindings(statement_.get());
}

std::string SqliteStatement::ColumnName(int column) const {
  const char* name = sqlite3_column_name(statement_.get(), column);
  return name ? name : "";
}

std::string SqliteStatement::Text(int column) const {
  const auto* text = sqlite3_column_text(statement_.get(), column);
  if (!text)
    return {};
  return std::string(reinterpret_cast<const char*>(text),
                     static_cast<size_t>(sqlite3_column_bytes(statement_.get(), column)));
}

std::span<const std::byte> SqliteStatement::Blob(int column) const {
  const void* data = sqlite3_column_blob(statement_.get(), column);
  const int size = sqlite3_column_bytes(statement_.get(), column);
  if (!data || size <= 0)
    return {};
  return {static_cast<const std::byte*>(data), static_cast<size_t>(size)};
}

SqliteDatabase SqliteDatabase::Open(const std::string& name, int flags) {
  sqlite3* db = nullptr;
  const int code = sqlite3_open_v2(name.c_str(), &db, flags, nullptr);
  SqliteDatabase database(db);
  if (code != SQLITE_OK)
    throw SqliteError(db ? sqlite3_errmsg(db) : sqlite3_errstr(code), code);
  sqlite3_extended_result_codes(db, 1);
  return database;
}

SqliteDatabase SqliteDatabase::OpenImmutable(const std::string& path) {
  return Open(FileUri(path) + "?immutable=1", SQLITE_OPEN_READONLY | SQLITE_OPEN_URI);
}

SqliteDatabase SqliteDatabase::OpenReadOnly(const std::string& path) {
  return Open(FileUri(path) + "?mode=ro", SQLITE_OPEN_READONLY | SQLITE_OPEN_URI);
}

SqliteDatabase SqliteDatabase::OpenForWriting(const std::string& path) {
  return Open(FileUri(path), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI);
}

SqliteDatabase SqliteDatabase::OpenInMemory() {
  return Open(":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
}

void SqliteDatabase::Execute(std::string_view sql) {
  char* error = nullptr;
  const int code = sqlite3_exec(db_.get(), std::string(sql).c_str(), nullptr, nullptr, &error);
  if (code != SQLITE_OK) {
    const std::string message = error ? error : sqlite3_errmsg(db_.get());
    sqlite3_free(error);
    throw SqliteError(message, code);
  }
}

bool SqliteDatabase::HasTable(std::string_view name) {
  SqliteStatement statement = Prepare(
      "SELECT 1 FROM sqlite_master WHERE type IN ('table', 'view') AND name = ?1 COLLATE NOCASE");
  statement.Bind(1, name);
  return statement.Step();
}

std::string QuoteIdentifier(std::string_view name) {
  std::string quoted = "\"";
  for (char c : name) {
    quoted += c;
    if (c == '"')
      quoted += '"';
  }
  return quoted + "\"";
}

}  // namespace engine
