#pragma once

#include <memory>
#include <string>

#include "engine/storage/cube_file.h"

namespace engine {

// The cube file at path, loaded once and shared while anyone holds it: several connections
// to one file (the browser's catalog, a connection test, a cube count) share its memory.
// A file changed on disk since it was loaded is loaded again. Raises CubeFileError as
// ReadCubeFile does.
std::shared_ptr<const CubeFile> OpenCubeFile(const std::string& path);

}  // namespace engine
