#include <gtest/gtest.h>

#include <random>

#include "engine/mdx/parser.h"
#include "engine/mdx/syntax_error.h"

namespace {

using namespace engine::mdx;

struct ErrorCase {
  std::string mdx;
  std::string message;
};

std::string Repeat(std::string_view piece, int times) {
  std::string result;
  for (int i = 0; i < times; ++i)
    result += piece;
  return result;
}

void ExpectError(const ErrorCase& c) {
  SCOPED_TRACE(c.mdx.substr(0, 120));
  try {
    ParseStatement(c.mdx);
    ADD_FAILURE() << "parsed without error";
  } catch (const SyntaxError& error) {
    EXPECT_EQ(error.what(), c.message);
  }
}

TEST(MdxParserErrors, SayWhatWasExpectedAndWhatWasFoundWhere) {
  const ErrorCase cases[] = {
      {"SELECT {[Measures].members(0} ON COLUMNS FROM [Sales]",
       "Syntax error at line 1, column 29: expected ',' or ')' but found '}'."},
      {"SELECT Tail({[Store].Members}, 2 ON COLUMNS FROM [Sales]",
       "Syntax error at line 1, column 34: expected ',' or ')' but found 'ON'."},
      {"SELECT {[a], [b] ON 0 FROM [S]",
       "Syntax error at line 1, column 18: expected ',' or '}' but found 'ON'."},
      {"SELECT {[a]} COLUMNS FROM [S]",
       "Syntax error at line 1, column 14: expected ON but found 'COLUMNS'."},
      {"SELECT {[a]} ON FOO FROM [S]",
       "Syntax error at line 1, column 17: expected COLUMNS, ROWS, PAGES, SECTIONS, CHAPTERS, "
       "AXIS(n) or a number but found 'FOO'."},
      {"SELECT {[a]} ON COLUMNS [S]",
       "Syntax error at line 1, column 25: expected FROM but found '[S]'."},
      {"SELECT {[a]} ON COLUMNS FROM",
       "Syntax error at line 1, column 29: expected the cube name but found the end of the "
       "statement."},
      {"SELECT {[a]} ON COLUMNS FROM [S] WHERE",
       "Syntax error at line 1, column 39: expected an expression but found the end of the "
       "statement."},
      {"SELECT {[a]} ON COLUMNS FROM [S] extra",
       "Syntax error at line 1, column 34: expected the end of the statement but found 'extra'."},
      {"",
       "Syntax error at line 1, column 1: expected SELECT, WITH, DRILLTHROUGH or CREATE "
       "GLOBAL CUBE but found the end of the statement."},
      {"  UPDATE CUBE [Sales]",
       "Syntax error at line 1, column 3: expected SELECT, WITH, DRILLTHROUGH or CREATE GLOBAL "
       "CUBE but found 'UPDATE'."},
      {"WITH SELECT FROM [S]",
       "Syntax error at line 1, column 6: expected MEMBER or SET but found 'SELECT'."},
      {"WITH MEMBER [Measures].[x] '1' SELECT FROM [S]",
       "Syntax error at line 1, column 28: expected AS but found the string '1'."},
      {"WITH MEMBER AS 1 SELECT FROM [S]",
       "Syntax error at line 1, column 13: expected the name of the member but found 'AS'."},
      {"WITH MEMBER [M].[x] AS 1, FORMAT_STRING '#' SELECT FROM [S]",
       "Syntax error at line 1, column 27: expected a property such as FORMAT_STRING = '...' but "
       "found 'FORMAT_STRING'."},
      {"SELECT ON 0 FROM [S]",
       "Syntax error at line 1, column 8: expected an expression but found 'ON'."},
      {"SELECT FROM [S] WHERE ()",
       "Syntax error at line 1, column 24: expected an expression but found ')'."},
      {"SELECT FROM [S] WHERE [a].Children.[b]",
       "Syntax error at line 1, column 36: expected a function name after '.' but found '[b]'."},
      {"SELECT FROM [S] WHERE [a].5",
       "Syntax error at line 1, column 27: expected a name or a function after '.' but found "
       "'5'."},
      {"SELECT FROM [S] WHERE [a] 'a very long string that goes on and on and on'",
       "Syntax error at line 1, column 27: expected the end of the statement but found the "
       "string 'a very long string that goes ...."},
  };
  for (const ErrorCase& c : cases)
    ExpectError(c);
}

TEST(MdxParserErrors, PlaceErrorsInsideQuotedExpressionsInTheStatement) {
  const ErrorCase cases[] = {
      {"WITH MEMBER [Measures].[x] AS '1 +' SELECT FROM [S]",
       "Syntax error at line 1, column 35: expected an expression but found the end of the "
       "quoted expression."},
      // The doubled quotes count as written.
      {"WITH MEMBER [M].[x] AS 'iif([a] = ''x'', 1 2)' SELECT FROM [S]",
       "Syntax error at line 1, column 44: expected ',' or ')' but found '2'."},
      {"WITH MEMBER [M].[x] AS 'iif(1, 2)' SELECT FROM [S]",
       "Syntax error at line 1, column 25: Function 'IIf' takes 3 arguments, got 2."},
      {"WITH MEMBER [M].[x] AS 'iif([a] = ''x, 1, 2)' SELECT FROM [S]",
       "Syntax error at line 1, column 35: the string that starts here has no closing quote."},
      {"WITH\n  SET [s] AS\n    'Filter([a].Members,\n       [b] > )'\nSELECT FROM [S]",
       "Syntax error at line 4, column 14: expected an expression but found ')'."},
  };
  for (const ErrorCase& c : cases)
    ExpectError(c);
}

TEST(MdxParserErrors, CountLinesAtLineFeedsCarriageReturnsAndBoth) {
  const ErrorCase cases[] = {
      {"SELECT\n  {[a]} ON COLUMNS,\n  {[b]} ON ROWS\nFROM [S]\nWHERE (,)",
       "Syntax error at line 5, column 8: expected an expression but found ','."},
      {"CREATE GLOBAL CUBE [C] STORAGE 'f' FROM [S]\r(\rMEASURE [S].[m],\rLEVEL [x])",
       "Syntax error at line 4, column 1: expected MEASURE, DIMENSION or ')' but found 'LEVEL'."},
      {"SELECT\r\n{[a]} ON COLUMNS FROM [S] WHERE [x",
       "Syntax error at line 2, column 33: the name '[x' that starts here is not closed by ']'."},
      // Columns count characters, not bytes.
      {"SELECT {[Größe]} ON 0 FROM [S] WHERE @",
       "Syntax error at line 1, column 38: unexpected character '@'."},
      // Long lines of many-byte characters, starting anywhere.
      {"SELECT FROM [S] WHERE [" + Repeat("ö", 300) + "] @",
       "Syntax error at line 1, column 326: unexpected character '@'."},
      {"SELECT FROM [S]\n" + Repeat(" ", 200) + "WHERE [" + Repeat("€", 500) + "]\n ]",
       "Syntax error at line 3, column 2: unexpected character ']'."},
  };
  for (const ErrorCase& c : cases)
    ExpectError(c);
}

TEST(MdxParserErrors, ReportTextThatIsNoToken) {
  const ErrorCase cases[] = {
      {"SELECT FROM [S] WHERE 'abc",
       "Syntax error at line 1, column 23: the string that starts here has no closing quote."},
      {"SELECT FROM [S] WHERE \"abc''",
       "Syntax error at line 1, column 23: the string that starts here has no closing quote."},
      {"SELECT /* x FROM [S]",
       "Syntax error at line 1, column 8: the comment that starts here has no end '*/'."},
      {"SELECT {[a]} ON 0 FROM [S] WHERE [a] # 1",
       "Syntax error at line 1, column 38: unexpected character '#'."},
      {std::string("SELECT \x01 FROM [S]"),
       "Syntax error at line 1, column 8: unexpected character '\\x01'."},
      {std::string("SELECT \xFF\xFE FROM [S]"),
       "Syntax error at line 1, column 8: unexpected character '\\xFF'."},
      {"SELECT FROM [S] WHERE &x", "Syntax error at line 1, column 23: unexpected character '&'."},
      {"SELECT FROM [S] WHERE 1e999",
       "Syntax error at line 1, column 23: the number '1e999' is out of range."},
      {"SELECT FROM [S] WHERE " + std::string(400, '9'),
       "Syntax error at line 1, column 23: the number '" + std::string(40, '9') +
           "...' is out of range."},
      {"SELECT FROM [S] WHERE [" + std::string(5000, 'x'),
       "Syntax error at line 1, column 23: the name '[" + std::string(19, 'x') +
           "...' that starts here is not closed by ']'."},
  };
  for (const ErrorCase& c : cases)
    ExpectError(c);
}

TEST(MdxParserErrors, NameUnknownFunctionsAndWrongArgumentCounts) {
  const ErrorCase cases[] = {
      {"SELECT Fitler([Store].Members, 1) ON 0 FROM [S]",
       "Syntax error at line 1, column 8: Unknown function 'Fitler'."},
      {"SELECT Tail([a], 1, 2) ON 0 FROM [S]",
       "Syntax error at line 1, column 8: Function 'Tail' takes 1 or 2 arguments, got 3."},
      {"SELECT Filter([a]) ON 0 FROM [S]",
       "Syntax error at line 1, column 8: Function 'Filter' takes 2 arguments, got 1."},
      {"SELECT Union({[a]}) ON 0 FROM [S]",
       "Syntax error at line 1, column 8: Function 'Union' takes at least 2 arguments, got 1."},
      {"SELECT Descendants() ON 0 FROM [S]",
       "Syntax error at line 1, column 8: Function 'Descendants' takes 1 to 3 arguments, got 0."},
      {"SELECT [a].Lag(1, 2) ON 0 FROM [S]",
       "Syntax error at line 1, column 12: Function 'Lag' takes 1 argument, got 2."},
      {"SELECT {[a].Lag} ON 0 FROM [S]",
       "Syntax error at line 1, column 13: Function 'Lag' takes 1 argument, got 0."},
      {"SELECT [a].Item() ON 0 FROM [S]",
       "Syntax error at line 1, column 12: Function 'Item' takes at least 1 argument, got 0."},
      {"SELECT [a].Members() ON 0 FROM [S]",
       "Syntax error at line 1, column 19: Function 'Item' takes at least 1 argument, got 0."},
      {"SELECT Children([a]) ON 0 FROM [S]",
       "Syntax error at line 1, column 8: Function 'Children' is written after its object: "
       "x.Children."},
      {"SELECT [a].Filter([b]) ON 0 FROM [S]",
       "Syntax error at line 1, column 12: Function 'Filter' is not written after an object: "
       "Filter(...)."},
      {"SELECT [a].Chidlren() ON 0 FROM [S]",
       "Syntax error at line 1, column 12: Unknown function 'Chidlren'."},
      {"SELECT [a].Children.Cnt ON 0 FROM [S]",
       "Syntax error at line 1, column 21: Unknown function 'Cnt'."},
  };
  for (const ErrorCase& c : cases)
    ExpectError(c);
}

TEST(MdxParserErrors, RefuseAxesGivenTwiceOrWithGaps) {
  const ErrorCase cases[] = {
      {"SELECT {[a]} ON 0, {[b]} ON COLUMNS FROM [S]",
       "Syntax error at line 1, column 20: the axis COLUMNS is given twice."},
      {"SELECT {[a]} ON ROWS FROM [S]",
       "Syntax error at line 1, column 8: the axis ROWS is given without the axis COLUMNS."},
      {"SELECT {[a]} ON 0, {[b]} ON AXIS(2) FROM [S]",
       "Syntax error at line 1, column 20: the axis PAGES is given without the axis ROWS."},
      {"SELECT {[a]} ON 1.5 FROM [S]",
       "Syntax error at line 1, column 17: the axis number must be a whole number from 0 to 127, "
       "not '1.5'."},
      {"SELECT {[a]} ON AXIS(200) FROM [S]",
       "Syntax error at line 1, column 22: the axis number must be a whole number from 0 to 127, "
       "not '200'."},
  };
  for (const ErrorCase& c : cases)
    ExpectError(c);
}

TEST(MdxParserErrors, CheckTheClausesOfDrillthroughAndGlobalCubes) {
  const ErrorCase cases[] = {
      {"DRILLTHROUGH MAXROWS -1 SELECT FROM [S]",
       "Syntax error at line 1, column 22: expected a number but found '-'."},
      {"DRILLTHROUGH MAXROWS 2.5 SELECT FROM [S]",
       "Syntax error at line 1, column 22: MAXROWS must be a whole number from 0 to "
       "9007199254740992, not '2.5'."},
      {"DRILLTHROUGH MAXROWS 10 MAXROWS 5 SELECT FROM [S]",
       "Syntax error at line 1, column 25: expected FIRSTROWSET or SELECT but found 'MAXROWS'."},
      {"DRILLTHROUGH FROM [S]",
       "Syntax error at line 1, column 14: expected MAXROWS, FIRSTROWSET or SELECT but found "
       "'FROM'."},
      {"DRILLTHROUGH SELECT FROM [S] RETURN",
       "Syntax error at line 1, column 36: expected an expression but found the end of the "
       "statement."},
      {"CREATE CUBE [C]", "Syntax error at line 1, column 8: expected GLOBAL but found 'CUBE'."},
      {"CREATE GLOBAL CUBE [C] STORAGE [f] FROM [S] ()",
       "Syntax error at line 1, column 32: expected the file name in quotes but found '[f]'."},
      {"CREATE GLOBAL CUBE [C] STORAGE 'f' FROM [S] (MEASURE [S].[m] DIMENSION [S].[T])",
       "Syntax error at line 1, column 62: expected ',' or ')' but found 'DIMENSION'."},
      {"CREATE GLOBAL CUBE [C] STORAGE 'f' FROM [S] (DIMENSION [S].[T] (LEVL [x]))",
       "Syntax error at line 1, column 65: expected LEVEL, MEMBER or ')' but found 'LEVL'."},
      {"CREATE GLOBAL CUBE [C] STORAGE 'f' FROM [S] (MEASURE [S].[m],",
       "Syntax error at line 1, column 62: expected MEASURE, DIMENSION or ')' but found the end "
       "of the statement."},
  };
  for (const ErrorCase& c : cases)
    ExpectError(c);
}

TEST(MdxParserErrors, RefuseTooDeepNestingInsteadOfExhaustingTheStack) {
  const std::string nesting = "nested more than 256 levels deep";
  const std::string complexity = "too complex: more than 1024 operations inside one another";
  const struct {
    std::string mdx;
    std::string part;
  } cases[] = {
      {"SELECT FROM [S] WHERE " + Repeat("(", 100000) + "1" + Repeat(")", 100000), nesting},
      {"SELECT FROM [S] WHERE " + Repeat("{", 300) + Repeat("}", 300), nesting},
      {"SELECT FROM [S] WHERE " + Repeat("Sum(", 300) + "1" + Repeat(")", 300), nesting},
      {"SELECT FROM [S] WHERE " + Repeat("NOT ", 100000) + "1", nesting},
      {"SELECT FROM [S] WHERE " + Repeat("- ", 100000) + "1", nesting},
      {"WITH MEMBER [M].[x] AS '" + Repeat("(", 300) + "'", nesting},
      {"SELECT FROM [S] WHERE 1" + Repeat(" + 1", 100000), complexity},
      {"SELECT FROM [S] WHERE [a]" + Repeat(".Children", 100000), complexity},
      {"SELECT FROM [S] WHERE [a]" + Repeat("(0)", 100000), complexity},
      {"SELECT FROM [S] WHERE [a]" + Repeat(":[a]", 100000), complexity},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mdx.substr(0, 60));
    try {
      ParseStatement(c.mdx);
      ADD_FAILURE() << "parsed without error";
    } catch (const SyntaxError& error) {
      EXPECT_NE(std::string(error.what()).find(c.part), std::string::npos) << error.what();
    }
  }
}

