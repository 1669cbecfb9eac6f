#include "engine/engine_provider.h"

#include "adomd/provider_error.h"
#include "adomd/provider_registry.h"
#include "engine/model/engine_cube_def.h"
#include "engine/storage/cube_file_cache.h"

namespace engine {

namespace {

constexpr const char* kNoMdxYet =
    "MDX statements are not supported by this build of the engine yet.";

}  // namespace

EngineConnection::EngineConnection(const std::string& path) : file_(OpenCubeFile(path)) {
  auto cube_defs = std::make_shared<adomd::VectorCollection<adomd::CubeDef>>();
  for (const auto& cube : file_->cubes)
    cube_defs->Add(std::make_shared<EngineCubeDef>(cube));
  cube_defs_ = std::move(cube_defs);
}

std::shared_ptr<adomd::CellsetData> EngineConnection::OpenCellset(const std::string&) {
  throw adomd::ProviderError(kNoMdxYet);
}

std::shared_ptr<adomd::Recordset> EngineConnection::Execute(const std::string&) {
  throw adomd::ProviderError(kNoMdxYet);
}

void RegisterEngineProvider() {
  adomd::RegisterProvider(
      adomd::DataSourceKind::LocalCubeFile, [](const adomd::ConnectionString& connection_string) {
        return std::make_shared<EngineConnection>(connection_string.GetOr("Data Source", ""));
      });
}

}  // namespace engine
