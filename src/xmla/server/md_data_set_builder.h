#pragma once

#include <cstdint>
#include <string>

#include "adomd/cellset_data.h"
#include "xmla/md_data_set.h"

namespace xmla {

// The most cells one answer carries; a larger result is refused rather than built in memory.
inline constexpr int64_t kMaxCellsPerAnswer = 1'000'000;

// The hierarchy of a member from its level's unique name: "[Store].[Store State]" ->
// "[Store]", "[Time].[Weekly].[Week]" -> "[Time].[Weekly]".
std::string HierarchyOfLevel(const std::string& level_unique_name);

// An executed statement in the multidimensional format: every axis, the slicer, and the cells
// that hold a value or an error. Raises ProviderError for a result above the cell limit.
MdDataSet BuildMdDataSet(const adomd::CellsetData& data, const std::string& cube_name);

}  // namespace xmla
