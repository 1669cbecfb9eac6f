#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/builder/data_source.h"
#include "engine/builder/schema.h"
#include "engine/model/cube_data.h"

namespace engine {

// What `hexvane-cube build` is given.
struct BuildOptions {
  std::string schema_path;
  std::string sqlite_source;                                    // --source
  std::vector<std::pair<std::string, std::string>> csv_tables;  // --csv TABLE=FILE
  std::string output;
  std::string cube_name;  // empty: every cube of the schema
};

// Builds the schema's cubes (or the one named) from the source. Raises BuildError naming the
// schema element and line, or the input, at fault.
std::vector<std::shared_ptr<const CubeData>> BuildCubes(const Schema& schema, DataSource& source,
                                                        const std::string& cube_name);

// Reads the schema, opens the source, builds and writes the cube file; the output file
// appears only when all of it succeeded. Raises BuildError or CubeFileError.
void BuildCubeFile(const BuildOptions& options);

}  // namespace engine
