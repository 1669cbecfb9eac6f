#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/model/cube_content.h"
#include "engine/model/key_bitmap.h"

namespace engine {

class HierarchyData;

// A level of a hierarchy and the indexes of its members.
class LevelData {
 public:
  const std::string& Name() const { return content_.name; }
  // "[Store].[Store State]", or "[Time].[Weekly].[Week]" in a dimension of several
  // hierarchies.
  const std::string& UniqueName() const { return unique_name_; }
  int Depth() const { return depth_; }
  int LevelType() const { return content_.level_type; }
  bool UniqueMembers() const { return content_.unique_members; }
  bool IsAll() const { return content_.level_type == kLevelAll; }
  // The level's members in hierarchy order; their count is the level's cardinality.
  std::span<const MemberId> Members() const { return members_; }
  // For each dimension key, the member of this level it belongs to.
  std::span<const MemberId> MemberOfKey() const { return member_of_key_; }

 private:
  friend class HierarchyData;
  LevelContent content_;
  std::string unique_name_;
  int depth_ = 0;
  std::vector<MemberId> members_;
  std::vector<MemberId> member_of_key_;
};

// One hierarchy: its levels and its member table, with the lookups MDX needs. Immutable after
// construction and safe to read from many threads.
class HierarchyData {
 public:
  // Checks the content (raises std::invalid_argument naming the fault) and builds the
  // indexes. qualified: the dimension has several hierarchies, so names carry the
  // hierarchy's name after the dimension's.
  HierarchyData(HierarchyContent content, const std::string& dimension_name, bool qualified,
                uint32_t key_count);

  const std::string& Name() const { return content_.name; }
  // "[Store]", or "[Time].[Calendar]" in a dimension of several hierarchies.
  const std::string& UniqueName() const { return unique_name_; }
  const std::string& DisplayFolder() const { return content_.display_folder; }
  bool HasAll() const { return content_.has_all; }
  // The all member, or kNoMember without an all level.
  MemberId AllMember() const { return content_.has_all ? 0 : kNoMember; }
  // The all member, or the first top member; kNoMember for a hierarchy without members.
  MemberId DefaultMember() const;
  const HierarchyContent& Content() const { return content_; }

  int LevelCount() const { return static_cast<int>(levels_.size()); }
  const LevelData& Level(int depth) const { return levels_.at(static_cast<size_t>(depth)); }
  // The level of that name, or -1.
  int FindLevel(std::string_view name) const;

  // The number of members of all levels (the hierarchy's cardinality).
  int32_t MemberCount() const { return static_cast<int32_t>(content_.members.size()); }
  const MemberRow& Member(MemberId member) const {
    return content_.members[static_cast<size_t>(member)];
  }
  int Depth(MemberId member) const { return Member(member).depth; }
  std::string MemberUniqueName(MemberId member) const;
  // The members of level 0 (the all member alone when there is one).
  std::span<const MemberId> TopMembers() const { return levels_.front().members_; }
  std::span<const MemberId> LevelMembers(int depth) const { return Level(depth).Members(); }
  // The member's position among the members of its level.
  int32_t IndexInLevel(MemberId member) const {
    return index_in_level_[static_cast<size_t>(member)];
  }
  std::span<const MemberId> Children(MemberId member) const;
  MemberId Parent(MemberId member) const { return Member(member).parent; }
  // The ancestor at a depth (the member itself at its own depth); kNoMember below it.
  MemberId Ancestor(MemberId member, int depth) const;
  // Whether ancestor is the member or one of its ancestors.
  bool IsAncestorOrSelf(MemberId ancestor, MemberId member) const {
    return ancestor <= member && member < subtree_end_[static_cast<size_t>(ancestor)];
  }
  // The descendants at a depth, in hierarchy order (the member itself at its own depth;
  // empty above it).
  std::span<const MemberId> Descendants(MemberId member, int depth) const;
  // The member offset places later (negative: earlier) in its level, crossing parents, or
  // kNoMember past either end. PrevMember is Lag(m, 1), NextMember Lag(m, -1).
  MemberId Lag(MemberId member, int64_t offset) const;
  MemberId PrevMember(MemberId member) const { return Lag(member, 1); }
  MemberId NextMember(MemberId member) const { return Lag(member, -1); }

  // The child of parent (kNoMember: among the top members) with that name, or kNoMember.
  MemberId FindChild(MemberId parent, std::string_view name) const;
  // The member named by the names that follow the hierarchy's unique name, as in
  // "[Store].[USA].[CA]" -> {"USA", "CA"}; the all member's name may lead the path. Nothing
  // found: kNoMember.
  MemberId FindMember(std::span<const std::string> names) const;

  // The member of a level that a dimension key belongs to.
  MemberId MemberOfKey(int depth, uint32_t key) const {
    return levels_[static_cast<size_t>(depth)].member_of_key_[key];
  }
  // The dimension keys that belong to the member.
  KeyBitmap KeysOf(MemberId member) const;

 private:
  static std::string ChildKey(MemberId parent, std::string_view name);

  HierarchyContent content_;
  std::string unique_name_;
  std::vector<LevelData> levels_;
  std::vector<int32_t> index_in_level_;
  std::vector<int32_t> first_child_;  // index into the next level's members
  std::vector<int32_t> child_count_;
  std::vector<MemberId> subtree_end_;  // one past the member's last descendant
  std::unordered_map<std::string, MemberId> child_by_name_;
};

}  // namespace engine
