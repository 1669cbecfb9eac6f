#include "engine/builder/cube_builder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

#include "engine/builder/build_error.h"
#include "engine/builder/hierarchy_loader.h"
#include "engine/builder/schema_reader.h"
#include "engine/builder/source_value.h"
#include "engine/storage/cube_file.h"

namespace engine {

namespace {

// A dimension of the cube being built and how a fact's foreign key finds its dimension key.
struct BuiltDimension {
  DimensionContent content;
  ValueIndex key_of_foreign_key;
  std::string primary_key_table;
  std::string primary_key;
};

// A number written as text, as CSV columns with some text in them hold it.
bool ParseNumber(const std::string& text, double& value) {
  if (text.empty() || text.find_first_of(" \t") != std::string::npos)
    return false;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return end == text.c_str() + text.size() && std::isfinite(value);
}

Aggregator ParseAggregator(const std::string& name) {
  if (name == "count")
    return Aggregator::Count;
  if (name == "min")
    return Aggregator::Min;
  if (name == "max")
    return Aggregator::Max;
  if (name == "avg")
    return Aggregator::Avg;
  if (name == "distinct-count")
    return Aggregator::DistinctCount;
  return Aggregator::Sum;
}

BuiltDimension BuildDimension(DataSource& source, const Schema& schema,
                              const CubeDimensionUse& use) {
  const SchemaDimension& dimension = use.dimension;
  std::vector<LoadedHierarchy> loaded;
  for (const auto& hierarchy : dimension.hierarchies)
    loaded.push_back(LoadHierarchy(source, schema, hierarchy));

  // A dimension key stands for one combination of leaf members, one per hierarchy, reached
  // from a primary key value of the first hierarchy's table.
  std::vector<ValueIndex> leaf_of_pk(loaded.size());
  for (size_t h = 1; h < loaded.size(); ++h)
    for (const auto& [pk, leaf] : loaded[h].leaf_of_primary_key)
      leaf_of_pk[h].Insert(pk, leaf);
  std::vector<std::pair<std::vector<MemberId>, const SourceValue*>> combinations;
  for (const auto& [pk, leaf] : loaded[0].leaf_of_primary_key) {
    std::vector<MemberId> leaves{leaf};
    for (size_t h = 1; h < loaded.size(); ++h) {
      leaves.push_back(leaf_of_pk[h].Find(pk));
      if (leaves.back() < 0)
        break;
    }
    if (leaves.back() >= 0)
      combinations.emplace_back(std::move(leaves), &pk);
  }
  // Keys in the first hierarchy's order keep the facts of one member close together.
  std::stable_sort(combinations.begin(), combinations.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });

  BuiltDimension built;
  built.content.name = dimension.name;
  built.content.dimension_type = dimension.time ? kDimensionTime : kDimensionOther;
  built.content.default_hierarchy = 0;
  for (auto& hierarchy : loaded)
    built.content.hierarchies.push_back(std::move(hierarchy.content));
  uint32_t key_count = 0;
  for (size_t i = 0; i < combinations.size(); ++i) {
    if (i == 0 || combinations[i].first != combinations[i - 1].first) {
      for (size_t h = 0; h < loaded.size(); ++h)
        built.content.hierarchies[h].leaf_of_key.push_back(combinations[i].first[h]);
      ++key_count;
    }
    built.key_of_foreign_key.Insert(*combinations[i].second, static_cast<int32_t>(key_count - 1));
  }
  built.key_of_foreign_key.Freeze();
  built.content.key_count = key_count;
  const SchemaHierarchy& first = dimension.hierarchies.front();
  built.primary_key = first.primary_key;
  built.primary_key_table =
      first.primary_key_table.empty() ? first.table->name : first.primary_key_table;
  return built;
}

class CubeBuilder {
 public:
  CubeBuilder(const Schema& schema, const SchemaCube& cube, DataSource& source)
      : schema_(schema), cube_(cube), source_(source) {}

