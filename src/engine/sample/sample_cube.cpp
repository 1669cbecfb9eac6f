#include "engine/sample/sample_cube.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "engine/builder/build_error.h"
#include "engine/builder/cube_builder.h"
#include "engine/builder/data_source.h"
#include "engine/builder/schema_reader.h"
#include "engine/sample/sample_star_schema.h"
#include "engine/storage/cube_file.h"

namespace engine {

namespace {

// A new file name next to target, removed when the object goes unless it was kept.
class ScratchFile {
 public:
  explicit ScratchFile(const std::string& target) : target_(target) {
    const std::filesystem::path path(target);
    std::string pattern =
        (path.parent_path() / ("." + path.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
      throw BuildError("Unable to write " + target + ": " + std::strerror(errno) + ".");
    ::close(fd);
    path_ = name.data();
    // SQLite makes its own file; an empty one is also a valid empty database.
  }
  ~ScratchFile() {
    if (!path_.empty())
      ::unlink(path_.c_str());
  }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  const std::string& Path() const { return path_; }
  void RenameToTarget() {
    if (::rename(path_.c_str(), target_.c_str()) != 0)
      throw BuildError("Unable to write " + target_ + ": " + std::strerror(errno) + ".");
    path_.clear();
  }

 private:
  std::string target_;
  std::string path_;
};

std::string TemporaryStarPath() {
  return (std::filesystem::temp_directory_path() / "hexvane-sample-star.sqlite").string();
}

}  // namespace

void MakeSampleCube(const SampleOptions& options) {
  if (options.output.empty())
    throw BuildError("No output file is given for the sample cube.");
  if (options.rows == 0)
    throw BuildError("The sample needs at least one fact row.");
  ScratchFile star(options.star_path.empty() ? TemporaryStarPath() : options.star_path);
  try {
    WriteSampleStarSchema(star.Path(), options.rows, options.seed);
  } catch (const SqliteError& error) {
    throw BuildError("Unable to write the sample's star schema: " + std::string(error.what()) +
                     ".");
  }
  const std::string xml = SampleSchemaXml();
  const Schema schema = ReadSchemaText(xml, "the sample schema");
  {
    DataSource source = DataSource::FromSqlite(star.Path());
    WriteCubeFile(options.output, BuildCubes(schema, source, ""));
  }
  if (!options.schema_path.empty()) {
    ScratchFile schema_file(options.schema_path);
    std::ofstream out(schema_file.Path(), std::ios::binary | std::ios::trunc);
    out << xml;
    out.close();
    if (!out)
      throw BuildError("Unable to write the schema file " + options.schema_path + ".");
    schema_file.RenameToTarget();
  }
  if (!options.star_path.empty())
    star.RenameToTarget();
}

}  // namespace engine
