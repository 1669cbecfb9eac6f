#include "mdx_case_file.h"

#include <array>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

namespace {

constexpr std::array<std::string_view, 2> kCubes = {"sample", "foodmart"};
constexpr std::array<std::string_view, 5> kAxisNames = {"columns", "rows", "pages", "sections",
                                                        "chapters"};
constexpr std::string_view kEmptyCell = "(empty)";

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
    text.remove_suffix(1);
  return text;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool IsIndented(std::string_view line) {
  return !line.empty() && (line.front() == ' ' || line.front() == '\t');
}

// Items separated by "|", each trimmed.
std::vector<std::string> SplitItems(std::string_view text) {
  std::vector<std::string> items;
  size_t start = 0;
  for (;;) {
    const size_t bar = text.find('|', start);
    items.emplace_back(Trim(text.substr(start, bar == std::string_view::npos ? bar : bar - start)));
    if (bar == std::string_view::npos)
      return items;
    start = bar + 1;
  }
}

class CaseFileParser {
 public:
  CaseFileParser(std::string_view text, std::string_view file_name) : file_name_(file_name) {
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find('\n', start);
      if (end == std::string_view::npos)
        end = text.size();
      std::string_view line = text.substr(start, end - start);
      if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
      lines_.push_back(line);
      start = end + 1;
    }
  }

  std::vector<MdxCase> Run() {
    std::vector<MdxCase> cases;
    std::set<std::string> names;
    while (SkipBlankAndComments()) {
      MdxCase c = Case();
      if (!names.insert(c.name).second)
        Fail(c.line, "a second case named '" + c.name + "'");
      cases.push_back(std::move(c));
    }
    return cases;
  }

 private:
  struct SectionLine {
    int number;
    std::string_view text;
  };

  [[noreturn]] void Fail(int line, const std::string& what) const {
    throw std::runtime_error(std::string(file_name_) + ":" + std::to_string(line) + ": " + what);
  }
  [[noreturn]] void Fail(const std::string& what) const { Fail(LineNumber(), what); }
  int LineNumber() const { return static_cast<int>(next_) + 1; }
  bool AtEnd() const { return next_ >= lines_.size(); }
  std::string_view Line() const { return lines_[next_]; }

  // Moves to the next line that is neither blank nor a comment; false at the end.
  bool SkipBlankAndComments() {
    while (!AtEnd() && (Trim(Line()).empty() || Line().front() == '#'))
      ++next_;
    return !AtEnd();
  }

  // The value of "key: value" on the current line; nothing when the line has another key.
  std::optional<std::string_view> Key(std::string_view key) const {
    const std::string_view line = Line();
    if (!StartsWith(line, key) || line.substr(key.size(), 1) != ":")
      return std::nullopt;
    return Trim(line.substr(key.size() + 1));
  }
  // A section heading such as "cells:".
  bool Heading(std::string_view key) const {
    const auto value = Key(key);
    return value && value->empty();
  }

  MdxCase Case() {
    if (!StartsWith(Line(), "==="))
      Fail("expected a case, starting with '=== name'");
    MdxCase c;
    c.line = LineNumber();
    c.name = std::string(Trim(Line().substr(3)));
    if (c.name.empty())
      Fail("the case has no name after '==='");
    ++next_;
    bool carriage_returns = false;
    for (;;) {
      if (!SkipBlankAndComments())
        Fail(c.line, "the case '" + c.name + "' has no 'mdx:'");
      if (const auto cube = Key("cube")) {
        c.cube = std::string(*cube);
        bool known = false;
        for (std::string_view name : kCubes)
          known = known || name == c.cube;
        if (!known)
          Fail("unknown cube '" + c.cube + "': write sample or foodmart");
      } else if (const auto breaks = Key("line breaks")) {
        if (*breaks != "cr" && *breaks != "lf")
          Fail("line breaks are 'cr' or 'lf'");
        carriage_returns = *breaks == "cr";
      } else if (const auto mdx = Key("mdx")) {
        if (!mdx->empty())
          Fail("the statement goes on the lines after 'mdx:'");
        break;
      } else {
        Fail("expected 'cube:', 'line breaks:' or 'mdx:'");
      }
      ++next_;
    }
    if (c.cube.empty())
      Fail(c.line, "the case '" + c.name + "' names no cube");
    c.mdx = Statement(carriage_returns ? '\r' : '\n');
    if (Trim(c.mdx).empty())
      Fail(c.line, "the case '" + c.name + "' has an empty statement");
    Expectation(c);
    return c;
  }

