#pragma once

#include "adomd/object_model.h"
#include "engine/model/cube_data.h"

namespace engine {

// A cube as the object model presents it; its dimensions are the measures first, then the
// cube's dimensions in their order.
class EngineCubeDef final : public adomd::CubeDef {
 public:
  explicit EngineCubeDef(std::shared_ptr<const CubeData> cube) : cube_(std::move(cube)) {}

  std::string Name() const override { return cube_->Name(); }
  std::string Description() const override { return cube_->Description(); }
  std::shared_ptr<adomd::Properties> GetProperties() const override;
  std::shared_ptr<adomd::Dimensions> GetDimensions() const override;
  const std::shared_ptr<const CubeData>& Data() const { return cube_; }

 private:
  std::shared_ptr<const CubeData> cube_;
};

}  // namespace engine
