#include "mdx_case_file.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(MdxCaseFile, ReadsEveryKindOfExpectation) {
  const std::string text =
      "# A topic.\n"
      "\n"
      "=== Units by state\n"
      "cube: foodmart\n"
      "mdx:\n"
      " SELECT {[Measures].[Unit Sales]} ON COLUMNS,\n"
      "   {[Store].[USA].Children} ON ROWS FROM [Sales]\n"
      "\n"
      "expect: grid\n"
      "columns:\n"
      "  [Measures].[Unit Sales] \"Unit Sales\"\n"
      "rows:\n"
      "  [Store].[USA].[CA]\n"
      "  [Store].[USA].[OR] \"OR\"\n"
      "cells:\n"
      "  74,748\n"
      "  (empty)\n"
      "\n"
      "=== A local cube\r\n"
      "cube: sample\r\n"
      "line breaks: cr\r\n"
      "mdx:\r\n"
      "CREATE GLOBAL CUBE [C] STORAGE '/tmp/c.cub' FROM [Sales]\r\n"
      "(MEASURE [Sales].[Unit Sales],\r\n"
      ")\r\n"
      "expect: parses\r\n"
      "=== A typo\n"
      "cube: sample\n"
      "mdx:\n"
      "SELECT Fitler() ON 0 FROM [Sales]\n"
      "expect: syntax error: Unknown function 'Fitler'\n"
      "=== An unknown member\n"
      "cube: sample\n"
      "mdx:\n"
      "SELECT {[Store].[Mars]} ON 0 FROM [Sales]\n"
      "expect: error: [Store].[Mars]\n"
      "=== Facts\n"
      "cube: foodmart\n"
      "mdx:\n"
      "DRILLTHROUGH MAXROWS 2 SELECT FROM [Sales]\n"
      "expect: recordset\n"
      "fields: [Time].[Year] | [Measures].[Unit Sales]\n"
      "rows:\n"
      "  1997 | 4\n"
      "  1997 | 3\n"
      "=== No axes, one cell\n"
      "cube: foodmart\n"
      "mdx:\n"
      "SELECT FROM [Sales]\n"
      "expect: grid\n"
      "cells:\n"
      "  266,773\n";
  const std::vector<MdxCase> cases = ParseMdxCases(text, "topic.cases");
  ASSERT_EQ(cases.size(), 6u);

  const MdxCase& grid = cases[0];
  EXPECT_EQ(grid.name, "Units by state");
  EXPECT_EQ(grid.line, 3);
  EXPECT_EQ(grid.cube, "foodmart");
  EXPECT_EQ(grid.mdx,
            " SELECT {[Measures].[Unit Sales]} ON COLUMNS,\n   {[Store].[USA].Children} ON ROWS "
            "FROM [Sales]");
  ASSERT_EQ(grid.expectation, MdxCase::Expectation::kGrid);
  ASSERT_EQ(grid.grid.axes.size(), 2u);
  EXPECT_EQ(grid.grid.axes[0].positions[0][0].unique_name, "[Measures].[Unit Sales]");
  EXPECT_EQ(grid.grid.axes[0].positions[0][0].caption, "Unit Sales");
  EXPECT_EQ(grid.grid.axes[1].positions[0][0].caption, std::nullopt);
  EXPECT_EQ(grid.grid.axes[1].positions[1][0].caption, "OR");
  const std::vector<std::vector<ExpectedCell>> cells = {{"74,748"}, {std::nullopt}};
  EXPECT_EQ(grid.grid.cell_lines, cells);

  EXPECT_EQ(cases[1].mdx,
            "CREATE GLOBAL CUBE [C] STORAGE '/tmp/c.cub' FROM [Sales]\r(MEASURE [Sales].[Unit "
            "Sales],\r)");
  EXPECT_EQ(cases[1].expectation, MdxCase::Expectation::kParses);
  EXPECT_EQ(cases[2].expectation, MdxCase::Expectation::kSyntaxError);
  EXPECT_EQ(cases[2].message, "Unknown function 'Fitler'");
  EXPECT_EQ(cases[3].expectation, MdxCase::Expectation::kError);
  EXPECT_EQ(cases[3].message, "[Store].[Mars]");
  ASSERT_EQ(cases[4].expectation, MdxCase::Expectation::kRecordset);
  EXPECT_EQ(cases[4].recordset.fields,
            (std::vector<std::string>{"[Time].[Year]", "[Measures].[Unit Sales]"}));
  EXPECT_EQ(cases[4].recordset.rows.size(), 2u);
  EXPECT_TRUE(cases[5].grid.axes.empty());
  EXPECT_EQ(cases[5].grid.cell_lines.size(), 1u);
}

