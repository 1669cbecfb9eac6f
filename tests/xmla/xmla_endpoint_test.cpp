// How names and addresses are read: the endpoint of a Data Source, the cube of a statement,
// and the parts of unique names.

#include <gtest/gtest.h>

#include "adomd/provider_error.h"
#include "xmla/server/md_data_set_builder.h"
#include "xmla/server/statement_scan.h"
#include "xmla/xmla_endpoint.h"
#include "xmla/xmla_metadata.h"

namespace xmla {
namespace {

TEST(XmlaEndpoint, DataSourcesMapToAddresses) {
  const std::pair<const char*, const char*> cases[] = {
      {"http://olap.example.com/xmla", "http://olap.example.com/xmla"},
      {"HTTPS://olap.example.com:8443/olap/msmdpump.dll",
       "HTTPS://olap.example.com:8443/olap/msmdpump.dll"},
      {"olap1", "http://olap1:8050/xmla"},
      {" olap1.example.com:9000 ", "http://olap1.example.com:9000/xmla"},
      {"127.0.0.1", "http://127.0.0.1:8050/xmla"},
      {"[::1]:8051", "http://[::1]:8051/xmla"},
      {"[::1]", "http://[::1]:8050/xmla"},
  };
  for (const auto& [source, url] : cases)
    EXPECT_EQ(XmlaEndpointUrl(source), url) << source;

  const std::pair<const char*, const char*> refused[] = {
      {"olap1:99999",
       "The port \"99999\" of the data source \"olap1:99999\" is not a port number (1 to 65535)."},
      {"olap1:", "The port \"\" of the data source \"olap1:\" is not a port number (1 to 65535)."},
      {"olap 1",
       "The data source \"olap 1\" is neither an http:// or https:// address nor a host name."},
      {"", "The data source \"\" is neither an http:// or https:// address nor a host name."},
      {"[::1",
       "The data source \"[::1\" is neither an http:// or https:// address nor a host name."},
  };
  for (const auto& [source, message] : refused) {
    try {
      XmlaEndpointUrl(source);
      ADD_FAILURE() << source << " was accepted";
    } catch (const adomd::ProviderError& error) {
      EXPECT_EQ(std::string(error.what()), message);
    }
  }
}

TEST(StatementScan, CubeAndFirstKeyword) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"SELECT {[Measures].[Unit Sales]} ON 0 FROM [Sales]", "SELECT", "Sales"},
      {"with member [Measures].[x] as '1 from [Nope]' select {[Measures].[x]} on 0 from "
       "[Ware]]house] where ([Time].[1997])",
       "WITH", "Ware]house"},
      {"-- FROM [Comment]\n/* FROM [Block] */ SELECT {} ON 0 FROM Sales", "SELECT", "Sales"},
      {"SELECT {} ON 0 FROM (SELECT {} ON 0 FROM [Inner]) ", "SELECT", ""},
      {"DRILLTHROUGH MAXROWS 10 SELECT ([Store].[USA]) ON 0 FROM [Sales]", "DRILLTHROUGH", "Sales"},
      {"  ", "", ""},
  };
  for (const auto& [statement, keyword, cube] : cases) {
    EXPECT_EQ(FirstKeywordOf(statement), keyword) << statement;
    EXPECT_EQ(CubeNameOf(statement), cube) << statement;
  }
}

TEST(UniqueNames, HierarchyOfALevelAndLastNameOfAMember) {
  const std::pair<const char*, const char*> levels[] = {
      {"[Store].[Store State]", "[Store]"},
      {"[Time].[Weekly].[Week]", "[Time].[Weekly]"},
      {"[Measures].[MeasuresLevel]", "[Measures]"},
      {"[A.B].[C]]].[D]", "[A.B].[C]]]"},
      {"[Measures]", "[Measures]"},
  };
  for (const auto& [level, hierarchy] : levels)
    EXPECT_EQ(HierarchyOfLevel(level), hierarchy);

  const std::pair<const char*, const char*> members[] = {
      {"[Store].[USA].[CA]", "CA"},
      {"[Product].[Bread]].[Rye]]]", "Bread].[Rye]"},
      {"[Measures].[Unit Sales]", "Unit Sales"},
      {"[Time].&[2025]", "2025"},
  };
  for (const auto& [unique_name, name] : members)
    EXPECT_EQ(LastNameOf(unique_name), name);
}

}  // namespace
}  // namespace xmla