  std::shared_ptr<const CubeData> Build() {
    const std::string& fact = cube_.fact_table.name;
    if (!source_.HasTable(fact))
      throw BuildError(SchemaPlace(schema_, cube_.fact_table.line, "Table", fact) +
                       source_.Description() + " has no table \"" + fact + "\".");
    CubeContent content;
    content.name = cube_.name;
    content.description = cube_.description;
    content.last_data_update = CurrentUtcTime();
    content.drillthrough_enabled = true;

    std::vector<BuiltDimension> dimensions;
    for (const auto& use : cube_.dimensions) {
      if (!source_.HasColumn(fact, use.foreign_key))
        throw BuildError(SchemaPlace(schema_, use.line, use.element, use.dimension.name) +
                         "the fact table " + fact + " has no column \"" + use.foreign_key +
                         "\" (foreignKey).");
      dimensions.push_back(BuildDimension(source_, schema_, use));
    }
    for (const auto& measure : cube_.measures)
      if (!source_.HasColumn(fact, measure.column))
        throw BuildError(SchemaPlace(schema_, measure.line, "Measure", measure.name) +
                         "the fact table " + fact + " has no column \"" + measure.column + "\".");

    ReadFacts(dimensions, content.facts);
    for (auto& dimension : dimensions)
      content.dimensions.push_back(std::move(dimension.content));
    for (size_t m = 0; m < cube_.measures.size(); ++m) {
      const SchemaMeasure& measure = cube_.measures[m];
      content.measures.push_back(MeasureContent{measure.name, false,
                                                ParseAggregator(measure.aggregator),
                                                column_of_measure_[m], "", measure.format_string});
    }
    for (const auto& member : cube_.calculated_members)
      content.measures.push_back(MeasureContent{member.name, true, Aggregator::Sum, -1,
                                                member.formula, member.format_string});
    try {
      return std::make_shared<const CubeData>(std::move(content));
    } catch (const std::invalid_argument& error) {
      throw BuildError(SchemaPlace(schema_, cube_.line, "Cube", cube_.name) + error.what());
    }
  }

 private:
  // How a fact column is kept: measures of one column kept alike share it.
  enum class Storage { Values, NullsOnly, Codes };
  struct ColumnPlan {
    std::string column;
    Storage storage;
    size_t measure;  // the first measure over it, for messages
  };

  static Storage StorageOf(const SchemaMeasure& measure) {
    if (measure.aggregator == "count")
      return Storage::NullsOnly;
    if (measure.aggregator == "distinct-count")
      return Storage::Codes;
    return Storage::Values;
  }

  void PlanColumns() {
    for (size_t m = 0; m < cube_.measures.size(); ++m) {
      const SchemaMeasure& measure = cube_.measures[m];
      const auto same = std::find_if(plans_.begin(), plans_.end(), [&](const ColumnPlan& plan) {
        return plan.column == measure.column && plan.storage == StorageOf(measure);
      });
      column_of_measure_.push_back(static_cast<int>(same - plans_.begin()));
      if (same == plans_.end())
        plans_.push_back({measure.column, StorageOf(measure), m});
    }
  }

