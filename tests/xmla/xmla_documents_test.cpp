// The XMLA documents as servers write them, read by the client; and what the server writes,
// read back. The answers below follow the published shapes of XML for Analysis 1.1: each
// server picks its own prefixes, so the same elements come with soap:, SOAP-ENV:, default
// namespaces or none.

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "adomd/provider_error.h"
#include "xmla/md_data_set_xml.h"
#include "xmla/rowset_xml.h"
#include "xmla/soap_envelope.h"
#include "xmla/xml_name.h"
#include "xmla/xmla_request.h"
#include "xmla/xmla_response.h"

namespace xmla {
namespace {

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const adomd::ProviderError& error) {
    return error.what();
  }
  return "(no error)";
}

MdDataSet ReadMd(const std::string& text) {
  pugi::xml_document document;
  return ReadMdDataSet(ReadResponseRoot(document, text));
}

TabularRowset ReadRows(const std::string& text) {
  pugi::xml_document document;
  return ReadRowset(ReadResponseRoot(document, text));
}

// A two-axis answer with prefixes on the envelope, a slicer, DisplayInfo, a cell left out
// because it is empty, formatted values and an integer cell.
constexpr const char* kTwoAxes = R"(<?xml version="1.0" encoding="utf-8"?>
<soap:Envelope xmlns:soap="http://schemas.xmlsoap.org/soap/envelope/">
 <soap:Body>
  <ExecuteResponse xmlns="urn:schemas-microsoft-com:xml-analysis">
   <return>
    <root xmlns="urn:schemas-microsoft-com:xml-analysis:mddataset"
          xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance"
          xmlns:xs="http://www.w3.org/2001/XMLSchema">
     <OlapInfo>
      <CubeInfo><Cube><CubeName>Warehouse and Sales</CubeName></Cube></CubeInfo>
      <AxesInfo>
       <AxisInfo name="Axis0">
        <HierarchyInfo name="[Measures]">
         <UName name="[Measures].[MEMBER_UNIQUE_NAME]"/><Caption name="[Measures].[MEMBER_CAPTION]"/>
         <LName name="[Measures].[LEVEL_UNIQUE_NAME]"/><LNum name="[Measures].[LEVEL_NUMBER]"/>
        </HierarchyInfo>
       </AxisInfo>
       <AxisInfo name="Axis1">
        <HierarchyInfo name="[Store]"><UName name="[Store].[MEMBER_UNIQUE_NAME]"/></HierarchyInfo>
        <HierarchyInfo name="[Time].[Weekly]"><UName name="[Time].[Weekly].[MEMBER_UNIQUE_NAME]"/></HierarchyInfo>
       </AxisInfo>
       <AxisInfo name="SlicerAxis">
        <HierarchyInfo name="[Product]"><UName name="[Product].[MEMBER_UNIQUE_NAME]"/></HierarchyInfo>
       </AxisInfo>
      </AxesInfo>
      <CellInfo>
       <Value name="VALUE"/><FmtValue name="FORMATTED_VALUE"/><FormatString name="FORMAT_STRING"/>
      </CellInfo>
     </OlapInfo>
     <Axes>
      <Axis name="Axis0"><Tuples>
       <Tuple><Member Hierarchy="[Measures]"><UName>[Measures].[Unit Sales]</UName><Caption>Unit Sales</Caption><LName>[Measures].[MeasuresLevel]</LName><LNum>0</LNum></Member></Tuple>
       <Tuple><Member Hierarchy="[Measures]"><UName>[Measures].[Store Sales]</UName><Caption>Store Sales</Caption><LName>[Measures].[MeasuresLevel]</LName><LNum>0</LNum></Member></Tuple>
      </Tuples></Axis>
      <Axis name="Axis1"><Tuples>
       <Tuple>
        <Member Hierarchy="[Store]"><UName>[Store].[USA].[CA]</UName><Caption>California</Caption><LName>[Store].[Store State]</LName><LNum>2</LNum><DisplayInfo>131076</DisplayInfo></Member>
        <Member Hierarchy="[Time].[Weekly]"><UName>[Time].[Weekly].[2025].[W1]</UName><Caption>W1</Caption><LName>[Time].[Weekly].[Week]</LName><LNum>2</LNum></Member>
       </Tuple>
       <Tuple>
        <Member Hierarchy="[Store]"><UName>[Store].[USA].[OR]</UName><Caption>Oregon</Caption><LName>[Store].[Store State]</LName><LNum>2</LNum><DisplayInfo>65538</DisplayInfo></Member>
        <Member Hierarchy="[Time].[Weekly]"><UName>[Time].[Weekly].[2025].[W1]</UName><Caption>W1</Caption><LName>[Time].[Weekly].[Week]</LName><LNum>2</LNum></Member>
       </Tuple>
      </Tuples></Axis>
      <Axis name="SlicerAxis"><Tuples><Tuple>
       <Member Hierarchy="[Product]"><UName>[Product].[Drink]</UName><Caption>Drink</Caption><LName>[Product].[Product Family]</LName><LNum>1</LNum></Member>
      </Tuple></Tuples></Axis>
     </Axes>
     <CellData>
      <Cell CellOrdinal="0"><Value xsi:type="xs:double">1234.5</Value><FmtValue>1,234.50</FmtValue><FormatString>#,##0.00</FormatString></Cell>
      <Cell CellOrdinal="1"><Value xsi:type="xs:int">77</Value><FmtValue>77</FmtValue></Cell>
      <Cell CellOrdinal="3"><Value xsi:type="xs:string">n/a</Value><FmtValue>n/a</FmtValue></Cell>
     </CellData>
    </root>
   </return>
  </ExecuteResponse>
 </soap:Body>