  // The lines after "mdx:" up to the "expect:" line, as written.
  std::string Statement(char line_break) {
    const int mdx_line = LineNumber();
    ++next_;
    std::vector<std::string_view> lines;
    while (!AtEnd() && !StartsWith(Line(), "expect:"))
      lines.push_back(lines_[next_++]);
    if (AtEnd())
      Fail(mdx_line, "the statement is not followed by an 'expect:' line");
    while (!lines.empty() && Trim(lines.back()).empty())
      lines.pop_back();
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
      if (i > 0)
        text += line_break;
      text += lines[i];
    }
    return text;
  }

  void Expectation(MdxCase& c) {
    const int expect_line = LineNumber();
    const std::string_view what = *Key("expect");
    ++next_;
    if (what == "parses") {
      c.expectation = MdxCase::Expectation::kParses;
    } else if (StartsWith(what, "syntax error:") || StartsWith(what, "error:")) {
      const bool syntax = StartsWith(what, "syntax error:");
      c.expectation = syntax ? MdxCase::Expectation::kSyntaxError : MdxCase::Expectation::kError;
      c.message = std::string(Trim(what.substr(what.find(':') + 1)));
      if (c.message.empty())
        Fail(expect_line, "the expected error has no text");
    } else if (what == "grid") {
      c.expectation = MdxCase::Expectation::kGrid;
      c.grid = Grid(expect_line);
    } else if (what == "recordset") {
      c.expectation = MdxCase::Expectation::kRecordset;
      c.recordset = Recordset();
    } else {
      Fail(expect_line,
           "expected 'expect: parses', 'expect: syntax error: <text>', 'expect: error: <text>', "
           "'expect: grid' or 'expect: recordset'");
    }
    if (SkipBlankAndComments() && !StartsWith(Line(), "==="))
      Fail("expected the next case");
  }

  // The indented lines after a section heading, trimmed; blank lines among them are passed over.
  std::vector<SectionLine> SectionLines() {
    std::vector<SectionLine> lines;
    ++next_;  // the heading
    while (!AtEnd() && (IsIndented(Line()) || Trim(Line()).empty())) {
      if (!Trim(Line()).empty())
        lines.push_back({LineNumber(), Trim(Line())});
      ++next_;
    }
    return lines;
  }

  std::optional<int> AxisHeading() const {
    for (size_t i = 0; i < kAxisNames.size(); ++i)
      if (Heading(kAxisNames[i]))
        return static_cast<int>(i);
    const std::string_view line = Line();
    if (StartsWith(line, "axis ") && line.back() == ':') {
      const std::string number(Trim(line.substr(5, line.size() - 6)));
      if (!number.empty() && number.size() < 4 &&
          number.find_first_not_of("0123456789") == std::string::npos)
        return std::stoi(number);
    }
    return std::nullopt;
  }

  ExpectedMember Member(std::string_view item, int line) const {
    ExpectedMember member;
    const size_t quote = item.find('"');
    if (quote != std::string_view::npos) {
      if (item.size() < quote + 2 || item.back() != '"')
        Fail(line, "a caption is written in double quotes");
      member.caption = std::string(item.substr(quote + 1, item.size() - quote - 2));
      item = Trim(item.substr(0, quote));
    }
    if (item.empty() || item.front() != '[' || item.back() != ']')
      Fail(line,
           "a member is written by its unique name, such as [Store].[USA], and an optional "
           "\"caption\"");
    member.unique_name = std::string(item);
    return member;
  }

  ExpectedGrid Grid(int expect_line) {
    ExpectedGrid grid;
    int cells_line = 0;
    while (SkipBlankAndComments() && !StartsWith(Line(), "===")) {
      if (const auto ordinal = AxisHeading()) {
        if (cells_line)
          Fail("the axes come before 'cells:'");
        if (*ordinal != static_cast<int>(grid.axes.size()))
          Fail("the axes are listed in order from axis 0 (columns) without gaps");
        ExpectedAxis axis;
        axis.ordinal = *ordinal;
        for (const SectionLine& line : SectionLines()) {
          ExpectedPosition position;
          for (const std::string& item : SplitItems(line.text))
            position.push_back(Member(item, line.number));
          if (!axis.positions.empty() && axis.positions.front().size() != position.size())
            Fail(line.number, "every position of an axis has the same number of members");
          axis.positions.push_back(std::move(position));
        }
        grid.axes.push_back(std::move(axis));
      } else if (Heading("cells")) {
        if (cells_line)
          Fail("a second 'cells:'");
        cells_line = LineNumber();
        for (const SectionLine& line : SectionLines()) {
          std::vector<ExpectedCell> cells;
          for (const std::string& item : SplitItems(line.text))
            cells.push_back(item == kEmptyCell ? std::nullopt : ExpectedCell(item));
          grid.cell_lines.push_back(std::move(cells));
        }
      } else {
        Fail(
            "expected 'columns:', 'rows:', 'pages:', 'sections:', 'chapters:', 'axis n:' or "
            "'cells:'");
      }
    }
    if (!cells_line)
      Fail(expect_line, "the grid has no 'cells:'");
    CheckShape(grid, cells_line);
    return grid;
  }

  void CheckShape(const ExpectedGrid& grid, int cells_line) const {
    size_t per_line = 1;
    size_t lines = 1;
    for (const ExpectedAxis& axis : grid.axes) {
      if (axis.ordinal == 0) {
        per_line = axis.positions.size();
      } else {
        lines *= axis.positions.size();
      }
    }
    if (per_line == 0)
      lines = 0;
    bool fits = grid.cell_lines.size() == lines;
    for (const auto& line : grid.cell_lines)
      fits = fits && line.size() == per_line;
    if (!fits)
      Fail(cells_line, "the cells do not fit the axes: expected " + std::to_string(lines) +
                           " lines of " + std::to_string(per_line) + " cells");
  }

  ExpectedRecordset Recordset() {
    ExpectedRecordset recordset;
    const auto fields = SkipBlankAndComments() ? Key("fields") : std::nullopt;
    if (!fields || fields->empty())
      Fail("expected 'fields: name | name ...'");
    recordset.fields = SplitItems(*fields);
    ++next_;
    if (!SkipBlankAndComments() || !Heading("rows"))
      Fail("expected 'rows:'");
    for (const SectionLine& line : SectionLines()) {
      recordset.rows.push_back(SplitItems(line.text));
      if (recordset.rows.back().size() != recordset.fields.size())
        Fail(line.number, "a row has not as many values as there are fields");
    }
    return recordset;
  }

  std::string_view file_name_;
  std::vector<std::string_view> lines_;
  size_t next_ = 0;
};

}  // namespace

std::vector<MdxCase> ParseMdxCases(std::string_view text, std::string_view file_name) {
  return CaseFileParser(text, file_name).Run();
}

std::vector<MdxCase> ReadMdxCaseFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file)
    throw std::runtime_error(path + ": cannot be read");
  std::ostringstream text;
  text << file.rdbuf();
  return ParseMdxCases(text.str(), path);
}
