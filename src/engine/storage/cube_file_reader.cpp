#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <map>

#include "engine/storage/cube_file.h"
#include "engine/storage/cube_file_format.h"
#include "engine/storage/sqlite_database.h"

namespace engine {

namespace {

namespace format = cube_file_format;

// A fault inside a file that is a cube file: reported as damage.
class Damage : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

Aggregator ParseAggregator(const std::string& name) {
  for (Aggregator aggregator : {Aggregator::Sum, Aggregator::Count, Aggregator::Min,
                                Aggregator::Max, Aggregator::Avg, Aggregator::DistinctCount})
    if (name == AggregatorName(aggregator))
      return aggregator;
  throw Damage("a measure has the unknown aggregator \"" + name + "\"");
}

struct Segment {
  int64_t rowid;
  size_t first_row;
  size_t row_count;
  size_t data_bytes;
  size_t null_bytes;
  uint64_t checksum;
};

class Reader {
 public:
  explicit Reader(SqliteDatabase& db) : db_(db) {}

  std::vector<std::shared_ptr<const CubeData>> ReadCubes() {
    std::vector<std::shared_ptr<const CubeData>> cubes;
    SqliteStatement cube = db_.Prepare(
        "SELECT cube_id, name, description, last_data_update, drillthrough_enabled, fact_count "
        "FROM cube ORDER BY cube_id");
    while (cube.Step()) {
      CubeContent content;
      const int64_t id = cube.Int(0);
      content.name = cube.Text(1);
      content.description = cube.Text(2);
      content.last_data_update = cube.Text(3);
      content.drillthrough_enabled = cube.Int(4) != 0;
      const int64_t fact_count = cube.Int(5);
      if (fact_count < 0)
        throw Damage("a cube has a negative number of facts");
      content.facts.row_count = static_cast<size_t>(fact_count);
      ReadDimensions(id, content);
      ReadMeasures(id, content);
      ReadFacts(id, content);
      cubes.push_back(std::make_shared<const CubeData>(std::move(content)));
    }
    if (cubes.empty())
      throw Damage("it holds no cube");
    return cubes;
  }

 private:
  static void CheckSequence(int64_t id, size_t expected, const char* what) {
    if (id != static_cast<int64_t>(expected))
      throw Damage(std::string("the ") + what + " are not numbered in sequence");
  }

  void ReadDimensions(int64_t cube_id, CubeContent& content) {
    SqliteStatement dimension = db_.Prepare(
        "SELECT dimension_id, name, dimension_type, default_hierarchy, key_count FROM dimension "
        "WHERE cube_id = ?1 ORDER BY dimension_id");
    dimension.Bind(1, cube_id);
    while (dimension.Step()) {
      CheckSequence(dimension.Int(0), content.dimensions.size(), "dimensions");
      DimensionContent& d = content.dimensions.emplace_back();
      d.name = dimension.Text(1);
      d.dimension_type = static_cast<int>(dimension.Int(2));
      d.default_hierarchy = static_cast<int>(dimension.Int(3));
      const int64_t key_count = dimension.Int(4);
      if (key_count < 0 || key_count > UINT32_MAX)
        throw Damage("a dimension's key count is wrong");
      d.key_count = static_cast<uint32_t>(key_count);
    }

    SqliteStatement hierarchy = db_.Prepare(
        "SELECT dimension_id, hierarchy_id, name, display_folder, has_all, all_member_name, "
        "leaf_of_key, checksum FROM hierarchy WHERE cube_id = ?1 "
        "ORDER BY dimension_id, hierarchy_id");
    hierarchy.Bind(1, cube_id);
    while (hierarchy.Step()) {
      auto& h = Hierarchy(content, hierarchy.Int(0), hierarchy.Int(1), true);
      h.name = hierarchy.Text(2);
      h.display_folder = hierarchy.Text(3);
      h.has_all = hierarchy.Int(4) != 0;
      h.all_member_name = hierarchy.Text(5);
      const auto leaf = hierarchy.Blob(6);
      if (format::Checksum(leaf) != static_cast<uint64_t>(hierarchy.Int(7)))
        throw Damage("the key map of hierarchy \"" + h.name + "\" fails its checksum");
      if (leaf.size() % sizeof(MemberId) != 0)
        throw Damage("the key map of hierarchy \"" + h.name + "\" has a wrong size");
      h.leaf_of_key.resize(leaf.size() / sizeof(MemberId));
      if (!leaf.empty())
        std::memcpy(h.leaf_of_key.data(), leaf.data(), leaf.size());
    }

    SqliteStatement level = db_.Prepare(
        "SELECT dimension_id, hierarchy_id, depth, name, level_type, unique_members FROM level "
        "WHERE cube_id = ?1 ORDER BY dimension_id, hierarchy_id, depth");
    level.Bind(1, cube_id);
    while (level.Step()) {
      auto& h = Hierarchy(content, level.Int(0), level.Int(1), false);
      CheckSequence(level.Int(2), h.levels.size(), "levels");
      h.levels.push_back(
          LevelContent{level.Text(3), static_cast<int>(level.Int(4)), level.Int(5) != 0});
    }

    SqliteStatement member = db_.Prepare(
        "SELECT dimension_id, hierarchy_id, member_id, parent_id, depth, name, caption, key "
        "FROM member WHERE cube_id = ?1 ORDER BY dimension_id, hierarchy_id, member_id");
    member.Bind(1, cube_id);
    while (member.Step()) {
      auto& h = Hierarchy(content, member.Int(0), member.Int(1), false);
      CheckSequence(member.Int(2), h.members.size(), "members");
      h.members.push_back(MemberRow{static_cast<MemberId>(member.Int(3)),
                                    static_cast<int32_t>(member.Int(4)), member.Text(5),
                                    member.Text(6), member.Text(7)});
    }
  }

