#pragma once

#include <memory>
#include <string>
#include <vector>

// One saved connection to an OLAP server or an HTTP endpoint.
struct TOLAPConnection {
  std::string Name;
  std::string Host;
  // -1 stands for the default port (shown as "Default"). Kept, but not part of the
  // connection string.
  int Port = -1;
  // Set when an edit of the entry was confirmed; never stored.
  bool Modified = false;
  // svGeneric 0, svSql2000 1, svSql2005 2; stored as "ConnectionType".
  uint8_t ServerVersion = 0;
};

// The saved connections of one list file ("hexvane_connection_list.con" for servers,
// "hexvane_http_connection_list.con" for HTTP endpoints), in list order.
class TOLAPConnectionList {
 public:
  // Empties the list and reads the file; a missing file is an empty list. False on a read
  // error, keeping the entries read so far.
  bool LoadFromFile(const std::string& file_name);
  // Writes the list, numbered from 1 without gaps, replacing the file in one step so that a
  // failure keeps the previous list whole. False on any error.
  bool SaveToFile(const std::string& file_name) const;

  int Count() const { return static_cast<int>(items_.size()); }
  TOLAPConnection* Item(int index) const;
  TOLAPConnection* Add(std::unique_ptr<TOLAPConnection> connection);
  // Takes the entry out of the list and hands it to the caller.
  std::unique_ptr<TOLAPConnection> Extract(int index);
  void Clear() { items_.clear(); }

 private:
  std::vector<std::unique_ptr<TOLAPConnection>> items_;
};
