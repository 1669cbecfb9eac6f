#pragma once

#include <stdexcept>
#include <string>

namespace engine {

// A cube that cannot be built as its schema says; the message names the schema element and
// its line, or the input file at fault.
class BuildError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace engine