  static HierarchyContent& Hierarchy(CubeContent& content, int64_t dimension, int64_t hierarchy,
                                     bool adding) {
    if (dimension < 0 || dimension >= static_cast<int64_t>(content.dimensions.size()))
      throw Damage("a hierarchy belongs to no dimension");
    auto& hierarchies = content.dimensions[static_cast<size_t>(dimension)].hierarchies;
    if (adding) {
      CheckSequence(hierarchy, hierarchies.size(), "hierarchies");
      return hierarchies.emplace_back();
    }
    if (hierarchy < 0 || hierarchy >= static_cast<int64_t>(hierarchies.size()))
      throw Damage("a level or member belongs to no hierarchy");
    return hierarchies[static_cast<size_t>(hierarchy)];
  }

  void ReadMeasures(int64_t cube_id, CubeContent& content) {
    SqliteStatement measure = db_.Prepare(
        "SELECT measure_id, name, calculated, aggregator, column_id, expression, format_string "
        "FROM measure WHERE cube_id = ?1 ORDER BY measure_id");
    measure.Bind(1, cube_id);
    while (measure.Step()) {
      CheckSequence(measure.Int(0), content.measures.size(), "measures");
      MeasureContent m;
      m.name = measure.Text(1);
      m.calculated = measure.Int(2) != 0;
      if (!m.calculated)
        m.aggregator = ParseAggregator(measure.Text(3));
      m.column = static_cast<int>(measure.Int(4));
      m.expression = measure.Text(5);
      m.format_string = measure.Text(6);
      content.measures.push_back(std::move(m));
    }
  }

  void ReadFacts(int64_t cube_id, CubeContent& content) {
    SqliteStatement column = db_.Prepare(
        "SELECT kind, column_id, type, scale, has_nulls FROM fact_column WHERE cube_id = ?1 "
        "ORDER BY kind = 'number', column_id");
    column.Bind(1, cube_id);
    FactTable& facts = content.facts;
    while (column.Step()) {
      const std::string kind = column.Text(0);
      const int64_t id = column.Int(1);
      const std::string type = column.Text(2);
      const int scale = static_cast<int>(column.Int(3));
      const bool has_nulls = column.Int(4) != 0;
      const auto segments = Segments(cube_id, kind, id, facts.row_count);
      if (kind == "key") {
        CheckSequence(id, facts.keys.size(), "key columns");
        facts.keys.push_back(ReadKeys(type, segments, facts.row_count));
      } else if (kind == "number") {
        CheckSequence(id, facts.numbers.size(), "measure columns");
        facts.numbers.push_back(ReadNumbers(type, scale, has_nulls, segments, facts.row_count));
      } else {
        throw Damage("a fact column is of the unknown kind \"" + kind + "\"");
      }
    }
  }

