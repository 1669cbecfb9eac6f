// The cube builder on small CSV and SQLite inputs: what it honours, and every input it
// refuses, with a message naming the element and its line and no output file left.

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/builder/build_error.h"
#include "engine/builder/cube_builder.h"
#include "engine/storage/cube_file.h"
#include "engine_test_files.h"

using namespace engine;

namespace {

// Line numbers matter: the cases below name them.
constexpr const char* kSchema = R"(<?xml version="1.0"?>
<Schema name="Shop">
  <Cube name="Shop" description="A small shop">
    <Table name="sales"/>
    <Dimension name="Store" foreignKey="store_id">
      <Hierarchy hasAll="true" allMemberName="All Stores" primaryKey="store_id">
        <Table name="stores"/>
        <Level name="Country" column="country" uniqueMembers="true"/>
        <Level name="City" column="city"/>
        <Level name="Store" column="store_name" ordinalColumn="opened" uniqueMembers="true"/>
      </Hierarchy>
    </Dimension>
    <Dimension name="Product" foreignKey="product_id">
      <Hierarchy hasAll="false" primaryKey="product_id" primaryKeyTable="products" displayFolder="Goods">
        <Join leftKey="class_id" rightKey="class_id">
          <Table name="products"/>
          <Table name="classes"/>
        </Join>
        <Level name="Category" table="classes" column="category" captionColumn="label"/>
        <Level name="Product" table="products" column="product_name"/>
      </Hierarchy>
    </Dimension>
    <Measure name="Units" column="units" aggregator="sum"/>
    <Measure name="Amount" column="amount" aggregator="sum" formatString="#,##0.00"/>
    <CalculatedMember name="Price" dimension="Measures" formula="[Measures].[Amount] / [Measures].[Units]"/>
  </Cube>
</Schema>
)";

constexpr const char* kStores =
    "store_id,country,city,store_name,opened\n"
    "1,USA,Seattle,Pike Place,2\n"
    "2,USA,Portland,Pearl,1\n"
    "3,Canada,Vancouver,\"Gastown, Water St\",3\n"
    "4,USA,Seattle,Odd]Name,1\n";
constexpr const char* kProducts =
    "product_id,class_id,product_name\n1,10,Apples\n2,10,Pears\n3,20,Milk\n";
constexpr const char* kClasses =
    "class_id,category,label\n10,Fruit,Fresh fruit\n20,Dairy,Dairy products\n";
constexpr const char* kSales =
    "store_id,product_id,units,amount\n1,1,2,3.50\n1,3,1,1.25\n2,2,5,\n3,1,4,6.00\n4,3,1,1.10\n";

class ShopBuild : public ::testing::Test {
 protected:
  void SetUp() override {
    files_ = {{"schema.xml", kSchema},
              {"stores.csv", kStores},
              {"products.csv", kProducts},
              {"classes.csv", kClasses},
              {"sales.csv", kSales}};
  }

  // Replaces the first occurrence of a text in an input file.
  void Change(const std::string& file, const std::string& from, const std::string& to) {
    std::string& content = files_[file];
    const auto at = content.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    content.replace(at, from.size(), to);
  }

  BuildOptions Options() {
    for (const auto& [name, content] : files_)
      folder_.Write(name, content);
    BuildOptions options;
    options.schema_path = folder_.File("schema.xml");
    for (const char* table : {"stores", "products", "classes", "sales"})
      options.csv_tables.emplace_back(table, folder_.File(std::string(table) + ".csv"));
    options.output = folder_.File("Shop.cub");
    return options;
  }

  std::shared_ptr<const CubeData> Build() {
    BuildCubeFile(Options());
    return FirstCube(folder_.File("Shop.cub"));
  }

  // The message of a build that must fail; no output file may remain.
  std::string BuildError() {
    const BuildOptions options = Options();
    const std::string inputs = folder_.Listing();
    std::string message = "(built)";
    try {
      BuildCubeFile(options);
    } catch (const std::exception& error) {
      message = error.what();
    }
    EXPECT_EQ(folder_.Listing(), inputs) << "the failed build left a file behind";
    return message;
  }

  std::map<std::string, std::string> files_;
  TemporaryFolder folder_;
};