</soap:Envelope>)";

TEST(MdDataSetReading, AxesSlicerAndCellsOfAPrefixedAnswer) {
  const MdDataSet data = ReadMd(kTwoAxes);
  EXPECT_EQ(data.cube_name, "Warehouse and Sales");
  ASSERT_EQ(data.axes.size(), 2u);
  EXPECT_EQ(data.axes[0].hierarchies, std::vector<std::string>{"[Measures]"});
  EXPECT_EQ(data.axes[1].hierarchies, (std::vector<std::string>{"[Store]", "[Time].[Weekly]"}));
  ASSERT_EQ(data.axes[1].tuples.size(), 2u);
  const MdMember& california = data.axes[1].tuples[0][0];
  EXPECT_EQ(california.unique_name, "[Store].[USA].[CA]");
  EXPECT_EQ(california.caption, "California");
  EXPECT_EQ(california.level_name, "[Store].[Store State]");
  EXPECT_EQ(california.level_number, 2);
  EXPECT_EQ(california.child_count, 4);  // the low 16 bits of DisplayInfo
  EXPECT_FALSE(data.axes[1].tuples[0][1].child_count.has_value());

  ASSERT_TRUE(data.slicer.has_value());
  ASSERT_EQ(data.slicer->tuples.size(), 1u);
  EXPECT_EQ(data.slicer->tuples[0][0].unique_name, "[Product].[Drink]");

  ASSERT_EQ(data.cells.size(), 3u);
  EXPECT_EQ(data.cells.at(0).value, adomd::Variant(1234.5));
  EXPECT_EQ(data.cells.at(0).formatted_value, "1,234.50");
  EXPECT_EQ(data.cells.at(1).value, adomd::Variant(int64_t{77}));
  EXPECT_EQ(data.cells.count(2), 0u);  // left out: empty
  EXPECT_EQ(data.cells.at(3).value, adomd::Variant("n/a"));
}

