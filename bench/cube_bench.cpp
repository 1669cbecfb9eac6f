// Measures making the sample cube (star schema, then the builder), opening its cube file
// and scanning its facts:
//   hexvane-bench-cube [--rows N] [--dir FOLDER]
// Opening runs in a fresh process, so that the memory it reports is the cube's alone.

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "engine/model/fact_scan.h"
#include "engine/sample/sample_cube.h"
#include "engine/storage/cube_file.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// A field of /proc/self/status in bytes ("VmRSS", "VmHWM").
uint64_t StatusBytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.starts_with(field + ":"))
      return std::stoull(line.substr(field.size() + 1)) * 1024;
  return 0;
}

double Megabytes(uint64_t bytes) {
  return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

int Open(const std::string& path) {
  const uint64_t before = StatusBytes("VmRSS");
  const auto start = Clock::now();
  const auto file = engine::ReadCubeFile(path);
  const double open_seconds = SecondsSince(start);
  const uint64_t held = StatusBytes("VmRSS") - before;
  const uint64_t peak = StatusBytes("VmHWM") - before;
  const engine::CubeData& cube = *file->cubes.front();
  const uint64_t columns = cube.Facts().ByteSize();
  std::printf("open:     %.2f s\n", open_seconds);
  std::printf("columns:  %.1f MiB\n", Megabytes(columns));
  std::printf("held:     %.1f MiB (%.2f x the columns)\n", Megabytes(held),
              static_cast<double>(held) / static_cast<double>(columns));
  std::printf("peak:     %.1f MiB (%.2f x the columns)\n", Megabytes(peak),
              static_cast<double>(peak) / static_cast<double>(columns));

  engine::ScanRequest total;
  for (size_t m = 0; m < cube.Measures().size(); ++m)
    if (!cube.Measures()[m].calculated)
      total.measures.push_back(static_cast<int>(m));
  auto scan_start = Clock::now();
  engine::ScanFacts(cube, total);
  std::printf("scan, every stored measure, one total: %.2f s\n", SecondsSince(scan_start));

  engine::ScanRequest grouped;
  grouped.group_by = {*cube.FindLevel("[Store].[Store State]"),
                      *cube.FindLevel("[Time].[Calendar].[Month]")};
  grouped.measures = {cube.FindMeasure("Unit Sales"), cube.FindMeasure("Store Sales")};
  scan_start = Clock::now();
  const auto groups = engine::ScanFacts(cube, grouped);
  std::printf("scan, two sums by state and month (%zu cells): %.2f s\n", groups.size(),
              SecondsSince(scan_start));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc == 3 && std::string(argv[1]) == "--open")
      return Open(argv[2]);
    engine::SampleOptions options;
    options.rows = 10000000;
    std::string folder = std::filesystem::temp_directory_path().string();
    for (int i = 1; i + 1 < argc; i += 2) {
      const std::string option = argv[i];
      if (option == "--rows")
        options.rows = std::stoull(argv[i + 1]);
      else if (option == "--dir")
        folder = argv[i + 1];
      else
        throw std::runtime_error("unknown option " + option);
    }
    options.output = folder + "/hexvane-bench-" + std::to_string(options.rows) + ".cub";
    std::printf("rows:     %llu\n", static_cast<unsigned long long>(options.rows));
    const auto start = Clock::now();
    engine::MakeSampleCube(options);
    std::printf("generate and build: %.1f s\n", SecondsSince(start));
    std::printf("file:     %.1f MiB\n", Megabytes(std::filesystem::file_size(options.output)));
    std::fflush(stdout);
    const std::string command = "'" + std::filesystem::read_symlink("/proc/self/exe").string() +
                                "' --open '" + options.output + "'";
    const int status = std::system(command.c_str());
    std::filesystem::remove(options.output);
    return status == 0 ? 0 : 1;
  } catch (const std::exception& error) {
    std::cerr << "hexvane-bench-cube: " << error.what() << "\n";
    return 1;
  }
}
