// hexvane-server: serves the cube files of a folder to XMLA clients over HTTP.

#include <signal.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "adomd/provider_registry.h"
#include "engine/engine_provider.h"
#include "xmla/server/catalog_folder.h"
#include "xmla/server/user_list.h"
#include "xmla/server/xmla_http_server.h"
#include "xmla/server/xmla_service.h"

namespace {

constexpr const char* kUsage =
    "Usage: hexvane-server --root DIR [--listen ADDRESS:PORT] [--users FILE]\n"
    "                      [--max-request-bytes N]\n"
    "       hexvane-server --hash-password   (reads a password, prints its hash)\n"
    "\n"
    "Serves every cube file DIR/NAME.cub as the catalog NAME at http://ADDRESS:PORT/xmla.\n"
    "  --listen             default 127.0.0.1:8050; an IPv6 address goes in brackets\n"
    "                       ([::1]:8050); port 0 picks a free port\n"
    "  --users FILE         require HTTP Basic authentication; FILE has one NAME:HASH line\n"
    "                       per user, HASH as --hash-password prints it\n"
    "  --max-request-bytes  the largest request body accepted (default 1048576)\n";

struct Arguments {
  std::filesystem::path root;
  std::string address = "127.0.0.1";
  uint16_t port = adomd::kDefaultServerPort;
  std::optional<std::filesystem::path> users;
  size_t max_body_bytes = size_t{1} << 20;
  bool hash_password = false;
};

[[noreturn]] void Fail(const std::string& message) {
  std::cerr << "hexvane-server: " << message << "\n";
  std::exit(2);
}

template <class T>
T Number(const std::string& text, const char* what) {
  T value{};
  const auto parsed = std::from_chars(text.data(), text.data() + text.size(), value);
  if (parsed.ec != std::errc() || parsed.ptr != text.data() + text.size() || text.empty())
    Fail(std::string(what) + " \"" + text + "\" is not a number.");
  return value;
}

void ParseListen(const std::string& text, Arguments& arguments) {
  std::string port;
  if (text.starts_with("[")) {
    const size_t close = text.find("]:");
    if (close == std::string::npos)
      Fail("--listen wants [IPV6]:PORT, not \"" + text + "\".");
    arguments.address = text.substr(1, close - 1);
    port = text.substr(close + 2);
  } else {
    const size_t colon = text.rfind(':');
    if (colon == std::string::npos)
      Fail("--listen wants ADDRESS:PORT, not \"" + text + "\".");
    arguments.address = text.substr(0, colon);
    port = text.substr(colon + 1);
  }
  arguments.port = Number<uint16_t>(port, "The port");
}

Arguments Parse(int argc, char** argv) {
  Arguments arguments;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    const auto value = [&]() -> std::string {
      if (i + 1 >= argc)
        Fail(option + " needs a value.\n" + kUsage);
      return argv[++i];
    };
    if (option == "--root")
      arguments.root = value();
    else if (option == "--listen")
      ParseListen(value(), arguments);
    else if (option == "--users")
      arguments.users = value();
    else if (option == "--max-request-bytes")
      arguments.max_body_bytes = Number<size_t>(value(), "The request limit");
    else if (option == "--hash-password")
      arguments.hash_password = true;
    else if (option == "--help" || option == "-h") {
      std::cout << kUsage;
      std::exit(0);
    } else
      Fail("unknown option \"" + option + "\".\n" + kUsage);
  }
  return arguments;
}

int HashPassword() {
  std::string password;
  if (!std::getline(std::cin, password))
    Fail("no password on standard input.");
  if (!password.empty() && password.back() == '\r')
    password.pop_back();
  std::cout << xmla::UserList::HashPassword(password) << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const Arguments arguments = Parse(argc, argv);
  if (arguments.hash_password)
    return HashPassword();
  if (arguments.root.empty())
    Fail(std::string("--root is required.\n") + kUsage);
  std::error_code error;
  const std::filesystem::path root = std::filesystem::absolute(arguments.root, error);
  if (error || !std::filesystem::is_directory(root, error))
    Fail("the root \"" + arguments.root.string() + "\" is not a folder.");

  xmla::XmlaHttpServer::Options options;
  options.address = arguments.address;
  options.port = arguments.port;
  options.max_body_bytes = arguments.max_body_bytes;
  try {
    if (arguments.users)
      options.users =
          std::make_shared<const xmla::UserList>(xmla::UserList::Load(*arguments.users));
  } catch (const std::exception& fault) {
    Fail(fault.what());
  }

  // The threads the server starts inherit this mask, so the signals reach sigwait below.
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  sigaddset(&stop_signals, SIGINT);
  sigaddset(&stop_signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);
  signal(SIGPIPE, SIG_IGN);

  engine::RegisterEngineProvider();
  xmla::CatalogFolder folder(root);
  xmla::XmlaService service(folder);
  xmla::XmlaHttpServer server(service, options);
  try {
    server.Start();
  } catch (const std::exception& fault) {
    Fail(fault.what());
  }
  const std::string host = options.address.find(':') != std::string::npos
                               ? "[" + options.address + "]"
                               : options.address;
  std::cout << "hexvane-server: serving " << root.string() << " at http://" << host << ":"
            << server.Port() << "/xmla" << std::endl;

  int received = 0;
  sigwait(&stop_signals, &received);
  std::cerr << "hexvane-server: stopping\n";
  server.Stop();
  return 0;
}
