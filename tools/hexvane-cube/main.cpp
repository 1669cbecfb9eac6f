// hexvane-cube: builds cube files from a schema and SQLite or CSV data, makes the synthetic
// sample cube, and describes a cube file.

#include <charconv>
#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cube_info.h"
#include "engine/builder/cube_builder.h"
#include "engine/sample/sample_cube.h"
#include "engine/storage/cube_file.h"

namespace {

constexpr const char* kUsage =
    "Usage:\n"
    "  hexvane-cube build SCHEMA.xml (--source DB.sqlite | --csv TABLE=FILE.csv ...) -o OUT.cub"
    " [--cube NAME]\n"
    "  hexvane-cube sample -o OUT.cub [--rows N] [--seed S] [--star OUT.sqlite --schema OUT.xml]\n"
    "  hexvane-cube info FILE.cub\n";

// A command line that does not make sense; shown with the usage.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Arguments {
 public:
  Arguments(int argc, char** argv) : args_(argv + 1, argv + argc) {}
  bool Done() const { return next_ >= args_.size(); }
  std::string Next() { return args_[next_++]; }
  std::string ValueOf(const std::string& option) {
    if (Done())
      throw UsageError(option + " needs a value.");
    return Next();
  }

 private:
  std::vector<std::string> args_;
  size_t next_ = 0;
};

uint64_t Number(const std::string& option, const std::string& text) {
  uint64_t value = 0;
  const auto parsed = std::from_chars(text.data(), text.data() + text.size(), value);
  if (parsed.ec != std::errc() || parsed.ptr != text.data() + text.size())
    throw UsageError(option + " needs a whole number, not \"" + text + "\".");
  return value;
}

int Build(Arguments& args) {
  engine::BuildOptions options;
  while (!args.Done()) {
    const std::string arg = args.Next();
    if (arg == "--source") {
      options.sqlite_source = args.ValueOf(arg);
    } else if (arg == "--csv") {
      const std::string value = args.ValueOf(arg);
      const auto equals = value.find('=');
      if (equals == std::string::npos || equals == 0 || equals + 1 == value.size())
        throw UsageError("--csv needs TABLE=FILE.csv, not \"" + value + "\".");
      options.csv_tables.emplace_back(value.substr(0, equals), value.substr(equals + 1));
    } else if (arg == "-o") {
      options.output = args.ValueOf(arg);
    } else if (arg == "--cube") {
      options.cube_name = args.ValueOf(arg);
    } else if (arg.starts_with("-")) {
      throw UsageError("unknown option " + arg + ".");
    } else if (options.schema_path.empty()) {
      options.schema_path = arg;
    } else {
      throw UsageError("only one schema file may be given.");
    }
  }
  if (options.schema_path.empty())
    throw UsageError("no schema file is given.");
  if (options.output.empty())
    throw UsageError("no output file is given (-o OUT.cub).");
  if (options.sqlite_source.empty() == options.csv_tables.empty())
    throw UsageError("give the data either as --source DB.sqlite or as --csv TABLE=FILE.csv.");
  engine::BuildCubeFile(options);
  std::cout << "Built " << options.output << "\n";
  return 0;
}

int Sample(Arguments& args) {
  engine::SampleOptions options;
  while (!args.Done()) {
    const std::string arg = args.Next();
    if (arg == "-o")
      options.output = args.ValueOf(arg);
    else if (arg == "--rows")
      options.rows = Number(arg, args.ValueOf(arg));
    else if (arg == "--seed")
      options.seed = Number(arg, args.ValueOf(arg));
    else if (arg == "--star")
      options.star_path = args.ValueOf(arg);
    else if (arg == "--schema")
      options.schema_path = args.ValueOf(arg);
    else
      throw UsageError("unknown argument " + arg + ".");
  }
  if (options.output.empty())
    throw UsageError("no output file is given (-o OUT.cub).");
  engine::MakeSampleCube(options);
  std::cout << "Made the sample cube " << options.output << " (" << options.rows
            << " fact rows, seed " << options.seed << ")\n";
  return 0;
}

int Info(Arguments& args) {
  if (args.Done())
    throw UsageError("no cube file is given.");
  const std::string path = args.Next();
  if (!args.Done())
    throw UsageError("info takes one cube file.");
  std::cout << DescribeCubeFile(*engine::ReadCubeFile(path));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args(argc, argv);
  try {
    if (args.Done())
      throw UsageError("no command is given.");
    const std::string command = args.Next();
    if (command == "build")
      return Build(args);
    if (command == "sample")
      return Sample(args);
    if (command == "info")
      return Info(args);
    if (command == "help" || command == "--help" || command == "-h") {
      std::cout << kUsage;
      return 0;
    }
    throw UsageError("unknown command " + command + ".");
  } catch (const UsageError& error) {
    std::cerr << "hexvane-cube: " << error.what() << "\n" << kUsage;
    return 2;
  } catch (const std::exception& error) {
    std::cerr << "hexvane-cube: " << error.what() << "\n";
    return 1;
  }
}
