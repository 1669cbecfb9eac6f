#include "xmla/server/xmla_http_server.h"

#include <arpa/inet.h>
#include <microhttpd.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "xmla/soap_envelope.h"

namespace xmla {

namespace {

constexpr const char* kServicePath = "/xmla";

// What one request gathers while its body arrives.
struct Exchange {
  std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
  std::string body;
  bool too_large = false;
};

std::string ClientAddress(MHD_Connection* connection) {
  const MHD_ConnectionInfo* info =
      MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
  if (!info || !info->client_addr)
    return "-";
  char text[INET6_ADDRSTRLEN] = "-";
  const sockaddr* address = info->client_addr;
  if (address->sa_family == AF_INET)
    inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(address)->sin_addr, text, sizeof text);
  else if (address->sa_family == AF_INET6)
    inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6*>(address)->sin6_addr, text,
              sizeof text);
  return text;
}

void LogLine(MHD_Connection* connection, const char* method, const char* url, int status,
             size_t bytes, const Exchange& exchange, const std::string& summary) {
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - exchange.started);
  std::string line = ClientAddress(connection) + " " + method + " " + url + " " +
                     std::to_string(status) + " " + std::to_string(bytes) + " bytes " +
                     std::to_string(elapsed.count()) + " ms";
  if (!summary.empty())
    line += " " + summary;
  // Keeps one line per request even when a fault's text runs over several.
  for (char& c : line)
    if (c == '\n' || c == '\r')
      c = ' ';
  line += "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}

MHD_Result Send(MHD_Connection* connection, int status, const std::string& body,
                bool ask_for_credentials = false) {
  MHD_Response* response = MHD_create_response_from_buffer(
      body.size(), const_cast<char*>(body.data()), MHD_RESPMEM_MUST_COPY);
  if (!response)
    return MHD_NO;
  MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, "text/xml; charset=utf-8");
  const MHD_Result result =
      ask_for_credentials
          ? MHD_queue_basic_auth_fail_response(connection, "hexvane-server", response)
          : MHD_queue_response(connection, static_cast<unsigned>(status), response);
  MHD_destroy_response(response);
  return result;
}

std::string TooLarge(const XmlaHttpServer::Options& options) {
  return WriteSoapFault("Client", "The request is larger than the " +
                                      std::to_string(options.max_body_bytes) +
                                      " bytes the server accepts.");
}

bool SignedIn(MHD_Connection* connection, const UserList& users) {
  char* password = nullptr;
  char* name = MHD_basic_auth_get_username_password(connection, &password);
  const bool accepted = name && users.Accepts(name, password ? password : "");
  if (password) {
    std::memset(password, 0, std::strlen(password));
    MHD_free(password);
  }
  if (name)
    MHD_free(name);
  return accepted;
}

