#include "config/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

std::string Reason() { return std::strerror(errno); }

}  // namespace

void WriteFileAtomically(const std::string& file_name, const std::string& content) {
  if (file_name.empty()) throw TAtomicWriteError("No file name was given to write to.");
  const std::filesystem::path target(file_name);
  std::string pattern = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX"))
                            .string();
  if (target.parent_path().empty()) pattern = "." + target.filename().string() + ".XXXXXX";
  std::vector<char> temp_name(pattern.begin(), pattern.end());
  temp_name.push_back('\0');

  const int fd = ::mkstemp(temp_name.data());
  if (fd < 0) throw TAtomicWriteError("Unable to write " + file_name + ": " + Reason());

  // Keep the permissions of the file being replaced; a new file gets the usual 0644.
  struct stat existing {};
  const mode_t mode = ::stat(file_name.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0644;
  ::fchmod(fd, mode);

  const char* data = content.data();
  size_t left = content.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      const std::string reason = Reason();
      ::close(fd);
      ::unlink(temp_name.data());
      throw TAtomicWriteError("Unable to write " + file_name + ": " + reason);
    }
    data += written;
    left -= static_cast<size_t>(written);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    const std::string reason = Reason();
    ::unlink(temp_name.data());
    throw TAtomicWriteError("Unable to write " + file_name + ": " + reason);
  }
  if (::rename(temp_name.data(), file_name.c_str()) != 0) {
    const std::string reason = Reason();
    ::unlink(temp_name.data());
    throw TAtomicWriteError("Unable to write " + file_name + ": " + reason);
  }
}
