#pragma once

#include <string>

#include "engine/storage/cube_file.h"

// The readable description of a cube file that `hexvane-cube info` prints: its cubes,
// dimensions, hierarchies, levels with cardinalities and level types, and measures with
// their aggregators and formats.
std::string DescribeCubeFile(const engine::CubeFile& file);
