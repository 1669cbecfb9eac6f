#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

// A real hexvane-server from the build, started for one test on 127.0.0.1 with a free port
// (unless the arguments give --listen), and stopped when the test ends.
class ServerProcess {
 public:
  // Raises std::runtime_error when the server does not say where it listens within a few
  // seconds; the message holds what it wrote on standard error.
  explicit ServerProcess(std::vector<std::string> arguments);
  ~ServerProcess();
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;

  uint16_t Port() const { return port_; }
  // "127.0.0.1:PORT", a Data Source naming the server by host and port.
  std::string HostAndPort() const { return "127.0.0.1:" + std::to_string(port_); }
  std::string Url() const { return "http://" + HostAndPort() + "/xmla"; }
  bool Running();
  // What the server wrote on standard error so far: its request log.
  std::string Log() const;

 private:
  pid_t pid_ = -1;
  uint16_t port_ = 0;
  std::string log_path_;
};

// Runs hexvane-server to its end with the arguments and standard input given; returns the exit
// status and fills what it wrote.
int RunServerToEnd(const std::vector<std::string>& arguments, const std::string& input,
                   std::string& output, std::string& errors);

// A port on 127.0.0.1 where nothing listens.
uint16_t UnusedPort();