  std::vector<Segment> Segments(int64_t cube_id, const std::string& kind, int64_t column_id,
                                size_t rows) {
    SqliteStatement segment = db_.Prepare(
        "SELECT rowid, first_row, row_count, length(data), length(nulls), checksum "
        "FROM fact_segment WHERE cube_id = ?1 AND kind = ?2 AND column_id = ?3 ORDER BY segment");
    segment.Bind(1, cube_id).Bind(2, kind).Bind(3, column_id);
    std::vector<Segment> segments;
    size_t next = 0;
    while (segment.Step()) {
      const Segment s{segment.Int(0),
                      static_cast<size_t>(segment.Int(1)),
                      static_cast<size_t>(segment.Int(2)),
                      static_cast<size_t>(segment.Int(3)),
                      static_cast<size_t>(segment.Int(4)),
                      static_cast<uint64_t>(segment.Int(5))};
      if (s.first_row != next || s.row_count > format::kSegmentRows || s.first_row % 64 != 0)
        throw Damage("the segments of a fact column do not follow each other");
      next += s.row_count;
      segments.push_back(s);
    }
    if (next != rows)
      throw Damage("a fact column does not hold one value per fact");
    return segments;
  }

  // Reads a blob of a segment straight into its place in a column array.
  void ReadBlob(const Segment& segment, const char* blob_column, void* into, size_t bytes,
                size_t expected) {
    if (bytes != expected)
      throw Damage("a fact segment has the wrong size");
    if (bytes == 0)
      return;
    sqlite3_blob* blob = nullptr;
    int code = sqlite3_blob_open(db_.Handle(), "main", "fact_segment", blob_column, segment.rowid,
                                 0, &blob);
    if (code == SQLITE_OK)
      code = sqlite3_blob_read(blob, into, static_cast<int>(bytes), 0);
    const std::string message = sqlite3_errmsg(db_.Handle());
    sqlite3_blob_close(blob);
    if (code != SQLITE_OK)
      throw SqliteError(message, code);
  }

  template <class T>
  std::vector<T> ReadValues(const std::vector<Segment>& segments, size_t rows,
                            std::vector<uint64_t>* nulls) {
    std::vector<T> values(rows);
    for (const Segment& s : segments) {
      T* into = values.data() + s.first_row;
      ReadBlob(s, "data", into, s.data_bytes, s.row_count * sizeof(T));
      std::span<const std::byte> null_bytes;
      if (nulls) {
        uint64_t* words = nulls->data() + s.first_row / 64;
        ReadBlob(s, "nulls", words, s.null_bytes, (s.row_count + 63) / 64 * sizeof(uint64_t));
        null_bytes = {reinterpret_cast<const std::byte*>(words), s.null_bytes};
      } else if (s.null_bytes != 0) {
        throw Damage("a fact column without nulls has a null bitmap");
      }
      const std::span<const std::byte> data(reinterpret_cast<const std::byte*>(into),
                                            s.row_count * sizeof(T));
      if (format::Checksum(data, null_bytes) != s.checksum)
        throw Damage("a fact segment fails its checksum");
    }
    return values;
  }

  // A count column keeps only its null bitmap.
  void ReadNullsOnly(const std::vector<Segment>& segments, std::vector<uint64_t>* nulls) {
    for (const Segment& s : segments) {
      if (s.data_bytes != 0)
        throw Damage("a count column holds values");
      std::span<const std::byte> null_bytes;
      if (nulls) {
        uint64_t* words = nulls->data() + s.first_row / 64;
        ReadBlob(s, "nulls", words, s.null_bytes, (s.row_count + 63) / 64 * sizeof(uint64_t));
        null_bytes = {reinterpret_cast<const std::byte*>(words), s.null_bytes};
      } else if (s.null_bytes != 0) {
        throw Damage("a fact column without nulls has a null bitmap");
      }
      if (format::Checksum({}, null_bytes) != s.checksum)
        throw Damage("a fact segment fails its checksum");
    }
  }

