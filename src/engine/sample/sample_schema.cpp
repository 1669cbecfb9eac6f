#include "engine/sample/sample_star_schema.h"

namespace engine {

std::string SampleSchemaXml() {
  return R"xml(<?xml version="1.0" encoding="UTF-8"?>
<!-- The schema of the synthetic retail sample cube, built by hexvane-cube sample. -->
<Schema name="Hexvane Sample" description="A synthetic retail sample">
  <Dimension name="Time" type="TimeDimension">
    <Hierarchy name="Calendar" hasAll="false" primaryKey="time_id">
      <Table name="time_by_day"/>
      <Level name="Year" column="the_year" type="Numeric" uniqueMembers="true" levelType="TimeYears"/>
      <Level name="Quarter" column="quarter" levelType="TimeQuarters"/>
      <Level name="Month" column="month_of_year" nameColumn="month_name" type="Numeric" levelType="TimeMonths"/>
      <Level name="Day" column="the_date" captionColumn="day_caption" uniqueMembers="true" levelType="TimeDays"/>
    </Hierarchy>
    <Hierarchy name="Weekly" hasAll="false" primaryKey="time_id">
      <Table name="time_by_day"/>
      <Level name="Year" column="the_year" type="Numeric" uniqueMembers="true" levelType="TimeYears"/>
      <Level name="Week" column="week_of_year" nameColumn="week_name" type="Numeric" levelType="TimeWeeks"/>
      <Level name="Day" column="the_date" captionColumn="day_caption" uniqueMembers="true" levelType="TimeDays"/>
    </Hierarchy>
  </Dimension>

  <Cube name="Sales" description="Sales of a retail chain in North America: three years of receipts and an empty year to plan in.">
    <Table name="sales_fact"/>
    <DimensionUsage name="Time" source="Time" foreignKey="time_id"/>
    <Dimension name="Store" foreignKey="store_id">
      <Hierarchy hasAll="true" allMemberName="All Stores" primaryKey="store_id">
        <Table name="store"/>
        <Level name="Store Country" column="store_country" uniqueMembers="true"/>
        <Level name="Store State" column="store_state" uniqueMembers="true"/>
        <Level name="Store City" column="store_city"/>
        <Level name="Store Name" column="store_name" uniqueMembers="true"/>
      </Hierarchy>
    </Dimension>
    <Dimension name="Product" foreignKey="product_id">
      <Hierarchy hasAll="true" allMemberName="All Products" primaryKey="product_id" primaryKeyTable="product">
        <Join leftKey="product_class_id" rightKey="product_class_id">
          <Table name="product"/>
          <Table name="product_class"/>
        </Join>
        <Level name="Product Family" table="product_class" column="product_family" uniqueMembers="true"/>
        <Level name="Product Department" table="product_class" column="product_department"/>
        <Level name="Product Category" table="product_class" column="product_category"/>
        <Level name="Product Subcategory" table="product_class" column="product_subcategory"/>
        <Level name="Brand Name" table="product" column="brand_name"/>
        <Level name="Product Name" table="product" column="product_id" nameColumn="product_name" ordinalColumn="product_name" uniqueMembers="true"/>
      </Hierarchy>
    </Dimension>
    <Dimension name="Customers" foreignKey="customer_id">
      <Hierarchy hasAll="true" allMemberName="All Customers" primaryKey="customer_id">
        <Table name="customer"/>
        <Level name="Country" column="country" uniqueMembers="true"/>
        <Level name="State Province" column="state_province" uniqueMembers="true"/>
        <Level name="City" column="city"/>
        <Level name="Name" column="customer_id" nameColumn="full_name" ordinalColumn="full_name" uniqueMembers="true"/>
      </Hierarchy>
    </Dimension>
    <Dimension name="Supplier" foreignKey="supplier_id">
      <Hierarchy hasAll="true" allMemberName="All Suppliers" primaryKey="supplier_id">
        <Table name="supplier"/>
        <Level name="Supplier" column="supplier_id" nameColumn="supplier_name" ordinalColumn="supplier_name" uniqueMembers="true"/>
      </Hierarchy>
    </Dimension>
    <Dimension name="Promotion Media" foreignKey="promotion_id">
      <Hierarchy hasAll="true" allMemberName="All Media" primaryKey="promotion_id">
        <Table name="promotion"/>
        <Level name="Media Type" column="media_type" uniqueMembers="true"/>
      </Hierarchy>
    </Dimension>
    <Dimension name="Gender" foreignKey="customer_id">
      <Hierarchy hasAll="true" allMemberName="All Gender" primaryKey="customer_id" displayFolder="Demographics">
        <Table name="customer"/>
        <Level name="Gender" column="gender" uniqueMembers="true"/>
      </Hierarchy>
    </Dimension>
    <Dimension name="Marital Status" foreignKey="customer_id">
      <Hierarchy hasAll="true" allMemberName="All Marital Status" primaryKey="customer_id" displayFolder="Demographics">
        <Table name="customer"/>
        <Level name="Marital Status" column="marital_status" uniqueMembers="true"/>
      </Hierarchy>
    </Dimension>
    <Measure name="Unit Sales" column="unit_sales" aggregator="sum" formatString="Standard"/>
    <Measure name="Store Sales" column="store_sales" aggregator="sum" formatString="#,##0.00"/>
    <Measure name="Store Cost" column="store_cost" aggregator="sum" formatString="#,##0.00"/>
    <Measure name="Sales Count" column="product_id" aggregator="count" formatString="#,###"/>
    <Measure name="Customer Count" column="customer_id" aggregator="distinct-count" formatString="#,###"/>
    <CalculatedMember name="Profit" dimension="Measures">
      <Formula>[Measures].[Store Sales] - [Measures].[Store Cost]</Formula>
      <CalculatedMemberProperty name="FORMAT_STRING" value="$#,##0.00"/>
    </CalculatedMember>
  </Cube>
</Schema>
)xml";
}

}  // namespace engine
