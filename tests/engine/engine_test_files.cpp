#include "engine_test_files.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <stdexcept>

#include "engine/builder/cube_builder.h"
#include "support/program_folder.h"

namespace {

// The process's own scratch folder for the FoodMart files, removed at exit.
class ProcessFolder {
 public:
  ProcessFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "hexvane-engine-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
      throw std::runtime_error("Unable to make a temporary folder.");
    path_ = pattern;
  }
  ~ProcessFolder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

const ProcessFolder& Scratch() {
  static const ProcessFolder folder;
  return folder;
}

}  // namespace

std::string SampleCubePath() {
  return BinDir() + "/Local Cubes/Sales.cub";
}

std::string FoodMartSchemaPath() {
  return HEXVANE_FOODMART_SCHEMA;
}

std::string CubeToolPath() {
  return HEXVANE_CUBE_TOOL;
}

std::string FoodMartDatabasePath() {
  static const std::string path = [] {
    const std::string target = Scratch().Path() + "/foodmart.sqlite";
    const std::string command =
        "xz -dc '" + std::string(HEXVANE_FOODMART_XZ) + "' > '" + target + "'";
    if (std::system(command.c_str()) != 0)
      throw std::runtime_error("Unable to unpack " + std::string(HEXVANE_FOODMART_XZ) + ".");
    return target;
  }();
  return path;
}

std::string FoodMartCubePath() {
  static const std::string path = [] {
    engine::BuildOptions options;
    options.schema_path = FoodMartSchemaPath();
    options.sqlite_source = FoodMartDatabasePath();
    options.output = Scratch().Path() + "/FoodMart.cub";
    engine::BuildCubeFile(options);
    return options.output;
  }();
  return path;
}

std::shared_ptr<const engine::CubeData> FirstCube(const std::string& path) {
  return engine::ReadCubeFile(path)->cubes.front();
}

TemporaryFolder::TemporaryFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "hexvane-cube-XXXXXX").string();
  if (!::mkdtemp(pattern.data()))
    throw std::runtime_error("Unable to make a temporary folder.");
  path_ = pattern;
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code error;
  std::filesystem::remove_all(path_, error);
}

void TemporaryFolder::Write(const std::string& name, const std::string& content) const {
  std::ofstream out(File(name), std::ios::binary);
  out << content;
  if (!out)
    throw std::runtime_error("Unable to write " + File(name));
}

std::string TemporaryFolder::Listing() const {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_))
    names.insert(entry.path().filename().string());
  std::string listing;
  for (const auto& name : names)
    listing += (listing.empty() ? "" : " ") + name;
  return listing;
}
