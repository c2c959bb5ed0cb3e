#pragma once
// A stretch of three or more control codes that several courses share, analysed as one data set.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "quorvex2/core/field.h"
#include "quorvex2/core/lap_data.h"
#include "quorvex2/core/types.h"

namespace quorvex2 {

class clsAnalyzer;
class clsResultsHolder;

class clsSegmentData {
 public:
  // "S-101-102", "105-106-107-F"
  const std::string& SegmentName() const { return segment_name_; }
  // Controls strictly inside the stretch (codes - 2).
  int32_t ControlCount() const { return control_count_; }
  // One entry per class running the stretch: "M21A;3" (class name, ";", the leg at which the
  // stretch begins on that class's course).
  Field<std::vector<std::string>> TargetClassList;

  // A new analyzer / results holder holding the cut-down runners (only those whose Sex equals
  // SexOption when it is not empty), named SegmentName (& " - " & SexOption).
  std::shared_ptr<clsAnalyzer> Analyzer(const std::string& SexOption = "") const;
  std::shared_ptr<clsResultsHolder> ResultsHolder(const std::string& SexOption = "") const;

  // Component-internal.
  void SetSegmentName(const std::string& value, detail::Internal) { segment_name_ = value; }
  void SetControlCount(int32_t value, detail::Internal) { control_count_ = value; }
  // The runners of the stretch, each a new record cut down to its legs, with the result summed
  // from them ("DISQ" when a leg is not positive).
  std::vector<std::shared_ptr<clsLapData>> CutRunners(const std::string& SexOption,
                                                      detail::Internal) const;
  // The data set name for SexOption.
  std::string DataSetName(const std::string& SexOption) const;

 private:
  std::string segment_name_;
  int32_t control_count_ = 0;
};

}  // namespace quorvex2
