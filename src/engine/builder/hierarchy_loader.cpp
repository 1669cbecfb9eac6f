#include "engine/builder/hierarchy_loader.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "engine/builder/build_error.h"

namespace engine {

std::string SchemaPlace(const Schema& schema, int line, const std::string& element,
                        const std::string& name) {
  std::string place = schema.source + ", line " + std::to_string(line) + ": " + element;
  if (!name.empty())
    place += " \"" + name + "\"";
  return place + ": ";
}

namespace {

struct Node {
  int32_t parent = -1;
  int32_t depth = 0;
  SourceValue key;
  SourceValue ordinal;
  std::string name;
  std::string caption;
  std::vector<int32_t> children;
};

class Loader {
 public:
  Loader(DataSource& source, const Schema& schema, const SchemaHierarchy& hierarchy)
      : source_(source), schema_(schema), hierarchy_(hierarchy) {}

  LoadedHierarchy Load() {
    ResolveTables();
    const std::string sql = Query();
    const int offset = hierarchy_.has_all ? 1 : 0;
    if (hierarchy_.has_all) {
      Node all;
      all.name = hierarchy_.all_member_name.empty() ? "All " + hierarchy_.name + "s"
                                                    : hierarchy_.all_member_name;
      all.caption = all.name;
      nodes_.push_back(std::move(all));
    }
    const size_t level_count = hierarchy_.levels.size();
    std::vector<std::unordered_map<std::string, int32_t>> parent_of_unique_key(level_count);
    std::unordered_map<std::string, int32_t> node_of_key;
    std::unordered_map<std::string, int32_t> leaf_of_pk;
    std::vector<std::pair<SourceValue, int32_t>> pk_order;

    SqliteStatement statement = Prepare(sql);
    while (statement.Step()) {
      int32_t parent = hierarchy_.has_all ? 0 : -1;
      for (size_t l = 0; l < level_count; ++l) {
        const SchemaLevel& level = hierarchy_.levels[l];
        const int base = 1 + static_cast<int>(l) * 4;
        SourceValue key = SourceValue::FromColumn(statement, base);
        CheckType(level, key);
        if (level.type == "String" && key.IsNumber()) {
          key.text = key.ToText();
          key.kind = SourceValue::Kind::Text;
        }
        std::string identity(sizeof parent, '\0');
        std::memcpy(identity.data(), &parent, sizeof parent);
        identity += key.Identity();
        const SourceValue name_value = SourceValue::FromColumn(statement, base + 1);
        const std::string name = name_value.ToText();
        auto [found, added] = node_of_key.emplace(identity, static_cast<int32_t>(nodes_.size()));
        if (added) {
          Node node;
          node.parent = parent;
          node.depth = static_cast<int32_t>(l) + offset;
          node.key = key;
          node.name = name;
          node.caption = statement.IsNull(base + 2)
                             ? name
                             : SourceValue::FromColumn(statement, base + 2).ToText();
          node.ordinal = SourceValue::FromColumn(statement, base + 3);
          nodes_.push_back(std::move(node));
          if (parent >= 0)
            nodes_[static_cast<size_t>(parent)].children.push_back(found->second);
          else
            roots_.push_back(found->second);
          if (level.unique_members) {
            const auto [other, fresh] = parent_of_unique_key[l].emplace(key.Identity(), parent);
            if (!fresh && other->second != parent)
              throw BuildError(Place(level) + "uniqueMembers is \"true\", but the key " +
                               key.Quoted() + " occurs under both " + Path(other->second) +
                               " and " + Path(parent) + ".");
          }
        } else if (nodes_[static_cast<size_t>(found->second)].name != name) {
          throw BuildError(Place(level) + "the key " + key.Quoted() + " under " + Path(parent) +
                           " has two names, \"" + nodes_[static_cast<size_t>(found->second)].name +
                           "\" and \"" + name + "\".");
        }
        parent = found->second;
      }
      const SourceValue pk = SourceValue::FromColumn(statement, 0);
      if (pk.IsNull())
        continue;  // no fact can refer to such a row
      const auto [pk_found, pk_added] = leaf_of_pk.emplace(pk.Identity(), parent);
      if (pk_added) {
        pk_order.emplace_back(pk, parent);
      } else if (pk_found->second != parent) {
        throw BuildError(SchemaPlace(schema_, hierarchy_.line, "Hierarchy", hierarchy_.name) +
                         "the primary key value " + pk.Quoted() + " of " + hierarchy_.primary_key +
                         " belongs to two members, " + Path(pk_found->second) + " and " +
                         Path(parent) + ".");
      }
    }

    Number();
    LoadedHierarchy loaded;
    HierarchyContent& content = loaded.content;
    content.name = hierarchy_.name;
    content.display_folder = hierarchy_.display_folder;
    content.has_all = hierarchy_.has_all;
    if (hierarchy_.has_all) {
      content.all_member_name = nodes_[0].name;
      content.levels.push_back(LevelContent{"(All)", kLevelAll, true});
    }
    for (const auto& level : hierarchy_.levels)
      content.levels.push_back(LevelContent{level.name, level.level_type, level.unique_members});
    content.members.resize(order_.size());
    for (size_t i = 0; i < order_.size(); ++i) {
      Node& node = nodes_[static_cast<size_t>(order_[i])];
      MemberRow& row = content.members[i];
      row.parent = node.parent < 0 ? kNoMember : id_of_node_[static_cast<size_t>(node.parent)];
      row.depth = node.depth;
      row.name = std::move(node.name);
      row.caption = std::move(node.caption);
      row.key = node.parent < 0 && hierarchy_.has_all ? std::string() : node.key.ToText();
    }
    for (auto& [pk, node] : pk_order)
      loaded.leaf_of_primary_key.emplace_back(std::move(pk),
                                              id_of_node_[static_cast<size_t>(node)]);
    CheckSiblingNames(content);
    return loaded;
  }

