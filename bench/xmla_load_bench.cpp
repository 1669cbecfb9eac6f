// Load on hexvane-server through the XMLA provider: several clients, each with its own
// connection, run statements from a file in turn until the count is reached or the time is up.
// Prints the statements per second held, the latency spread and the failures (with the first
// failure's text). Run it through run_xmla_load.sh, which starts the server on 127.0.0.1.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "adomd/cellset.h"
#include "adomd/provider_registry.h"
#include "xmla/xmla_connection.h"

namespace {

struct Options {
  std::string data_source;
  std::string catalog = "Sales";
  std::string statements_file;
  // "statements" runs the file's SELECT statements; "catalogs" lists the catalogs, which needs
  // no engine and measures the HTTP and XML round trip alone.
  std::string mode = "statements";
  int clients = 8;
  int total = 4000;
  int seconds = 120;
};

[[noreturn]] void Usage(const std::string& problem) {
  std::cerr << problem << "\n"
            << "Usage: xmla_load_bench --server HOST:PORT|URL [--catalog NAME] [--statements FILE]\n"
            << "                       [--mode statements|catalogs] [--clients N] [--total N]\n"
            << "                       [--seconds N]\n";
  std::exit(2);
}

Options Parse(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (i + 1 >= argc) Usage(option + " needs a value.");
    const std::string value = argv[++i];
    if (option == "--server")
      options.data_source = value;
    else if (option == "--catalog")
      options.catalog = value;
    else if (option == "--statements")
      options.statements_file = value;
    else if (option == "--mode")
      options.mode = value;
    else if (option == "--clients")
      options.clients = std::max(1, std::stoi(value));
    else if (option == "--total")
      options.total = std::max(1, std::stoi(value));
    else if (option == "--seconds")
      options.seconds = std::max(1, std::stoi(value));
    else
      Usage("Unknown option " + option + ".");
  }
  if (options.data_source.empty()) Usage("--server is required.");
  if (options.mode != "statements" && options.mode != "catalogs") Usage("Unknown mode.");
  if (options.mode == "statements" && options.statements_file.empty())
    Usage("--statements is required in the statements mode.");
  return options;
}

// One statement per block; blocks are separated by blank lines, "#" lines are comments.
std::vector<std::string> ReadStatements(const std::string& file) {
  std::ifstream in(file);
  if (!in) Usage("Cannot read " + file + ".");
  std::vector<std::string> statements(1);
  std::string line;
  while (std::getline(in, line)) {
    if (line.starts_with("#")) continue;
    if (line.find_first_not_of(" \t") == std::string::npos) {
      if (!statements.back().empty()) statements.emplace_back();
      continue;
    }
    statements.back() += line + "\n";
  }
  if (statements.back().empty()) statements.pop_back();
  if (statements.empty()) Usage(file + " holds no statement.");
  return statements;
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = Parse(argc, argv);
  const std::vector<std::string> statements =
      options.mode == "statements" ? ReadStatements(options.statements_file)
                                   : std::vector<std::string>{};
  xmla::RegisterXmlaProvider();
  const std::string connection_string = "Provider=MSOLAP.3;Data Source=\"" + options.data_source +
                                        "\";Initial Catalog=\"" + options.catalog +
                                        "\";Timeout=60;";

  std::atomic<int> next{0};
  std::atomic<int> failures{0};
  std::atomic<long long> cells{0};
  std::mutex mutex;
  std::string first_failure;
  std::vector<double> latencies_ms;
  const auto started = std::chrono::steady_clock::now();
  const auto deadline = started + std::chrono::seconds(options.seconds);

  std::vector<std::thread> clients;
  for (int c = 0; c < options.clients; ++c)
    clients.emplace_back([&] {
      std::vector<double> mine;
      std::shared_ptr<adomd::Connection> connection;
      try {
        connection = adomd::OpenConnection(connection_string);
      } catch (const std::exception& error) {
        ++failures;
        const std::lock_guard lock(mutex);
        if (first_failure.empty()) first_failure = error.what();
        return;
      }
      for (int i = next++; i < options.total && std::chrono::steady_clock::now() < deadline;
           i = next++) {
        const auto begin = std::chrono::steady_clock::now();
        try {
          if (options.mode == "catalogs") {
            connection->ListCatalogs();
          } else {
            adomd::Cellset cellset;
            cellset.Open(statements[static_cast<size_t>(i) % statements.size()], connection);
            // Read every cell, as the grid does.
            for (int64_t k = 0; k < cellset.CellCount(); ++k) cellset.ItemByOrdinal(k);
            cells += cellset.CellCount();
          }
        } catch (const std::exception& error) {
          ++failures;
          const std::lock_guard lock(mutex);
          if (first_failure.empty()) first_failure = error.what();
        }
        mine.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() -
                                                                 begin)
                           .count());
      }
      const std::lock_guard lock(mutex);
      latencies_ms.insert(latencies_ms.end(), mine.begin(), mine.end());
    });
  for (auto& client : clients) client.join();
  const double elapsed =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

  std::sort(latencies_ms.begin(), latencies_ms.end());
  const auto percentile = [&](double p) {
    if (latencies_ms.empty()) return 0.0;
    return latencies_ms[std::min(latencies_ms.size() - 1,
                                 static_cast<size_t>(p * static_cast<double>(latencies_ms.size())))];
  };
  const size_t done = latencies_ms.size();
  std::printf("mode %s, %d clients, %zu requests in %.2f s: %.0f per second\n",
              options.mode.c_str(), options.clients, done, elapsed,
              static_cast<double>(done) / elapsed);
  std::printf("latency ms: median %.2f, 95th %.2f, max %.2f; cells read %lld\n", percentile(0.5),
              percentile(0.95), latencies_ms.empty() ? 0.0 : latencies_ms.back(), cells.load());
  std::printf("failed requests: %d%s%s\n", failures.load(), first_failure.empty() ? "" : "; first: ",
              first_failure.c_str());
  if (static_cast<int>(done) < options.total)
    std::printf("stopped by the time bound of %d s before %d requests\n", options.seconds,
                options.total);
  return failures == 0 ? 0 : 1;
}
