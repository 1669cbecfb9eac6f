#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "adomd/connection.h"

namespace xmla {

// The cube files of a folder as catalogs: each file "NAME.cub" is the catalog NAME. The folder
// is read on every listing, so files added or removed while the server runs are seen. An
// opened cube is kept open for the next request until its file changes.
class CatalogFolder {
 public:
  struct Entry {
    std::string name;
    std::filesystem::path path;
    std::filesystem::file_time_type modified;
  };

  explicit CatalogFolder(std::filesystem::path root);

  // The catalogs in order of name.
  std::vector<Entry> List() const;
  // The open connection of a catalog, through the provider for local cube files. Raises
  // ProviderError when there is no such catalog or the file cannot be opened.
  std::shared_ptr<adomd::Connection> Open(const std::string& name);

 private:
  struct OpenCube {
    std::filesystem::file_time_type modified;
    uintmax_t size = 0;
    std::shared_ptr<adomd::Connection> connection;
  };

  std::filesystem::path root_;
  std::mutex mutex_;
  std::map<std::string, OpenCube> open_;
  // One opening at a time per catalog, without holding up requests on other catalogs.
  std::map<std::string, std::shared_ptr<std::mutex>> opening_;
};

}  // namespace xmla