 private:
  std::string Place(const SchemaLevel& level) const {
    return SchemaPlace(schema_, level.line, "Level", level.name);
  }

  std::string Path(int32_t node) const {
    std::vector<std::string> names;
    for (int32_t n = node; n >= 0; n = nodes_[static_cast<size_t>(n)].parent)
      names.push_back(nodes_[static_cast<size_t>(n)].name);
    if (names.empty())
      return "the top of the hierarchy";
    std::string path;
    for (auto it = names.rbegin(); it != names.rend(); ++it)
      path += "[" + *it + "]";
    return path;
  }

  SqliteStatement Prepare(const std::string& sql) {
    try {
      return source_.Db().Prepare(sql);
    } catch (const SqliteError& error) {
      throw BuildError(SchemaPlace(schema_, hierarchy_.line, "Hierarchy", hierarchy_.name) +
                       "the members cannot be read: " + error.what() + ".");
    }
  }

  void CheckType(const SchemaLevel& level, const SourceValue& key) const {
    if ((level.type == "Numeric" || level.type == "Integer") && key.kind == SourceValue::Kind::Text)
      throw BuildError(Place(level) + "the level is of type " + level.type + ", but its column " +
                       level.column + " holds the text " + key.Quoted() + ".");
    if (level.type == "Integer" && key.kind == SourceValue::Kind::Real)
      throw BuildError(Place(level) + "the level is of type Integer, but its column " +
                       level.column + " holds " + key.ToText() + ".");
  }