TEST_F(ShopBuild, BuildsMembersInOrderWithCaptionsAndBrackets) {
  const auto cube = Build();
  EXPECT_EQ(cube->Name(), "Shop");
  EXPECT_EQ(cube->Description(), "A small shop");
  const HierarchyData& store = cube->Dimension(0).Hierarchy(0);
  std::vector<std::string> names;
  for (MemberId m = 0; m < store.MemberCount(); ++m)
    names.push_back(store.MemberUniqueName(m));
  // Countries by key, cities by key, stores by their ordinal column; "]" written "]]".
  EXPECT_EQ(names, (std::vector<std::string>{
                       "[Store].[All Stores]", "[Store].[Canada]", "[Store].[Canada].[Vancouver]",
                       "[Store].[Canada].[Vancouver].[Gastown, Water St]", "[Store].[USA]",
                       "[Store].[USA].[Portland]", "[Store].[USA].[Portland].[Pearl]",
                       "[Store].[USA].[Seattle]", "[Store].[USA].[Seattle].[Odd]]Name]",
                       "[Store].[USA].[Seattle].[Pike Place]"}));
  EXPECT_TRUE(cube->FindMember("[Store].[USA].[Seattle].[Odd]]Name]"));

  const HierarchyData& product = cube->Dimension(1).Hierarchy(0);
  EXPECT_FALSE(product.HasAll());
  EXPECT_EQ(product.DisplayFolder(), "Goods");
  EXPECT_EQ(product.LevelCount(), 2);
  ASSERT_EQ(product.TopMembers().size(), 2u);
  EXPECT_EQ(product.MemberUniqueName(product.TopMembers()[0]), "[Product].[Dairy]");
  EXPECT_EQ(product.Member(product.TopMembers()[0]).caption, "Dairy products");

  // An empty amount is no value: it counts neither as 0 for min nor as a row with a value.
  ASSERT_EQ(cube->Measures().size(), 3u);
  EXPECT_TRUE(cube->Facts().numbers[1].IsNull(2));
  EXPECT_EQ(cube->Measures()[2].expression, "[Measures].[Amount] / [Measures].[Units]");
  EXPECT_EQ(folder_.Listing(), "Shop.cub classes.csv products.csv sales.csv schema.xml stores.csv");
}

TEST_F(ShopBuild, BuildsFromASqliteDatabase) {
  // FoodMart's fact table as the only fact source: the cube and its totals.
  const auto cube = FirstCube(FoodMartCubePath());
  EXPECT_EQ(cube->FactCount(), 86837u);
  EXPECT_EQ(cube->Dimensions().size(), 6u);
}

struct BadInput {
  const char* what;
  const char* file;
  const char* from;
  const char* to;
  const char* message;  // the message contains this
};

