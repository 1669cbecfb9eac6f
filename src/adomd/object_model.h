#pragma once

// The cube structure as every provider presents it: CubeDefs > CubeDef > Dimensions >
// Dimension > Hierarchies > Hierarchy > Levels > Level > Members > Member. Objects are held
// by counted references (std::shared_ptr); holding one keeps the provider object alive.
// Every call may raise ProviderError carrying the provider's message.

#include <memory>
#include <string>

#include "adomd/collection.h"
#include "adomd/property.h"

namespace adomd {

class Member;
class Level;
class Hierarchy;
class Dimension;
class CubeDef;

using Members = Collection<Member>;
using Levels = Collection<Level>;
using Hierarchies = Collection<Hierarchy>;
using Dimensions = Collection<Dimension>;
using CubeDefs = Collection<CubeDef>;

class Member {
 public:
  virtual ~Member() = default;
  virtual std::string Name() const = 0;
  virtual std::string UniqueName() const = 0;
  virtual std::string Caption() const = 0;
  virtual int LevelDepth() const = 0;
  // The unique name of the member's level, such as "[Store].[Store State]".
  virtual std::string LevelName() const = 0;
  virtual std::shared_ptr<Properties> GetProperties() const = 0;
  virtual int ChildCount() const = 0;
  // The children in hierarchy order.
  virtual std::shared_ptr<Members> Children() const = 0;
};

class Level {
 public:
  virtual ~Level() = default;
  virtual std::string Name() const = 0;
  virtual std::string UniqueName() const = 0;
  virtual std::string Caption() const = 0;
  virtual int Depth() const = 0;
  virtual std::shared_ptr<Properties> GetProperties() const = 0;
  // Every member of the level in hierarchy order; those of level 0 are the hierarchy's
  // top members.
  virtual std::shared_ptr<Members> GetMembers() const = 0;
};

class Hierarchy {
 public:
  virtual ~Hierarchy() = default;
  virtual std::string Name() const = 0;
  virtual std::string UniqueName() const = 0;
  virtual std::shared_ptr<Properties> GetProperties() const = 0;
  virtual std::shared_ptr<Levels> GetLevels() const = 0;
};

class Dimension {
 public:
  virtual ~Dimension() = default;
  virtual std::string Name() const = 0;
  // "[Measures]" for the measures.
  virtual std::string UniqueName() const = 0;
  virtual std::shared_ptr<Properties> GetProperties() const = 0;
  virtual std::shared_ptr<Hierarchies> GetHierarchies() const = 0;
};

class CubeDef {
 public:
  virtual ~CubeDef() = default;
  virtual std::string Name() const = 0;
  virtual std::string Description() const = 0;
  virtual std::shared_ptr<Properties> GetProperties() const = 0;
  virtual std::shared_ptr<Dimensions> GetDimensions() const = 0;
};

}  // namespace adomd
