#pragma once

#include <optional>
#include <string>

#include "xmla/server/catalog_folder.h"
#include "xmla/tabular_rowset.h"
#include "xmla/xmla_request.h"

namespace xmla {

// The catalog a request is about: the CATALOG_NAME restriction, else the Catalog property,
// else the first catalog of the folder; nothing when the folder has none.
std::optional<std::string> RequestedCatalog(const XmlaRequest& request,
                                            const CatalogFolder& folder);

// Answers a Discover from the cube files of a folder, opened through the data-access object
// model: DBSCHEMA_CATALOGS, MDSCHEMA_CUBES, _DIMENSIONS, _HIERARCHIES, _LEVELS, _MEMBERS and
// _MEASURES. The restrictions on the path down (cube, dimension, hierarchy, level, member)
// choose what is read; any other restriction on a column filters the rows. Raises
// ProviderError for a request type it does not answer, an unknown catalog or a tree
// operation other than children, self and descendants.
TabularRowset DiscoverSchemaRowset(const XmlaRequest& request, CatalogFolder& folder);

}  // namespace xmla
