#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "engine/model/cube_data.h"
#include "engine/model/key_bitmap.h"

namespace engine {

// What one pass over the fact columns computes: the stored measures aggregated over the fact
// rows whose dimension keys pass the filters, grouped by one level of each of some
// hierarchies (no grouping: one total).
struct ScanRequest {
  std::vector<LevelRef> group_by;
  // Per dimension of the cube, the keys a row must have; empty, or nullptr for a dimension,
  // lets every key pass. The bitmaps must outlive the scan.
  std::vector<const KeyBitmap*> filters;
  // Indexes into CubeData::Measures() of stored measures.
  std::vector<int> measures;
};

struct ScanGroup {
  // One member per entry of group_by.
  std::vector<MemberId> members;
  // One value per requested measure: nothing when no row of the group has a value (sum, min,
  // max, avg); counts are never nothing.
  std::vector<std::optional<double>> values;
  uint64_t row_count = 0;
};

// Runs the scan; groups without rows are left out, the others come in the order of their
// members' positions in their levels (the first entry of group_by varying slowest).
std::vector<ScanGroup> ScanFacts(const CubeData& cube, const ScanRequest& request);

// The fact rows, in table order, that pass the filters (as in ScanRequest), after skipping
// `skip` of them and at most max_rows of them: the rows behind a drill-through.
std::vector<uint64_t> MatchingRows(const CubeData& cube,
                                   const std::vector<const KeyBitmap*>& filters, uint64_t skip,
                                   uint64_t max_rows);

}  // namespace engine
