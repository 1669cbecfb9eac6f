#include "config/ini_file.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fstream>
#include <sstream>
#include <system_error>
#include <utility>
#include <filesystem>

#include "config/atomic_file.h"
#include "config/text_utils.h"

TIniFile::TIniFile(std::string file_name) : file_name_(std::move(file_name)) {
  std::error_code error;
  if (file_name_.empty() || !std::filesystem::exists(file_name_, error)) return;
  if (std::filesystem::is_directory(file_name_, error))
    throw TIniFileError("Unable to read " + file_name_ + ": it is a folder, not a file.");
  std::ifstream in(file_name_, std::ios::binary);
  if (!in) throw TIniFileError("Unable to read " + file_name_ + ": " + std::strerror(errno));
  std::stringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) throw TIniFileError("Unable to read " + file_name_ + ".");
  std::string text = buffer.str();
  if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);

  Section* current = nullptr;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == ';') continue;
    if (trimmed[0] == '[') {
      const size_t close = trimmed.find(']');
      if (close == std::string::npos) continue;
      const std::string name = Trim(std::string_view(trimmed).substr(1, close - 1));
      current = FindSection(name);
      if (!current) {
        sections_.push_back({name, {}});
        current = &sections_.back();
      }
      continue;
    }
    const size_t equals = line.find('=');
    if (!current || equals == std::string::npos) continue;
    const std::string key = Trim(std::string_view(line).substr(0, equals));
    if (key.empty()) continue;
    // The first occurrence of a key counts, as the platform reads such files.
    bool seen = false;
    for (const Entry& entry : current->entries)
      if (SameTextIgnoringCase(entry.key, key)) seen = true;
    if (!seen) current->entries.push_back({key, line.substr(equals + 1)});
  }
}

TIniFile TIniFile::Fresh(std::string file_name) {
  TIniFile ini("");
  ini.file_name_ = std::move(file_name);
  return ini;
}

const TIniFile::Section* TIniFile::FindSection(const std::string& name) const {
  for (const Section& section : sections_)
    if (SameTextIgnoringCase(section.name, name)) return &section;
  return nullptr;
}

TIniFile::Section* TIniFile::FindSection(const std::string& name) {
  return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

const TIniFile::Entry* TIniFile::FindEntry(const std::string& section,
                                           const std::string& key) const {
  const Section* found = FindSection(section);
  if (!found) return nullptr;
  for (const Entry& entry : found->entries)
    if (SameTextIgnoringCase(entry.key, key)) return &entry;
  return nullptr;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& fallback) const {
  const Entry* entry = FindEntry(section, key);
  return entry ? entry->value : fallback;
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key,
                          int fallback) const {
  const Entry* entry = FindEntry(section, key);
  if (!entry) return fallback;
  const auto value = ParseDecimal(entry->value);
  if (!value || *value < INT_MIN || *value > INT_MAX) return fallback;
  return static_cast<int>(*value);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
  if (value.find_first_of("\r\n") != std::string::npos)
    throw TIniFileError("The value of \"" + key + "\" in [" + section +
                        "] holds a line break, which a settings file cannot store.");
  Section* found = FindSection(section);
  if (!found) {
    sections_.push_back({section, {}});
    found = &sections_.back();
  }
  for (Entry& entry : found->entries)
    if (SameTextIgnoringCase(entry.key, key)) {
      entry.value = value;
      return;
    }
  found->entries.push_back({key, value});
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

bool TIniFile::SectionExists(const std::string& section) const {
  return FindSection(section) != nullptr;
}

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const {
  return FindEntry(section, key) != nullptr;
}

std::vector<std::string> TIniFile::ReadSections() const {
  std::vector<std::string> names;
  for (const Section& section : sections_) names.push_back(section.name);
  return names;
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const {
  std::vector<std::string> keys;
  if (const Section* found = FindSection(section))
    for (const Entry& entry : found->entries) keys.push_back(entry.key);
  return keys;
}

void TIniFile::EraseSection(const std::string& section) {
  std::erase_if(sections_, [&](const Section& s) { return SameTextIgnoringCase(s.name, section); });
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key) {
  if (Section* found = FindSection(section))
    std::erase_if(found->entries, [&](const Entry& e) { return SameTextIgnoringCase(e.key, key); });
}

void TIniFile::Clear() { sections_.clear(); }

void TIniFile::UpdateFile() const {
  std::string text;
  for (const Section& section : sections_) {
    if (!text.empty()) text += "\n";
    text += "[" + section.name + "]\n";
    for (const Entry& entry : section.entries) text += entry.key + "=" + entry.value + "\n";
  }
  try {
    WriteFileAtomically(file_name_, text);
  } catch (const TAtomicWriteError& error) {
    throw TIniFileError(error.what());
  }
}
