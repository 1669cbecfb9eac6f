#pragma once

#include <stdexcept>
#include <string>

namespace adomd {

// Every failure of the data-access object model. what() is the provider's message text,
// which the browser shows or logs after its own lead-in sentence.
class ProviderError : public std::runtime_error {
 public:
  explicit ProviderError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace adomd
