#pragma once

#include <span>
#include <vector>

#include "adomd/object_model.h"
#include "engine/model/engine_object_ref.h"

namespace engine {

// A member of a hierarchy, or a measure, as the object model presents it.
class EngineMember final : public adomd::Member {
 public:
  EngineMember(EngineObjectRef ref, MemberId member) : ref_(std::move(ref)), member_(member) {}

  std::string Name() const override;
  std::string UniqueName() const override;
  std::string Caption() const override;
  int LevelDepth() const override;
  std::string LevelName() const override;
  std::shared_ptr<adomd::Properties> GetProperties() const override;
  int ChildCount() const override;
  std::shared_ptr<adomd::Members> Children() const override;

 private:
  const MeasureInfo& Measure() const { return ref_.cube->Measures()[static_cast<size_t>(member_)]; }

  EngineObjectRef ref_;
  MemberId member_;
};

// Members of one hierarchy (or the measures) by id; each Item is made when asked for.
class EngineMembers final : public adomd::Members {
 public:
  // ids points into the cube's own tables, which ref keeps alive.
  EngineMembers(EngineObjectRef ref, std::span<const MemberId> ids)
      : ref_(std::move(ref)), ids_(ids) {}
  // The measures, all of them.
  explicit EngineMembers(EngineObjectRef ref);

  int Count() const override { return static_cast<int>(ids_.size()); }
  std::shared_ptr<adomd::Member> Item(int index) const override;

 private:
  EngineObjectRef ref_;
  std::vector<MemberId> owned_;
  std::span<const MemberId> ids_;
};

}  // namespace engine
