#include "support/program_folder.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

std::string ResourcesDir() { return std::string(HEXVANE_SOURCE_DIR) + "/resources"; }

std::string BinDir() { return HEXVANE_BIN_DIR; }

bool RunningAsRoot() { return ::geteuid() == 0; }

TestProgramFolder::TestProgramFolder(bool with_themes) {
  std::string pattern = (std::filesystem::temp_directory_path() / "hexvane-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("Unable to create a temporary folder.");
  path_ = pattern;
  if (const char* home = std::getenv("HEXVANE_HOME")) {
    had_home_ = true;
    previous_home_ = home;
  }
  ::setenv("HEXVANE_HOME", path_.c_str(), 1);
  if (with_themes)
    std::filesystem::copy_file(ResourcesDir() + "/themes.ini", path_ / "themes.ini");
}

TestProgramFolder::~TestProgramFolder() {
  std::error_code error;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, error);
  std::filesystem::remove_all(path_, error);
  if (had_home_)
    ::setenv("HEXVANE_HOME", previous_home_.c_str(), 1);
  else
    ::unsetenv("HEXVANE_HOME");
}

void TestProgramFolder::Write(const std::string& name, const std::string& content) const {
  std::ofstream out(path_ / name, std::ios::binary);
  out << content;
  if (!out) throw std::runtime_error("Unable to write " + File(name));
}

std::string TestProgramFolder::Read(const std::string& name) const {
  std::ifstream in(path_ / name, std::ios::binary);
  if (!in) throw std::runtime_error("Unable to read " + File(name));
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

bool TestProgramFolder::Exists(const std::string& name) const {
  return std::filesystem::exists(path_ / name);
}
