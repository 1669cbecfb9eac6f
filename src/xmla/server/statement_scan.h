#pragma once

#include <string>

// A light scan of MDX text, enough for the server to file a statement: it skips comments,
// bracketed names and quoted strings, and never judges the statement; the engine does that.
namespace xmla {

// The first word of the statement in upper case ("SELECT", "WITH", "DRILLTHROUGH"...).
std::string FirstKeywordOf(const std::string& statement);
// The cube named after the outermost FROM ("SELECT ... FROM [Sales]" -> "Sales"); empty when
// there is none.
std::string CubeNameOf(const std::string& statement);

}  // namespace xmla
