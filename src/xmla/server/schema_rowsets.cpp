#include "xmla/server/schema_rowsets.h"

#include <chrono>
#include <ctime>
#include <functional>

#include "adomd/provider_error.h"
#include "xmla/server/rowset_builder.h"

namespace xmla {

namespace {

using Row = RowsetBuilder::Row;

// Tree operations of the MEMBERS rowset.
constexpr int kTreeOpChildren = 0x01;
constexpr int kTreeOpSelf = 0x08;
constexpr int kTreeOpDescendants = 0x10;

// MEMBER_TYPE values.
constexpr int kMemberTypeRegular = 1;
constexpr int kMemberTypeAll = 2;
constexpr int kMemberTypeMeasure = 3;

// True when the restriction is absent or the value is one of those it admits.
bool Admits(const XmlaRequest& request, const std::string& name, const std::string& value) {
  const std::vector<std::string> values = request.Restriction(name);
  if (values.empty())
    return true;
  return std::find(values.begin(), values.end(), value) != values.end();
}

std::string IsoTime(std::filesystem::file_time_type time) {
  const auto system = std::chrono::file_clock::to_sys(time);
  const std::time_t seconds = std::chrono::system_clock::to_time_t(system);
  std::tm parts{};
  gmtime_r(&seconds, &parts);
  char buffer[32];
  std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%S", &parts);
  return buffer;
}

// Walks the cube structure of one catalog along the restrictions of a request.
class SchemaWalk {
 public:
  SchemaWalk(const XmlaRequest& request, std::string catalog,
             std::shared_ptr<adomd::Connection> connection)
      : request_(request), catalog_(std::move(catalog)), connection_(std::move(connection)) {}

  void Cubes(const std::function<void(const adomd::CubeDef&)>& visit) {
    const auto cubes = connection_->GetCubeDefs();
    for (int i = 0; i < cubes->Count(); ++i) {
      const auto cube = cubes->Item(i);
      if (Admits(request_, "CUBE_NAME", cube->Name()))
        visit(*cube);
    }
  }

  void Dimensions(
      const std::function<void(const adomd::CubeDef&, const adomd::Dimension&, int)>& visit) {
    Cubes([&](const adomd::CubeDef& cube) {
      const auto dimensions = cube.GetDimensions();
      for (int i = 0; i < dimensions->Count(); ++i) {
        const auto dimension = dimensions->Item(i);
        if (Admits(request_, "DIMENSION_UNIQUE_NAME", dimension->UniqueName()))
          visit(cube, *dimension, i);
      }
    });
  }

  void Hierarchies(const std::function<void(const adomd::CubeDef&, const adomd::Dimension&,
                                            const adomd::Hierarchy&, int)>& visit) {
    Dimensions([&](const adomd::CubeDef& cube, const adomd::Dimension& dimension, int) {
      const auto hierarchies = dimension.GetHierarchies();
      for (int i = 0; i < hierarchies->Count(); ++i) {
        const auto hierarchy = hierarchies->Item(i);
        if (Admits(request_, "HIERARCHY_UNIQUE_NAME", hierarchy->UniqueName()))
          visit(cube, dimension, *hierarchy, i);
      }
    });
  }

  void Levels(const std::function<void(const adomd::CubeDef&, const adomd::Dimension&,
                                       const adomd::Hierarchy&, const adomd::Level&)>& visit) {
    Hierarchies([&](const adomd::CubeDef& cube, const adomd::Dimension& dimension,
                    const adomd::Hierarchy& hierarchy, int) {
      const auto levels = hierarchy.GetLevels();
      for (int i = 0; i < levels->Count(); ++i) {
        const auto level = levels->Item(i);
        if (Admits(request_, "LEVEL_UNIQUE_NAME", level->UniqueName()) &&
            Admits(request_, "LEVEL_NUMBER", std::to_string(level->Depth())))
          visit(cube, dimension, hierarchy, *level);
      }
    });
  }

