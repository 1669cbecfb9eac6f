#include "xmla/server/catalog_folder.h"

#include <algorithm>
#include <cctype>

#include "adomd/provider_error.h"
#include "adomd/provider_registry.h"

namespace xmla {

namespace {

bool IsCubeFile(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".cub";
}

std::string Quoted(const std::string& value) {
  std::string text = "\"";
  for (char c : value) {
    if (c == '"')
      text += '"';
    text += c;
  }
  return text + "\"";
}

}  // namespace

CatalogFolder::CatalogFolder(std::filesystem::path root) : root_(std::move(root)) {}

std::vector<CatalogFolder::Entry> CatalogFolder::List() const {
  std::vector<Entry> entries;
  std::error_code error;
  for (std::filesystem::directory_iterator it(root_, error), end; !error && it != end;
       it.increment(error)) {
    std::error_code status_error;
    if (!it->is_regular_file(status_error) || !IsCubeFile(it->path()))
      continue;
    const auto modified = it->last_write_time(status_error);
    entries.push_back({it->path().stem().string(), it->path(), modified});
  }
  if (error)
    throw adomd::ProviderError("The server cannot read its folder of cubes: " + error.message() +
                               ".");
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return a.name < b.name; });
  return entries;
}

std::shared_ptr<adomd::Connection> CatalogFolder::Open(const std::string& name) {
  std::filesystem::path path;
  for (const Entry& entry : List())
    if (entry.name == name)
      path = entry.path;
  if (path.empty())
    throw adomd::ProviderError("The catalog \"" + name + "\" does not exist on the server.");

  std::shared_ptr<std::mutex> opening;
  {
    const std::lock_guard lock(mutex_);
    auto& slot = opening_[name];
    if (!slot)
      slot = std::make_shared<std::mutex>();
    opening = slot;
  }
  const std::lock_guard open_lock(*opening);
  std::error_code error;
  const auto modified = std::filesystem::last_write_time(path, error);
  const auto size = std::filesystem::file_size(path, error);
  if (error)
    throw adomd::ProviderError("The cube file of catalog \"" + name +
                               "\" cannot be read: " + error.message() + ".");
  {
    const std::lock_guard lock(mutex_);
    const auto found = open_.find(name);
    if (found != open_.end() && found->second.modified == modified && found->second.size == size)
      return found->second.connection;
  }
  std::shared_ptr<adomd::Connection> connection =
      adomd::OpenConnection("Provider=MSOLAP.3;Data Source=" + Quoted(path.string()) + ";");
  const std::lock_guard lock(mutex_);
  open_[name] = {modified, size, connection};
  return connection;
}

}  // namespace xmla
