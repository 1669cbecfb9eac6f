#pragma once

#include <memory>
#include <string>

#include "adomd/collection.h"
#include "adomd/variant.h"

namespace adomd {

// A provider-defined property of a cube, dimension, hierarchy, level or member.
class Property {
 public:
  Property(std::string name, Variant value) : name_(std::move(name)), value_(std::move(value)) {}
  const std::string& Name() const { return name_; }
  const Variant& Value() const { return value_; }

 private:
  std::string name_;
  Variant value_;
};

using Properties = Collection<Property>;

}  // namespace adomd
