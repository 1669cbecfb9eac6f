#pragma once

#include <memory>
#include <string>

#include "engine/storage/cube_file.h"

// The real cube files the engine's tests open.

// The bundled sample cube the build makes (build/bin/Local Cubes/Sales.cub).
std::string SampleCubePath();
// The FoodMart 1997 star schema, unpacked once per test process into a temporary folder.
std::string FoodMartDatabasePath();
// A cube file built from it with tests/engine/foodmart_schema.xml, once per process.
std::string FoodMartCubePath();
std::string FoodMartSchemaPath();
// The hexvane-cube program.
std::string CubeToolPath();

// The cube of a file (the first one).
std::shared_ptr<const engine::CubeData> FirstCube(const std::string& path);

// A temporary folder for one test, removed with everything in it when the object goes.
class TemporaryFolder {
 public:
  TemporaryFolder();
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  void Write(const std::string& name, const std::string& content) const;
  // The names of the files in the folder, sorted.
  std::string Listing() const;

 private:
  std::string path_;
};
