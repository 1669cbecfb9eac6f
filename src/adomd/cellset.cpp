#include "adomd/cellset.h"

#include "adomd/provider_error.h"

namespace adomd {

void Cellset::SetActiveConnection(std::shared_ptr<Connection> connection) {
  connection_ = std::move(connection);
}

void Cellset::Open(const std::string& source, std::shared_ptr<Connection> connection) {
  connection_ = std::move(connection);
  Open(source);
}

void Cellset::Open(const std::string& source) {
  if (data_) throw ProviderError("The cell set is already open.");
  if (!connection_) throw ProviderError("The cell set has no active connection.");
  std::shared_ptr<CellsetData> data = connection_->OpenCellset(source);
  if (!data) throw ProviderError("The provider returned no result for the statement.");
  auto axes = std::make_shared<VectorCollection<Axis>>();
  for (int i = 0; i < data->AxisCount(); ++i) axes->Add(data->AxisAt(i));
  data_ = std::move(data);
  axes_ = std::move(axes);
}

void Cellset::Close() {
  if (!data_) throw ProviderError("The cell set is not open.");
  data_.reset();
  axes_.reset();
}

const CellsetData& Cellset::Data() const {
  if (!data_) throw ProviderError("The cell set is not open.");
  return *data_;
}

std::shared_ptr<Axes> Cellset::GetAxes() const {
  Data();
  return axes_;
}

std::shared_ptr<Axis> Cellset::FilterAxis() const { return Data().FilterAxis(); }

int64_t Cellset::CellCount() const {
  Data();
  int64_t count = 1;
  for (int i = 0; i < axes_->Count(); ++i) count *= axes_->Item(i)->GetPositions()->Count();
  return count;
}

Cell Cellset::Item(const std::vector<int>& ordinals) const {
  const CellsetData& data = Data();
  if (static_cast<int>(ordinals.size()) != axes_->Count())
    throw ProviderError("The cell address names " + std::to_string(ordinals.size()) +
                        " axes; the cell set has " + std::to_string(axes_->Count()) + ".");
  int64_t ordinal = 0;
  int64_t stride = 1;
  for (size_t i = 0; i < ordinals.size(); ++i) {
    const int count = axes_->Item(static_cast<int>(i))->GetPositions()->Count();
    if (ordinals[i] < 0 || ordinals[i] >= count)
      throw ProviderError("The position " + std::to_string(ordinals[i]) + " is outside axis " +
                          std::to_string(i) + ", which has " + std::to_string(count) +
                          " positions.");
    ordinal += ordinals[i] * stride;
    stride *= count;
  }
  return data.CellAt(ordinal);
}

Cell Cellset::ItemByOrdinal(int64_t ordinal) const {
  const CellsetData& data = Data();
  if (ordinal < 0 || ordinal >= CellCount())
    throw ProviderError("The cell ordinal " + std::to_string(ordinal) +
                        " is outside the cell set.");
  return data.CellAt(ordinal);
}

}  // namespace adomd