TEST(MdDataSetReading, EmptyAxisNoSlicerAndNoCells) {
  // A NON EMPTY row axis that came out empty: the axis exists with no tuples, so there are
  // no cells at all.
  const MdDataSet data = ReadMd(
      R"(<SOAP-ENV:Envelope xmlns:SOAP-ENV="http://schemas.xmlsoap.org/soap/envelope/"><SOAP-ENV:Body>
    <m:ExecuteResponse xmlns:m="urn:schemas-microsoft-com:xml-analysis"><m:return>
     <md:root xmlns:md="urn:schemas-microsoft-com:xml-analysis:mddataset">
      <md:OlapInfo><md:CubeInfo><md:Cube><md:CubeName>Sales</md:CubeName></md:Cube></md:CubeInfo>
       <md:AxesInfo>
        <md:AxisInfo name="Axis0"><md:HierarchyInfo name="[Measures]"/></md:AxisInfo>
        <md:AxisInfo name="Axis1"><md:HierarchyInfo name="[Customers]"/></md:AxisInfo>
       </md:AxesInfo></md:OlapInfo>
      <md:Axes>
       <md:Axis name="Axis0"><md:Tuples><md:Tuple><md:Member Hierarchy="[Measures]"><md:UName>[Measures].[Profit]</md:UName><md:Caption>Profit</md:Caption><md:LName>[Measures].[MeasuresLevel]</md:LName><md:LNum>0</md:LNum></md:Member></md:Tuple></md:Tuples></md:Axis>
       <md:Axis name="Axis1"><md:Tuples/></md:Axis>
      </md:Axes>
      <md:CellData/>
     </md:root></m:return></m:ExecuteResponse></SOAP-ENV:Body></SOAP-ENV:Envelope>)");
  ASSERT_EQ(data.axes.size(), 2u);
  EXPECT_EQ(data.axes[0].tuples.size(), 1u);
  EXPECT_TRUE(data.axes[1].tuples.empty());
  EXPECT_EQ(data.axes[1].hierarchies.size(), 1u);
  EXPECT_FALSE(data.slicer.has_value());
  EXPECT_TRUE(data.cells.empty());
}

TEST(MdDataSetReading, CellErrorsNullsAndDeclaredTypes) {
  const MdDataSet data = ReadMd(R"(<Envelope><Body><ExecuteResponse><return><root>
      <OlapInfo><AxesInfo><AxisInfo name="Axis0"><HierarchyInfo name="[Measures]"/></AxisInfo></AxesInfo>
       <CellInfo><Value name="VALUE" type="xsd:double"/><FmtValue name="FORMATTED_VALUE"/></CellInfo></OlapInfo>
      <Axes><Axis name="Axis0"><Tuples>
       <Tuple><Member Hierarchy="[Measures]"><UName>[Measures].[A]</UName></Member></Tuple>
       <Tuple><Member Hierarchy="[Measures]"><UName>[Measures].[B]</UName></Member></Tuple>
       <Tuple><Member Hierarchy="[Measures]"><UName>[Measures].[C]</UName></Member></Tuple>
      </Tuples></Axis></Axes>
      <CellData>
       <Cell CellOrdinal="0"><Value><Error><ErrorCode>3238658057</ErrorCode><Description>Division by zero in [Measures].[A].</Description></Error></Value><FmtValue>#Error</FmtValue></Cell>
       <Cell CellOrdinal="1"><Value xsi:nil="true" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance"/></Cell>
       <Cell CellOrdinal="2"><Value>-INF</Value><FmtValue>-Infinity</FmtValue></Cell>
      </CellData></root></return></ExecuteResponse></Body></Envelope>)");
  ASSERT_EQ(data.cells.size(), 3u);
  EXPECT_TRUE(data.cells.at(0).error);
  EXPECT_TRUE(data.cells.at(0).value.IsEmpty());
  EXPECT_EQ(data.cells.at(0).formatted_value, "Division by zero in [Measures].[A].");
  EXPECT_TRUE(data.cells.at(1).value.IsNull());
  EXPECT_EQ(data.cells.at(2).value, adomd::Variant(-std::numeric_limits<double>::infinity()));
}

