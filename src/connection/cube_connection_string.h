#pragma once

#include <cstdint>
#include <memory>
#include <string>

// Connection kinds.
constexpr uint8_t ctNone = 0;
constexpr uint8_t ctLocalCube = 1;
constexpr uint8_t ctAnalysisServer = 2;
constexpr uint8_t ctHttpHost = 3;

// Server generations, the same codes as "ConnectionType" in the connection list files.
constexpr uint8_t svGeneric = 0;
constexpr uint8_t svSql2000 = 1;
constexpr uint8_t svSql2005 = 2;

// The caption of a server generation in the program's lists.
std::string ServerVersionCaption(uint8_t server_version);

// The user's choices for reaching a cube, and the provider connection string they make.
class TCubeConnectionString {
 public:
  std::string Catalog;
  uint8_t ConnectionType = ctNone;
  std::string LocalCubeFile;
  // The connection string most recently built.
  std::string ConnectionText;
  std::string Host;
  // Blank means integrated security.
  std::string UserName;
  std::string Password;
  uint8_t ServerVersion = svGeneric;

  // Trim the value and store it when it differs from the stored one.
  void SetCatalog(const std::string& value);
  void SetLocalCubeFile(const std::string& value);
  void SetHost(const std::string& value);
  // Stored unchanged.
  void SetUserName(const std::string& value) { UserName = value; }
  void SetPassword(const std::string& value) { Password = value; }
  void SetConnectionType(uint8_t value) { ConnectionType = value; }
  void SetServerVersion(uint8_t value) { ServerVersion = value; }

  // Builds the provider connection string and keeps it in ConnectionText.
  std::string BuildConnectionString();
  // The connection string with the password's value masked, for messages and logs.
  std::string BuildMaskedConnectionString() const;
  // A line for the user naming the source.
  std::string Describe() const;
  // The number of cubes of the source, or -1 when it cannot be reached.
  int CountCubes();
  // Connects once and disconnects; on failure, when asked, shows why.
  bool TestConnection(bool show_errors);
  // A copy made through the setters (so trimmed), its connection string built.
  std::unique_ptr<TCubeConnectionString> Clone() const;
};

// The name and the HTTP address that stand for this machine when no host is given.
extern const char* const kLocalMachineName;
std::string LocalHttpAddress();
