// hexvane-server run as a process on 127.0.0.1, reached through the XMLA provider: what it
// lists, whom it lets in, and how every failure on the way reaches the user as a clear text.

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "adomd/catalog.h"
#include "adomd/provider_error.h"
#include "adomd/provider_registry.h"
#include "connection/cube_connection.h"
#include "scripted_peer.h"
#include "server_process.h"
#include "support/program_folder.h"
#include "xmla/http_client.h"
#include "xmla/soap_envelope.h"
#include "xmla/xmla_client.h"
#include "xmla/xmla_connection.h"

namespace {

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& error) {
    return error.what();
  }
  return "(no error)";
}

std::string ConnectionText(const std::string& data_source, const std::string& more = "") {
  return "Provider=MSOLAP.3;Data Source=\"" + data_source + "\";" + more;
}

std::vector<std::string> CatalogsAt(const std::string& data_source, const std::string& more = "") {
  return adomd::OpenConnection(ConnectionText(data_source, more))->ListCatalogs();
}

class XmlaServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    xmla::RegisterXmlaProvider();
    root_ = folder_.File("cubes");
    std::filesystem::create_directory(root_);
  }
  void Touch(const std::string& name) const { std::ofstream(root_ + "/" + name) << "x"; }

  TestProgramFolder folder_;
  std::string root_;
};

TEST_F(XmlaServerTest, CatalogsAreTheCubeFilesOfTheRootSeenAsTheyChange) {
  ServerProcess server({"--root", root_});
  EXPECT_TRUE(CatalogsAt(server.HostAndPort()).empty());
  // With no catalog at all there are no cubes, and that is not an error.
  adomd::Catalog catalog;
  catalog.SetActiveConnection(ConnectionText(server.Url()));
  EXPECT_EQ(catalog.GetCubeDefs()->Count(), 0);

  Touch("Sales.cub");
  Touch("Budget.CUB");
  Touch("notes.txt");
  std::filesystem::create_directory(root_ + "/Old.cub");
  EXPECT_EQ(CatalogsAt(server.HostAndPort()), (std::vector<std::string>{"Budget", "Sales"}));
  // The wizard's listing of databases goes the same way.
  EXPECT_EQ(ListCatalogs(server.HostAndPort(), svGeneric, "", ""),
            (std::vector<std::string>{"Budget", "Sales"}));

  EXPECT_EQ(ErrorOf([&] { CatalogsAt(server.HostAndPort(), "Initial Catalog=\"Nope\";"); }),
            "The catalog \"Nope\" does not exist on the server at " + server.Url() + ".");
  EXPECT_EQ(CatalogsAt(server.HostAndPort(), "Initial Catalog=\"Sales\";").size(), 2u);

  // Each request is one line of the log.
  const std::string log = server.Log();
  EXPECT_NE(log.find("127.0.0.1 POST /xmla 200 "), std::string::npos) << log;
  EXPECT_NE(log.find("Discover DBSCHEMA_CATALOGS"), std::string::npos) << log;
}

TEST_F(XmlaServerTest, UsersMustSignInAndAWrongPasswordSaysNotWhichPartWasWrong) {
  std::string hash, errors;
  ASSERT_EQ(RunServerToEnd({"--hash-password"}, "s3cret:word\n", hash, errors), 0) << errors;
  ASSERT_TRUE(hash.starts_with("$")) << hash;
  hash.pop_back();  // the line's end
  folder_.Write("users", "# who may sign in\n\nann:" + hash + "\n");
  ServerProcess server({"--root", root_, "--users", folder_.File("users")});
  Touch("Sales.cub");

  const std::string refused = "The server refused the user name or password.";
  EXPECT_EQ(ErrorOf([&] { CatalogsAt(server.Url()); }), refused);
  EXPECT_EQ(ErrorOf([&] { CatalogsAt(server.Url(), "User ID=\"ann\";Password=\"wrong\""); }),
            refused);
  EXPECT_EQ(ErrorOf([&] { CatalogsAt(server.Url(), "User ID=\"bob\";Password=\"s3cret:word\""); }),
            refused);
  EXPECT_EQ(CatalogsAt(server.Url(), "User ID=\"ann\";Password=\"s3cret:word\""),
            std::vector<std::string>{"Sales"});
  EXPECT_EQ(server.Log().find("s3cret"), std::string::npos);

  // The wizard's own connection string carries the user the same way.
  auto connection_string = std::make_shared<TCubeConnectionString>();
  connection_string->SetConnectionType(ctAnalysisServer);
  connection_string->SetHost(server.HostAndPort());
  connection_string->SetCatalog("Sales");
  connection_string->SetUserName("ann");
  connection_string->SetPassword("s3cret:word");
  EXPECT_TRUE(connection_string->TestConnection(false));
  connection_string->SetPassword("nope");
  EXPECT_FALSE(connection_string->TestConnection(false));
}

