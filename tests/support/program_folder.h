#pragma once

#include <filesystem>
#include <string>

// A fresh program folder for one test: a temporary folder that $HEXVANE_HOME points at, with
// the shipped themes.ini in it unless asked otherwise. Removed, and $HEXVANE_HOME restored,
// when the test ends.
class TestProgramFolder {
 public:
  explicit TestProgramFolder(bool with_themes = true);
  ~TestProgramFolder();
  TestProgramFolder(const TestProgramFolder&) = delete;
  TestProgramFolder& operator=(const TestProgramFolder&) = delete;

  // The folder with a trailing "/", as GetAppPath gives it.
  std::string Path() const { return path_.string() + "/"; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

  void Write(const std::string& name, const std::string& content) const;
  std::string Read(const std::string& name) const;
  bool Exists(const std::string& name) const;

 private:
  std::filesystem::path path_;
  std::string previous_home_;
  bool had_home_ = false;
};

// The source tree's folder of shipped files (resources/).
std::string ResourcesDir();
// The build's program folder (build/bin), with the executables and the bundled sample cube.
std::string BinDir();
// Whether the tests run as root, for whom file permissions do not stop a write.
bool RunningAsRoot();
