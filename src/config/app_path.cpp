#include "config/app_path.h"

#include <cstdlib>
#include <filesystem>

std::string GetAppPath() {
  std::string path;
  if (const char* home = std::getenv("HEXVANE_HOME"); home && *home) {
    path = home;
  } else {
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) path = executable.parent_path().string();
  }
  if (!path.empty() && path.back() != '/') path += '/';
  return path;
}
