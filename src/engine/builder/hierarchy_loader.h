#pragma once

#include <utility>
#include <vector>

#include "engine/builder/data_source.h"
#include "engine/builder/schema.h"
#include "engine/builder/source_value.h"
#include "engine/model/cube_content.h"

namespace engine {

// A hierarchy's members read from its table or join, and the leaf member of each primary
// key value. The content's leaf_of_key is left for the dimension to fill.
struct LoadedHierarchy {
  HierarchyContent content;
  std::vector<std::pair<SourceValue, MemberId>> leaf_of_primary_key;
};

// Reads the hierarchy's members. Raises BuildError naming the schema element and line of a
// missing table or column, a join that does not match, a primary key value that names two
// members, a key with two names, two members of one name under one parent, or members that
// are not unique where uniqueMembers says they are.
LoadedHierarchy LoadHierarchy(DataSource& source, const Schema& schema,
                              const SchemaHierarchy& hierarchy);

// "SCHEMA, line N: ELEMENT "NAME": " for messages about an element of a schema.
std::string SchemaPlace(const Schema& schema, int line, const std::string& element,
                        const std::string& name);

}  // namespace engine
