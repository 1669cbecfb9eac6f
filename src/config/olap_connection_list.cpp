#include "config/olap_connection_list.h"

#include <set>

#include "config/ini_file.h"
#include "config/text_utils.h"

namespace {

const char* const kListSection = "Connections";

std::string EntrySection(int n) { return "Connection" + std::to_string(n); }

}  // namespace

bool TOLAPConnectionList::LoadFromFile(const std::string& file_name) {
  Clear();
  try {
    const TIniFile ini(file_name);
    const int count = ini.ReadInteger(kListSection, "NumConnections", 0);
    // Only the numbered sections present make entries (a missing one leaves no gap), so a
    // hand-edited count of millions costs nothing.
    std::set<int> numbers;
    for (const std::string& name : ini.ReadSections()) {
      if (name.size() <= 10 || !SameTextIgnoringCase(name.substr(0, 10), "Connection")) continue;
      const auto n = ParseDecimal(name.substr(10));
      if (n && *n >= 1 && *n <= count && std::to_string(*n) == name.substr(10))
        numbers.insert(static_cast<int>(*n));
    }
    for (const int n : numbers) {
      const std::string section = EntrySection(n);
      auto entry = std::make_unique<TOLAPConnection>();
      entry->Name = ini.ReadString(section, "ConnectionName", "");
      entry->Host = ini.ReadString(section, "ConnectionHost", "");
      entry->Port = ini.ReadInteger(section, "ConnectionPort", -1);
      entry->ServerVersion = static_cast<uint8_t>(ini.ReadInteger(section, "ConnectionType", 0) & 0xFF);
      items_.push_back(std::move(entry));
    }
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool TOLAPConnectionList::SaveToFile(const std::string& file_name) const {
  try {
    // Built from nothing, so no section of an earlier, longer list survives.
    TIniFile ini = TIniFile::Fresh(file_name);
    ini.WriteInteger(kListSection, "NumConnections", Count());
    for (int i = 0; i < Count(); ++i) {
      const std::string section = EntrySection(i + 1);
      const TOLAPConnection& entry = *items_[static_cast<size_t>(i)];
      ini.WriteString(section, "ConnectionName", entry.Name);
      ini.WriteString(section, "ConnectionHost", entry.Host);
      ini.WriteInteger(section, "ConnectionPort", entry.Port);
      ini.WriteInteger(section, "ConnectionType", entry.ServerVersion);
    }
    ini.UpdateFile();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

TOLAPConnection* TOLAPConnectionList::Item(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return items_[static_cast<size_t>(index)].get();
}

TOLAPConnection* TOLAPConnectionList::Add(std::unique_ptr<TOLAPConnection> connection) {
  items_.push_back(std::move(connection));
  return items_.back().get();
}

std::unique_ptr<TOLAPConnection> TOLAPConnectionList::Extract(int index) {
  if (index < 0 || index >= Count()) return nullptr;
  auto entry = std::move(items_[static_cast<size_t>(index)]);
  items_.erase(items_.begin() + index);
  return entry;
}
