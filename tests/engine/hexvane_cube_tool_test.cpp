// The hexvane-cube program as a user runs it: its output, its exit codes, its messages.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>

#include "engine_test_files.h"

namespace {

struct ToolRun {
  int exit_code;
  std::string output;  // standard output and standard error
};

ToolRun RunTool(const std::string& arguments) {
  const std::string command = "'" + CubeToolPath() + "' " + arguments + " 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  std::string output;
  std::array<char, 4096> buffer{};
  while (size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
    output.append(buffer.data(), n);
  const int status = ::pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

TEST(HexvaneCubeTool, InfoDescribesTheCube) {
  const ToolRun run = RunTool("info '" + SampleCubePath() + "'");
  EXPECT_EQ(run.exit_code, 0) << run.output;
  for (const char* line :
       {"Cube \"Sales\": 100,000 fact rows", "Dimension [Time] (time), 2 hierarchies",
        "Hierarchy [Time].[Weekly]", "1 [Time].[Weekly].[Week]: 212 members, TimeWeeks (0x104)",
        "0 [Store].[(All)]: 1 member, All (0x1), [Store].[All Stores]",
        "display folder \"Demographics\"", "[Measures].[Customer Count]: distinct-count",
        "[Measures].[Profit]: calculated as [Measures].[Store Sales] - [Measures].[Store Cost], "
        "format \"$#,##0.00\""})
    EXPECT_NE(run.output.find(line), std::string::npos) << line << "\n" << run.output;
}

TEST(HexvaneCubeTool, BuildsAndReportsFailures) {
  TemporaryFolder folder;
  ToolRun run = RunTool("build '" + FoodMartSchemaPath() + "' --source '" + FoodMartDatabasePath() +
                        "' -o '" + folder.File("fm.cub") + "' --cube Sales");
  EXPECT_EQ(run.exit_code, 0) << run.output;
  EXPECT_TRUE(std::filesystem::exists(folder.File("fm.cub")));

  folder.Write("broken.xml",
               "<Schema name=\"x\">\n  <Cube name=\"c\">\n    <Tabel/>\n  </Cube>\n</Schema>\n");
  run = RunTool("build '" + folder.File("broken.xml") + "' --csv t='" + folder.File("t.csv") +
                "' -o '" + folder.File("out.cub") + "'");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.output.find("hexvane-cube: " + folder.File("broken.xml") +
                            ", line 3: Tabel: unknown element"),
            std::string::npos)
      << run.output;
  EXPECT_FALSE(std::filesystem::exists(folder.File("out.cub")));

  run = RunTool("info '" + folder.File("broken.xml") + "'");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.output, "hexvane-cube: The file " + folder.File("broken.xml") +
                            " is not a Hexvane cube file.\n");
}

TEST(HexvaneCubeTool, UsageErrorsShowTheUsage) {
  for (const char* arguments :
       {"", "frobnicate", "build schema.xml -o out.cub",
        "build schema.xml --source a.sqlite --csv t=f.csv -o out.cub",
        "build schema.xml --csv nonsense -o out.cub", "sample -o x.cub --rows many", "info"}) {
    const ToolRun run = RunTool(arguments);
    EXPECT_EQ(run.exit_code, 2) << arguments;
    EXPECT_NE(run.output.find("Usage:"), std::string::npos) << arguments;
  }
}

}  // namespace
