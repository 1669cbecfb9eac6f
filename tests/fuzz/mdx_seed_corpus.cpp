// Writes the seed corpora of the fuzz targets from the engine cases: every statement of
// tests/mdx/cases for the parser, and every FORMAT_STRING those statements give, with a few
// values, for the formatter.
//   hexvane_mdx_seed_corpus CASES_DIR PARSER_CORPUS_DIR FORMAT_CORPUS_DIR
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <string>

#include "engine/mdx/parser.h"
#include "engine/mdx/syntax_error.h"
#include "mdx_case_file.h"

namespace {

using namespace engine::mdx;

void Write(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary);
  file << bytes;
  if (!file)
    throw std::runtime_error(path.string() + ": cannot be written");
}

void CollectFormats(const Statement& statement, std::set<std::string>& formats) {
  const SelectStatement* select = std::get_if<SelectStatement>(&statement);
  if (const auto* drillthrough = std::get_if<DrillthroughStatement>(&statement))
    select = &drillthrough->select;
  if (!select)
    return;
  for (const WithDefinition& definition : select->definitions)
    if (const CalculationProperty* format = definition.FindProperty("FORMAT_STRING"))
      if (const auto* text = format->value->As<StringLiteral>())
        formats.insert(text->value);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: hexvane_mdx_seed_corpus CASES_DIR PARSER_CORPUS_DIR FORMAT_CORPUS_DIR\n";
    return 2;
  }
  try {
    const std::filesystem::path parser_dir = argv[2];
    const std::filesystem::path format_dir = argv[3];
    std::filesystem::create_directories(parser_dir);
    std::filesystem::create_directories(format_dir);
    std::set<std::string> formats = {"Standard",       "Currency",   "Percent", "Fixed",
                                     "General Number", "Scientific", "Yes/No"};
    int statements = 0;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
      if (entry.path().extension() != ".cases")
        continue;
      int index = 0;
      for (const MdxCase& c : ReadMdxCaseFile(entry.path().string())) {
        const std::string name = entry.path().stem().string() + "_" + std::to_string(index++);
        Write(parser_dir / (name + ".mdx"), c.mdx);
        ++statements;
        try {
          CollectFormats(ParseStatement(c.mdx), formats);
        } catch (const SyntaxError&) {
          // A syntax error case is a seed for the parser only.
        }
      }
    }
    int index = 0;
    for (const std::string& format : formats) {
      for (const double value : {1234.5678, -0.125, 0.0}) {
        std::string bytes(sizeof value, '\0');
        std::memcpy(bytes.data(), &value, sizeof value);
        Write(format_dir / ("format_" + std::to_string(index++)), bytes + format);
      }
    }
    std::cout << statements << " statements, " << formats.size() << " formats\n";
    return 0;
  } catch (const std::exception& error) {
    std::cerr << error.what() << "\n";
    return 1;
  }
}