TEST(MdDataSetReading, MalformedAnswersAreRefusedWithAReason) {
  const std::string head =
      "<Envelope><Body><ExecuteResponse><return><root><OlapInfo><AxesInfo>"
      "<AxisInfo name=\"Axis0\"><HierarchyInfo name=\"[A]\"/><HierarchyInfo name=\"[B]\"/>"
      "</AxisInfo></AxesInfo></OlapInfo><Axes><Axis name=\"Axis0\">";
  const std::string tail =
      "</Axis></Axes>%CELLS%</root></return></ExecuteResponse></Body></Envelope>";
  const auto with = [&](const std::string& axis, const std::string& cells) {
    std::string text = head + axis + tail;
    text.replace(text.find("%CELLS%"), 7, cells);
    return text;
  };
  const std::string one_tuple =
      "<Tuples><Tuple><Member Hierarchy=\"[A]\"><UName>[A].[x]</UName></Member>"
      "<Member Hierarchy=\"[B]\"><UName>[B].[y]</UName></Member></Tuple></Tuples>";
  struct Case {
    std::string document;
    std::string message;
  } cases[] = {
      {with("<Tuples><Tuple><Member "
            "Hierarchy=\"[A]\"><UName>[A].[x]</UName></Member></Tuple></Tuples>",
            ""),
       "A tuple of axis Axis0 has 1 members; the axis crosses 2 hierarchies."},
      {with("<CrossProduct/>", ""),
       "The server answered axis Axis0 in a format other than tuples."},
      {with(one_tuple, "<CellData><Cell CellOrdinal=\"5\"><Value>1</Value></Cell></CellData>"),
       "The server sent cell 5 of a result with 1 cells."},
      {with(one_tuple,
            "<CellData><Cell CellOrdinal=\"0\"><Value "
            "xsi:type=\"xsd:double\">abc</Value></Cell></CellData>"),
       "The server sent \"abc\" as a value of type double."},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ErrorOf([&] { ReadMd(c.document); }), c.message);
}

TEST(RowsetReading, SchemaNamesTypesAndEncodedColumns) {
  // A drill-through answer: the column names are encoded as element names, the schema's
  // sql:field gives them back, and an absent element or xsi:nil is a Null.
  const TabularRowset rows =
      ReadRows(R"(<soap:Envelope xmlns:soap="http://schemas.xmlsoap.org/soap/envelope/"><soap:Body>
   <ExecuteResponse xmlns="urn:schemas-microsoft-com:xml-analysis"><return>
    <root xmlns="urn:schemas-microsoft-com:xml-analysis:rowset" xmlns:xsd="http://www.w3.org/2001/XMLSchema"
          xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" xmlns:sql="urn:schemas-microsoft-com:xml-sql">
     <xsd:schema targetNamespace="urn:schemas-microsoft-com:xml-analysis:rowset" elementFormDefault="qualified">
      <xsd:element name="root"><xsd:complexType><xsd:sequence minOccurs="0" maxOccurs="unbounded"><xsd:element name="row" type="row"/></xsd:sequence></xsd:complexType></xsd:element>
      <xsd:simpleType name="uuid"><xsd:restriction base="xsd:string"/></xsd:simpleType>
      <xsd:complexType name="row"><xsd:sequence>
       <xsd:element sql:field="[Store].[Store City]" name="_x005B_Store_x005D_._x005B_Store_x0020_City_x005D_" type="xsd:string" minOccurs="0"/>
       <xsd:element sql:field="[Measures].[Unit Sales]" name="_x005B_Measures_x005D_._x005B_Unit_x0020_Sales_x005D_" type="xsd:double" minOccurs="0"/>
       <xsd:element name="Line_x0020_Number" type="xsd:int" minOccurs="0"/>
       <xsd:element name="Is_x0020_Promotion" type="xsd:boolean" minOccurs="0"/>
      </xsd:sequence></xsd:complexType>
     </xsd:schema>
     <row><_x005B_Store_x005D_._x005B_Store_x0020_City_x005D_>Salem</_x005B_Store_x005D_._x005B_Store_x0020_City_x005D_><_x005B_Measures_x005D_._x005B_Unit_x0020_Sales_x005D_>4</_x005B_Measures_x005D_._x005B_Unit_x0020_Sales_x005D_><Line_x0020_Number>1</Line_x0020_Number><Is_x0020_Promotion>true</Is_x0020_Promotion></row>
     <row><_x005B_Store_x005D_._x005B_Store_x0020_City_x005D_> </_x005B_Store_x005D_._x005B_Store_x0020_City_x005D_><_x005B_Measures_x005D_._x005B_Unit_x0020_Sales_x005D_ xsi:nil="true"/><Line_x0020_Number>2</Line_x0020_Number></row>
    </root></return></ExecuteResponse></soap:Body></soap:Envelope>)");
  ASSERT_EQ(rows.columns.size(), 4u);
  EXPECT_EQ(rows.columns[0].name, "[Store].[Store City]");
  EXPECT_EQ(rows.columns[1].name, "[Measures].[Unit Sales]");
  EXPECT_EQ(rows.columns[2].name, "Line Number");  // no sql:field: decoded from the element
  ASSERT_EQ(rows.rows.size(), 2u);
  EXPECT_EQ(rows.rows[0][0], adomd::Variant("Salem"));
  EXPECT_EQ(rows.rows[0][1], adomd::Variant(4.0));
  EXPECT_EQ(rows.rows[0][2], adomd::Variant(int64_t{1}));
  EXPECT_EQ(rows.rows[0][3], adomd::Variant(true));
  EXPECT_EQ(rows.rows[1][0], adomd::Variant(" "));  // a blank caption is a value
  EXPECT_TRUE(rows.rows[1][1].IsNull());
  EXPECT_TRUE(rows.rows[1][3].IsNull());
}

