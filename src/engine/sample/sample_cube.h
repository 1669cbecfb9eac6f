#pragma once

#include <cstdint>
#include <string>

namespace engine {

struct SampleOptions {
  std::string output;      // the cube file
  uint64_t rows = 100000;  // fact rows
  uint64_t seed = 1;
  std::string star_path;    // keep the star schema here (SQLite); empty: a temporary file
  std::string schema_path;  // keep the schema here; empty: not kept
};

// Makes the synthetic retail cube "Sales": writes its star schema and schema, then builds
// the cube file from them with the cube builder. Every file appears only when complete.
// Raises BuildError or CubeFileError.
void MakeSampleCube(const SampleOptions& options);

}  // namespace engine
