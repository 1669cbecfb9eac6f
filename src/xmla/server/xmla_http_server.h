#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "xmla/server/user_list.h"
#include "xmla/server/xmla_service.h"

struct MHD_Daemon;

namespace xmla {

// The XMLA service over HTTP at the path /xmla, with libmicrohttpd: a thread per connection
// (so several clients are served at once), idle connections closed after a while, request
// bodies above a limit refused, Basic authentication when a user list is given, and one line
// per request on standard error.
class XmlaHttpServer {
 public:
  struct Options {
    // An IPv4 or IPv6 address; 127.0.0.1 keeps the server to this machine.
    std::string address = "127.0.0.1";
    // 0 picks a free port (Port() then tells which).
    uint16_t port = 0;
    // The largest request body accepted.
    size_t max_body_bytes = size_t{1} << 20;
    // An idle connection is closed after this many seconds.
    unsigned idle_timeout_seconds = 60;
    unsigned max_connections = 256;
    // Without users every request is answered; with users only those who sign in.
    std::shared_ptr<const UserList> users;
  };

  XmlaHttpServer(XmlaService& service, Options options);
  ~XmlaHttpServer();
  XmlaHttpServer(const XmlaHttpServer&) = delete;
  XmlaHttpServer& operator=(const XmlaHttpServer&) = delete;

  // Starts listening; raises std::runtime_error when the address cannot be used.
  void Start();
  void Stop();
  uint16_t Port() const { return port_; }
  const Options& GetOptions() const { return options_; }
  XmlaService& Service() { return service_; }

 private:
  XmlaService& service_;
  Options options_;
  MHD_Daemon* daemon_ = nullptr;
  uint16_t port_ = 0;
};

}  // namespace xmla
