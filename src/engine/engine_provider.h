#pragma once

#include <memory>
#include <string>
#include <vector>

#include "adomd/connection.h"
#include "engine/storage/cube_file.h"

namespace engine {

// The provider connection of a local cube file: its cubes as the object model presents them.
class EngineConnection final : public adomd::Connection {
 public:
  // Loads the file (shared with other connections to it); raises CubeFileError.
  explicit EngineConnection(const std::string& path);

  std::shared_ptr<adomd::CubeDefs> GetCubeDefs() override { return cube_defs_; }
  std::shared_ptr<adomd::CellsetData> OpenCellset(const std::string& statement) override;
  std::shared_ptr<adomd::Recordset> Execute(const std::string& statement) override;
  // The file's one catalog: its base name without the extension.
  std::vector<std::string> ListCatalogs() override { return {file_->catalog}; }
  const std::shared_ptr<const CubeFile>& File() const { return file_; }

 private:
  std::shared_ptr<const CubeFile> file_;
  std::shared_ptr<adomd::CubeDefs> cube_defs_;
};

// Makes the engine the provider of local cube files.
void RegisterEngineProvider();

}  // namespace engine