  void ResolveTables() {
    if (hierarchy_.table) {
      tables_.push_back(hierarchy_.table->name);
      CheckTable(*hierarchy_.table);
    } else {
      const SchemaJoin& join = *hierarchy_.join;
      tables_ = {join.left.name, join.right.name};
      CheckTable(join.left);
      CheckTable(join.right);
      const std::string place = SchemaPlace(schema_, join.line, "Join", "");
      if (!source_.HasColumn(join.left.name, join.left_key))
        throw BuildError(place + "the table " + join.left.name + " has no column \"" +
                         join.left_key + "\" (leftKey).");
      if (!source_.HasColumn(join.right.name, join.right_key))
        throw BuildError(place + "the table " + join.right.name + " has no column \"" +
                         join.right_key + "\" (rightKey).");
      CheckJoinMatches(join, place);
    }
    const std::string place = SchemaPlace(schema_, hierarchy_.line, "Hierarchy", hierarchy_.name);
    pk_table_ =
        hierarchy_.primary_key_table.empty() ? tables_.front() : hierarchy_.primary_key_table;
    if (std::find(tables_.begin(), tables_.end(), pk_table_) == tables_.end())
      throw BuildError(place + "the primaryKeyTable " + pk_table_ +
                       " is not a table of the hierarchy.");
    if (!source_.HasColumn(pk_table_, hierarchy_.primary_key))
      throw BuildError(place + "the table " + pk_table_ + " has no column \"" +
                       hierarchy_.primary_key + "\" (primaryKey).");
  }

  void CheckTable(const SchemaTable& table) {
    if (!source_.HasTable(table.name))
      throw BuildError(SchemaPlace(schema_, table.line, "Table", table.name) +
                       source_.Description() + " has no table \"" + table.name + "\".");
  }

  void CheckJoinMatches(const SchemaJoin& join, const std::string& place) {
    const std::string left = QuoteIdentifier(join.left.name);
    const std::string right = QuoteIdentifier(join.right.name);
    const std::string left_key = left + "." + QuoteIdentifier(join.left_key);
    const std::string right_key = right + "." + QuoteIdentifier(join.right_key);
    SqliteStatement statement = source_.Db().Prepare(
        "SELECT count(*), min(" + left_key + ") FROM " + left + " LEFT JOIN " + right + " ON " +
        left_key + " = " + right_key + " WHERE " + right_key + " IS NULL");
    statement.Step();
    if (const int64_t unmatched = statement.Int(0); unmatched > 0)
      throw BuildError(place + "the join does not match: " + std::to_string(unmatched) +
                       " rows of " + join.left.name + " have a " + join.left_key +
                       " that no row of " + join.right.name + " has as " + join.right_key +
                       ", such as " + SourceValue::FromColumn(statement, 1).Quoted() + ".");
  }

  // The qualified column of a level attribute; the level's table, or the one table of the
  // hierarchy that has the column.
  std::string Column(const SchemaLevel& level, const std::string& column, const char* attribute) {
    const std::string place = Place(level);
    if (!level.table.empty()) {
      if (std::find(tables_.begin(), tables_.end(), level.table) == tables_.end())
        throw BuildError(place + "the table " + level.table + " is not a table of the hierarchy.");
      if (!source_.HasColumn(level.table, column))
        throw BuildError(place + "the table " + level.table + " has no column \"" + column +
                         "\" (" + attribute + ").");
      return QuoteIdentifier(level.table) + "." + QuoteIdentifier(column);
    }
    std::vector<std::string> having;
    for (const auto& table : tables_)
      if (source_.HasColumn(table, column))
        having.push_back(table);
    if (having.empty())
      throw BuildError(place + "the table " +
                       (tables_.size() == 1 ? tables_[0] : tables_[0] + " or " + tables_[1]) +
                       " has no column \"" + column + "\" (" + attribute + ").");
    if (having.size() > 1)
      throw BuildError(place + "both joined tables have a column \"" + column +
                       "\"; say which with the attribute table.");
    return QuoteIdentifier(having[0]) + "." + QuoteIdentifier(column);
  }

