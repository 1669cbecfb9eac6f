#include "connection/cube_connection.h"

#include "adomd/provider_registry.h"
#include "config/text_utils.h"
#include "config/user_interface.h"

TMSOLAPConnection::TMSOLAPConnection()
    : ConnectionString(std::make_shared<TCubeConnectionString>()) {}

TMSOLAPConnection::TMSOLAPConnection(std::shared_ptr<TCubeConnectionString> connection_string)
    : TMSOLAPConnection() {
  DisplayErrors = true;
  Open(std::move(connection_string));
  DisplayErrors = false;
}

TMSOLAPConnection::~TMSOLAPConnection() { AdomdCatalog.ClearActiveConnection(); }

void TMSOLAPConnection::Close() { AdomdCatalog.ClearActiveConnection(); }

bool TMSOLAPConnection::Open(std::shared_ptr<TCubeConnectionString> connection_string) {
  if (connection_string) ConnectionString = std::move(connection_string);
  const std::string text = ConnectionString->BuildConnectionString();
  try {
    AdomdCatalog.SetActiveConnection(text);
    Active = true;
    return true;
  } catch (const std::exception& error) {
    // The password never appears in a message.
    if (gUserInterface)
      gUserInterface->ShowError("Unable to connect using connection string" +
                                ConnectionString->BuildMaskedConnectionString() +
                                " with error: " + error.what());
    return false;
  }
}

std::shared_ptr<adomd::CubeDefs> TMSOLAPConnection::GetCubeDefs() {
  try {
    return AdomdCatalog.GetCubeDefs();
  } catch (const std::exception&) {
    return nullptr;
  }
}

std::shared_ptr<adomd::CubeDef> TMSOLAPConnection::GetCubeDef() {
  try {
    return AdomdCatalog.GetCubeDefs()->Item(CubeIndex);
  } catch (const std::exception&) {
  }
  CubeIndex = 0;
  try {
    return AdomdCatalog.GetCubeDefs()->Item(0);
  } catch (const std::exception&) {
    return nullptr;
  }
}

bool TMSOLAPConnection::SelectCube(const std::string& cube_name) {
  const auto cubes = AdomdCatalog.GetCubeDefs();
  for (int i = 0; i < cubes->Count(); ++i)
    if (cubes->Item(i)->Name() == cube_name) {
      CubeIndex = i;
      return true;
    }
  CubeIndex = 0;
  return false;
}

bool TMSOLAPConnection::TrySelectCube(const std::string& cube_name) {
  try {
    const auto cubes = AdomdCatalog.GetCubeDefs();
    for (int i = 0; i < cubes->Count(); ++i)
      if (cubes->Item(i)->Name() == cube_name) {
        CubeIndex = i;
        return true;
      }
    return false;
  } catch (const std::exception&) {
    CubeIndex = 0;
    return false;
  }
}

std::string TMSOLAPConnection::GetConnectionText() const {
  return ConnectionString ? ConnectionString->BuildConnectionString() : std::string();
}

std::shared_ptr<adomd::Connection> TMSOLAPConnection::GetActiveConnection() const {
  try {
    return AdomdCatalog.ActiveConnection();
  } catch (const std::exception&) {
    return nullptr;
  }
}

std::string TMSOLAPConnection::GetLocalCubeFile() const {
  return ConnectionString ? ConnectionString->LocalCubeFile : std::string();
}

namespace {

// Values go in bare, as the server expects; one holding a separator or a quote is quoted so
// that it cannot end the value early.
std::string Value(const std::string& value) {
  if (value.find_first_of(";\"'") == std::string::npos) return value;
  std::string text = "\"";
  for (char c : value) {
    if (c == '"') text += '"';
    text += c;
  }
  return text + "\"";
}

}  // namespace

std::optional<std::vector<std::string>> ListCatalogs(const std::string& host,
                                                     uint8_t server_version,
                                                     const std::string& user_name,
                                                     const std::string& password) {
  const std::string data_source = IsBlank(host) ? std::string(kLocalMachineName) : host;
  std::string text = server_version == svSql2000 ? "Provider=MSOLAP.2;" : "Provider=MSOLAP.3;";
  text += "Data Source=" + Value(data_source) + ";Client Cache Size=25;Auto Synch Period=10000;";
  if (IsBlank(user_name) && IsBlank(password))
    text += "Integrated Security=SSPI;Persist Security Info=False;";
  else
    text += "User ID=" + Value(user_name) + ";Password=" + Value(password) +
            ";Persist Security Info=True;";
  try {
    return adomd::OpenConnection(text)->ListCatalogs();
  } catch (const std::exception&) {
    return std::nullopt;
  }
}
