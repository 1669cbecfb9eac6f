#pragma once

#include <stdexcept>
#include <string>

class TAtomicWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Replaces the file with the content in one step: the content goes to a temporary file in
// the same folder, is flushed to disk and renamed over the old file. On any failure the
// temporary file is removed, the old file stays as it was, and TAtomicWriteError names the
// file and the reason.
void WriteFileAtomically(const std::string& file_name, const std::string& content);
