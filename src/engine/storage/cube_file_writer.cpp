#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "engine/storage/cube_file.h"
#include "engine/storage/cube_file_format.h"
#include "engine/storage/sqlite_database.h"

namespace engine {

namespace {

namespace format = cube_file_format;

// The temporary file a cube file is written to; removed unless it was renamed into place.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& target) : target_(target) {
    const std::filesystem::path path(target);
    std::string pattern =
        (path.parent_path() / ("." + path.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0)
      throw CubeFileError("Unable to write the cube file " + target + ": " + std::strerror(errno) +
                          ".");
    ::fchmod(fd, 0644);
    ::close(fd);
    path_ = name.data();
  }
  ~TemporaryFile() {
    if (!path_.empty())
      ::unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  const std::string& Path() const { return path_; }

  // Flushes the written file to disk and renames it over the target.
  void Commit() {
    const int fd = ::open(path_.c_str(), O_RDONLY);
    if (fd < 0 || ::fsync(fd) != 0) {
      const std::string reason = std::strerror(errno);
      if (fd >= 0)
        ::close(fd);
      throw CubeFileError("Unable to write the cube file " + target_ + ": " + reason + ".");
    }
    ::close(fd);
    if (::rename(path_.c_str(), target_.c_str()) != 0)
      throw CubeFileError("Unable to write the cube file " + target_ + ": " + std::strerror(errno) +
                          ".");
    path_.clear();
  }

 private:
  std::string target_;
  std::string path_;
};

std::span<const std::byte> Bytes(const void* data, size_t size) {
  return {static_cast<const std::byte*>(data), size};
}

class Writer {
 public:
  explicit Writer(SqliteDatabase& db) : db_(db) {}

  void WriteCube(int64_t cube_id, const CubeData& cube) {
    db_.Prepare("INSERT INTO cube VALUES (?1, ?2, ?3, ?4, ?5, ?6)")
        .Bind(1, cube_id)
        .Bind(2, cube.Name())
        .Bind(3, cube.Description())
        .Bind(4, cube.LastDataUpdate())
        .Bind(5, int64_t{cube.DrillthroughEnabled()})
        .Bind(6, static_cast<int64_t>(cube.FactCount()))
        .Run();
    for (size_t d = 0; d < cube.Dimensions().size(); ++d)
      WriteDimension(cube_id, static_cast<int64_t>(d), cube.Dimension(static_cast<int>(d)));
    SqliteStatement measure =
        db_.Prepare("INSERT INTO measure VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)");
    for (size_t m = 0; m < cube.Measures().size(); ++m) {
      const MeasureInfo& info = cube.Measures()[m];
      measure.Bind(1, cube_id)
          .Bind(2, static_cast<int64_t>(m))
          .Bind(3, info.name)
          .Bind(4, int64_t{info.calculated})
          .Bind(5, std::string_view(info.calculated ? "" : AggregatorName(info.aggregator)))
          .Bind(6, int64_t{info.column})
          .Bind(7, info.expression)
          .Bind(8, info.format_string)
          .Run();
    }
    const FactTable& facts = cube.Facts();
    for (size_t d = 0; d < facts.keys.size(); ++d) {
      const KeyColumn& column = facts.keys[d];
      const std::string type = "u" + std::to_string(column.Width() * 8);
      WriteColumn(cube_id, "key", static_cast<int64_t>(d), type, 0, facts.row_count, column.Width(),
                  column.Visit([](auto keys) { return static_cast<const void*>(keys.data()); }),
                  {});
    }
    for (size_t n = 0; n < facts.numbers.size(); ++n) {
      const NumberColumn& column = facts.numbers[n];
      const int width =
          column.Visit([](auto values) { return static_cast<int>(sizeof(values[0])); });
      WriteColumn(cube_id, "number", static_cast<int64_t>(n), column.TypeName(), column.Scale(),
                  facts.row_count, column.HasValues() ? width : 0,
                  column.Visit([](auto values) { return static_cast<const void*>(values.data()); }),
                  column.Nulls());
    }
  }

