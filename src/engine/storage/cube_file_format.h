#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Constants of the cube file format (docs/cube-file-format.md).
namespace engine::cube_file_format {

// The value of the "format" key of table hexvane_cube_file.
inline constexpr const char* kFormatName = "Hexvane cube file";
// The version this build writes and the newest it reads.
inline constexpr int kFormatVersion = 1;
// Fact columns are stored in segments of this many rows (a multiple of 64, so that null
// bitmaps split on word boundaries).
inline constexpr size_t kSegmentRows = size_t{1} << 20;
// Large pages make reading the column blobs a few long reads.
inline constexpr int kPageSize = 65536;

inline constexpr const char* kSchema = R"sql(
CREATE TABLE hexvane_cube_file (key TEXT PRIMARY KEY, value TEXT NOT NULL);
CREATE TABLE cube (
  cube_id INTEGER PRIMARY KEY, name TEXT NOT NULL, description TEXT NOT NULL,
  last_data_update TEXT NOT NULL, drillthrough_enabled INTEGER NOT NULL,
  fact_count INTEGER NOT NULL);
CREATE TABLE dimension (
  cube_id INTEGER NOT NULL, dimension_id INTEGER NOT NULL, name TEXT NOT NULL,
  dimension_type INTEGER NOT NULL, default_hierarchy INTEGER NOT NULL,
  key_count INTEGER NOT NULL, PRIMARY KEY (cube_id, dimension_id));
CREATE TABLE hierarchy (
  cube_id INTEGER NOT NULL, dimension_id INTEGER NOT NULL, hierarchy_id INTEGER NOT NULL,
  name TEXT NOT NULL, display_folder TEXT NOT NULL, has_all INTEGER NOT NULL,
  all_member_name TEXT NOT NULL, leaf_of_key BLOB NOT NULL, checksum INTEGER NOT NULL,
  PRIMARY KEY (cube_id, dimension_id, hierarchy_id));
CREATE TABLE level (
  cube_id INTEGER NOT NULL, dimension_id INTEGER NOT NULL, hierarchy_id INTEGER NOT NULL,
  depth INTEGER NOT NULL, name TEXT NOT NULL, level_type INTEGER NOT NULL,
  unique_members INTEGER NOT NULL, PRIMARY KEY (cube_id, dimension_id, hierarchy_id, depth));
CREATE TABLE member (
  cube_id INTEGER NOT NULL, dimension_id INTEGER NOT NULL, hierarchy_id INTEGER NOT NULL,
  member_id INTEGER NOT NULL, parent_id INTEGER NOT NULL, depth INTEGER NOT NULL,
  name TEXT NOT NULL, caption TEXT NOT NULL, key TEXT NOT NULL,
  PRIMARY KEY (cube_id, dimension_id, hierarchy_id, member_id));
CREATE TABLE measure (
  cube_id INTEGER NOT NULL, measure_id INTEGER NOT NULL, name TEXT NOT NULL,
  calculated INTEGER NOT NULL, aggregator TEXT NOT NULL, column_id INTEGER NOT NULL,
  expression TEXT NOT NULL, format_string TEXT NOT NULL, PRIMARY KEY (cube_id, measure_id));
CREATE TABLE fact_column (
  cube_id INTEGER NOT NULL, kind TEXT NOT NULL, column_id INTEGER NOT NULL, type TEXT NOT NULL,
  scale INTEGER NOT NULL, has_nulls INTEGER NOT NULL, PRIMARY KEY (cube_id, kind, column_id));
CREATE TABLE fact_segment (
  cube_id INTEGER NOT NULL, kind TEXT NOT NULL, column_id INTEGER NOT NULL,
  segment INTEGER NOT NULL, first_row INTEGER NOT NULL, row_count INTEGER NOT NULL,
  data BLOB NOT NULL, nulls BLOB NOT NULL, checksum INTEGER NOT NULL,
  PRIMARY KEY (cube_id, kind, column_id, segment));
)sql";

// The checksum of the blobs of a segment or of a hierarchy's key map: a 64-bit hash of the
// bytes, to tell damaged data from good.
uint64_t Checksum(std::span<const std::byte> first, std::span<const std::byte> second = {});

}  // namespace engine::cube_file_format
