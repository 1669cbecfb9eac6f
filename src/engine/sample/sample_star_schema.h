#pragma once

#include <cstdint>
#include <string>

namespace engine {

// The first year of the sample's calendar and the number of years; the last year has no
// facts, so that relative periods can reach into an empty year.
inline constexpr int kSampleFirstYear = 2023;
inline constexpr int kSampleYears = 4;

// Writes the sample's star schema (sales_fact, time_by_day, store, product, product_class,
// customer, promotion, supplier) into a new SQLite database at path, which must not exist.
// The same rows and seed give the same data. Raises SqliteError.
void WriteSampleStarSchema(const std::string& path, uint64_t rows, uint64_t seed);

// The schema of the sample cube "Sales" over that star schema.
std::string SampleSchemaXml();

}  // namespace engine