TEST(RowsetReading, RowsWithoutSchemaTakeColumnsAsTheyComeAndTextAsValues) {
  const TabularRowset rows = ReadRows(R"(<Envelope><Body><DiscoverResponse><return><root>
      <row><CATALOG_NAME>FoodMart</CATALOG_NAME></row>
      <row><CATALOG_NAME>Budget</CATALOG_NAME><DESCRIPTION>Plans</DESCRIPTION></row>
    </root></return></DiscoverResponse></Body></Envelope>)");
  ASSERT_EQ(rows.columns.size(), 2u);
  EXPECT_EQ(rows.Value(0, "CATALOG_NAME"), adomd::Variant("FoodMart"));
  EXPECT_TRUE(rows.Value(0, "DESCRIPTION").IsNull());
  EXPECT_EQ(rows.Value(1, "DESCRIPTION"), adomd::Variant("Plans"));

  // A server that repeats an element name for two columns: the k-th element is the k-th one.
  const TabularRowset repeated = ReadRows(R"(<Envelope><Body><ExecuteResponse><return><root>
      <schema><complexType name="row"><sequence>
       <element name="Units" type="xsd:int"/><element name="Units" type="xsd:double"/>
      </sequence></complexType></schema>
      <row><Units>3</Units><Units>1.5</Units></row>
    </root></return></ExecuteResponse></Body></Envelope>)");
  ASSERT_EQ(repeated.columns.size(), 2u);
  EXPECT_EQ(repeated.rows[0][0], adomd::Variant(int64_t{3}));
  EXPECT_EQ(repeated.rows[0][1], adomd::Variant(1.5));
}

TEST(ResponseReading, FaultsExceptionsAndBrokenAnswersGiveTheTextToShow) {
  struct Case {
    const char* document;
    const char* message;
  } cases[] = {
      {R"(<soap:Envelope xmlns:soap="http://schemas.xmlsoap.org/soap/envelope/"><soap:Body><soap:Fault>
          <faultcode>XMLAnalysisError.0xc10a0004</faultcode>
          <faultstring>Query (1, 8) The MEMBERS function expects a hierarchy expression.</faultstring>
          <detail><Error ErrorCode="3238658052" Description="ignored when there is a faultstring"/></detail>
          </soap:Fault></soap:Body></soap:Envelope>)",
       "Query (1, 8) The MEMBERS function expects a hierarchy expression."},
      {R"(<SOAP-ENV:Envelope xmlns:SOAP-ENV="http://schemas.xmlsoap.org/soap/envelope/"><SOAP-ENV:Body><SOAP-ENV:Fault>
          <faultcode>SOAP-ENV:Server</faultcode><faultstring/>
          <detail><XA:error xmlns:XA="http://example.org/xmla-errors"><Error><Description>Cube "Sales" was not found.</Description></Error></XA:error></detail>
          </SOAP-ENV:Fault></SOAP-ENV:Body></SOAP-ENV:Envelope>)",
       "Cube \"Sales\" was not found."},
      {R"(<soap:Envelope xmlns:soap="http://schemas.xmlsoap.org/soap/envelope/"><soap:Body>
          <ExecuteResponse xmlns="urn:schemas-microsoft-com:xml-analysis"><return>
           <root xmlns="urn:schemas-microsoft-com:xml-analysis:empty">
            <Exception xmlns="urn:schemas-microsoft-com:xml-analysis:exception"/>
            <Messages xmlns="urn:schemas-microsoft-com:xml-analysis:exception">
             <Error ErrorCode="3238002695" Description="The [Sales] cube either does not exist or has not been processed." Source="Server" HelpFile=""/>
            </Messages></root></return></ExecuteResponse></soap:Body></soap:Envelope>)",
       "The [Sales] cube either does not exist or has not been processed."},
      {"<soap:Envelope "
       "xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/"
       "\"><soap:Body><ExecuteResponse><return><root><CellData><Cell CellOrdinal=\"0\"><Value>12",
       "The server's answer was cut short."},
      {"<html><body>Gateway timeout</body></html>", "The server's answer is not a SOAP envelope."},
      {"Service unavailable", "The server's answer is not an XML document."},
      {"", "The server's answer is empty."},
      {"<Envelope><Body><Other/></Body></Envelope>",
       "The server's answer is not an XMLA response."},
  };
  for (const Case& c : cases) {
    pugi::xml_document document;
    EXPECT_EQ(ErrorOf([&] { ReadResponseRoot(document, c.document); }), c.message) << c.document;
  }
}

