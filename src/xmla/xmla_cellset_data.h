#pragma once

#include <memory>
#include <vector>

#include "adomd/cellset_data.h"
#include "xmla/md_data_set.h"
#include "xmla/xmla_metadata.h"

namespace xmla {

// A cell set answered over XMLA: the axes' members are made once; cells the server left out
// (because they are empty) read as empty cells.
class XmlaCellsetData final : public adomd::CellsetData {
 public:
  // The context's cube is taken from the data set, so members can discover more of themselves.
  XmlaCellsetData(XmlaCubeContext context, MdDataSet data_set);

  int AxisCount() const override { return static_cast<int>(axes_.size()); }
  std::shared_ptr<adomd::Axis> AxisAt(int index) const override;
  std::shared_ptr<adomd::Axis> FilterAxis() const override { return filter_axis_; }
  adomd::Cell CellAt(int64_t ordinal) const override;

 private:
  std::vector<std::shared_ptr<adomd::Axis>> axes_;
  std::shared_ptr<adomd::Axis> filter_axis_;
  std::map<int64_t, MdCell> cells_;
};

}  // namespace xmla
