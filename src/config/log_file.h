#pragma once

#include <cstdio>
#include <memory>
#include <string>

// The append-only error log "ravenel.log". Callers compose whole entries; the log adds no
// time stamp or level, never rotates the file, and never lets an error of its own escape.
// Each line is flushed as it is written, so a crash cannot swallow the lines explaining it.
class TLogFile {
 public:
  explicit TLogFile(std::string file_name);
  ~TLogFile();
  TLogFile(const TLogFile&) = delete;
  TLogFile& operator=(const TLogFile&) = delete;

  // Opens the file for appending, creating it when missing. False, and closed, for a blank
  // name or a file that cannot be opened.
  bool Open();
  // Writes the text and a line break. False when the log is closed or the write fails.
  bool WriteLine(const std::string& text);
  void Close();

  bool IsOpen() const { return file_ != nullptr; }
  const std::string& FileName() const { return file_name_; }

 private:
  std::FILE* file_ = nullptr;
  std::string file_name_;
};

extern std::unique_ptr<TLogFile> gLogFile;

// Creates gLogFile for the path unless it already exists. Returns true.
bool CreateLogFile(const std::string& path);
