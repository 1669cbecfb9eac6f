#include "engine/model/engine_cube_def.h"

#include "engine/model/engine_dimension.h"

namespace engine {

std::shared_ptr<adomd::Properties> EngineCubeDef::GetProperties() const {
  PropertyList list;
  list.Add("CUBE_NAME", cube_->Name())
      .Add("CUBE_CAPTION", cube_->Name())
      .Add("CUBE_TYPE", "CUBE")
      .Add("DESCRIPTION", cube_->Description())
      .Add("LAST_DATA_UPDATE", cube_->LastDataUpdate())
      .Add("IS_DRILLTHROUGH_ENABLED", cube_->DrillthroughEnabled());
  return list.Collection();
}

std::shared_ptr<adomd::Dimensions> EngineCubeDef::GetDimensions() const {
  auto dimensions = std::make_shared<adomd::VectorCollection<adomd::Dimension>>();
  dimensions->Add(std::make_shared<EngineDimension>(EngineObjectRef{cube_, kMeasuresDimension, 0}));
  for (int d = 0; d < static_cast<int>(cube_->Dimensions().size()); ++d)
    dimensions->Add(std::make_shared<EngineDimension>(EngineObjectRef{cube_, d, 0}));
  return dimensions;
}

}  // namespace engine
