// The driver of the engine cases: one test per case of every file in tests/mdx/cases.
// For now it checks that each statement parses, or fails to parse with the expected
// message; cases whose grid, recordset or run-time error needs the engine are reported as
// skipped, with the reason, until the driver runs statements on the cubes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "engine/mdx/parser.h"
#include "engine/mdx/syntax_error.h"
#include "mdx_case_file.h"

namespace {

std::string TestName(const std::string& text) {
  std::string name;
  for (char c : text) {
    const bool word = std::isalnum(static_cast<unsigned char>(c));
    if (word) {
      name += c;
    } else if (!name.empty() && name.back() != '_') {
      name += '_';
    }
  }
  while (!name.empty() && name.back() == '_')
    name.pop_back();
  return name;
}

class MdxCaseTest : public testing::Test {
 public:
  explicit MdxCaseTest(MdxCase c) : case_(std::move(c)) {}

  void TestBody() override {
    using Expectation = MdxCase::Expectation;
    try {
      engine::mdx::ParseStatement(case_.mdx);
    } catch (const engine::mdx::SyntaxError& error) {
      if (case_.expectation == Expectation::kSyntaxError) {
        EXPECT_NE(std::string(error.what()).find(case_.message), std::string::npos)
            << "the message is: " << error.what();
      } else {
        ADD_FAILURE() << error.what();
      }
      return;
    }
    switch (case_.expectation) {
      case Expectation::kSyntaxError:
        ADD_FAILURE() << "the statement parses, but a syntax error was expected: " << case_.message;
        return;
      case Expectation::kParses:
        GTEST_SKIP() << "parses; its expected result is still to be written";
      case Expectation::kError:
      case Expectation::kGrid:
      case Expectation::kRecordset:
        GTEST_SKIP() << "parses; its result is checked once the driver runs statements";
    }
  }

 private:
  MdxCase case_;
};

class CaseFileError : public testing::Test {
 public:
  explicit CaseFileError(std::string message) : message_(std::move(message)) {}
  void TestBody() override { ADD_FAILURE() << message_; }

 private:
  std::string message_;
};

void RegisterCaseFile(const std::filesystem::path& path) {
  const std::string suite = "MdxCases_" + TestName(path.stem().string());
  std::vector<MdxCase> cases;
  try {
    cases = ReadMdxCaseFile(path.string());
  } catch (const std::exception& error) {
    const std::string message = error.what();
    testing::RegisterTest(suite.c_str(), "CaseFile", nullptr, nullptr, __FILE__, __LINE__,
                          [message]() -> testing::Test* { return new CaseFileError(message); });
    return;
  }
  std::vector<std::string> names;
  for (const MdxCase& c : cases) {
    std::string name = TestName(c.name);
    // Names that differ only in punctuation would otherwise collide.
    if (std::find(names.begin(), names.end(), name) != names.end())
      name += "_line" + std::to_string(c.line);
    names.push_back(name);
    testing::RegisterTest(suite.c_str(), name.c_str(), nullptr, nullptr, path.string().c_str(),
                          c.line, [c]() -> testing::Test* { return new MdxCaseTest(c); });
  }
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(HEXVANE_MDX_CASES_DIR))
    if (entry.path().extension() == ".cases")
      files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (const auto& file : files)
    RegisterCaseFile(file);
  return RUN_ALL_TESTS();
}