  KeyColumn ReadKeys(const std::string& type, const std::vector<Segment>& segments, size_t rows) {
    if (type == "u8")
      return KeyColumn(ReadValues<uint8_t>(segments, rows, nullptr));
    if (type == "u16")
      return KeyColumn(ReadValues<uint16_t>(segments, rows, nullptr));
    if (type == "u32")
      return KeyColumn(ReadValues<uint32_t>(segments, rows, nullptr));
    throw Damage("a key column has the unknown type \"" + type + "\"");
  }

  NumberColumn ReadNumbers(const std::string& type, int scale, bool has_nulls,
                           const std::vector<Segment>& segments, size_t rows) {
    std::vector<uint64_t> nulls(has_nulls ? (rows + 63) / 64 : 0);
    std::vector<uint64_t>* null_words = has_nulls ? &nulls : nullptr;
    NumberColumn::Storage storage;
    if (type == "none")
      ReadNullsOnly(segments, null_words);
    else if (type == "i8")
      storage = ReadValues<int8_t>(segments, rows, null_words);
    else if (type == "i16")
      storage = ReadValues<int16_t>(segments, rows, null_words);
    else if (type == "i32")
      storage = ReadValues<int32_t>(segments, rows, null_words);
    else if (type == "i64")
      storage = ReadValues<int64_t>(segments, rows, null_words);
    else if (type == "f64")
      storage = ReadValues<double>(segments, rows, null_words);
    else
      throw Damage("a measure column has the unknown type \"" + type + "\"");
    return NumberColumn(std::move(storage), scale, rows, std::move(nulls));
  }

  SqliteDatabase& db_;
};

bool StartsLikeSqlite(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  char header[16] = {};
  in.read(header, sizeof header);
  return in.gcount() == sizeof header && std::memcmp(header, "SQLite format 3", 16) == 0;
}

}  // namespace

std::shared_ptr<const CubeFile> ReadCubeFile(const std::string& path) {
  struct stat info {};
  if (path.empty())
    throw CubeFileError("No cube file was named.");
  if (::stat(path.c_str(), &info) != 0)
    throw CubeFileError("The cube file " + path + " does not exist.");
  if (!S_ISREG(info.st_mode))
    throw CubeFileError("The cube file " + path + " is not a file.");
  if (::access(path.c_str(), R_OK) != 0)
    throw CubeFileError("The cube file " + path + " cannot be read: permission denied.");
  const std::string not_a_cube = path + " is not a Hexvane cube file.";
  if (!StartsLikeSqlite(path))
    throw CubeFileError("The file " + not_a_cube);

  auto file = std::make_shared<CubeFile>();
  file->path = path;
  file->catalog = CatalogOfPath(path);
  try {
    SqliteDatabase db = SqliteDatabase::OpenImmutable(path);
    if (!db.HasTable("hexvane_cube_file"))
      throw CubeFileError("The file " + not_a_cube);
    std::map<std::string, std::string> keys;
    SqliteStatement statement = db.Prepare("SELECT key, value FROM hexvane_cube_file");
    while (statement.Step())
      keys[statement.Text(0)] = statement.Text(1);
    if (keys["format"] != format::kFormatName)
      throw CubeFileError("The file " + not_a_cube);
    const std::string& version_text = keys["format_version"];
    int version = 0;
    try {
      size_t used = 0;
      version = std::stoi(version_text, &used);
      if (used != version_text.size())
        version = 0;
    } catch (const std::exception&) {
      version = 0;
    }
    if (version < 1)
      throw Damage("its format version \"" + version_text + "\" is not valid");
    if (version > format::kFormatVersion)
      throw CubeFileError("The cube file " + path + " has format version " +
                          std::to_string(version) + ", which is newer than this program reads (" +
                          std::to_string(format::kFormatVersion) +
                          "). Open it with a newer version of Hexvane.");
    Reader reader(db);
    file->cubes = reader.ReadCubes();
  } catch (const CubeFileError&) {
    throw;
  } catch (const SqliteError& error) {
    if (error.Code() == SQLITE_NOTADB)
      throw CubeFileError("The file " + not_a_cube);
    throw CubeFileError("The cube file " + path + " is damaged: " + error.what() + ".");
  } catch (const std::exception& error) {
    throw CubeFileError("The cube file " + path + " is damaged: " + error.what() + ".");
  }
  return file;
}

}  // namespace engine
