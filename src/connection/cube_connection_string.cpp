#include "connection/cube_connection_string.h"

#include "adomd/catalog.h"
#include "adomd/provider_registry.h"
#include "config/text_utils.h"
#include "config/user_interface.h"

const char* const kLocalMachineName = "localhost";

std::string LocalHttpAddress() {
  return "http://localhost:" + std::to_string(adomd::kDefaultServerPort) + "/xmla";
}

std::string ServerVersionCaption(uint8_t server_version) {
  switch (server_version) {
    case svGeneric:
      return "Generic (may not be as efficient)";
    case svSql2000:
      return "SQL 2000 / SQL 7.0";
    case svSql2005:
      return "SQL 2005";
    default:
      return {};
  }
}

namespace {

constexpr char Q = '"';

// A quote inside the value is doubled, so that a path or password holding one still reads
// back as written.
std::string Quoted(const std::string& value) {
  std::string text(1, Q);
  for (char c : value) {
    if (c == Q) text += Q;
    text += c;
  }
  return text + Q;
}

std::string BuildText(const TCubeConnectionString& c, const std::string& password) {
  const std::string provider = (c.ServerVersion == svGeneric || c.ServerVersion == svSql2005)
                                   ? "Provider=MSOLAP.3;"
                                   : "Provider=MSOLAP.2;";
  switch (c.ConnectionType) {
    case ctLocalCube:
      return provider + "Data Source=" + Quoted(c.LocalCubeFile) + ";";
    case ctAnalysisServer:
    case ctHttpHost: {
      std::string text =
          provider + "Data Source=" + Quoted(c.Host) + ";Initial Catalog=" + Quoted(c.Catalog) + ";";
      if (!IsBlank(c.UserName))
        text += "User ID=" + Quoted(c.UserName) + ";Password=" + Quoted(password);
      else
        text += "Integrated Security=SSPI;";
      return text;
    }
    default:
      return {};
  }
}

void AssignTrimmed(std::string& field, const std::string& value) {
  const std::string trimmed = Trim(value);
  if (trimmed != field) field = trimmed;
}

}  // namespace

void TCubeConnectionString::SetCatalog(const std::string& value) { AssignTrimmed(Catalog, value); }
void TCubeConnectionString::SetLocalCubeFile(const std::string& value) {
  AssignTrimmed(LocalCubeFile, value);
}
void TCubeConnectionString::SetHost(const std::string& value) { AssignTrimmed(Host, value); }

std::string TCubeConnectionString::BuildConnectionString() {
  ConnectionText = BuildText(*this, Password);
  return ConnectionText;
}

std::string TCubeConnectionString::BuildMaskedConnectionString() const {
  return BuildText(*this, Password.empty() ? "" : "********");
}

std::string TCubeConnectionString::Describe() const {
  switch (ConnectionType) {
    case ctLocalCube:
      return "Local Cube File: " + LocalCubeFile;
    case ctAnalysisServer:
      return "Analysis Server: " + (IsBlank(Host) ? std::string(kLocalMachineName) : Host);
    case ctHttpHost:
      return "Http Host: " + (IsBlank(Host) ? LocalHttpAddress() : Host);
    default:
      return "Unknown connection information";
  }
}

int TCubeConnectionString::CountCubes() {
  try {
    adomd::Catalog catalog;
    catalog.SetActiveConnection(BuildConnectionString());
    const int count = catalog.GetCubeDefs()->Count();
    catalog.ClearActiveConnection();
    return count;
  } catch (const std::exception&) {
    return -1;
  }
}

bool TCubeConnectionString::TestConnection(bool show_errors) {
  try {
    adomd::Catalog catalog;
    catalog.SetActiveConnection(BuildConnectionString());
    catalog.ClearActiveConnection();
    return true;
  } catch (const std::exception& error) {
    if (show_errors && gUserInterface)
      gUserInterface->ShowError(std::string("Unable to connect to the selected cube. \n\rError message: ") +
                                error.what());
    return false;
  }
}

std::unique_ptr<TCubeConnectionString> TCubeConnectionString::Clone() const {
  auto copy = std::make_unique<TCubeConnectionString>();
  copy->SetCatalog(Catalog);
  copy->SetConnectionType(ConnectionType);
  copy->SetLocalCubeFile(LocalCubeFile);
  copy->SetHost(Host);
  copy->SetUserName(UserName);
  copy->SetPassword(Password);
  copy->SetServerVersion(ServerVersion);
  copy->BuildConnectionString();
  return copy;
}
