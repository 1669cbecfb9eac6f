#include "connection/cube_connection_string.h"

#include <gtest/gtest.h>

#include "adomd/connection_string.h"

namespace {

TCubeConnectionString Make(uint8_t type, uint8_t version, const std::string& host,
                           const std::string& catalog, const std::string& user,
                           const std::string& password, const std::string& file = "") {
  TCubeConnectionString c;
  c.SetConnectionType(type);
  c.SetServerVersion(version);
  c.SetHost(host);
  c.SetCatalog(catalog);
  c.SetUserName(user);
  c.SetPassword(password);
  c.SetLocalCubeFile(file);
  return c;
}

TEST(CubeConnectionString, BuildsOneShapePerKindAndGeneration) {
  struct Case {
    const char* what;
    TCubeConnectionString input;
    const char* expected;
  };
  const Case cases[] = {
      {"local cube file", Make(ctLocalCube, svGeneric, "", "", "", "", "/c/Sales.cub"),
       "Provider=MSOLAP.3;Data Source=\"/c/Sales.cub\";"},
      {"local cube file, SQL 2000", Make(ctLocalCube, svSql2000, "", "", "", "", "/c/a.cub"),
       "Provider=MSOLAP.2;Data Source=\"/c/a.cub\";"},
      {"server, SQL 2005, integrated",
       Make(ctAnalysisServer, svSql2005, "olap1", "FoodMart", "", ""),
       "Provider=MSOLAP.3;Data Source=\"olap1\";Initial Catalog=\"FoodMart\";"
       "Integrated Security=SSPI;"},
      {"server, SQL 2000, user", Make(ctAnalysisServer, svSql2000, "olap1", "DB", "ann", "pw"),
       "Provider=MSOLAP.2;Data Source=\"olap1\";Initial Catalog=\"DB\";User ID=\"ann\";"
       "Password=\"pw\""},
      {"http host", Make(ctHttpHost, svGeneric, "http://h:8050/xmla", "", "", ""),
       "Provider=MSOLAP.3;Data Source=\"http://h:8050/xmla\";Initial Catalog=\"\";"
       "Integrated Security=SSPI;"},
      {"blank user name", Make(ctAnalysisServer, svGeneric, "h", "d", "   ", "pw"),
       "Provider=MSOLAP.3;Data Source=\"h\";Initial Catalog=\"d\";Integrated Security=SSPI;"},
      {"hand-edited generation", Make(ctAnalysisServer, 7, "h", "d", "", ""),
       "Provider=MSOLAP.2;Data Source=\"h\";Initial Catalog=\"d\";Integrated Security=SSPI;"},
      {"no kind", Make(ctNone, svGeneric, "h", "d", "u", "p"), ""},
      {"unknown kind", Make(9, svGeneric, "h", "d", "u", "p"), ""},
      {"quote in a password", Make(ctAnalysisServer, svGeneric, "h", "d", "u", "a\"b;c"),
       "Provider=MSOLAP.3;Data Source=\"h\";Initial Catalog=\"d\";User ID=\"u\";"
       "Password=\"a\"\"b;c\""},
  };
  for (const Case& c : cases) {
    TCubeConnectionString input = c.input;
    EXPECT_EQ(input.BuildConnectionString(), c.expected) << c.what;
    EXPECT_EQ(input.ConnectionText, c.expected) << c.what;
  }
}

TEST(CubeConnectionString, BuiltStringsReadBackAsTheValuesGiven) {
  TCubeConnectionString c = Make(ctAnalysisServer, svGeneric, "h", "My \"Cube\" DB", "u", "p;=\"x");
  const auto parsed = adomd::ConnectionString::Parse(c.BuildConnectionString());
  EXPECT_EQ(parsed.Get("Initial Catalog"), "My \"Cube\" DB");
  EXPECT_EQ(parsed.Get("Password"), "p;=\"x");
  EXPECT_EQ(parsed.Get("Data Source"), "h");
}

TEST(CubeConnectionString, MasksThePassword) {
  const TCubeConnectionString c = Make(ctAnalysisServer, svGeneric, "h", "d", "ann", "secret");
  const std::string masked = c.BuildMaskedConnectionString();
  EXPECT_EQ(masked.find("secret"), std::string::npos);
  EXPECT_NE(masked.find("Password=\"********\""), std::string::npos) << masked;
}

TEST(CubeConnectionString, DescribesTheSource) {
  struct Case {
    TCubeConnectionString input;
    std::string expected;
  };
  const Case cases[] = {
      {Make(ctLocalCube, 0, "", "", "", "", "/c/Sales.cub"), "Local Cube File: /c/Sales.cub"},
      {Make(ctAnalysisServer, 0, "olap1", "", "", ""), "Analysis Server: olap1"},
      {Make(ctAnalysisServer, 0, "  ", "", "", ""), "Analysis Server: localhost"},
      {Make(ctHttpHost, 0, "http://x/xmla", "", "", ""), "Http Host: http://x/xmla"},
      {Make(ctHttpHost, 0, "", "", "", ""), "Http Host: " + LocalHttpAddress()},
      {Make(ctNone, 0, "h", "", "", ""), "Unknown connection information"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.input.Describe(), c.expected);
}

TEST(CubeConnectionString, SettersTrimAndCloneCopiesThroughThem) {
  TCubeConnectionString c;
  c.SetHost("  olap1  ");
  c.SetCatalog(" DB ");
  c.SetLocalCubeFile(" /c/x.cub ");
  c.SetUserName(" ann ");
  c.SetPassword(" pw ");
  EXPECT_EQ(c.Host, "olap1");
  EXPECT_EQ(c.Catalog, "DB");
  EXPECT_EQ(c.LocalCubeFile, "/c/x.cub");
  EXPECT_EQ(c.UserName, " ann ") << "stored unchanged";
  EXPECT_EQ(c.Password, " pw ");

  c.Host = " raw host ";  // as a hand assignment would leave it
  c.SetConnectionType(ctAnalysisServer);
  c.SetServerVersion(svSql2005);
  const auto copy = c.Clone();
  EXPECT_EQ(copy->Host, "raw host");
  EXPECT_EQ(copy->ConnectionType, ctAnalysisServer);
  EXPECT_EQ(copy->ServerVersion, svSql2005);
  EXPECT_EQ(copy->UserName, " ann ");
  EXPECT_EQ(copy->ConnectionText, copy->BuildConnectionString());
  EXPECT_NE(copy->ConnectionText, "");
}

TEST(CubeConnectionString, ServerVersionCaptions) {
  EXPECT_EQ(ServerVersionCaption(svGeneric), "Generic (may not be as efficient)");
  EXPECT_EQ(ServerVersionCaption(svSql2000), "SQL 2000 / SQL 7.0");
  EXPECT_EQ(ServerVersionCaption(svSql2005), "SQL 2005");
}

}  // namespace
