#include "adomd/recordset.h"

#include <algorithm>

#include "adomd/provider_error.h"

namespace adomd {

Recordset::Recordset(std::vector<std::string> column_names, std::vector<std::vector<Variant>> rows)
    : column_names_(std::move(column_names)), rows_(std::move(rows)) {
  for (const auto& row : rows_)
    if (row.size() != column_names_.size())
      throw ProviderError("A row of the result does not have one value per column.");
}

void Recordset::Move(int rows) {
  current_ = std::clamp(current_ + rows, -1, RecordCount());
}

std::shared_ptr<Fields> Recordset::GetFields() const {
  if (current_ < 0 || current_ >= RecordCount())
    throw ProviderError("Either BOF or EOF is true, or the current record has been deleted.");
  auto fields = std::make_shared<VectorCollection<Field>>();
  const auto& row = rows_[static_cast<size_t>(current_)];
  for (size_t i = 0; i < column_names_.size(); ++i)
    fields->Add(std::make_shared<Field>(column_names_[i], row[i]));
  return fields;
}

}  // namespace adomd
