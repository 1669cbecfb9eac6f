#include "config/log_file.h"

#include "config/text_utils.h"

std::unique_ptr<TLogFile> gLogFile;

TLogFile::TLogFile(std::string file_name) : file_name_(std::move(file_name)) { Open(); }

TLogFile::~TLogFile() { Close(); }

bool TLogFile::Open() {
  Close();
  if (IsBlank(file_name_)) return false;
  file_ = std::fopen(file_name_.c_str(), "ab");
  return file_ != nullptr;
}

bool TLogFile::WriteLine(const std::string& text) {
  if (!file_) return false;
  const std::string line = text + "\n";
  if (std::fwrite(line.data(), 1, line.size(), file_) != line.size()) return false;
  return std::fflush(file_) == 0;
}

void TLogFile::Close() {
  if (!file_) return;
  std::fclose(file_);
  file_ = nullptr;
}

bool CreateLogFile(const std::string& path) {
  if (!gLogFile) gLogFile = std::make_unique<TLogFile>(path);
  return true;
}
