#pragma once

#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace xmla {

struct HttpResponse {
  long status = 0;
  std::string body;
};

// POSTs SOAP requests to one endpoint over HTTP or HTTPS (certificates checked), with Basic
// authentication when a user name is given and a time-out on every request. Transport
// failures raise ProviderError with a text for the user; any HTTP status is returned. Safe to
// use from several threads: each request takes an idle handle (keeping its connection open for
// the next request) or makes a new one.
class HttpClient {
 public:
  // An answer larger than this is refused rather than held in memory.
  static constexpr size_t kMaxResponseBytes = size_t{512} << 20;

  HttpClient(std::string url, std::string user_name, std::string password,
             std::chrono::seconds timeout, std::chrono::seconds connect_timeout);
  ~HttpClient();
  HttpClient(const HttpClient&) = delete;
  HttpClient& operator=(const HttpClient&) = delete;

  HttpResponse Post(const std::string& soap_action, const std::string& body);
  const std::string& Url() const { return url_; }
  std::chrono::seconds Timeout() const { return timeout_; }

 private:
  struct Handle;
  std::unique_ptr<Handle> TakeHandle();
  void ReturnHandle(std::unique_ptr<Handle> handle);

  std::string url_;
  std::string user_name_;
  std::string password_;
  std::chrono::seconds timeout_;
  std::chrono::seconds connect_timeout_;
  std::mutex mutex_;
  std::vector<std::unique_ptr<Handle>> idle_;
};

}  // namespace xmla