TEST(MdxCaseFile, NamesTheLineOfEveryMistake) {
  const std::string head = "=== c\ncube: sample\nmdx:\nSELECT FROM [S]\n";
  const struct {
    std::string text;
    std::string message;
  } cases[] = {
      {"cube: sample\n", "f:1: expected a case, starting with '=== name'"},
      {"===\n", "f:1: the case has no name after '==='"},
      {"=== c\ncube: mars\n", "f:2: unknown cube 'mars': write sample or foodmart"},
      {"=== c\nmdx:\nSELECT FROM [S]\nexpect: parses\n", "f:1: the case 'c' names no cube"},
      {"=== c\ncube: sample\n", "f:1: the case 'c' has no 'mdx:'"},
      {"=== c\ncube: sample\nline breaks: crlf\n", "f:3: line breaks are 'cr' or 'lf'"},
      {"=== c\ncube: sample\nmdx: SELECT\n", "f:3: the statement goes on the lines after 'mdx:'"},
      {"=== c\ncube: sample\nfoo: bar\n", "f:3: expected 'cube:', 'line breaks:' or 'mdx:'"},
      {head, "f:3: the statement is not followed by an 'expect:' line"},
      {"=== c\ncube: sample\nmdx:\n\nexpect: parses\n", "f:1: the case 'c' has an empty statement"},
      {head + "expect: maybe\n",
       "f:5: expected 'expect: parses', 'expect: syntax error: <text>', 'expect: error: <text>', "
       "'expect: grid' or 'expect: recordset'"},
      {head + "expect: error:\n", "f:5: the expected error has no text"},
      {head + "expect: parses\nstray\n", "f:6: expected the next case"},
      {head + "expect: parses\n" + head + "expect: parses\n", "f:6: a second case named 'c'"},
      {head + "expect: grid\nrows:\n  [a]\ncells:\n  1\n",
       "f:6: the axes are listed in order from axis 0 (columns) without gaps"},
      {head + "expect: grid\ncolumns:\n  CA\ncells:\n  1\n",
       "f:7: a member is written by its unique name, such as [Store].[USA], and an optional "
       "\"caption\""},
      {head + "expect: grid\ncolumns:\n  [a] | [b]\n  [c]\ncells:\n  1 | 2\n",
       "f:8: every position of an axis has the same number of members"},
      {head + "expect: grid\ncolumns:\n  [a]\n  [b]\ncells:\n  1\n",
       "f:9: the cells do not fit the axes: expected 1 lines of 2 cells"},
      {head + "expect: grid\ncolumns:\n  [a]\n", "f:5: the grid has no 'cells:'"},
      {head + "expect: grid\ncells:\n  1\ncolumns:\n  [a]\n", "f:8: the axes come before 'cells:'"},
      {head + "expect: grid\nlines:\n",
       "f:6: expected 'columns:', 'rows:', 'pages:', "
       "'sections:', 'chapters:', 'axis n:' or 'cells:'"},
      {head + "expect: recordset\nrows:\n", "f:6: expected 'fields: name | name ...'"},
      {head + "expect: recordset\nfields: a | b\nrows:\n  1\n",
       "f:8: a row has not as many values as there are fields"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      ParseMdxCases(c.text, "f");
      ADD_FAILURE() << "read without error";
    } catch (const std::runtime_error& error) {
      EXPECT_EQ(error.what(), c.message);
    }
  }
}

}  // namespace
