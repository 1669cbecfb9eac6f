#include "engine/storage/cube_file_cache.h"

#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <mutex>

namespace engine {

namespace {

struct Entry {
  int64_t size = 0;
  int64_t modified_ns = 0;
  std::weak_ptr<const CubeFile> file;
};

}  // namespace

std::shared_ptr<const CubeFile> OpenCubeFile(const std::string& path) {
  static std::mutex mutex;
  static std::map<std::string, Entry> entries;

  struct stat info {};
  std::error_code error;
  const std::string key = std::filesystem::weakly_canonical(path, error).string();
  if (error || ::stat(path.c_str(), &info) != 0)
    return ReadCubeFile(path);
  const int64_t modified =
      static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  {
    const std::lock_guard lock(mutex);
    const auto found = entries.find(key);
    if (found != entries.end() && found->second.size == info.st_size &&
        found->second.modified_ns == modified)
      if (auto file = found->second.file.lock())
        return file;
  }
  // Loading takes a while; other files stay available meanwhile.
  auto file = ReadCubeFile(path);
  const std::lock_guard lock(mutex);
  for (auto it = entries.begin(); it != entries.end();)
    it = it->second.file.expired() ? entries.erase(it) : std::next(it);
  entries[key] = Entry{info.st_size, modified, file};
  return file;
}

}  // namespace engine