  void ReadFacts(std::vector<BuiltDimension>& dimensions, FactTable& facts) {
    PlanColumns();
    const std::string table = QuoteIdentifier(cube_.fact_table.name);
    std::string sql = "SELECT ";
    for (size_t d = 0; d < cube_.dimensions.size(); ++d)
      sql += (d ? ", " : "") + QuoteIdentifier(cube_.dimensions[d].foreign_key);
    for (size_t c = 0; c < plans_.size(); ++c)
      sql += (c || !cube_.dimensions.empty() ? ", " : "") + QuoteIdentifier(plans_[c].column);
    sql += " FROM " + table;

    size_t expected = 0;
    {
      SqliteStatement count = source_.Db().Prepare("SELECT count(*) FROM " + table);
      count.Step();
      expected = static_cast<size_t>(count.Int(0));
    }
    const size_t dimension_count = dimensions.size();
    const size_t column_count = plans_.size();
    std::vector<std::vector<uint32_t>> keys(dimension_count);
    for (auto& column : keys)
      column.reserve(expected);
    std::vector<std::vector<double>> values(column_count);
    std::vector<std::vector<bool>> nulls(column_count);
    std::vector<ValueIndex> codes(column_count);
    for (size_t c = 0; c < column_count; ++c) {
      values[c].reserve(expected);
      nulls[c].reserve(expected);
    }

    SqliteStatement statement = source_.Db().Prepare(sql);
    size_t row = 0;
    while (statement.Step()) {
      ++row;
      for (size_t d = 0; d < dimension_count; ++d) {
        const int32_t key = dimensions[d].key_of_foreign_key.Find(statement, static_cast<int>(d));
        if (key < 0)
          UnknownKey(dimensions[d], d, statement, row);
        keys[d].push_back(static_cast<uint32_t>(key));
      }
      for (size_t c = 0; c < column_count; ++c) {
        const int column = static_cast<int>(dimension_count + c);
        const int type = statement.ColumnType(column);
        nulls[c].push_back(type == SQLITE_NULL);
        double value = 0;
        if (type != SQLITE_NULL && plans_[c].storage == Storage::Codes) {
          value = codes[c].Insert(SourceValue::FromColumn(statement, column),
                                  static_cast<int32_t>(codes[c].Size()));
        } else if (type != SQLITE_NULL && plans_[c].storage == Storage::Values) {
          if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
            value = statement.Double(column);
          } else if (!ParseNumber(statement.Text(column), value)) {
            const SchemaMeasure& measure = cube_.measures[plans_[c].measure];
            throw BuildError(SchemaPlace(schema_, measure.line, "Measure", measure.name) + "row " +
                             std::to_string(row) + " of the fact table holds " +
                             SourceValue::FromColumn(statement, column).Quoted() + " in column " +
                             measure.column + ", which is not a number.");
          }
        }
        values[c].push_back(value);
      }
    }
    facts.row_count = row;
    for (size_t d = 0; d < dimension_count; ++d) {
      facts.keys.push_back(KeyColumn::FromKeys(keys[d], dimensions[d].content.key_count));
      std::vector<uint32_t>().swap(keys[d]);
    }
    for (size_t c = 0; c < column_count; ++c) {
      facts.numbers.push_back(
          NumberColumn::FromValues(values[c], nulls[c], plans_[c].storage != Storage::NullsOnly));
      std::vector<double>().swap(values[c]);
    }
  }

  [[noreturn]] void UnknownKey(const BuiltDimension& dimension, size_t d,
                               const SqliteStatement& statement, size_t row) const {
    const CubeDimensionUse& use = cube_.dimensions[d];
    const SourceValue value = SourceValue::FromColumn(statement, static_cast<int>(d));
    throw BuildError(SchemaPlace(schema_, use.line, use.element, use.dimension.name) + "row " +
                     std::to_string(row) + " of the fact table " + cube_.fact_table.name + " has " +
                     use.foreign_key + " " + value.Quoted() + ", which no row of " +
                     dimension.primary_key_table + " has as " + dimension.primary_key +
                     " in every hierarchy of the dimension.");
  }

  const Schema& schema_;
  const SchemaCube& cube_;
  DataSource& source_;
  std::vector<ColumnPlan> plans_;
  std::vector<int> column_of_measure_;
};

}  // namespace

std::vector<std::shared_ptr<const CubeData>> BuildCubes(const Schema& schema, DataSource& source,
                                                        const std::string& cube_name) {
  std::vector<std::shared_ptr<const CubeData>> cubes;
  std::string names;
  for (const auto& cube : schema.cubes) {
    names += (names.empty() ? "" : ", ") + cube.name;
    if (cube_name.empty() || cube.name == cube_name)
      cubes.push_back(CubeBuilder(schema, cube, source).Build());
  }
  if (cubes.empty())
    throw BuildError("The schema " + schema.source + " has no cube named \"" + cube_name +
                     "\"; its cubes are: " + names + ".");
  return cubes;
}

void BuildCubeFile(const BuildOptions& options) {
  if (options.output.empty())
    throw BuildError("No output file is given (-o OUT.cub).");
  if (options.sqlite_source.empty() == options.csv_tables.empty())
    throw BuildError("Give the data either as --source DB.sqlite or as --csv TABLE=FILE.csv.");
  const Schema schema = ReadSchemaFile(options.schema_path);
  DataSource source = options.csv_tables.empty() ? DataSource::FromSqlite(options.sqlite_source)
                                                 : DataSource::FromCsv(options.csv_tables);
  try {
    WriteCubeFile(options.output, BuildCubes(schema, source, options.cube_name));
  } catch (const SqliteError& error) {
    throw BuildError("Reading " + source.Description() + " failed: " + error.what() + ".");
  }
}

}  // namespace engine