TEST_F(XmlaServerTest, AUsersFileThatCannotServeStopsTheStartWithItsReason) {
  const std::pair<std::string, std::string> cases[] = {
      {"ann\n", "line 1: expected name:hash."},
      {"ann:plain-password\n", "line 1: the hash of user \"ann\" is not a crypt(3) hash"},
      {"# nobody\n", "lists no user."},
  };
  for (const auto& [content, reason] : cases) {
    folder_.Write("users", content);
    std::string output, errors;
    EXPECT_EQ(RunServerToEnd(
                  {"--root", root_, "--users", folder_.File("users"), "--listen", "127.0.0.1:0"},
                  "", output, errors),
              2);
    EXPECT_NE(errors.find(reason), std::string::npos) << errors;
  }
}

TEST_F(XmlaServerTest, BadRequestsGetFaultsAndTheServerGoesOn) {
  ServerProcess server({"--root", root_, "--max-request-bytes", "4000"});
  Touch("Broken.cub");
  xmla::XmlaClient client(server.Url(), "", "", std::chrono::seconds(10), std::chrono::seconds(5));
  xmla::HttpClient http(server.Url(), "", "", std::chrono::seconds(10), std::chrono::seconds(5));
  const auto raw_fault = [&](const std::string& body) {
    const xmla::HttpResponse response =
        http.Post("urn:schemas-microsoft-com:xml-analysis:Discover", body);
    return xmla::SoapFaultText(response.body)
        .value_or("(no fault, HTTP " + std::to_string(response.status) + ")");
  };
  EXPECT_EQ(raw_fault("<Envelope><Body><Discover><RequestType>"), "The request was cut short.");
  EXPECT_EQ(raw_fault("<Envelope><Body><Discover></Body></Envelope>"),
            "The request is not valid XML: Start-end tags mismatch at byte 28.");
  EXPECT_EQ(raw_fault("not xml at all"), "The request is not an XML document.");
  EXPECT_EQ(raw_fault("<Envelope><Body><Cancel/></Body></Envelope>"),
            "The request method \"Cancel\" is not known; the server answers Discover and Execute.");
  EXPECT_EQ(raw_fault(std::string(5000, ' ')),
            "The request is larger than the 4000 bytes the server accepts.");

  EXPECT_EQ(ErrorOf([&] { client.Discover("DISCOVER_KEYWORDS", {}, ""); }),
            "The request type \"DISCOVER_KEYWORDS\" is not supported. This server answers "
            "DBSCHEMA_CATALOGS, MDSCHEMA_CUBES, MDSCHEMA_DIMENSIONS, MDSCHEMA_HIERARCHIES, "
            "MDSCHEMA_LEVELS, MDSCHEMA_MEMBERS and MDSCHEMA_MEASURES.");
  EXPECT_EQ(ErrorOf([&] {
              client.Discover("MDSCHEMA_CUBES", {{"CATALOG_NAME", "Nope"}}, "");
            }),
            "The catalog \"Nope\" does not exist on the server.");
  EXPECT_EQ(ErrorOf([&] { client.ExecuteMultidimensional("SELECT {} ON 0 FROM [Sales]", "Nope"); }),
            "The catalog \"Nope\" does not exist on the server.");
  EXPECT_EQ(ErrorOf([&] {
              client.ExecuteMultidimensional(
                  "CREATE GLOBAL CUBE [Copy] STORAGE '/tmp/copy.cub' FROM [Sales] (MEASURE "
                  "[Sales].[Unit Sales])",
                  "Broken");
            }),
            "This server does not run CREATE statements: they would write files on the server.");
  EXPECT_EQ(ErrorOf([&] { client.ExecuteMultidimensional("  -- nothing\n", "Broken"); }),
            "The statement is empty.");
  // A file that is no cube: whatever the provider for cube files says comes back as the text.
  const std::string broken = ErrorOf([&] { client.Discover("MDSCHEMA_CUBES", {}, "Broken"); });
  EXPECT_NE(broken, "(no error)");
  EXPECT_FALSE(broken.empty());

  // A request body over the limit refused from its Content-Length, before it is read.
  EXPECT_EQ(ErrorOf([&] {
              client.Discover("DBSCHEMA_CATALOGS", {{"CATALOG_NAME", std::string(8000, 'x')}}, "");
            }),
            "The request is larger than the 4000 bytes the server accepts.");

  xmla::HttpClient elsewhere("http://" + server.HostAndPort() + "/other", "", "",
                             std::chrono::seconds(5), std::chrono::seconds(5));
  const xmla::HttpResponse missing = elsewhere.Post("x", "<Envelope/>");
  EXPECT_EQ(missing.status, 404);
  EXPECT_EQ(xmla::SoapFaultText(missing.body),
            "There is no XMLA service at /other; the service is at /xmla.");

  // A request that is not HTTP at all.
  {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(server.Port());
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const std::string junk = "\x16\x03\x01 not http at all\r\n\r\n";
    ::send(fd, junk.data(), junk.size(), MSG_NOSIGNAL);
    char buffer[512];
    while (::recv(fd, buffer, sizeof buffer, 0) > 0) {
    }
    ::close(fd);
  }

  EXPECT_TRUE(server.Running());
  EXPECT_EQ(CatalogsAt(server.HostAndPort()), std::vector<std::string>{"Broken"});
}

