#pragma once

#include <stdexcept>
#include <string>
#include <vector>

// An INI file in the private-profile format: "[Section]" header lines, then one "key=value"
// line per key. Sections and keys are matched without regard to letter case; values are kept
// exactly as written. The file is read once on construction; writes change the copy in memory
// until UpdateFile, which replaces the file atomically (temporary file, then rename), so a
// failed save leaves the previous file whole.
class TIniFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TIniFile {
 public:
  // A missing file reads as an empty one. Raises TIniFileError when the file exists but
  // cannot be read.
  explicit TIniFile(std::string file_name);

  // An empty file of that name, without reading what is there now; for files that are
  // always written whole.
  static TIniFile Fresh(std::string file_name);

  const std::string& FileName() const { return file_name_; }

  // A missing key gives the default.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& fallback) const;
  // Decimal integers with an optional sign; a missing key, or a value that is not such a
  // number (or does not fit an int), gives the default.
  int ReadInteger(const std::string& section, const std::string& key, int fallback) const;
  // Read as an integer, any non-zero value being true.
  bool ReadBool(const std::string& section, const std::string& key, bool fallback) const;

  // Raises TIniFileError for a value with a line break, which the format cannot hold.
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, int value);
  // Written as "1" or "0".
  void WriteBool(const std::string& section, const std::string& key, bool value);

  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& key) const;
  // Section names in file order.
  std::vector<std::string> ReadSections() const;
  // Key names of a section in file order.
  std::vector<std::string> ReadSection(const std::string& section) const;
  void EraseSection(const std::string& section);
  void DeleteKey(const std::string& section, const std::string& key);
  // Forgets every section.
  void Clear();

  // Writes the whole file atomically. Raises TIniFileError with the reason on failure.
  void UpdateFile() const;

 private:
  struct Entry {
    std::string key;
    std::string value;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };

  const Section* FindSection(const std::string& name) const;
  Section* FindSection(const std::string& name);
  const Entry* FindEntry(const std::string& section, const std::string& key) const;

  std::string file_name_;
  std::vector<Section> sections_;
};
