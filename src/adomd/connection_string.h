#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace adomd {

// The properties of a provider connection string such as
// Provider=MSOLAP.3;Data Source="/cubes/Sales.cub";Initial Catalog="";
// Values may be enclosed in double quotes (a doubled quote stands for one) or bare.
class ConnectionString {
 public:
  // Raises ProviderError for text that is not a list of key=value pairs.
  static ConnectionString Parse(const std::string& text);

  // The value of a key, matched without regard to letter case; nothing when absent.
  std::optional<std::string> Get(const std::string& key) const;
  std::string GetOr(const std::string& key, const std::string& fallback) const;
  const std::vector<std::pair<std::string, std::string>>& Pairs() const { return pairs_; }

 private:
  std::vector<std::pair<std::string, std::string>> pairs_;
};

}  // namespace adomd