TEST(DocumentRoundTrip, WhatTheServerWritesTheClientReadsBack) {
  MdDataSet written;
  written.cube_name = "Sales";
  MdAxis columns{"Axis0", {"[Measures]"}, {}};
  columns.tuples.push_back({{"[Measures]", "[Measures].[Unit Sales]", "Unit Sales",
                             "[Measures].[MeasuresLevel]", 0, 0}});
  MdAxis rows{"Axis1", {"[Store]"}, {}};
  rows.tuples.push_back(
      {{"[Store]", "[Store].[A & B <Co>]", "A & B \"Co\"", "[Store].[Store Name]", 1, 70000}});
  rows.tuples.push_back({{"[Store]", "[Store].[Zürich]", "Zürich", "[Store].[Store Name]", 1, 3}});
  written.axes = {columns, rows};
  written.slicer = MdAxis{
      "SlicerAxis", {"[Time]"}, {{{"[Time]", "[Time].[1997]", "1997", "[Time].[Year]", 1, 4}}}};
  written.cells[0] = {0.1, "0.10", false};
  written.cells[1] = {adomd::Variant(), "Division by zero", true};

  const MdDataSet read = ReadMd(WriteExecuteResponse(written));
  EXPECT_EQ(read.cube_name, "Sales");
  ASSERT_EQ(read.axes.size(), 2u);
  EXPECT_EQ(read.axes[1].tuples[0][0].unique_name, "[Store].[A & B <Co>]");
  EXPECT_EQ(read.axes[1].tuples[0][0].caption, "A & B \"Co\"");
  EXPECT_EQ(read.axes[1].tuples[0][0].child_count, 0xFFFF);  // DisplayInfo holds 16 bits
  EXPECT_EQ(read.axes[1].tuples[1][0].caption, "Zürich");
  EXPECT_EQ(read.slicer->tuples[0][0].unique_name, "[Time].[1997]");
  EXPECT_EQ(read.cells.at(0).value, adomd::Variant(0.1));  // exactly, not 0.1000000000000000055
  EXPECT_EQ(read.cells.at(0).formatted_value, "0.10");
  EXPECT_TRUE(read.cells.at(1).error);
  EXPECT_EQ(read.cells.at(1).formatted_value, "Division by zero");

  TabularRowset table;
  table.columns = {
      {"[Store].[Store City]", "xsd:string"}, {"Units", "xsd:long"}, {"", "xsd:string"}};
  table.rows = {{"Salem", int64_t{4}, "x"}, {adomd::Variant::Null(), int64_t{-1}, ""}};
  const TabularRowset back = ReadRows(WriteExecuteResponse(table));
  ASSERT_EQ(back.columns.size(), 3u);
  EXPECT_EQ(back.columns[0].name, "[Store].[Store City]");
  EXPECT_EQ(back.columns[2].name, "");
  EXPECT_EQ(back.rows[0][1], adomd::Variant(int64_t{4}));
  EXPECT_TRUE(back.rows[1][0].IsNull());
  // An empty text is written as an empty element, not left out, so it stays a value.
  EXPECT_EQ(back.rows[1][2], adomd::Variant(""));
}

