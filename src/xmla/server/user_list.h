#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace xmla {

// The users allowed in, read from a text file with one "name:hash" line per user, where the
// hash is a crypt(3) password hash ("$y$...", "$6$..."; `hexvane-server --hash-password`
// makes one). Blank lines and lines starting with "#" are ignored. Passwords themselves are
// never stored.
class UserList {
 public:
  // Raises std::runtime_error naming the file and line of a fault.
  static UserList Load(const std::filesystem::path& file);

  // Whether the name is listed with that password. An unknown name costs as much time as a
  // wrong password, so the answer tells nothing of which was wrong.
  bool Accepts(const std::string& name, const std::string& password) const;
  size_t Count() const { return hashes_.size(); }

  // A new hash of a password, with a fresh salt, in the strongest method the system offers.
  static std::string HashPassword(const std::string& password);

 private:
  std::map<std::string, std::string> hashes_;
  std::string dummy_hash_;
};

}  // namespace xmla