  std::string Query() {
    std::string sql =
        "SELECT " + QuoteIdentifier(pk_table_) + "." + QuoteIdentifier(hierarchy_.primary_key);
    for (const auto& level : hierarchy_.levels) {
      const std::string key = Column(level, level.column, "column");
      sql += ", " + key;
      sql +=
          ", " + (level.name_column.empty() ? key : Column(level, level.name_column, "nameColumn"));
      sql += ", " + (level.caption_column.empty()
                         ? std::string("NULL")
                         : Column(level, level.caption_column, "captionColumn"));
      sql += ", " + (level.ordinal_column.empty()
                         ? std::string("NULL")
                         : Column(level, level.ordinal_column, "ordinalColumn"));
    }
    if (hierarchy_.table)
      return sql + " FROM " + QuoteIdentifier(hierarchy_.table->name);
    const SchemaJoin& join = *hierarchy_.join;
    return sql + " FROM " + QuoteIdentifier(join.left.name) + " JOIN " +
           QuoteIdentifier(join.right.name) + " ON " + QuoteIdentifier(join.left.name) + "." +
           QuoteIdentifier(join.left_key) + " = " + QuoteIdentifier(join.right.name) + "." +
           QuoteIdentifier(join.right_key);
  }

  // Sorts siblings by ordinal (or key) and numbers the members in hierarchy order.
  void Number() {
    auto less = [this](int32_t a, int32_t b) {
      const Node& x = nodes_[static_cast<size_t>(a)];
      const Node& y = nodes_[static_cast<size_t>(b)];
      if (const int c = SourceValue::Compare(x.ordinal, y.ordinal); c != 0)
        return c < 0;
      if (const int c = SourceValue::Compare(x.key, y.key); c != 0)
        return c < 0;
      return x.name < y.name;
    };
    std::sort(roots_.begin(), roots_.end(), less);
    for (auto& node : nodes_)
      std::sort(node.children.begin(), node.children.end(), less);
    id_of_node_.assign(nodes_.size(), kNoMember);
    std::vector<int32_t> stack;
    if (hierarchy_.has_all)
      stack.push_back(0);
    for (auto it = roots_.rbegin(); it != roots_.rend(); ++it)
      stack.push_back(*it);
    while (!stack.empty()) {
      const int32_t node = stack.back();
      stack.pop_back();
      id_of_node_[static_cast<size_t>(node)] = static_cast<MemberId>(order_.size());
      order_.push_back(node);
      const auto& children = nodes_[static_cast<size_t>(node)].children;
      for (auto it = children.rbegin(); it != children.rend(); ++it)
        stack.push_back(*it);
    }
  }

  void CheckSiblingNames(const HierarchyContent& content) const {
    std::unordered_map<std::string, MemberId> seen;
    for (size_t i = 0; i < content.members.size(); ++i) {
      const MemberRow& row = content.members[i];
      std::string identity(sizeof row.parent, '\0');
      std::memcpy(identity.data(), &row.parent, sizeof row.parent);
      identity += row.name;
      if (!seen.emplace(identity, static_cast<MemberId>(i)).second) {
        const int l = row.depth - (hierarchy_.has_all ? 1 : 0);
        throw BuildError(
            Place(hierarchy_.levels[static_cast<size_t>(l)]) + "two members under " +
            (row.parent == kNoMember
                 ? std::string("the top of the hierarchy")
                 : "\"" + content.members[static_cast<size_t>(row.parent)].name + "\"") +
            " are named \"" + row.name +
            "\"; unique names need a name column that tells them apart.");
      }
    }
  }

  DataSource& source_;
  const Schema& schema_;
  const SchemaHierarchy& hierarchy_;
  std::vector<std::string> tables_;
  std::string pk_table_;
  std::vector<Node> nodes_;
  std::vector<int32_t> roots_;
  std::vector<int32_t> order_;
  std::vector<MemberId> id_of_node_;
};

}  // namespace

LoadedHierarchy LoadHierarchy(DataSource& source, const Schema& schema,
                              const SchemaHierarchy& hierarchy) {
  return Loader(source, schema, hierarchy).Load();
}

}  // namespace engine
