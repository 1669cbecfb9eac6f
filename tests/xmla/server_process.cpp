#include "server_process.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>

#include "support/program_folder.h"

namespace {

std::string ServerBinary() {
  return BinDir() + "/hexvane-server";
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string TemporaryPath(const char* stem) {
  std::string pattern =
      (std::filesystem::temp_directory_path() / (std::string(stem) + "-XXXXXX")).string();
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0)
    throw std::runtime_error("Unable to create a temporary file.");
  ::close(fd);
  return pattern;
}

// Starts the server with stdin, stdout and stderr bound to the given descriptors.
pid_t Spawn(const std::vector<std::string>& arguments, int in, int out, int err) {
  std::vector<std::string> all = {ServerBinary()};
  all.insert(all.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& argument : all)
    argv.push_back(argument.data());
  argv.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid < 0)
    throw std::runtime_error("Unable to start hexvane-server.");
  if (pid == 0) {
    ::dup2(in, 0);
    ::dup2(out, 1);
    ::dup2(err, 2);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  return pid;
}

}  // namespace

ServerProcess::ServerProcess(std::vector<std::string> arguments)
    : log_path_(TemporaryPath("hexvane-server-log")) {
  bool listen_given = false;
  for (const std::string& argument : arguments)
    listen_given = listen_given || argument == "--listen";
  if (!listen_given) {
    arguments.push_back("--listen");
    arguments.push_back("127.0.0.1:0");
  }
  int pipe_fds[2];
  if (::pipe(pipe_fds) != 0)
    throw std::runtime_error("Unable to make a pipe.");
  const int log_fd = ::open(log_path_.c_str(), O_WRONLY | O_TRUNC);
  const int null_fd = ::open("/dev/null", O_RDONLY);
  pid_ = Spawn(arguments, null_fd, pipe_fds[1], log_fd);
  ::close(pipe_fds[1]);
  ::close(log_fd);
  ::close(null_fd);

  // The server prints "... at http://ADDRESS:PORT/xmla" once it listens.
  std::string said;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  const std::regex where(R"(at http://[^ ]*:([0-9]+)/xmla)");
  std::smatch match;
  while (!std::regex_search(said, match, where) && std::chrono::steady_clock::now() < deadline) {
    pollfd poll_fd{pipe_fds[0], POLLIN, 0};
    if (::poll(&poll_fd, 1, 100) <= 0)
      continue;
    char buffer[256];
    const ssize_t n = ::read(pipe_fds[0], buffer, sizeof buffer);
    if (n <= 0)
      break;
    said.append(buffer, static_cast<size_t>(n));
  }
  ::close(pipe_fds[0]);
  if (!std::regex_search(said, match, where)) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
    throw std::runtime_error("hexvane-server did not start: " + said + ReadFile(log_path_));
  }
  port_ = static_cast<uint16_t>(std::stoi(match[1]));
}

ServerProcess::~ServerProcess() {
  if (pid_ > 0) {
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
  }
  std::filesystem::remove(log_path_);
}

bool ServerProcess::Running() {
  if (pid_ <= 0)
    return false;
  int status = 0;
  if (::waitpid(pid_, &status, WNOHANG) == 0)
    return true;
  pid_ = -1;
  return false;
}

std::string ServerProcess::Log() const {
  return ReadFile(log_path_);
}

int RunServerToEnd(const std::vector<std::string>& arguments, const std::string& input,
                   std::string& output, std::string& errors) {
  const std::string in_path = TemporaryPath("hexvane-server-in");
  const std::string out_path = TemporaryPath("hexvane-server-out");
  const std::string err_path = TemporaryPath("hexvane-server-err");
  std::ofstream(in_path, std::ios::binary) << input;
  const int in = ::open(in_path.c_str(), O_RDONLY);
  const int out = ::open(out_path.c_str(), O_WRONLY | O_TRUNC);
  const int err = ::open(err_path.c_str(), O_WRONLY | O_TRUNC);
  const pid_t pid = Spawn(arguments, in, out, err);
  ::close(in);
  ::close(out);
  ::close(err);
  int status = 0;
  ::waitpid(pid, &status, 0);
  output = ReadFile(out_path);
  errors = ReadFile(err_path);
  for (const auto& path : {in_path, out_path, err_path})
    std::filesystem::remove(path);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

uint16_t UnusedPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t length = sizeof address;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  ::close(fd);  // bound but never listening: a connection there is refused
  return ntohs(address.sin_port);
}
