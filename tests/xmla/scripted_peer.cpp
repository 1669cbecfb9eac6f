#include "scripted_peer.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace {

// Reads headers and a Content-Length body; gives up when the peer is being stopped, or after
// half a second without bytes (a client that speaks no HTTP, such as a TLS handshake).
void ReadRequest(int fd, const std::atomic<bool>& stopping) {
  std::string received;
  size_t wanted = std::string::npos;
  int quiet_polls = 0;
  while (!stopping && quiet_polls < 10) {
    if (wanted != std::string::npos && received.size() >= wanted)
      return;
    pollfd poll_fd{fd, POLLIN, 0};
    if (::poll(&poll_fd, 1, 50) <= 0) {
      ++quiet_polls;
      continue;
    }
    quiet_polls = 0;
    char buffer[4096];
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0)
      return;
    received.append(buffer, static_cast<size_t>(n));
    const size_t end = received.find("\r\n\r\n");
    if (wanted == std::string::npos && end != std::string::npos) {
      size_t length = 0;
      const size_t header = received.find("Content-Length:");
      if (header != std::string::npos && header < end)
        length = std::strtoul(received.c_str() + header + 15, nullptr, 10);
      wanted = end + 4 + length;
    }
  }
}

}  // namespace

ScriptedPeer::ScriptedPeer(Mode mode, std::string answer)
    : mode_(mode), answer_(std::move(answer)) {
  listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (listener_ < 0 ||
      ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listener_, 8) != 0)
    throw std::runtime_error("The scripted peer cannot listen.");
  socklen_t length = sizeof address;
  ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { Serve(); });
}

ScriptedPeer::~ScriptedPeer() {
  stopping_ = true;
  thread_.join();
  ::close(listener_);
}

void ScriptedPeer::Serve() {
  std::vector<int> held;
  while (!stopping_) {
    pollfd poll_fd{listener_, POLLIN, 0};
    if (::poll(&poll_fd, 1, 50) <= 0)
      continue;
    const int fd = ::accept(listener_, nullptr, nullptr);
    if (fd < 0)
      continue;
    ReadRequest(fd, stopping_);
    if (mode_ == Mode::StaySilent) {
      held.push_back(fd);
      continue;
    }
    size_t sent = 0;
    while (sent < answer_.size()) {
      const ssize_t n = ::send(fd, answer_.data() + sent, answer_.size() - sent, MSG_NOSIGNAL);
      if (n <= 0)
        break;
      sent += static_cast<size_t>(n);
    }
    ::shutdown(fd, SHUT_RDWR);
    ::close(fd);
  }
  for (int fd : held)
    ::close(fd);
}