 private:
  void WriteDimension(int64_t cube_id, int64_t dimension_id, const DimensionData& dimension) {
    db_.Prepare("INSERT INTO dimension VALUES (?1, ?2, ?3, ?4, ?5, ?6)")
        .Bind(1, cube_id)
        .Bind(2, dimension_id)
        .Bind(3, dimension.Name())
        .Bind(4, int64_t{dimension.DimensionType()})
        .Bind(5, int64_t{dimension.DefaultHierarchy()})
        .Bind(6, int64_t{dimension.KeyCount()})
        .Run();
    SqliteStatement hierarchy_insert =
        db_.Prepare("INSERT INTO hierarchy VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
    SqliteStatement level_insert =
        db_.Prepare("INSERT INTO level VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
    SqliteStatement member_insert =
        db_.Prepare("INSERT INTO member VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
    for (size_t h = 0; h < dimension.Hierarchies().size(); ++h) {
      const HierarchyContent& content = dimension.Hierarchies()[h].Content();
      const auto hierarchy_id = static_cast<int64_t>(h);
      const auto leaf =
          Bytes(content.leaf_of_key.data(), content.leaf_of_key.size() * sizeof(MemberId));
      hierarchy_insert.Bind(1, cube_id)
          .Bind(2, dimension_id)
          .Bind(3, hierarchy_id)
          .Bind(4, content.name)
          .Bind(5, content.display_folder)
          .Bind(6, int64_t{content.has_all})
          .Bind(7, content.all_member_name)
          .BindBlob(8, leaf.data(), leaf.size())
          .Bind(9, static_cast<int64_t>(format::Checksum(leaf)))
          .Run();
      for (size_t depth = 0; depth < content.levels.size(); ++depth) {
        const LevelContent& level = content.levels[depth];
        level_insert.Bind(1, cube_id)
            .Bind(2, dimension_id)
            .Bind(3, hierarchy_id)
            .Bind(4, static_cast<int64_t>(depth))
            .Bind(5, level.name)
            .Bind(6, int64_t{level.level_type})
            .Bind(7, int64_t{level.unique_members})
            .Run();
      }
      for (size_t m = 0; m < content.members.size(); ++m) {
        const MemberRow& member = content.members[m];
        member_insert.Bind(1, cube_id)
            .Bind(2, dimension_id)
            .Bind(3, hierarchy_id)
            .Bind(4, static_cast<int64_t>(m))
            .Bind(5, int64_t{member.parent})
            .Bind(6, int64_t{member.depth})
            .Bind(7, member.name)
            .Bind(8, member.caption)
            .Bind(9, member.key)
            .Run();
      }
    }
  }

  void WriteColumn(int64_t cube_id, std::string_view kind, int64_t column_id,
                   const std::string& type, int scale, size_t rows, int width, const void* data,
                   const std::vector<uint64_t>& nulls) {
    db_.Prepare("INSERT INTO fact_column VALUES (?1, ?2, ?3, ?4, ?5, ?6)")
        .Bind(1, cube_id)
        .Bind(2, kind)
        .Bind(3, column_id)
        .Bind(4, type)
        .Bind(5, int64_t{scale})
        .Bind(6, int64_t{!nulls.empty()})
        .Run();
    SqliteStatement segment_insert =
        db_.Prepare("INSERT INTO fact_segment VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
    const auto* bytes = static_cast<const std::byte*>(data);
    int64_t segment = 0;
    for (size_t first = 0; first < rows || (rows == 0 && segment == 0);
         first += format::kSegmentRows, ++segment) {
      const size_t count = std::min(format::kSegmentRows, rows - first);
      const auto values = Bytes(bytes ? bytes + first * static_cast<size_t>(width) : nullptr,
                                count * static_cast<size_t>(width));
      std::span<const std::byte> null_bits;
      if (!nulls.empty())
        null_bits = Bytes(nulls.data() + first / 64, (count + 63) / 64 * sizeof(uint64_t));
      segment_insert.Bind(1, cube_id)
          .Bind(2, kind)
          .Bind(3, column_id)
          .Bind(4, segment)
          .Bind(5, static_cast<int64_t>(first))
          .Bind(6, static_cast<int64_t>(count))
          .BindBlob(7, values.data(), values.size())
          .BindBlob(8, null_bits.data(), null_bits.size())
          .Bind(9, static_cast<int64_t>(format::Checksum(values, null_bits)))
          .Run();
      if (rows == 0)
        break;
    }
  }

  SqliteDatabase& db_;
};

}  // namespace

void WriteCubeFile(const std::string& path,
                   const std::vector<std::shared_ptr<const CubeData>>& cubes) {
  if (path.empty())
    throw CubeFileError("No cube file name was given to write to.");
  if (cubes.empty())
    throw CubeFileError("No cube to write to the cube file " + path + ".");
  TemporaryFile temporary(path);
  try {
    SqliteDatabase db = SqliteDatabase::OpenForWriting(temporary.Path());
    db.Execute("PRAGMA page_size = " + std::to_string(format::kPageSize) +
               "; PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;");
    db.Execute("BEGIN");
    db.Execute(format::kSchema);
    SqliteStatement info = db.Prepare("INSERT INTO hexvane_cube_file VALUES (?1, ?2)");
    info.Bind(1, std::string_view("format")).Bind(2, std::string_view(format::kFormatName)).Run();
    info.Bind(1, std::string_view("format_version"))
        .Bind(2, std::to_string(format::kFormatVersion))
        .Run();
    info.Bind(1, std::string_view("written_at")).Bind(2, CurrentUtcTime()).Run();
    Writer writer(db);
    for (size_t c = 0; c < cubes.size(); ++c)
      writer.WriteCube(static_cast<int64_t>(c), *cubes[c]);
    db.Execute("COMMIT");
  } catch (const SqliteError& error) {
    throw CubeFileError("Unable to write the cube file " + path + ": " + error.what() + ".");
  }
  temporary.Commit();
}

std::string CatalogOfPath(const std::string& path) {
  return std::filesystem::path(path).stem().string();
}

}  // namespace engine