TEST_F(ShopBuild, RefusesWhatItCannotHonour) {
  const BadInput cases[] = {
      {"unknown element", "schema.xml", "<Measure name=\"Units\"", "<Measur name=\"Units\"",
       "schema.xml, line 23: Measur \"Units\": unknown element"},
      {"unknown attribute", "schema.xml", "column=\"city\"", "column=\"city\" colour=\"red\"",
       "schema.xml, line 9: Level \"City\": unknown attribute \"colour\"."},
      {"missing attribute", "schema.xml", "<Level name=\"City\" column=\"city\"/>",
       "<Level name=\"City\"/>", "line 9: Level \"City\": the attribute \"column\" is required."},
      {"missing table", "schema.xml", "<Table name=\"stores\"/>", "<Table name=\"shops\"/>",
       "line 7: Table \"shops\": the CSV data has no table \"shops\"."},
      {"missing fact table", "schema.xml", "<Table name=\"sales\"/>", "<Table name=\"orders\"/>",
       "line 4: Table \"orders\": the CSV data has no table \"orders\"."},
      {"missing level column", "schema.xml", "column=\"city\"", "column=\"town\"",
       "line 9: Level \"City\": the table stores has no column \"town\" (column)."},
      {"missing ordinal column", "schema.xml", "ordinalColumn=\"opened\"",
       "ordinalColumn=\"since\"",
       "line 10: Level \"Store\": the table stores has no column \"since\" (ordinalColumn)."},
      {"missing primary key", "schema.xml", "primaryKey=\"store_id\"", "primaryKey=\"id\"",
       "line 6: Hierarchy \"Store\": the table stores has no column \"id\" (primaryKey)."},
      {"missing foreign key", "schema.xml", "foreignKey=\"store_id\"", "foreignKey=\"shop_id\"",
       "line 5: Dimension \"Store\": the fact table sales has no column \"shop_id\" (foreignKey)."},
      {"missing measure column", "schema.xml", "column=\"units\"", "column=\"quantity\"",
       "line 23: Measure \"Units\": the fact table sales has no column \"quantity\"."},
      {"missing join key", "schema.xml", "leftKey=\"class_id\"", "leftKey=\"class\"",
       "line 15: Join: the table products has no column \"class\" (leftKey)."},
      {"join that does not match", "products.csv", "3,20,Milk", "3,30,Milk",
       "line 15: Join: the join does not match: 1 rows of products have a class_id that no row "
       "of classes has as class_id, such as 30."},
      {"ambiguous joined column", "schema.xml", "table=\"classes\" column=\"category\"",
       "column=\"class_id\"",
       "line 19: Level \"Category\": both joined tables have a column \"class_id\""},
      {"nested join", "schema.xml", "<Table name=\"classes\"/>",
       "<Join leftKey=\"a\" rightKey=\"b\"><Table name=\"x\"/><Table name=\"y\"/></Join>",
       "line 15: Join: a Join joins exactly two Table elements"},
      {"members not unique", "stores.csv", "2,USA,Portland,Pearl,1", "2,USA,Portland,Pike Place,1",
       "line 10: Level \"Store\": uniqueMembers is \"true\", but the key \"Pike Place\" occurs "
       "under both [All Stores][USA][Seattle] and [All Stores][USA][Portland]."},
      {"unknown fact key", "sales.csv", "4,3,1,1.10", "9,3,1,1.10",
       "line 5: Dimension \"Store\": row 5 of the fact table sales has store_id 9, which no row "
       "of stores has as store_id"},
      {"primary key of two members", "stores.csv", "4,USA,Seattle,Odd]Name,1",
       "1,USA,Seattle,Odd]Name,1",
       "line 6: Hierarchy \"Store\": the primary key value 1 of store_id belongs to two members"},
      {"key with two names", "schema.xml", "column=\"store_name\"",
       "column=\"city\" nameColumn=\"store_name\"",
       "line 10: Level \"Store\": the key \"Seattle\" under [All Stores][USA][Seattle] has two "
       "names"},
      {"siblings of one name", "schema.xml",
       "<Level name=\"Product\" table=\"products\" column=\"product_name\"/>",
       "<Level name=\"Product\" table=\"products\" column=\"product_id\" nameColumn=\"class_id\"/>",
       "line 20: Level \"Product\": two members under \"Fruit\" are named \"10\""},
      {"text in a measure", "sales.csv", "2,2,5,", "2,2,five,",
       "line 23: Measure \"Units\": row 3 of the fact table holds \"five\" in column units, which "
       "is not a number."},
      {"text in an Integer level", "schema.xml", "column=\"country\"",
       "column=\"country\" type=\"Integer\"",
       "line 8: Level \"Country\": the level is of type Integer, but its column country holds "
       "the text \"USA\"."},
      {"unknown aggregator", "schema.xml", "aggregator=\"sum\"", "aggregator=\"median\"",
       "line 23: Measure \"Units\": the aggregator \"median\" is not one of sum, count, min, "
       "max, avg, distinct-count."},
      {"bad boolean", "schema.xml", "hasAll=\"true\"", "hasAll=\"yes\"",
       "line 6: Hierarchy: the attribute \"hasAll\" must be \"true\" or \"false\", not \"yes\"."},
      {"bad level type", "schema.xml", "<Level name=\"City\"",
       "<Level levelType=\"TimeEons\" name=\"City\"",
       "line 9: Level \"City\": the levelType \"TimeEons\" is not known"},
      {"usage of nothing", "schema.xml", "<Dimension name=\"Store\" foreignKey=\"store_id\">",
       "<DimensionUsage source=\"Shops\" foreignKey=\"store_id\"/><Dimension name=\"Store\" "
       "foreignKey=\"store_id\">",
       "line 5: DimensionUsage: no shared Dimension named \"Shops\" is defined before the cube."},
      {"calculated member elsewhere", "schema.xml", "dimension=\"Measures\"", "dimension=\"Store\"",
       "line 25: CalculatedMember \"Price\": only calculated members of the dimension Measures "
       "are read."},
      {"measure named twice", "schema.xml", "<Measure name=\"Amount\"", "<Measure name=\"Units\"",
       "line 3: Cube \"Shop\": two measures are named \"Units\"."},
      {"dimension named twice", "schema.xml", "<Dimension name=\"Product\"",
       "<Dimension name=\"Store\"",
       "line 13: Dimension \"Store\": the cube already has a "
       "dimension named \"Store\"."},
      {"not XML", "schema.xml", "</Cube>", "</Cub>",
       "schema.xml, line 26: the schema is not valid XML: Start-end tags mismatch."},
      {"short CSV record", "sales.csv", "3,1,4,6.00", "3,1,4",
       "sales.csv, line 5: the record has 3 fields; the header names 4 columns."},
      {"unclosed CSV quote", "stores.csv", "\"Gastown, Water St\"", "\"Gastown, Water St",
       "stores.csv, line 4: a quoted field is not closed."},
  };
  for (const auto& c : cases) {
    SetUp();
    Change(c.file, c.from, c.to);
    const std::string message = BuildError();
    EXPECT_NE(message.find(c.message), std::string::npos)
        << c.what << "\n  got: " << message << "\n  want: " << c.message;
  }
}

TEST_F(ShopBuild, RefusesMissingInputsAndUnknownCubes) {
  BuildOptions options = Options();
  options.cube_name = "Warehouse";
  try {
    BuildCubeFile(options);
    ADD_FAILURE();
  } catch (const std::exception& error) {
    EXPECT_NE(
        std::string(error.what()).find("has no cube named \"Warehouse\"; its cubes are: Shop."),
        std::string::npos)
        << error.what();
  }
  options = Options();
  options.csv_tables[0].second = folder_.File("nowhere.csv");
  EXPECT_THROW(BuildCubeFile(options), engine::BuildError);
  options = Options();
  options.csv_tables.clear();
  options.sqlite_source = folder_.File("nowhere.sqlite");
  try {
    BuildCubeFile(options);
    ADD_FAILURE();
  } catch (const std::exception& error) {
    EXPECT_EQ(std::string(error.what()),
              "The data source " + folder_.File("nowhere.sqlite") + " does not exist.");
  }
  options.sqlite_source = folder_.File("stores.csv");
  EXPECT_THROW(BuildCubeFile(options), engine::BuildError);
  EXPECT_FALSE(std::filesystem::exists(folder_.File("Shop.cub")));
}

}  // namespace
