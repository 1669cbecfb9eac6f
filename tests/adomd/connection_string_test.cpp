#include "adomd/connection_string.h"

#include <gtest/gtest.h>

#include "adomd/provider_error.h"
#include "adomd/provider_registry.h"

namespace {

using adomd::ConnectionString;

TEST(ConnectionStringParse, ReadsQuotedAndBareValues) {
  const auto parsed = ConnectionString::Parse(
      "Provider=MSOLAP.3;Data Source=\"/cubes/My \"\"Best\"\" Sales.cub\";"
      "Initial Catalog=\"\"; user id = ann ;Password='a;b';Integrated Security=SSPI;");
  EXPECT_EQ(parsed.Get("provider"), "MSOLAP.3");
  EXPECT_EQ(parsed.Get("DATA SOURCE"), "/cubes/My \"Best\" Sales.cub");
  EXPECT_EQ(parsed.Get("Initial Catalog"), "");
  EXPECT_EQ(parsed.Get("User ID"), "ann");
  EXPECT_EQ(parsed.Get("Password"), "a;b");
  EXPECT_EQ(parsed.Get("Missing"), std::nullopt);
  EXPECT_EQ(ConnectionString::Parse("A=1;A=2").Get("a"), "2");
}

TEST(ConnectionStringParse, RefusesTextThatIsNotKeyValuePairs) {
  for (const char* bad : {"Provider", "Provider=MSOLAP;Data Source", "=x",
                          "Data Source=\"open", "Data Source=\"a\"b;"})
    EXPECT_THROW(ConnectionString::Parse(bad), adomd::ProviderError) << bad;
}

TEST(ProviderRegistry, ClassifiesDataSources) {
  using adomd::DataSourceKind;
  struct Case {
    const char* source;
    DataSourceKind kind;
  };
  const Case cases[] = {{"http://olap/xmla", DataSourceKind::Server},
                        {"HTTPS://olap:443/xmla", DataSourceKind::Server},
                        {"olap1", DataSourceKind::Server},
                        {"olap1:8050", DataSourceKind::Server},
                        {"/cubes/Sales.cub", DataSourceKind::LocalCubeFile},
                        {"Sales.CUB", DataSourceKind::LocalCubeFile},
                        {"relative/cube", DataSourceKind::LocalCubeFile}};
  for (const Case& c : cases) EXPECT_EQ(adomd::ClassifyDataSource(c.source), c.kind) << c.source;
}

TEST(ProviderRegistry, RefusesStringsWithoutAUsableProviderOrSource) {
  struct Case {
    const char* text;
    const char* message_part;
  };
  const Case cases[] = {{"", "empty"},
                        {"Data Source=\"/a.cub\";", "no provider"},
                        {"Provider=SQLOLEDB;Data Source=\"/a.cub\";", "SQLOLEDB"},
                        {"Provider=MSOLAP.3;Data Source=\"\";", "no data source"},
                        {"Provider=MSOLAP.3;Initial Catalog=x;", "no data source"}};
  for (const Case& c : cases) {
    try {
      adomd::OpenConnection(c.text);
      ADD_FAILURE() << c.text << " opened";
    } catch (const adomd::ProviderError& error) {
      EXPECT_NE(std::string(error.what()).find(c.message_part), std::string::npos)
          << c.text << ": " << error.what();
    }
  }
}

}  // namespace