MHD_Result OnRequest(void* self, MHD_Connection* connection, const char* url, const char* method,
                     const char* /*version*/, const char* upload_data, size_t* upload_data_size,
                     void** request_state) {
  auto* server = static_cast<XmlaHttpServer*>(self);
  const XmlaHttpServer::Options& options = server->GetOptions();
  auto* exchange = static_cast<Exchange*>(*request_state);
  if (!exchange) {
    // MHD holds the exchange until OnCompleted takes it back.
    auto owned = std::make_unique<Exchange>();
    exchange = owned.get();
    *request_state = owned.release();
    const char* length =
        MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_CONTENT_LENGTH);
    if (length && std::strtoull(length, nullptr, 10) > options.max_body_bytes) {
      // Refused before the body is read; the connection closes after the answer.
      const std::string body = TooLarge(options);
      LogLine(connection, method, url, 413, body.size(), *exchange, "fault: request too large");
      return Send(connection, 413, body);
    }
    return MHD_YES;
  }
  if (*upload_data_size > 0) {
    if (!exchange->too_large &&
        exchange->body.size() + *upload_data_size > options.max_body_bytes) {
      exchange->too_large = true;
      exchange->body.clear();
    }
    if (!exchange->too_large)
      exchange->body.append(upload_data, *upload_data_size);
    *upload_data_size = 0;
    return MHD_YES;
  }

  // The whole request has arrived.
  int status = 200;
  std::string body;
  std::string summary;
  bool ask_for_credentials = false;
  if (std::strcmp(url, kServicePath) != 0) {
    status = 404;
    summary = "fault: no service at this path";
    body = WriteSoapFault("Client", std::string("There is no XMLA service at ") + url +
                                        "; the service is at " + kServicePath + ".");
  } else if (std::strcmp(method, MHD_HTTP_METHOD_POST) != 0) {
    status = 405;
    summary = "fault: not a POST";
    body = WriteSoapFault("Client", "The XMLA service answers POST requests only.");
  } else if (options.users && !SignedIn(connection, *options.users)) {
    status = 401;
    ask_for_credentials = true;
    summary = "fault: user name or password refused";
    body = WriteSoapFault("Client", "The server refused the user name or password.");
  } else if (exchange->too_large) {
    status = 413;
    summary = "fault: request too large";
    body = TooLarge(options);
  } else {
    XmlaReply reply = server->Service().Handle(exchange->body);
    status = reply.status;
    body = std::move(reply.body);
    summary = std::move(reply.summary);
  }
  LogLine(connection, method, url, status, body.size(), *exchange, summary);
  return Send(connection, status, body, ask_for_credentials);
}

void OnCompleted(void* /*self*/, MHD_Connection* /*connection*/, void** request_state,
                 MHD_RequestTerminationCode /*code*/) {
  const std::unique_ptr<Exchange> exchange(static_cast<Exchange*>(*request_state));
  *request_state = nullptr;
}

}  // namespace

XmlaHttpServer::XmlaHttpServer(XmlaService& service, Options options)
    : service_(service), options_(std::move(options)) {}

XmlaHttpServer::~XmlaHttpServer() {
  Stop();
}

void XmlaHttpServer::Start() {
  sockaddr_storage storage{};
  unsigned flags =
      MHD_USE_THREAD_PER_CONNECTION | MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_ERROR_LOG;
  auto* v4 = reinterpret_cast<sockaddr_in*>(&storage);
  auto* v6 = reinterpret_cast<sockaddr_in6*>(&storage);
  if (inet_pton(AF_INET, options_.address.c_str(), &v4->sin_addr) == 1) {
    v4->sin_family = AF_INET;
    v4->sin_port = htons(options_.port);
  } else if (inet_pton(AF_INET6, options_.address.c_str(), &v6->sin6_addr) == 1) {
    v6->sin6_family = AF_INET6;
    v6->sin6_port = htons(options_.port);
    flags |= MHD_USE_IPv6;
  } else {
    throw std::runtime_error("\"" + options_.address + "\" is not an IPv4 or IPv6 address.");
  }
  daemon_ = MHD_start_daemon(
      flags, options_.port, nullptr, nullptr, &OnRequest, this, MHD_OPTION_SOCK_ADDR, &storage,
      MHD_OPTION_NOTIFY_COMPLETED, &OnCompleted, this, MHD_OPTION_CONNECTION_TIMEOUT,
      static_cast<unsigned>(options_.idle_timeout_seconds), MHD_OPTION_CONNECTION_LIMIT,
      static_cast<unsigned>(options_.max_connections), MHD_OPTION_END);
  if (!daemon_)
    throw std::runtime_error("Unable to listen on " + options_.address + ":" +
                             std::to_string(options_.port) + ": " + std::strerror(errno) + ".");
  const MHD_DaemonInfo* info = MHD_get_daemon_info(daemon_, MHD_DAEMON_INFO_BIND_PORT);
  port_ = info ? info->port : options_.port;
}

void XmlaHttpServer::Stop() {
  if (daemon_)
    MHD_stop_daemon(daemon_);
  daemon_ = nullptr;
}

}  // namespace xmla
