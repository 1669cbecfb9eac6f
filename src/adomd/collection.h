#pragma once

#include <memory>
#include <string>
#include <vector>

#include "adomd/provider_error.h"

namespace adomd {

// A zero-based indexed collection of provider objects. Callers find items by scanning
// indexes and comparing Name or UniqueName exactly; there is no lookup by name.
template <class T>
class Collection {
 public:
  virtual ~Collection() = default;
  virtual int Count() const = 0;
  // Raises ProviderError for an index outside 0 .. Count() - 1.
  virtual std::shared_ptr<T> Item(int index) const = 0;
};

// A collection over items that already exist.
template <class T>
class VectorCollection final : public Collection<T> {
 public:
  VectorCollection() = default;
  explicit VectorCollection(std::vector<std::shared_ptr<T>> items) : items_(std::move(items)) {}

  int Count() const override { return static_cast<int>(items_.size()); }
  std::shared_ptr<T> Item(int index) const override {
    if (index < 0 || index >= Count())
      throw ProviderError("The index " + std::to_string(index) +
                          " is outside the collection of " + std::to_string(Count()) +
                          " items.");
    return items_[static_cast<size_t>(index)];
  }
  void Add(std::shared_ptr<T> item) { items_.push_back(std::move(item)); }

 private:
  std::vector<std::shared_ptr<T>> items_;
};

}  // namespace adomd
