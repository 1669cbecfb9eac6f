#pragma once

#include <memory>
#include <string>
#include <vector>

#include "adomd/provider_error.h"
#include "engine/model/cube_data.h"

namespace engine {

// A cube file that cannot be opened or written; the message names the file.
class CubeFileError : public adomd::ProviderError {
 public:
  using adomd::ProviderError::ProviderError;
};

// The cubes of one cube file, loaded into memory.
struct CubeFile {
  std::string path;
  // The file's base name without its extension: the catalog it offers.
  std::string catalog;
  std::vector<std::shared_ptr<const CubeData>> cubes;
};

// Validates a cube file and loads all of it; the file is opened read-only and immutable, so
// nothing is ever written to it. Raises CubeFileError when the file is missing, is not a
// cube file, is damaged or is of a newer format version.
std::shared_ptr<const CubeFile> ReadCubeFile(const std::string& path);

// Writes the cubes as a new cube file: to a temporary file in the same folder, renamed over
// path only when complete. On failure nothing is left behind and CubeFileError says why.
void WriteCubeFile(const std::string& path,
                   const std::vector<std::shared_ptr<const CubeData>>& cubes);

// The catalog name of a cube file path ("/cubes/Sales.cub" -> "Sales").
std::string CatalogOfPath(const std::string& path);

}  // namespace engine
