#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "adomd/catalog.h"
#include "connection/cube_connection_string.h"

// The connection of an open cube: the provider's catalog and which of its cubes is current.
class TCubeConnection {
 public:
  virtual ~TCubeConnection() = default;

  bool Active = false;
  bool AllowsDrilling = false;
  bool DisplayErrors = false;

  virtual void Close() = 0;
  virtual bool Open(std::shared_ptr<TCubeConnectionString> connection_string) = 0;
  // Nothing when it cannot be read.
  virtual std::shared_ptr<adomd::CubeDefs> GetCubeDefs() = 0;
  virtual std::shared_ptr<adomd::CubeDef> GetCubeDef() = 0;
  // Make the cube of that name current; false (and the first cube current) when none has it.
  virtual bool SelectCube(const std::string& cube_name) = 0;
  // As SelectCube, but a name no cube has leaves the current cube unchanged.
  virtual bool TrySelectCube(const std::string& cube_name) = 0;
};

// The connection over the data-access object model, for every kind of source.
class TMSOLAPConnection : public TCubeConnection {
 public:
  TMSOLAPConnection();
  // Opens at once, showing a failure to the user.
  explicit TMSOLAPConnection(std::shared_ptr<TCubeConnectionString> connection_string);
  ~TMSOLAPConnection() override;

  void Close() override;
  bool Open(std::shared_ptr<TCubeConnectionString> connection_string) override;
  std::shared_ptr<adomd::CubeDefs> GetCubeDefs() override;
  std::shared_ptr<adomd::CubeDef> GetCubeDef() override;
  bool SelectCube(const std::string& cube_name) override;
  bool TrySelectCube(const std::string& cube_name) override;

  std::string GetConnectionText() const;
  // The provider connection shared by cell sets, drill-through and local cube creation.
  std::shared_ptr<adomd::Connection> GetActiveConnection() const;
  std::string GetLocalCubeFile() const;
  const std::shared_ptr<TCubeConnectionString>& GetConnectionString() const {
    return ConnectionString;
  }
  int GetCubeIndex() const { return CubeIndex; }
  // An index outside the cubes falls back to the first cube when the cube is read.
  void SetCubeIndex(int index) { CubeIndex = index; }

 private:
  adomd::Catalog AdomdCatalog;
  std::shared_ptr<TCubeConnectionString> ConnectionString;
  int CubeIndex = 0;
};

// The catalogs (databases) of a server, in the server's order; nothing on failure.
std::optional<std::vector<std::string>> ListCatalogs(const std::string& host,
                                                     uint8_t server_version,
                                                     const std::string& user_name,
                                                     const std::string& password);
