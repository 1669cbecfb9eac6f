#include "engine/mdx/parser.h"

#include <gtest/gtest.h>

#include "engine/mdx/syntax_error.h"
#include "engine/mdx/syntax_printer.h"

namespace {

using namespace engine::mdx;

const SelectStatement& AsSelect(const Statement& statement) {
  return std::get<SelectStatement>(statement);
}

// Every statement shape the browser builds, with its tree in canonical spelling: operations
// in parentheses show how crossjoins and arithmetic nest, methods show what they apply to.
struct ShapeCase {
  const char* name;
  const char* mdx;
  const char* canonical;
};

const ShapeCase kShapes[] = {
    {"default query of a cube",
     "SELECT {[Measures].members(0)} ON COLUMNS, "
     "{AddCalculatedMembers({[Store].levels(0).members})} ON ROWS FROM [Sales]",
     "SELECT {[Measures].Members.Item(0)} ON COLUMNS, "
     "{AddCalculatedMembers({[Store].Levels(0).Members})} ON ROWS FROM [Sales]"},
    {"returned form without WITH",
     " SELECT {[Store].[USA].[CA],[Store].[USA].[OR]} ON ROWS, {[Measures].[Unit Sales]} ON "
     "COLUMNS FROM [Sales]",
     "SELECT {[Measures].[Unit Sales]} ON COLUMNS, {[Store].[USA].[CA], [Store].[USA].[OR]} ON "
     "ROWS FROM [Sales]"},
    {"validation form with its extra braces",
     "SELECT {{[Store].[USA].[CA],[Store].[USA].[OR]}} ON ROWS, {{[Measures].[Unit Sales]}} ON "
     "COLUMNS FROM [Sales]",
     "SELECT {{[Measures].[Unit Sales]}} ON COLUMNS, {{[Store].[USA].[CA], [Store].[USA].[OR]}} "
     "ON ROWS FROM [Sales]"},
    {"two hierarchies on rows and measures innermost on columns",
     " SELECT {{[Store].[USA].[CA],[Store].[USA].[OR]}*{[Product].[Drink]}} ON ROWS, "
     "{{[Time].[1997].[Q1],[Time].[1997].[Q2]}*{[Measures].[Unit Sales],[Measures].[Store "
     "Sales]}} ON COLUMNS FROM [Sales]",
     "SELECT {({[Time].[1997].[Q1], [Time].[1997].[Q2]} * {[Measures].[Unit Sales], "
     "[Measures].[Store Sales]})} ON COLUMNS, {({[Store].[USA].[CA], [Store].[USA].[OR]} * "
     "{[Product].[Drink]})} ON ROWS FROM [Sales]"},
    {"three crossjoined groups nest to the left",
     " SELECT {{[Store].[USA]}*{[Product].[Drink]}*{[Time].[1997]}} ON ROWS, {} ON COLUMNS "
     "FROM [Sales]",
     "SELECT {} ON COLUMNS, {(({[Store].[USA]} * {[Product].[Drink]}) * {[Time].[1997]})} ON "
     "ROWS FROM [Sales]"},
    {"dimension, level, children and hierarchize entries",
     "SELECT {[Store].Levels(0).members,AddCalculatedMembers([Store].[Store State].members),"
     "[Store].[USA].Children,HIERARCHIZE(UNION({[Store].[USA]},{[Store].[USA].Children}))} ON "
     "ROWS, {[Measures].[Unit Sales]} ON COLUMNS FROM [Sales]",
     "SELECT {[Measures].[Unit Sales]} ON COLUMNS, {[Store].Levels(0).Members, "
     "AddCalculatedMembers([Store].[Store State].Members), [Store].[USA].Children, "
     "Hierarchize(Union({[Store].[USA]}, {[Store].[USA].Children}))} ON ROWS FROM [Sales]"},
    {"slicer of one member",
     " WITH  SET [StoreTellux_Vovizad_Slice_Name2] AS '{[Store].[USA].[CA]}'  MEMBER "
     "[Store].[Tellux_Vovizad_Filter_Set2] AS 'AGGREGATE([StoreTellux_Vovizad_Slice_Name2])'  "
     "SELECT {[Measures].[Unit Sales]} ON COLUMNS FROM [Sales] WHERE "
     "([Store].[Tellux_Vovizad_Filter_Set2])",
     "WITH SET [StoreTellux_Vovizad_Slice_Name2] AS '{[Store].[USA].[CA]}' MEMBER "
     "[Store].[Tellux_Vovizad_Filter_Set2] AS 'Aggregate([StoreTellux_Vovizad_Slice_Name2])' "
     "SELECT {[Measures].[Unit Sales]} ON COLUMNS FROM [Sales] WHERE "
     "[Store].[Tellux_Vovizad_Filter_Set2]"},
    {"slicer of two hierarchies numbered 3 and 5",
     "WITH  SET [StoreTellux_Vovizad_Slice_Name3] AS '{[Store].[USA].[CA],[Store].[USA].[OR]}' "
     " SET [ProductTellux_Vovizad_Slice_Name5] AS '{[Product].[Drink],[Product].[Food]}'  MEMBER "
     "[Store].[Tellux_Vovizad_Filter_Set3] AS 'AGGREGATE([StoreTellux_Vovizad_Slice_Name3])'  "
     "MEMBER [Product].[Tellux_Vovizad_Filter_Set5] AS "
     "'AGGREGATE([ProductTellux_Vovizad_Slice_Name5])'  SELECT {{[Measures].[Unit Sales]}} ON "
     "COLUMNS FROM [Sales] WHERE "
     "([Store].[Tellux_Vovizad_Filter_Set3],[Product].[Tellux_Vovizad_Filter_Set5])",
     "WITH SET [StoreTellux_Vovizad_Slice_Name3] AS '{[Store].[USA].[CA], [Store].[USA].[OR]}' "
     "SET [ProductTellux_Vovizad_Slice_Name5] AS '{[Product].[Drink], [Product].[Food]}' MEMBER "
     "[Store].[Tellux_Vovizad_Filter_Set3] AS 'Aggregate([StoreTellux_Vovizad_Slice_Name3])' "
     "MEMBER [Product].[Tellux_Vovizad_Filter_Set5] AS "
     "'Aggregate([ProductTellux_Vovizad_Slice_Name5])' SELECT {{[Measures].[Unit Sales]}} ON "
     "COLUMNS FROM [Sales] WHERE ([Store].[Tellux_Vovizad_Filter_Set3], "
     "[Product].[Tellux_Vovizad_Filter_Set5])"},
    {"calculated measures with their division guard and nesting",
     " WITH MEMBER [Measures].[Profit] AS '[Store Sales] - [Store Costs]', FORMAT_STRING = "
     "'#,0.0###' MEMBER [Measures].[Margin_CM] AS 'iif([Store Costs]=0.0, 0, [Store Sales] / "
     "[Store Costs])', FORMAT_STRING = '#,0.0###' MEMBER [Measures].[Half] AS "
     "'iif(2=0.0, 0, (iif([Store Costs]=0.0, 0, [Store Sales] / [Store Costs])) / 2)', "
     "FORMAT_STRING = '#,0.0###'  SELECT {[Measures].[Unit Sales], [Measures].[Profit]} ON "
     "COLUMNS FROM [Sales]",
     "WITH MEMBER [Measures].[Profit] AS '([Store Sales] - [Store Costs])', FORMAT_STRING = "
     "'#,0.0###' MEMBER [Measures].[Margin_CM] AS 'IIf(([Store Costs] = 0), 0, ([Store Sales] / "
     "[Store Costs]))', FORMAT_STRING = '#,0.0###' MEMBER [Measures].[Half] AS 'IIf((2 = 0), 0, "
     "(IIf(([Store Costs] = 0), 0, ([Store Sales] / [Store Costs])) / 2))', FORMAT_STRING = "
     "'#,0.0###' SELECT {[Measures].[Unit Sales], [Measures].[Profit]} ON COLUMNS FROM [Sales]"},
    {"relative time periods",
     " WITH  Set [Current Month Set0] as 'Tail(Filter([Time].[Month].Members, Not "
     "IsEmpty([Time].CurrentMember)),1)'  Set [Last Month Set0] as "
     "'Tail(Filter([Time].[Month].Members, Not IsEmpty([Time].CurrentMember)),1)'  MEMBER "
     "[Time].[Current Month] as 'Sum([Current Month Set0])' MEMBER [Time].[Last Month] as "
     "'ParallelPeriod([Time].[Month], 1, [Last Month Set0].item(0))' SELECT {[Time].[Last "
     "Month],[Time].[Current Month]} ON ROWS, {[Measures].[Unit Sales]} ON COLUMNS FROM [Sales]",
     "WITH SET [Current Month Set0] AS 'Tail(Filter([Time].[Month].Members, NOT "
     "IsEmpty([Time].CurrentMember)), 1)' SET [Last Month Set0] AS "
     "'Tail(Filter([Time].[Month].Members, NOT IsEmpty([Time].CurrentMember)), 1)' MEMBER "
     "[Time].[Current Month] AS 'Sum([Current Month Set0])' MEMBER [Time].[Last Month] AS "
     "'ParallelPeriod([Time].[Month], 1, [Last Month Set0].Item(0))' SELECT {[Measures].[Unit "
     "Sales]} ON COLUMNS, {[Time].[Last Month], [Time].[Current Month]} ON ROWS FROM [Sales]"},
    {"relative time on a hierarchy, crossjoined at the end",
     " WITH  Set [Current Year Set0] as 'Tail(Filter([Time].[Calendar].[Year].Members, Not "
     "IsEmpty([Time].[Calendar].CurrentMember)),1)'  MEMBER [Time].[Calendar].[Current Year] as "
     "'Sum([Current Year Set0])' SELECT {{[Store].[USA]}*{[Time].[Calendar].[Current Year]}} ON "
     "ROWS, {[Measures].[Unit Sales]} ON COLUMNS FROM [Sales]",
     "WITH SET [Current Year Set0] AS 'Tail(Filter([Time].[Calendar].[Year].Members, NOT "
     "IsEmpty([Time].[Calendar].CurrentMember)), 1)' MEMBER [Time].[Calendar].[Current Year] AS "
     "'Sum([Current Year Set0])' SELECT {[Measures].[Unit Sales]} ON COLUMNS, {({[Store].[USA]} "
     "* {[Time].[Calendar].[Current Year]})} ON ROWS FROM [Sales]"},
    {"calculated column, addition of measures",
     "WITH member [Measures].[calc] as '[Measures].[Unit Sales] + [Measures].[Store Sales]' "
     "SELECT {[Measures].[calc]} on COLUMNS,  {{[Store].[USA].[CA],[Store].[USA].[OR]}} on ROWS  "
     "from [Sales]",
     "WITH MEMBER [Measures].[calc] AS '([Measures].[Unit Sales] + [Measures].[Store Sales])' "
     "SELECT {[Measures].[calc]} ON COLUMNS, {{[Store].[USA].[CA], [Store].[USA].[OR]}} ON ROWS "
     "FROM [Sales]"},
    {"calculated column, sums over column sets with the query's slicer",
     "WITH  SET [StoreTellux_Vovizad_Slice_Name2] AS '{[Store].[USA].[CA]}'  MEMBER "
     "[Store].[Tellux_Vovizad_Filter_Set2] AS 'AGGREGATE([StoreTellux_Vovizad_Slice_Name2])'  "
     "set [set0] as '{{[Time].[1997].[Q1]} * {[Product].[Drink]}}'  set [set1] as "
     "'{{[Time].[1997].[Q2]} * {[Product].[Drink]}}' member [Measures].[calc] as "
     "'(Sum([set0], [Measures].[Unit Sales]) + Sum([set1], [Measures].[Unit Sales])) * 2' "
     "SELECT {[Measures].[calc]} on COLUMNS,  {} on ROWS  from [Sales] WHERE "
     "([Store].[Tellux_Vovizad_Filter_Set2])",
     "WITH SET [StoreTellux_Vovizad_Slice_Name2] AS '{[Store].[USA].[CA]}' MEMBER "
     "[Store].[Tellux_Vovizad_Filter_Set2] AS 'Aggregate([StoreTellux_Vovizad_Slice_Name2])' SET "
     "[set0] AS '{({[Time].[1997].[Q1]} * {[Product].[Drink]})}' SET [set1] AS "
     "'{({[Time].[1997].[Q2]} * {[Product].[Drink]})}' MEMBER [Measures].[calc] AS '((Sum([set0], "
     "[Measures].[Unit Sales]) + Sum([set1], [Measures].[Unit Sales])) * 2)' SELECT "
     "{[Measures].[calc]} ON COLUMNS, {} ON ROWS FROM [Sales] WHERE "
     "[Store].[Tellux_Vovizad_Filter_Set2]"},
    {"calculated column, division of measures as percent",
     "WITH member [Measures].[calc] as 'iif ([Measures].[Store Sales] = 0.0,  0,  "
     "[Measures].[Unit Sales] / [Measures].[Store Sales])', FORMAT_STRING = 'Percent' SELECT "
     "{[Measures].[calc]} on COLUMNS,  {{[Store].[USA]}} on ROWS  from [Sales]",
     "WITH MEMBER [Measures].[calc] AS 'IIf(([Measures].[Store Sales] = 0), 0, "
     "([Measures].[Unit Sales] / [Measures].[Store Sales]))', FORMAT_STRING = 'Percent' SELECT "
     "{[Measures].[calc]} ON COLUMNS, {{[Store].[USA]}} ON ROWS FROM [Sales]"},
    {"calculated column, division of column sets",
     "WITH  set [set0] as '{{[Time].[1997].[Q1]}}'  set [set1] as '{{[Time].[1997].[Q2]}}' "
     "member [Measures].[calc] as 'IIF((Sum([set1], [Measures].[Unit Sales]) )=0.0, 0, "
     "Sum([set0], [Measures].[Unit Sales]) / Sum([set1], [Measures].[Unit Sales]))' SELECT "
     "{[Measures].[calc]} on COLUMNS,  {{[Store].[USA]}} on ROWS  from [Sales]",
     "WITH SET [set0] AS '{{[Time].[1997].[Q1]}}' SET [set1] AS '{{[Time].[1997].[Q2]}}' MEMBER "
     "[Measures].[calc] AS 'IIf((Sum([set1], [Measures].[Unit Sales]) = 0), 0, (Sum([set0], "
     "[Measures].[Unit Sales]) / Sum([set1], [Measures].[Unit Sales])))' SELECT "
     "{[Measures].[calc]} ON COLUMNS, {{[Store].[USA]}} ON ROWS FROM [Sales]"},
    {"calculated column, percent variance of a pair",
     "WITH  set [set1] as '{{[Time].[1997].[Q1]}}'  set [set2] as '{{[Time].[1997].[Q2]}}' "
     "member [Measures].[calc] as '(IIF(Sum([set1], [Measures].[Unit Sales])=0.0, 0, "
     "(Sum([set2], [Measures].[Unit Sales]) - Sum([set1], [Measures].[Unit Sales])) / "
     "Sum([set1], [Measures].[Unit Sales])) )', FORMAT_STRING = 'Percent' SELECT "
     "{[Measures].[calc]} on COLUMNS,  {{[Store].[USA]}} on ROWS  from [Sales]",
     "WITH SET [set1] AS '{{[Time].[1997].[Q1]}}' SET [set2] AS '{{[Time].[1997].[Q2]}}' MEMBER "
     "[Measures].[calc] AS 'IIf((Sum([set1], [Measures].[Unit Sales]) = 0), 0, ((Sum([set2], "
     "[Measures].[Unit Sales]) - Sum([set1], [Measures].[Unit Sales])) / Sum([set1], "
     "[Measures].[Unit Sales])))', FORMAT_STRING = 'Percent' SELECT {[Measures].[calc]} ON "
     "COLUMNS, {{[Store].[USA]}} ON ROWS FROM [Sales]"},
    {"calculated column, relative difference of measures with its odd spacing",
     "WITH member [Measures].[calc] as 'IIF([Measures].[Unit Sales]=0.0, 0, ([Measures].[Store "
     "Sales] -[Measures].[Unit Sales]) /[Measures].[Unit Sales] )', FORMAT_STRING = 'Percent' "
     "SELECT {[Measures].[calc]} on COLUMNS,  {{[Store].[USA]}} on ROWS  from [Sales]",
     "WITH MEMBER [Measures].[calc] AS 'IIf(([Measures].[Unit Sales] = 0), 0, "
     "(([Measures].[Store Sales] - [Measures].[Unit Sales]) / [Measures].[Unit Sales]))', "
     "FORMAT_STRING = 'Percent' SELECT {[Measures].[calc]} ON COLUMNS, {{[Store].[USA]}} ON ROWS "
     "FROM [Sales]"},
    {"calculated column, maximum of measures",
     "WITH member [Measures].[calc] as ' Max({[Measures].[Unit Sales], [Measures].[Store "
     "Sales]})' SELECT {[Measures].[calc]} on COLUMNS,  {{[Store].[USA]}} on ROWS  from [Sales]",
     "WITH MEMBER [Measures].[calc] AS 'Max({[Measures].[Unit Sales], [Measures].[Store "
     "Sales]})' SELECT {[Measures].[calc]} ON COLUMNS, {{[Store].[USA]}} ON ROWS FROM [Sales]"},
    {"calculated column, standard deviation over crossjoined sets, no blank after a quote",
     "WITH  set [set0] as '{[Time].[1997].[Q1],[Store].[USA].[CA]}'  set [set1] as "
     "'{[Time].[1997].[Q2],[Store].[USA].[OR]}'  set [set2] as '{[Measures].[Unit "
     "Sales],[Measures].[Store Sales]}'  set [set3] as ' [set0]* [set1]* [set2]'member "
     "[Measures].[calc] as ' StDev([set3])' SELECT {[Measures].[calc]} on COLUMNS,  "
     "{{[Store].[USA]}} on ROWS  from [Sales]",
     "WITH SET [set0] AS '{[Time].[1997].[Q1], [Store].[USA].[CA]}' SET [set1] AS "
     "'{[Time].[1997].[Q2], [Store].[USA].[OR]}' SET [set2] AS '{[Measures].[Unit Sales], "
     "[Measures].[Store Sales]}' SET [set3] AS '(([set0] * [set1]) * [set2])' MEMBER "
     "[Measures].[calc] AS 'StDev([set3])' SELECT {[Measures].[calc]} ON COLUMNS, "
     "{{[Store].[USA]}} ON ROWS FROM [Sales]"},
    {"drill-through of a cell",
     "DRILLTHROUGH SELECT {[Time].[1997].[Q1]} ON 0,{[Store].[USA].[CA]} ON 1 FROM [Sales]",
     "DRILLTHROUGH SELECT {[Time].[1997].[Q1]} ON COLUMNS, {[Store].[USA].[CA]} ON ROWS FROM "
     "[Sales]"},
    {"drill-through with row limits and a slicer combination",
     "DRILLTHROUGH MAXROWS 100 FIRSTROWSET 2 SELECT {[Time].[1997].[Q1]} ON 0 FROM [Sales "
     "Ragged] WHERE ([Product].[Drink],[Promotion Media].[Radio])",
     "DRILLTHROUGH MAXROWS 100 FIRSTROWSET 2 SELECT {[Time].[1997].[Q1]} ON COLUMNS FROM [Sales "
     "Ragged] WHERE ([Product].[Drink], [Promotion Media].[Radio])"},
    {"drill-through without axis members", "DRILLTHROUGH SELECT  FROM [Sales]",
     "DRILLTHROUGH SELECT FROM [Sales]"},
    {"drill-through returning columns",
     "DRILLTHROUGH MAXROWS 10 SELECT FROM [Sales] RETURN [Time].[Year], [Measures].[Unit Sales]",
     "DRILLTHROUGH MAXROWS 10 SELECT FROM [Sales] RETURN [Time].[Year], [Measures].[Unit "
     "Sales]"},
    {"local cube with filters",
     "CREATE GLOBAL CUBE [Sales] STORAGE '/home/ann/Local Cubes/Sales.cub' FROM "
     "[Sales]\r(\rMEASURE [Sales].[Unit Sales],\rMEASURE [Sales].[Store Sales],\rDIMENSION "
     "[Sales].[Store],\rDIMENSION [Sales].[Time] (LEVEL [(All)],LEVEL [Month],MEMBER "
     "[Time].[1997].[Q1].[1],\rMEMBER [Time].[1997].[Q1].[2]),\rDIMENSION "
     "[Sales].[Time].[Weekly])",
     "CREATE GLOBAL CUBE [Sales] STORAGE '/home/ann/Local Cubes/Sales.cub' FROM [Sales] (MEASURE "
     "[Sales].[Unit Sales], MEASURE [Sales].[Store Sales], DIMENSION [Sales].[Store], DIMENSION "
     "[Sales].[Time] (LEVEL [(All)], LEVEL [Month], MEMBER [Time].[1997].[Q1].[1], MEMBER "
     "[Time].[1997].[Q1].[2]), DIMENSION [Sales].[Time].[Weekly])"},
    {"local cube of measures only, ending in the comma of the last measure",
     "CREATE GLOBAL CUBE [Sales] STORAGE '/tmp/s.cub' FROM [Sales]\r(\rMEASURE [Sales].[Unit "
     "Sales],\r)",
     "CREATE GLOBAL CUBE [Sales] STORAGE '/tmp/s.cub' FROM [Sales] (MEASURE [Sales].[Unit "
     "Sales])"},
    {"local cube whose filtered dimension has no level found",
     "CREATE GLOBAL CUBE [Sales] STORAGE '/tmp/s.cub' FROM [Sales]\r(\rMEASURE [Sales].[Unit "
     "Sales],\rDIMENSION [Sales].[Store] (,MEMBER [Store].[USA].[CA]))",
     "CREATE GLOBAL CUBE [Sales] STORAGE '/tmp/s.cub' FROM [Sales] (MEASURE [Sales].[Unit "
     "Sales], DIMENSION [Sales].[Store] (MEMBER [Store].[USA].[CA]))"},
};

TEST(MdxParser, ParsesEveryStatementShapeTheBrowserBuilds) {
  for (const ShapeCase& shape : kShapes) {
    SCOPED_TRACE(shape.name);
    try {
      const Statement statement = ParseStatement(shape.mdx);
      const std::string canonical = ToMdx(statement);
      EXPECT_EQ(canonical, shape.canonical);
      // The canonical text is itself a statement with the same tree.
      EXPECT_EQ(ToMdx(ParseStatement(canonical)), canonical);
    } catch (const SyntaxError& error) {
      ADD_FAILURE() << error.what();
    }
  }
}

// Expressions a user may type, in canonical spelling.
struct ExpressionCase {
  const char* mdx;
  const char* canonical;
};

const ExpressionCase kExpressions[] = {
    // Precedence: * before +, comparisons after arithmetic, then NOT, AND, OR and XOR.
    {"1 + 2 * 3 - 4 / 2", "((1 + (2 * 3)) - (4 / 2))"},
    {"-[a] * -2", "(-[a] * -2)"},
    {"- - 3", "3"},
    {"NOT [a] > 1 AND [b] <= 2 OR [c] <> 3 XOR [d] >= 4",
     "((((NOT ([a] > 1)) AND ([b] <= 2)) OR ([c] <> 3)) XOR ([d] >= 4))"},
    {"[a] < 1 or not [b] = 2", "(([a] < 1) OR (NOT ([b] = 2)))"},
    {"(NOT [a]) + 1", "((NOT [a]) + 1)"},
    {"(-1):[a]", "((-1):[a])"},
    {"[Time].CurrentMember IS [Time].[1997]", "([Time].CurrentMember IS [Time].[1997])"},
    {"iif(IsEmpty([x]), NULL, 'text')", "IIf(IsEmpty([x]), NULL, 'text')"},
    {"{[Time].[1997].[Q1]:[Time].[1997].[Q3]}", "{([Time].[1997].[Q1]:[Time].[1997].[Q3])}"},
    // Names: brackets with "]]", bare parts, keys, any letter case of the functions.
    {"[Store].[Bob]]s]].[x].&[12]", "[Store].[Bob]]s]].[x].&[12]"},
    {"Measures.[Unit Sales]", "Measures.[Unit Sales]"},
    {"[Store].USA.CA.children", "[Store].USA.CA.Children"},
    {"&[1997]", "&[1997]"},
    // Methods after names, calls and indexes; set(n) is set.Item(n).
    {"[Time].[1997].Lag(1).PrevMember.Parent.NextMember.Lead(-2)",
     "[Time].[1997].Lag(1).PrevMember.Parent.NextMember.Lead(-2)"},
    {"{[a], [b]}.item(0).item(0)", "{[a], [b]}.Item(0).Item(0)"},
    {"[set0](1)", "[set0].Item(1)"},
    {"Filter([x].Members, [y] > 0)(0)", "Filter([x].Members, ([y] > 0)).Item(0)"},
    {"[Store].Levels(1).Members.Count", "[Store].Levels(1).Members.Count"},
    {"([a] + [b]).Name", "([a] + [b]).Name"},
    {"[Store].CurrentMember.Properties(\"Caption\")",
     "[Store].CurrentMember.Properties('Caption')"},
    // Functions of the table, in both forms where they have both.
    {"count({[a]}, EXCLUDEEMPTY) + {[a]}.Count", "(Count({[a]}, EXCLUDEEMPTY) + {[a]}.Count)"},
    {"TopCount(Descendants([Store].[USA], [Store].[Store City], SELF), 5, [Measures].[x])",
     "TopCount(Descendants([Store].[USA], [Store].[Store City], SELF), 5, [Measures].[x])"},
    {"Order(Except(Intersect({[a]}, {[b]}), {[c]}), [m], BDESC)",
     "Order(Except(Intersect({[a]}, {[b]}), {[c]}), [m], BDESC)"},
    {"CrossJoin({[a]}, {[b]}, {[c]})", "CrossJoin({[a]}, {[b]}, {[c]})"},
    {"Generate({[a]}, {[a].CurrentMember.FirstChild, [a].CurrentMember.LastChild})",
     "Generate({[a]}, {[a].CurrentMember.FirstChild, [a].CurrentMember.LastChild})"},
    {"Rank([a], Head(Distinct({[a], [b]}), 2)) + Median({[a]}) + Var({[a]}, [m])",
     "((Rank([a], Head(Distinct({[a], [b]}), 2)) + Median({[a]})) + Var({[a]}, [m]))"},
    {"CoalesceEmpty([m], 0) + Abs(Round(-1.25, 1)) + Avg({[a]}) + Min({[a]})",
     "(((CoalesceEmpty([m], 0) + Abs(Round(-1.25, 1))) + Avg({[a]})) + Min({[a]}))"},
    {"Ancestor([a], [Store].[Store Country]).Siblings",
     "Ancestor([a], [Store].[Store Country]).Siblings"},
    {"StrToSet('{[a]}') * StrToMember(\"[b]\").Level.Hierarchy.Dimension.UniqueName",
     "(StrToSet('{[a]}') * StrToMember('[b]').Level.Hierarchy.Dimension.UniqueName)"},
    {"ParallelPeriod()", "ParallelPeriod()"},
    // Literals: numbers of every form, strings with doubled quotes, tuples.
    {"(1.5e3, 0.25, 7E-2, 'it''s', \"say \"\"hi\"\"\")",
     "(1500, 0.25, 0.07, 'it''s', 'say \"hi\"')"},
    {"((([a])))", "[a]"},
    {"/* a comment */ [a] -- to the end of the line\n + // another\n [b]", "([a] + [b])"},
};

TEST(MdxParser, ParsesExpressionsWithTheirPrecedenceAndNames) {
  for (const ExpressionCase& c : kExpressions) {
    SCOPED_TRACE(c.mdx);
    try {
      const ExpressionPtr expression = ParseExpression(c.mdx);
      EXPECT_EQ(ToMdx(*expression), c.canonical);
      EXPECT_EQ(ToMdx(*ParseExpression(c.canonical)), c.canonical);
    } catch (const SyntaxError& error) {
      ADD_FAILURE() << error.what();
    }
  }
}

// Trees whose canonical text needs care to read back as the same tree.
TEST(MdxParser, PrintsStatementsThatParseBackToTheSameTree) {
  const ShapeCase cases[] = {
      {"a bare definition that is a string", "WITH MEMBER [M].[x] AS +'a' SELECT FROM [S]",
       "WITH MEMBER [M].[x] AS ('a') SELECT FROM [S]"},
      {"a quoted definition holding a string",
       "WITH MEMBER [M].[x] AS '''it''''s''' SELECT FROM [S]",
       "WITH MEMBER [M].[x] AS '''it''''s''' SELECT FROM [S]"},
      {"names with brackets inside", "SELECT FROM [S]]x] WHERE [a]]].&[b]]]",
       "SELECT FROM [S]]x] WHERE [a]]].&[b]]]"},
  };
  for (const ShapeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string canonical = ToMdx(ParseStatement(c.mdx));
    EXPECT_EQ(canonical, c.canonical);
    EXPECT_EQ(ToMdx(ParseStatement(canonical)), canonical);
  }
}

TEST(MdxParser, GivesAxesInAxisOrderWithTheirNamesAndNonEmpty) {
  const Statement statement = ParseStatement(
      "select non empty {[b]} on axis(3), {[c]} on 2, {[a]} on Columns, "
      "NON EMPTY [d].Children ON ROWS FROM Sales");
  const SelectStatement& select = AsSelect(statement);
  ASSERT_EQ(select.axes.size(), 4u);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(select.axes[static_cast<size_t>(i)].ordinal, i);
  EXPECT_EQ(ToMdx(*select.axes[0].set), "{[a]}");
  EXPECT_FALSE(select.axes[0].non_empty);
  EXPECT_TRUE(select.axes[1].non_empty);
  EXPECT_EQ(select.axes[1].set->As<FunctionCall>()->Id(), FunctionId::kChildren);
  EXPECT_EQ(ToMdx(*select.axes[2].set), "{[c]}");
  EXPECT_TRUE(select.axes[3].non_empty);
  EXPECT_EQ(select.axes[3].position, (SourcePosition{1, 8}));
  EXPECT_EQ(select.cube_name, "Sales");
  EXPECT_EQ(select.slicer, nullptr);
  EXPECT_EQ(AxisName(0), "COLUMNS");
  EXPECT_EQ(AxisName(4), "CHAPTERS");
  EXPECT_EQ(AxisName(5), "AXIS(5)");
}

TEST(MdxParser, KeepsWithDefinitionsInOrderWithTheirProperties) {
  const Statement statement = ParseStatement(
      "WITH MEMBER [Measures].[Profit] AS '[Store Sales] - [Store Costs]', "
      "FORMAT_STRING = '#,0.0###', solve_order = 2 "
      "SET [Top] AS TopCount([Store].Members, 2, [Measures].[Profit]) "
      "SELECT [Top] ON 0 FROM [Sales] WHERE ([Time].[1997], [Product].[Drink])");
  const SelectStatement& select = AsSelect(statement);
  ASSERT_EQ(select.definitions.size(), 2u);
  const WithDefinition& profit = select.definitions[0];
  EXPECT_EQ(profit.kind, WithDefinition::Kind::kMember);
  EXPECT_EQ(profit.name.UniqueName(), "[Measures].[Profit]");
  EXPECT_TRUE(profit.quoted);
  const auto* difference = profit.expression->As<BinaryOperation>();
  ASSERT_NE(difference, nullptr);
  EXPECT_EQ(difference->op, BinaryOperator::kMinus);
  // Places inside the quotes are places in the statement.
  EXPECT_EQ(profit.expression->position, (SourcePosition{1, 37}));
  ASSERT_EQ(profit.properties.size(), 2u);
  ASSERT_NE(profit.FindProperty("Format_String"), nullptr);
  EXPECT_EQ(profit.FindProperty("FORMAT_STRING")->value->As<StringLiteral>()->value, "#,0.0###");
  EXPECT_EQ(profit.FindProperty("SOLVE_ORDER")->value->As<NumberLiteral>()->value, 2);
  EXPECT_EQ(profit.FindProperty("VISIBLE"), nullptr);

  const WithDefinition& top = select.definitions[1];
  EXPECT_EQ(top.kind, WithDefinition::Kind::kSet);
  EXPECT_FALSE(top.quoted);
  EXPECT_EQ(top.expression->As<FunctionCall>()->Id(), FunctionId::kTopCount);
  EXPECT_TRUE(top.properties.empty());

  const auto* where = select.slicer->As<TupleConstructor>();
  ASSERT_NE(where, nullptr);
  EXPECT_EQ(where->elements.size(), 2u);
}

TEST(MdxParser, ReadsCrossjoinsAsLeftNestedOperations) {
  const ExpressionPtr expression = ParseExpression("{[a]} * {[b]} * [c].Children");
  const auto* outer = expression->As<BinaryOperation>();
  ASSERT_NE(outer, nullptr);
  EXPECT_EQ(outer->op, BinaryOperator::kMultiply);
  EXPECT_TRUE(outer->right->Is<FunctionCall>());
  const auto* inner = outer->left->As<BinaryOperation>();
  ASSERT_NE(inner, nullptr);
  EXPECT_TRUE(inner->left->Is<SetConstructor>());
  EXPECT_TRUE(inner->right->Is<SetConstructor>());
}

TEST(MdxParser, ReadsNamesIntoTheirParts) {
  const ExpressionPtr expression = ParseExpression("[Time].Calendar.&[1997].[Q]]1]");
  const auto* name = expression->As<Identifier>();
  ASSERT_NE(name, nullptr);
  const std::vector<NamePart> expected = {{"Time", NamePart::Style::kBracketed},
                                          {"Calendar", NamePart::Style::kBare},
                                          {"1997", NamePart::Style::kKey},
                                          {"Q]1", NamePart::Style::kBracketed}};
  EXPECT_EQ(name->parts, expected);
  EXPECT_EQ(name->UniqueName(), "[Time].[Calendar].&[1997].[Q]]1]");
}

TEST(MdxParser, GivesMethodCallsTheirObjectAsFirstArgument) {
  const ExpressionPtr expression = ParseExpression("[Time].[1997].Lag(2)");
  const auto* lag = expression->As<FunctionCall>();
  ASSERT_NE(lag, nullptr);
  EXPECT_EQ(lag->Id(), FunctionId::kLag);
  EXPECT_TRUE(lag->method_form);
  ASSERT_EQ(lag->arguments.size(), 2u);
  EXPECT_EQ(lag->arguments[0]->As<Identifier>()->UniqueName(), "[Time].[1997]");
  EXPECT_EQ(lag->arguments[1]->As<NumberLiteral>()->value, 2);
}

TEST(MdxParser, ReadsDrillthroughAndGlobalCubeStatements) {
  const Statement drill = ParseStatement(
      "DRILLTHROUGH FIRSTROWSET 3 MAXROWS 50 SELECT {[Time].[1997]} ON 0 FROM [Sales];");
  const auto& drillthrough = std::get<DrillthroughStatement>(drill);
  EXPECT_EQ(drillthrough.max_rows, 50);
  EXPECT_EQ(drillthrough.first_rowset, 3);
  EXPECT_EQ(drillthrough.select.axes.size(), 1u);
  EXPECT_TRUE(drillthrough.return_columns.empty());

  const Statement create = ParseStatement(
      "CREATE GLOBAL CUBE [Local] STORAGE 'C:\\cubes\\o''brien.cub' FROM [Sales]\r(\r"
      "MEASURE [Sales].[Unit Sales],\rDIMENSION [Sales].[Time] (LEVEL [(All)],LEVEL [Month],"
      "MEMBER [Time].[1997].[Q1].[1],\rMEMBER [Time].[1997].[Q1].[2]),\rDIMENSION "
      "[Sales].[Store])");
  const auto& cube = std::get<CreateGlobalCubeStatement>(create);
  EXPECT_EQ(cube.cube_name, "Local");
  EXPECT_EQ(cube.storage, "C:\\cubes\\o'brien.cub");
  EXPECT_EQ(cube.source_cube, "Sales");
  ASSERT_EQ(cube.measures.size(), 1u);
  EXPECT_EQ(cube.measures[0].UniqueName(), "[Sales].[Unit Sales]");
  ASSERT_EQ(cube.dimensions.size(), 2u);
  EXPECT_EQ(cube.dimensions[0].name.UniqueName(), "[Sales].[Time]");
  ASSERT_EQ(cube.dimensions[0].levels.size(), 2u);
  EXPECT_EQ(cube.dimensions[0].levels[0].UniqueName(), "[(All)]");
  ASSERT_EQ(cube.dimensions[0].members.size(), 2u);
  EXPECT_EQ(cube.dimensions[0].members[1].UniqueName(), "[Time].[1997].[Q1].[2]");
  EXPECT_EQ(cube.dimensions[0].position, (SourcePosition{4, 1}));
  EXPECT_TRUE(cube.dimensions[1].levels.empty());
}

TEST(MdxParser, TakesKeywordsAndFunctionNamesInAnyLetterCase) {
  const Statement statement = ParseStatement(
      "wItH mEmBeR [Measures].[x] aS 'sUm({[a]})' sElEcT {[Measures].[x]} oN cOlUmNs fRoM "
      "[Sales] wHeRe [b]");
  const SelectStatement& select = AsSelect(statement);
  EXPECT_EQ(select.definitions[0].expression->As<FunctionCall>()->Id(), FunctionId::kSum);
  EXPECT_EQ(ToMdx(statement),
            "WITH MEMBER [Measures].[x] AS 'Sum({[a]})' SELECT {[Measures].[x]} ON COLUMNS FROM "
            "[Sales] WHERE [b]");
}

TEST(MdxParser, BoundsTheTreeSoThatDeepStatementsStayWithinLimits) {
  // Nesting just inside the limit parses; one level more is refused.
  const int depth = kMaxNesting - 2;
  const std::string nested = std::string(depth, '(') + "1" + std::string(depth, ')');
  EXPECT_NO_THROW(ParseExpression(nested));
  std::string chain = "1";
  for (int i = 1; i < kMaxExpressionHeight - 1; ++i)
    chain += "+1";
  EXPECT_NO_THROW(ParseExpression(chain));
}

}  // namespace
