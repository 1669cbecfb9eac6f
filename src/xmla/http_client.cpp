#include "xmla/http_client.h"

#include <curl/curl.h>

#include <cerrno>
#include <cstring>

#include "adomd/provider_error.h"

namespace xmla {

namespace {

void InitialiseCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Received {
  std::string body;
  bool too_large = false;
};

size_t OnData(char* data, size_t size, size_t count, void* user) {
  auto* received = static_cast<Received*>(user);
  const size_t bytes = size * count;
  if (received->body.size() + bytes > HttpClient::kMaxResponseBytes) {
    received->too_large = true;
    return 0;  // makes the transfer fail
  }
  received->body.append(data, bytes);
  return bytes;
}

}  // namespace

struct HttpClient::Handle {
  CURL* curl = nullptr;
  Handle() : curl(curl_easy_init()) {
    if (!curl)
      throw adomd::ProviderError("The HTTP library could not start a request.");
  }
  ~Handle() { curl_easy_cleanup(curl); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
};

HttpClient::HttpClient(std::string url, std::string user_name, std::string password,
                       std::chrono::seconds timeout, std::chrono::seconds connect_timeout)
    : url_(std::move(url)),
      user_name_(std::move(user_name)),
      password_(std::move(password)),
      timeout_(timeout),
      connect_timeout_(connect_timeout) {
  InitialiseCurlOnce();
}

HttpClient::~HttpClient() = default;

std::unique_ptr<HttpClient::Handle> HttpClient::TakeHandle() {
  {
    const std::lock_guard lock(mutex_);
    if (!idle_.empty()) {
      std::unique_ptr<Handle> handle = std::move(idle_.back());
      idle_.pop_back();
      return handle;
    }
  }
  return std::make_unique<Handle>();
}

void HttpClient::ReturnHandle(std::unique_ptr<Handle> handle) {
  const std::lock_guard lock(mutex_);
  idle_.push_back(std::move(handle));
}

HttpResponse HttpClient::Post(const std::string& soap_action, const std::string& body) {
  std::unique_ptr<Handle> handle = TakeHandle();
  CURL* curl = handle->curl;
  curl_easy_reset(curl);

  Received received;
  char error_text[CURL_ERROR_SIZE] = {};
  curl_slist* headers = nullptr;
  headers = curl_slist_append(headers, "Content-Type: text/xml; charset=utf-8");
  headers = curl_slist_append(headers, ("SOAPAction: \"" + soap_action + "\"").c_str());
  headers = curl_slist_append(headers, "Expect:");  // no 100-continue round trip
  const std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> header_list(
      headers, curl_slist_free_all);

  curl_easy_setopt(curl, CURLOPT_URL, url_.c_str());
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_POST, 1L);
  curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.data());
  curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
  curl_easy_setopt(curl, CURLOPT_TIMEOUT, static_cast<long>(timeout_.count()));
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, static_cast<long>(connect_timeout_.count()));
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, OnData);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &received);
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, error_text);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
  if (user_name_.find_first_not_of(" \t") != std::string::npos) {
    curl_easy_setopt(curl, CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC));
    curl_easy_setopt(curl, CURLOPT_USERNAME, user_name_.c_str());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, password_.c_str());
  }

  const CURLcode code = curl_easy_perform(curl);
  long os_error = 0;
  curl_easy_getinfo(curl, CURLINFO_OS_ERRNO, &os_error);
  HttpResponse response;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &response.status);
  // The handle is reusable whatever happened; a broken connection is not kept by libcurl.
  ReturnHandle(std::move(handle));

  const std::string detail = error_text[0] ? error_text : curl_easy_strerror(code);
  switch (code) {
    case CURLE_OK:
      break;
    case CURLE_COULDNT_CONNECT:
      throw adomd::ProviderError(
          "Unable to reach the server at " + url_ + ": " +
          (os_error == ECONNREFUSED ? std::string("connection refused") : detail) + ".");
    case CURLE_COULDNT_RESOLVE_HOST:
      throw adomd::ProviderError("Unable to reach the server at " + url_ +
                                 ": the host name is not known.");
    case CURLE_OPERATION_TIMEDOUT:
      throw adomd::ProviderError("The server at " + url_ + " did not answer within " +
                                 std::to_string(timeout_.count()) +
                                 (timeout_.count() == 1 ? " second." : " seconds."));
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_BAD_CONTENT_ENCODING:
      throw adomd::ProviderError("The server's answer was cut short.");
    case CURLE_GOT_NOTHING:
      throw adomd::ProviderError("The server at " + url_ +
                                 " closed the connection without answering.");
    case CURLE_WRITE_ERROR:
      if (received.too_large)
        throw adomd::ProviderError("The server's answer is larger than " +
                                   std::to_string(kMaxResponseBytes >> 20) + " MiB.");
      [[fallthrough]];
    default:
      if (code == CURLE_SSL_CONNECT_ERROR || code == CURLE_PEER_FAILED_VERIFICATION ||
          code == CURLE_SSL_CACERT_BADFILE || code == CURLE_SSL_CERTPROBLEM)
        throw adomd::ProviderError("The secure connection to " + url_ + " failed: " + detail + ".");
      throw adomd::ProviderError("Unable to reach the server at " + url_ + ": " + detail + ".");
  }
  response.body = std::move(received.body);
  return response;
}

}  // namespace xmla
