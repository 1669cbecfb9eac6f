#pragma once

#include "adomd/object_model.h"
#include "engine/model/engine_object_ref.h"

namespace engine {

// A level of a hierarchy, or the measures' one level.
class EngineLevel final : public adomd::Level {
 public:
  EngineLevel(EngineObjectRef ref, int depth) : ref_(std::move(ref)), depth_(depth) {}

  std::string Name() const override;
  std::string UniqueName() const override;
  std::string Caption() const override { return Name(); }
  int Depth() const override { return depth_; }
  std::shared_ptr<adomd::Properties> GetProperties() const override;
  std::shared_ptr<adomd::Members> GetMembers() const override;

 private:
  EngineObjectRef ref_;
  int depth_;
};

}  // namespace engine