  const std::string& Catalog() const { return catalog_; }

 private:
  const XmlaRequest& request_;
  std::string catalog_;
  std::shared_ptr<adomd::Connection> connection_;
};

Row CubePath(const std::string& catalog, const adomd::CubeDef& cube) {
  return {{"CATALOG_NAME", catalog}, {"CUBE_NAME", cube.Name()}};
}

TabularRowset Catalogs(const XmlaRequest& request, CatalogFolder& folder) {
  RowsetBuilder builder({"CATALOG_NAME", "DESCRIPTION", "DATE_MODIFIED"});
  for (const CatalogFolder::Entry& entry : folder.List())
    if (Admits(request, "CATALOG_NAME", entry.name))
      builder.Add({{"CATALOG_NAME", entry.name}, {"DATE_MODIFIED", IsoTime(entry.modified)}});
  return std::move(builder).Finish();
}

TabularRowset CubesRowset(SchemaWalk& walk) {
  RowsetBuilder builder({"CATALOG_NAME", "CUBE_NAME", "CUBE_TYPE", "DESCRIPTION"});
  walk.Cubes([&](const adomd::CubeDef& cube) {
    Row row = CubePath(walk.Catalog(), cube);
    row.emplace_back("CUBE_TYPE", "CUBE");
    row.emplace_back("DESCRIPTION", cube.Description());
    RowsetBuilder::AddProperties(row, *cube.GetProperties());
    builder.Add(row);
  });
  return std::move(builder).Finish();
}

TabularRowset DimensionsRowset(SchemaWalk& walk) {
  RowsetBuilder builder({"CATALOG_NAME", "CUBE_NAME", "DIMENSION_NAME", "DIMENSION_UNIQUE_NAME",
                         "DIMENSION_CAPTION", "DIMENSION_ORDINAL"});
  walk.Dimensions([&](const adomd::CubeDef& cube, const adomd::Dimension& dimension, int index) {
    Row row = CubePath(walk.Catalog(), cube);
    row.emplace_back("DIMENSION_NAME", dimension.Name());
    row.emplace_back("DIMENSION_UNIQUE_NAME", dimension.UniqueName());
    row.emplace_back("DIMENSION_CAPTION", dimension.Name());
    row.emplace_back("DIMENSION_ORDINAL", index);
    RowsetBuilder::AddProperties(row, *dimension.GetProperties());
    builder.Add(row);
  });
  return std::move(builder).Finish();
}

TabularRowset HierarchiesRowset(SchemaWalk& walk) {
  RowsetBuilder builder({"CATALOG_NAME", "CUBE_NAME", "DIMENSION_UNIQUE_NAME", "HIERARCHY_NAME",
                         "HIERARCHY_UNIQUE_NAME", "HIERARCHY_CAPTION", "HIERARCHY_ORDINAL"});
  walk.Hierarchies([&](const adomd::CubeDef& cube, const adomd::Dimension& dimension,
                       const adomd::Hierarchy& hierarchy, int index) {
    Row row = CubePath(walk.Catalog(), cube);
    row.emplace_back("DIMENSION_UNIQUE_NAME", dimension.UniqueName());
    row.emplace_back("HIERARCHY_NAME", hierarchy.Name());
    row.emplace_back("HIERARCHY_UNIQUE_NAME", hierarchy.UniqueName());
    row.emplace_back("HIERARCHY_CAPTION", hierarchy.Name());
    row.emplace_back("HIERARCHY_ORDINAL", index);
    RowsetBuilder::AddProperties(row, *hierarchy.GetProperties());
    builder.Add(row);
  });
  return std::move(builder).Finish();
}

Row LevelPath(const std::string& catalog, const adomd::CubeDef& cube,
              const adomd::Dimension& dimension, const adomd::Hierarchy& hierarchy) {
  Row row = CubePath(catalog, cube);
  row.emplace_back("DIMENSION_UNIQUE_NAME", dimension.UniqueName());
  row.emplace_back("HIERARCHY_UNIQUE_NAME", hierarchy.UniqueName());
  return row;
}

TabularRowset LevelsRowset(SchemaWalk& walk) {
  RowsetBuilder builder({"CATALOG_NAME", "CUBE_NAME", "DIMENSION_UNIQUE_NAME",
                         "HIERARCHY_UNIQUE_NAME", "LEVEL_NAME", "LEVEL_UNIQUE_NAME",
                         "LEVEL_CAPTION", "LEVEL_NUMBER"});
  walk.Levels([&](const adomd::CubeDef& cube, const adomd::Dimension& dimension,
                  const adomd::Hierarchy& hierarchy, const adomd::Level& level) {
    Row row = LevelPath(walk.Catalog(), cube, dimension, hierarchy);
    row.emplace_back("LEVEL_NAME", level.Name());
    row.emplace_back("LEVEL_UNIQUE_NAME", level.UniqueName());
    row.emplace_back("LEVEL_CAPTION", level.Caption());
    row.emplace_back("LEVEL_NUMBER", level.Depth());
    RowsetBuilder::AddProperties(row, *level.GetProperties());
    builder.Add(row);
  });
  return std::move(builder).Finish();
}

bool IsMeasures(const adomd::Dimension& dimension) {
  return dimension.UniqueName() == "[Measures]";
}

// The member of a hierarchy with that unique name. Unique names are paths of names, so the
// search goes down through the members whose name is a prefix of it; a hierarchy named
// otherwise is searched level by level.
std::shared_ptr<adomd::Member> FindMember(const adomd::Hierarchy& hierarchy,
                                          const std::string& unique_name) {
  const auto levels = hierarchy.GetLevels();
  if (levels->Count() == 0)
    return nullptr;
  std::shared_ptr<adomd::Members> candidates = levels->Item(0)->GetMembers();
  while (candidates) {
    std::shared_ptr<adomd::Members> next;
    for (int i = 0; i < candidates->Count(); ++i) {
      const auto member = candidates->Item(i);
      const std::string name = member->UniqueName();
      if (name == unique_name)
        return member;
      if (!next && unique_name.starts_with(name + "."))
        next = member->Children();
    }
    candidates = next;
  }
  for (int l = 0; l < levels->Count(); ++l) {
    const auto members = levels->Item(l)->GetMembers();
    for (int i = 0; i < members->Count(); ++i)
      if (members->Item(i)->UniqueName() == unique_name)
        return members->Item(i);
  }
  return nullptr;
}

TabularRowset MembersRowset(const XmlaRequest& request, SchemaWalk& walk) {
  RowsetBuilder builder({"CATALOG_NAME", "CUBE_NAME", "DIMENSION_UNIQUE_NAME",
                         "HIERARCHY_UNIQUE_NAME", "LEVEL_UNIQUE_NAME", "LEVEL_NUMBER",
                         "MEMBER_NAME", "MEMBER_UNIQUE_NAME", "MEMBER_TYPE", "MEMBER_CAPTION",
                         "CHILDREN_CARDINALITY", "PARENT_UNIQUE_NAME"});
  int tree_op = kTreeOpSelf;
  if (const auto op = request.Restriction("TREE_OP"); !op.empty()) {
    try {
      tree_op = std::stoi(op.front());
    } catch (const std::exception&) {
      throw adomd::ProviderError("The TREE_OP restriction \"" + op.front() + "\" is not a number.");
    }
    if (tree_op & ~(kTreeOpChildren | kTreeOpSelf | kTreeOpDescendants))
      throw adomd::ProviderError("The tree operation " + op.front() +
                                 " is not supported: this server answers children (1), self "
                                 "(8) and descendants (16).");
  }
  const std::vector<std::string> wanted = request.Restriction("MEMBER_UNIQUE_NAME");
  // MEMBER_UNIQUE_NAME names the member the tree operation starts from; the level
  // restrictions then do not filter the rows it reaches.
  const auto add = [&](const Row& path, const adomd::Member& member, bool measures,
                       const std::string& parent) {
    Row row = path;
    row.emplace_back("LEVEL_UNIQUE_NAME", member.LevelName());
    row.emplace_back("LEVEL_NUMBER", member.LevelDepth());
    row.emplace_back("MEMBER_NAME", member.Name());
    row.emplace_back("MEMBER_UNIQUE_NAME", member.UniqueName());
    row.emplace_back("MEMBER_TYPE", measures ? kMemberTypeMeasure
                                    : member.LevelName().ends_with(".[(All)]")
                                        ? kMemberTypeAll
                                        : kMemberTypeRegular);
    row.emplace_back("MEMBER_CAPTION", member.Caption());
    row.emplace_back("CHILDREN_CARDINALITY", member.ChildCount());
    if (!parent.empty())
      row.emplace_back("PARENT_UNIQUE_NAME", parent);
    RowsetBuilder::AddProperties(row, *member.GetProperties());
    builder.Add(row);
  };
  const std::function<void(const Row&, const adomd::Member&, bool)> add_descendants =
      [&](const Row& path, const adomd::Member& member, bool measures) {
        const auto children = member.Children();
        for (int i = 0; i < children->Count(); ++i) {
          const auto child = children->Item(i);
          add(path, *child, measures, member.UniqueName());
          if (tree_op & kTreeOpDescendants)
            add_descendants(path, *child, measures);
        }
      };

  if (wanted.empty()) {
    walk.Levels([&](const adomd::CubeDef& cube, const adomd::Dimension& dimension,
                    const adomd::Hierarchy& hierarchy, const adomd::Level& level) {
      const Row path = LevelPath(walk.Catalog(), cube, dimension, hierarchy);
      const auto members = level.GetMembers();
      for (int i = 0; i < members->Count(); ++i)
        add(path, *members->Item(i), IsMeasures(dimension), {});
    });
  } else {
    walk.Hierarchies([&](const adomd::CubeDef& cube, const adomd::Dimension& dimension,
                         const adomd::Hierarchy& hierarchy, int) {
      const Row path = LevelPath(walk.Catalog(), cube, dimension, hierarchy);
      for (const std::string& unique_name : wanted) {
        if (!unique_name.starts_with(hierarchy.UniqueName() + ".") &&
            !unique_name.starts_with(dimension.UniqueName() + "."))
          continue;
        const auto member = FindMember(hierarchy, unique_name);
        if (!member)
          continue;
        if (tree_op & kTreeOpSelf)
          add(path, *member, IsMeasures(dimension), {});
        if (tree_op & (kTreeOpChildren | kTreeOpDescendants))
          add_descendants(path, *member, IsMeasures(dimension));
      }
    });
  }
  return std::move(builder).Finish();
}

TabularRowset MeasuresRowset(SchemaWalk& walk) {
  RowsetBuilder builder(
      {"CATALOG_NAME", "CUBE_NAME", "MEASURE_NAME", "MEASURE_UNIQUE_NAME", "MEASURE_CAPTION"});
  walk.Cubes([&](const adomd::CubeDef& cube) {
    const auto dimensions = cube.GetDimensions();
    for (int d = 0; d < dimensions->Count(); ++d) {
      const auto dimension = dimensions->Item(d);
      if (!IsMeasures(*dimension))
        continue;
      const auto hierarchies = dimension->GetHierarchies();
      for (int h = 0; h < hierarchies->Count(); ++h) {
        const auto levels = hierarchies->Item(h)->GetLevels();
        for (int l = 0; l < levels->Count(); ++l) {
          const auto members = levels->Item(l)->GetMembers();
          for (int m = 0; m < members->Count(); ++m) {
            const auto measure = members->Item(m);
            Row row = CubePath(walk.Catalog(), cube);
            row.emplace_back("MEASURE_NAME", measure->Name());
            row.emplace_back("MEASURE_UNIQUE_NAME", measure->UniqueName());
            row.emplace_back("MEASURE_CAPTION", measure->Caption());
            RowsetBuilder::AddProperties(row, *measure->GetProperties());
            builder.Add(row);
          }
        }
      }
    }
  });
  return std::move(builder).Finish();
}

// Applies the restrictions on columns that the walk did not already apply.
TabularRowset Filtered(TabularRowset rowset, const XmlaRequest& request,
                       const std::vector<std::string>& applied) {
  for (const auto& [name, value] : request.restrictions) {
    if (std::find(applied.begin(), applied.end(), name) != applied.end())
      continue;
    const auto column = rowset.ColumnIndex(name);
    if (!column)
      continue;
    std::erase_if(rowset.rows, [&, column = *column, name = name](const auto& row) {
      return !Admits(request, name, row[column].ToText());
    });
  }
  return rowset;
}

}  // namespace

std::optional<std::string> RequestedCatalog(const XmlaRequest& request,
                                            const CatalogFolder& folder) {
  if (const auto named = request.Restriction("CATALOG_NAME"); !named.empty())
    return named.front();
  if (const auto property = request.Property("Catalog"); property && !property->empty())
    return property;
  const auto entries = folder.List();
  if (entries.empty())
    return std::nullopt;
  return entries.front().name;
}

TabularRowset DiscoverSchemaRowset(const XmlaRequest& request, CatalogFolder& folder) {
  const std::string& type = request.request_type;
  if (type == "DBSCHEMA_CATALOGS")
    return Catalogs(request, folder);
  const bool known = type == "MDSCHEMA_CUBES" || type == "MDSCHEMA_DIMENSIONS" ||
                     type == "MDSCHEMA_HIERARCHIES" || type == "MDSCHEMA_LEVELS" ||
                     type == "MDSCHEMA_MEMBERS" || type == "MDSCHEMA_MEASURES";
  if (!known)
    throw adomd::ProviderError(
        "The request type \"" + type +
        "\" is not supported. This server answers DBSCHEMA_CATALOGS, MDSCHEMA_CUBES, "
        "MDSCHEMA_DIMENSIONS, MDSCHEMA_HIERARCHIES, MDSCHEMA_LEVELS, MDSCHEMA_MEMBERS and "
        "MDSCHEMA_MEASURES.");
  const std::optional<std::string> catalog = RequestedCatalog(request, folder);
  if (!catalog)
    return RowsetBuilder({"CATALOG_NAME", "CUBE_NAME"}).Finish();

  SchemaWalk walk(request, *catalog, folder.Open(*catalog));
  const std::vector<std::string> path = {
      "CATALOG_NAME",      "CUBE_NAME",    "DIMENSION_UNIQUE_NAME", "HIERARCHY_UNIQUE_NAME",
      "LEVEL_UNIQUE_NAME", "LEVEL_NUMBER", "MEMBER_UNIQUE_NAME",    "TREE_OP"};
  if (type == "MDSCHEMA_CUBES")
    return Filtered(CubesRowset(walk), request, path);
  if (type == "MDSCHEMA_DIMENSIONS")
    return Filtered(DimensionsRowset(walk), request, path);
  if (type == "MDSCHEMA_HIERARCHIES")
    return Filtered(HierarchiesRowset(walk), request, path);
  if (type == "MDSCHEMA_LEVELS")
    return Filtered(LevelsRowset(walk), request, path);
  if (type == "MDSCHEMA_MEMBERS")
    return Filtered(MembersRowset(request, walk), request, path);
  return Filtered(MeasuresRowset(walk), request, path);
}

}  // namespace xmla