TEST(RequestDocuments, RoundTripAndRefusals) {
  XmlaRequest discover;
  discover.request_type = "MDSCHEMA_MEMBERS";
  discover.restrictions = {
      {"CUBE_NAME", "Sales"}, {"MEMBER_UNIQUE_NAME", "[Store].[USA]"}, {"TREE_OP", "1"}};
  discover.properties = {{"Catalog", "Food & Mart"}, {"Format", "Tabular"}};
  const XmlaRequest read = ReadXmlaRequest(WriteXmlaRequest(discover));
  EXPECT_EQ(read.method, XmlaRequest::Method::Discover);
  EXPECT_EQ(read.request_type, "MDSCHEMA_MEMBERS");
  EXPECT_EQ(read.restrictions, discover.restrictions);
  EXPECT_EQ(read.Property("Catalog"), "Food & Mart");

  XmlaRequest execute;
  execute.method = XmlaRequest::Method::Execute;
  execute.statement =
      "SELECT {[Measures].[Unit Sales]} ON 0 FROM [Sales] WHERE ([Time].[1997]) -- <&>";
  EXPECT_EQ(ReadXmlaRequest(WriteXmlaRequest(execute)).statement, execute.statement);

  // Several values of one restriction, as <Value> children.
  const XmlaRequest listed = ReadXmlaRequest(
      "<Envelope><Body><Discover><RequestType>MDSCHEMA_CUBES</RequestType><Restrictions>"
      "<RestrictionList><CUBE_NAME><Value>A</Value><Value>B</Value></CUBE_NAME></RestrictionList>"
      "</Restrictions></Discover></Body></Envelope>");
  EXPECT_EQ(listed.Restriction("CUBE_NAME"), (std::vector<std::string>{"A", "B"}));

  struct Case {
    const char* text;
    const char* message;
  } refusals[] = {
      {"<Envelope><Body><Subscribe/></Body></Envelope>",
       "The request method \"Subscribe\" is not known; the server answers Discover and Execute."},
      {"<Envelope><Body/></Envelope>", "The request's SOAP body is empty."},
      {"<Envelope><Body><Discover/></Body></Envelope>",
       "The Discover request names no RequestType."},
      {"<Envelope><Body><Execute><Command/></Execute></Body></Envelope>",
       "The Execute request has no Command Statement."},
      {"<Envelope><Body><Discover>", "The request was cut short."},
      {"<Envelope><Body></Envelope>",
       "The request is not valid XML: Start-end tags mismatch at byte 18."},
      {"<Discover/>", "The request is not a SOAP envelope."},
  };
  for (const Case& c : refusals)
    EXPECT_EQ(ErrorOf([&] { ReadXmlaRequest(c.text); }), c.message);
}

TEST(XmlNames, EncodingIsReversibleAndGivesValidNames) {
  const std::pair<std::string, std::string> cases[] = {
      {"CATALOG_NAME", "CATALOG_NAME"},
      {"Order Details", "Order_x0020_Details"},
      {"[Store].[Store City]", "_x005B_Store_x005D_._x005B_Store_x0020_City_x005D_"},
      {"1997", "_x0031_997"},
      {"a:b", "a_x003A_b"},
      {"_x0020_", "_x005F_x0020_"},
      {"Café", "Café"},
      {"2×3", "_x0032__x00D7_3"},
  };
  for (const auto& [name, encoded] : cases) {
    EXPECT_EQ(EncodeXmlName(name), encoded) << name;
    EXPECT_EQ(DecodeXmlName(encoded), name) << encoded;
    pugi::xml_document document;
    document.append_child(encoded.c_str());
    EXPECT_TRUE(document.first_child()) << encoded;
  }
}

}  // namespace
}  // namespace xmla
