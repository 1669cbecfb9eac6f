#include "xmla/server/user_list.h"

#include <crypt.h>

#include <fstream>
#include <memory>
#include <stdexcept>

namespace xmla {

namespace {

// crypt_rn's answer for a password and a hash (or setting); empty when the hash is unusable.
std::string Crypt(const std::string& password, const std::string& setting) {
  auto data = std::make_unique<crypt_data>();
  const char* result = crypt_rn(password.c_str(), setting.c_str(), data.get(), sizeof *data);
  if (!result || result[0] == '*')
    return {};
  return result;
}

bool SameText(const std::string& a, const std::string& b) {
  // Compares every byte whatever the first difference, so the time says nothing.
  unsigned char difference = a.size() == b.size() ? 0 : 1;
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i)
    difference |= static_cast<unsigned char>(a[i] ^ b[i]);
  return difference == 0;
}

}  // namespace

std::string UserList::HashPassword(const std::string& password) {
  char setting[CRYPT_GENSALT_OUTPUT_SIZE];
  if (!crypt_gensalt_rn(nullptr, 0, nullptr, 0, setting, sizeof setting))
    throw std::runtime_error("The system cannot make a password salt.");
  const std::string hash = Crypt(password, setting);
  if (hash.empty())
    throw std::runtime_error("The system cannot hash the password.");
  return hash;
}

UserList UserList::Load(const std::filesystem::path& file) {
  std::ifstream in(file);
  if (!in)
    throw std::runtime_error("The users file " + file.string() + " cannot be read.");
  UserList users;
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#')
      continue;
    const auto where = [&] { return file.string() + ", line " + std::to_string(number) + ": "; };
    const size_t colon = line.find(':');
    if (colon == std::string::npos || colon == 0)
      throw std::runtime_error(where() + "expected name:hash.");
    const std::string name = line.substr(0, colon);
    const std::string hash = line.substr(colon + 1);
    if (hash.empty() || hash[0] != '$' || Crypt("", hash).empty())
      throw std::runtime_error(where() + "the hash of user \"" + name +
                               "\" is not a crypt(3) hash such as --hash-password makes.");
    if (!users.hashes_.emplace(name, hash).second)
      throw std::runtime_error(where() + "user \"" + name + "\" is listed twice.");
    if (users.dummy_hash_.empty())
      users.dummy_hash_ = hash;
  }
  if (users.hashes_.empty())
    throw std::runtime_error("The users file " + file.string() + " lists no user.");
  return users;
}

bool UserList::Accepts(const std::string& name, const std::string& password) const {
  const auto found = hashes_.find(name);
  const std::string& hash = found == hashes_.end() ? dummy_hash_ : found->second;
  const bool matches = SameText(Crypt(password, hash), hash);
  return found != hashes_.end() && matches;
}

}  // namespace xmla