// A quick deterministic sweep; the fuzz target in tests/fuzz goes much further.
TEST(MdxParserErrors, AnswerAnyTextWithAStatementOrASyntaxError) {
  const std::vector<std::string> pieces = {"SELECT",    "WITH",
                                           "MEMBER",    "SET",
                                           "AS",        "ON",
                                           "FROM",      "WHERE",
                                           "NON",       "EMPTY",
                                           "{",         "}",
                                           "(",         ")",
                                           ",",         ".",
                                           ":",         "*",
                                           "-",         "'",
                                           "''",        "\"",
                                           "[a]",       "]]",
                                           "[",         "&[1]",
                                           "1",         "1e3",
                                           "Sum",       "Children",
                                           "Item",      "NOT",
                                           "AND",       "IS",
                                           "0",         "COLUMNS",
                                           "ROWS",      "AXIS",
                                           "=",         "<>",
                                           "\r",        "\n",
                                           "--",        "/*",
                                           "*/",        "DRILLTHROUGH",
                                           "MAXROWS",   "CREATE",
                                           "GLOBAL",    "CUBE",
                                           "STORAGE",   "MEASURE",
                                           "DIMENSION", "LEVEL",
                                           "RETURN",    "FORMAT_STRING",
                                           ";"};
  std::mt19937 random(20240611);
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    const int length = static_cast<int>(random() % 24);
    for (int i = 0; i < length; ++i) {
      if (random() % 8 == 0) {
        text += static_cast<char>(random() % 256);
      } else {
        text += pieces[random() % pieces.size()];
        if (random() % 2)
          text += ' ';
      }
    }
    try {
      ParseStatement(text);
    } catch (const SyntaxError& error) {
      EXPECT_GE(error.Position().line, 1);
      EXPECT_GE(error.Position().column, 1);
    }
  }
}

}  // namespace
