#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The engine cases of tests/mdx/cases, as README.md there describes their files.

struct ExpectedMember {
  std::string unique_name;
  std::optional<std::string> caption;  // checked only when the case gives it
};

// One position of an axis: its members, one per hierarchy of the axis's tuples.
using ExpectedPosition = std::vector<ExpectedMember>;

struct ExpectedAxis {
  int ordinal = 0;
  std::vector<ExpectedPosition> positions;
};

// A cell's formatted value; no value for an empty cell.
using ExpectedCell = std::optional<std::string>;

struct ExpectedGrid {
  std::vector<ExpectedAxis> axes;  // axes[i].ordinal == i
  // The cells in ordinal order, axis 0 fastest: each line holds as many cells as axis 0 has
  // positions (one when there is no axis), then the lines follow axis 1, then axis 2 ...
  std::vector<std::vector<ExpectedCell>> cell_lines;
};

// The rows a DRILLTHROUGH returns, each field as the driver writes it as text.
struct ExpectedRecordset {
  std::vector<std::string> fields;
  std::vector<std::vector<std::string>> rows;
};

struct MdxCase {
  enum class Expectation {
    kParses,       // no result written yet: pending, reported as skipped until it has one
    kSyntaxError,  // the statement does not parse; the message contains `message`
    kError,        // the statement parses, but running it fails with `message` in its text
    kGrid,
    kRecordset,
  };

  std::string name;
  int line = 0;      // of the "===" line, for messages
  std::string cube;  // "sample" (the bundled sample cube) or "foodmart"
  std::string mdx;
  Expectation expectation = Expectation::kParses;
  std::string message;
  ExpectedGrid grid;
  ExpectedRecordset recordset;
};

// Reads the cases of one file. Throws std::runtime_error "file:line: what is wrong" for a
// file that does not follow the format.
std::vector<MdxCase> ParseMdxCases(std::string_view text, std::string_view file_name);
std::vector<MdxCase> ReadMdxCaseFile(const std::string& path);
