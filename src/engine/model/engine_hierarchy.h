#pragma once

#include "adomd/object_model.h"
#include "engine/model/engine_object_ref.h"

namespace engine {

// A hierarchy of a dimension, or the measures' one hierarchy "[Measures]".
class EngineHierarchy final : public adomd::Hierarchy {
 public:
  explicit EngineHierarchy(EngineObjectRef ref) : ref_(std::move(ref)) {}

  std::string Name() const override;
  std::string UniqueName() const override { return ref_.HierarchyUniqueName(); }
  std::shared_ptr<adomd::Properties> GetProperties() const override;
  std::shared_ptr<adomd::Levels> GetLevels() const override;

 private:
  EngineObjectRef ref_;
};

}  // namespace engine