TEST_F(XmlaServerTest, TransportFailuresBecomeTheTextsTheBrowserShows) {
  const uint16_t down = UnusedPort();
  const std::string down_url = "http://127.0.0.1:" + std::to_string(down) + "/xmla";
  EXPECT_EQ(ErrorOf([&] { CatalogsAt("127.0.0.1:" + std::to_string(down)); }),
            "Unable to reach the server at " + down_url + ": connection refused.");

  const std::string envelope =
      "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
      "<DiscoverResponse><return><root><row><CATALOG_NAME>Sales</CATALOG_NAME></row>";
  struct Case {
    ScriptedPeer::Mode mode;
    std::string answer;
    std::string message;  // %URL% stands for the peer's address
  } cases[] = {
      {ScriptedPeer::Mode::AnswerAndClose,
       "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nContent-Length: 4000\r\n\r\n" + envelope,
       "The server's answer was cut short."},
      {ScriptedPeer::Mode::AnswerAndClose,
       "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nConnection: close\r\n\r\n" + envelope,
       "The server's answer was cut short."},
      {ScriptedPeer::Mode::AnswerAndClose,
       "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n100\r\n" + envelope.substr(0, 50),
       "The server's answer was cut short."},
      {ScriptedPeer::Mode::AnswerAndClose, "",
       "The server at %URL% closed the connection without answering."},
      {ScriptedPeer::Mode::AnswerAndClose,
       "HTTP/1.1 503 Service Unavailable\r\nContent-Length: 4\r\nConnection: close\r\n\r\nBusy",
       "The server at %URL% answered with HTTP status 503."},
      {ScriptedPeer::Mode::AnswerAndClose,
       "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n",
       "There is no XMLA service at %URL% (HTTP status 404)."},
      {ScriptedPeer::Mode::AnswerAndClose,
       "HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"x\"\r\nContent-Length: "
       "0\r\n\r\n",
       "The server refused the user name or password."},
      {ScriptedPeer::Mode::StaySilent, "", "The server at %URL% did not answer within 1 second."},
  };
  for (const Case& c : cases) {
    ScriptedPeer peer(c.mode, c.answer);
    std::string expected = c.message;
    if (const size_t at = expected.find("%URL%"); at != std::string::npos)
      expected.replace(at, 5, peer.Url());
    EXPECT_EQ(ErrorOf([&] { CatalogsAt(peer.HostAndPort(), "Timeout=1;"); }), expected) << c.answer;
  }

  // https is spoken and its certificate checked: a peer that answers in plain HTTP fails the
  // secure connection.
  ScriptedPeer plain(ScriptedPeer::Mode::AnswerAndClose, "HTTP/1.1 200 OK\r\n\r\n");
  const std::string secure_url = "https://" + plain.HostAndPort() + "/xmla";
  const std::string secure_error = ErrorOf([&] { CatalogsAt(secure_url, "Timeout=5;"); });
  EXPECT_TRUE(secure_error.starts_with("The secure connection to " + secure_url + " failed: "))
      << secure_error;

  EXPECT_EQ(ErrorOf([&] { CatalogsAt("127.0.0.1:1", "Timeout=soon;"); }),
            "The Timeout of the connection string, \"soon\", is not a number of seconds.");
}

TEST_F(XmlaServerTest, SeveralClientsAtOnce) {
  Touch("Sales.cub");
  ServerProcess server({"--root", root_});
  const auto shared = adomd::OpenConnection(ConnectionText(server.HostAndPort()));
  constexpr int kClients = 8;
  constexpr int kRequests = 25;
  std::atomic<int> answered{0};
  std::vector<std::thread> clients;
  for (int c = 0; c < kClients; ++c)
    clients.emplace_back([&, c] {
      // Half share one connection, half open their own.
      const auto connection =
          c % 2 ? shared : adomd::OpenConnection(ConnectionText(server.HostAndPort()));
      for (int r = 0; r < kRequests; ++r)
        if (connection->ListCatalogs() == std::vector<std::string>{"Sales"})
          ++answered;
    });
  for (auto& client : clients)
    client.join();
  EXPECT_EQ(answered, kClients * kRequests);
  EXPECT_TRUE(server.Running());
}

}  // namespace
