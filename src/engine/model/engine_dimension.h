#pragma once

#include "adomd/object_model.h"
#include "engine/model/engine_object_ref.h"

namespace engine {

// A dimension of a cube, or the measures "[Measures]".
class EngineDimension final : public adomd::Dimension {
 public:
  explicit EngineDimension(EngineObjectRef ref) : ref_(std::move(ref)) {}

  std::string Name() const override;
  std::string UniqueName() const override { return ref_.DimensionUniqueName(); }
  std::shared_ptr<adomd::Properties> GetProperties() const override;
  std::shared_ptr<adomd::Hierarchies> GetHierarchies() const override;

 private:
  EngineObjectRef ref_;
};

}  // namespace engine
