#pragma once

#include <string>

#include "engine/builder/schema.h"

namespace engine {

// Reads a schema file. Raises BuildError for a file that cannot be read, is not XML, or
// holds anything the builder cannot honour: an unknown element or attribute, a missing
// required attribute, a DimensionUsage of no shared dimension, a value out of its choices.
Schema ReadSchemaFile(const std::string& path);
// The same for schema text; source_name names it in messages.
Schema ReadSchemaText(const std::string& text, const std::string& source_name);

}  // namespace engine
