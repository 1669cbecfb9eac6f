#include "engine/model/hierarchy_data.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "engine/model/mdx_name.h"

namespace engine {

namespace {

[[noreturn]] void Fault(const std::string& hierarchy, const std::string& what) {
  throw std::invalid_argument("Hierarchy " + hierarchy + ": " + what);
}

}  // namespace

std::string HierarchyData::ChildKey(MemberId parent, std::string_view name) {
  std::string key(sizeof parent, '\0');
  std::memcpy(key.data(), &parent, sizeof parent);
  key.append(name);
  return key;
}

HierarchyData::HierarchyData(HierarchyContent content, const std::string& dimension_name,
                             bool qualified, uint32_t key_count)
    : content_(std::move(content)) {
  unique_name_ = QuoteName(dimension_name);
  if (qualified)
    unique_name_ += "." + QuoteName(content_.name);
  const std::string& un = unique_name_;

  const auto level_count = static_cast<int>(content_.levels.size());
  if (level_count == 0)
    Fault(un, "it has no levels.");
  if (content_.has_all != (content_.levels.front().level_type == kLevelAll))
    Fault(un, "its first level must be the all level exactly when it has an all member.");
  levels_.resize(content_.levels.size());
  for (int depth = 0; depth < level_count; ++depth) {
    LevelData& level = levels_[static_cast<size_t>(depth)];
    level.content_ = content_.levels[static_cast<size_t>(depth)];
    level.depth_ = depth;
    level.unique_name_ = un + "." + QuoteName(level.content_.name);
    if (depth > 0 && level.content_.level_type == kLevelAll)
      Fault(un, "only its first level may be an all level.");
  }

  const size_t member_count = content_.members.size();
  index_in_level_.resize(member_count);
  first_child_.assign(member_count, 0);
  child_count_.assign(member_count, 0);
  subtree_end_.resize(member_count);
  std::vector<MemberId> path(static_cast<size_t>(level_count), kNoMember);
  child_by_name_.reserve(member_count);
  for (size_t i = 0; i < member_count; ++i) {
    const auto id = static_cast<MemberId>(i);
    const MemberRow& row = content_.members[i];
    if (row.depth < 0 || row.depth >= level_count)
      Fault(un, "member " + std::to_string(i) + " lies outside the levels.");
    // Hierarchy order: a member's parent is the last member seen one level up.
    const MemberId expected_parent =
        row.depth == 0 ? kNoMember : path[static_cast<size_t>(row.depth - 1)];
    if (row.parent != expected_parent || (row.depth > 0 && expected_parent == kNoMember))
      Fault(un, "member " + std::to_string(i) + " is not in hierarchy order.");
    if (content_.has_all && (row.depth == 0) != (i == 0))
      Fault(un, "the all member must be its only member at depth 0.");
    path[static_cast<size_t>(row.depth)] = id;
    for (int deeper = row.depth + 1; deeper < level_count; ++deeper)
      path[static_cast<size_t>(deeper)] = kNoMember;

    LevelData& level = levels_[static_cast<size_t>(row.depth)];
    index_in_level_[i] = static_cast<int32_t>(level.members_.size());
    level.members_.push_back(id);
    if (row.parent != kNoMember) {
      if (child_count_[static_cast<size_t>(row.parent)]++ == 0)
        first_child_[static_cast<size_t>(row.parent)] = index_in_level_[i];
    }
    if (!child_by_name_.emplace(ChildKey(row.parent, row.name), id).second)
      Fault(un, "two members under the same parent are named \"" + row.name + "\".");
  }
  // One past the last descendant: the next member at the same depth or shallower.
  std::vector<MemberId> open;
  for (size_t i = 0; i < member_count; ++i) {
    const int depth = content_.members[i].depth;
    while (!open.empty() && content_.members[static_cast<size_t>(open.back())].depth >= depth) {
      subtree_end_[static_cast<size_t>(open.back())] = static_cast<MemberId>(i);
      open.pop_back();
    }
    open.push_back(static_cast<MemberId>(i));
  }
  for (MemberId m : open)
    subtree_end_[static_cast<size_t>(m)] = static_cast<MemberId>(member_count);

  if (content_.leaf_of_key.size() != key_count)
    Fault(un, "it maps " + std::to_string(content_.leaf_of_key.size()) +
                  " dimension keys; the dimension has " + std::to_string(key_count) + ".");
  for (auto& level : levels_)
    level.member_of_key_.resize(key_count);
  for (uint32_t key = 0; key < key_count; ++key) {
    MemberId member = content_.leaf_of_key[key];
    if (member < 0 || static_cast<size_t>(member) >= member_count ||
        content_.members[static_cast<size_t>(member)].depth != level_count - 1)
      Fault(un, "dimension key " + std::to_string(key) + " does not name a leaf member.");
    for (int depth = level_count - 1; depth >= 0; --depth) {
      levels_[static_cast<size_t>(depth)].member_of_key_[key] = member;
      member = content_.members[static_cast<size_t>(member)].parent;
    }
  }
}

MemberId HierarchyData::DefaultMember() const {
  const auto top = TopMembers();
  return top.empty() ? kNoMember : top.front();
}

int HierarchyData::FindLevel(std::string_view name) const {
  for (const auto& level : levels_)
    if (level.Name() == name)
      return level.Depth();
  return -1;
}

std::string HierarchyData::MemberUniqueName(MemberId member) const {
  std::vector<MemberId> path;
  for (MemberId m = member; m != kNoMember; m = Parent(m))
    path.push_back(m);
  std::string name = unique_name_;
  for (auto it = path.rbegin(); it != path.rend(); ++it) {
    // The all member stands alone; below it names start at the first real level.
    if (*it == AllMember() && path.size() > 1)
      continue;
    name += "." + QuoteName(Member(*it).name);
  }
  return name;
}

std::span<const MemberId> HierarchyData::Children(MemberId member) const {
  const auto index = static_cast<size_t>(member);
  const int depth = Depth(member);
  if (child_count_[index] == 0)
    return {};
  return LevelMembers(depth + 1).subspan(static_cast<size_t>(first_child_[index]),
                                         static_cast<size_t>(child_count_[index]));
}

MemberId HierarchyData::Ancestor(MemberId member, int depth) const {
  if (depth < 0 || depth > Depth(member))
    return kNoMember;
  while (Depth(member) > depth)
    member = Parent(member);
  return member;
}

std::span<const MemberId> HierarchyData::Descendants(MemberId member, int depth) const {
  if (depth < Depth(member) || depth >= LevelCount())
    return {};
  const auto members = LevelMembers(depth);
  const auto begin = std::lower_bound(members.begin(), members.end(), member);
  const auto end =
      std::lower_bound(begin, members.end(), subtree_end_[static_cast<size_t>(member)]);
  return members.subspan(static_cast<size_t>(begin - members.begin()),
                         static_cast<size_t>(end - begin));
}

MemberId HierarchyData::Lag(MemberId member, int64_t offset) const {
  const auto members = LevelMembers(Depth(member));
  const int64_t index = IndexInLevel(member) - offset;
  if (index < 0 || index >= static_cast<int64_t>(members.size()))
    return kNoMember;
  return members[static_cast<size_t>(index)];
}

MemberId HierarchyData::FindChild(MemberId parent, std::string_view name) const {
  const auto found = child_by_name_.find(ChildKey(parent, name));
  return found == child_by_name_.end() ? kNoMember : found->second;
}

MemberId HierarchyData::FindMember(std::span<const std::string> names) const {
  if (names.empty())
    return kNoMember;
  MemberId member = kNoMember;
  size_t next = 0;
  if (HasAll()) {
    member = AllMember();
    if (names.front() == Member(member).name)
      next = 1;
  }
  for (; next < names.size(); ++next) {
    member = FindChild(member, names[next]);
    if (member == kNoMember)
      return kNoMember;
  }
  return member;
}

KeyBitmap HierarchyData::KeysOf(MemberId member) const {
  const auto member_of_key = Level(Depth(member)).MemberOfKey();
  KeyBitmap keys(static_cast<uint32_t>(member_of_key.size()));
  for (uint32_t key = 0; key < member_of_key.size(); ++key)
    if (member_of_key[key] == member)
      keys.Set(key);
  return keys;
}

}  // namespace engine
