#pragma once
// Result lists: runners of one or more classes ordered by result, with ranks in the data set.
#include <cstdint>
#include <memory>
#include <string>

#include "quorvex2/core/lap_data.h"
#include "quorvex2/core/sort.h"

namespace quorvex2 {

class clsResultsHolder {
 public:
  clsResultsHolder() { Clear(); }

  std::string DataSetFileName;
  bool DataSetIsMix = false;
  int32_t ControlCount = 0;
  int32_t Length = 0;
  int32_t Climb = 0;
  int32_t CutOffRank = 0;

  std::string ClassInfo() const;
  // A class by name or by 1-based position; failures are ignored.
  void AddClass(const std::string& ClassID);
  void AddClass(int32_t ClassID);
  // A runner with an empty Result is not added.
  void AddLap(std::shared_ptr<clsLapData> LapObject);
  void AddCourse(int32_t CourseNum);
  void Clear();

  int32_t Count() const;
  // 1-based position in the selection; nullptr for a bad index.
  std::shared_ptr<clsLapData> Item(int32_t Index) const;
  std::string RankInDataSet(int32_t Index) const;
  void CalcRank();
  bool RankIsAvalilable() const { return rank_is_available_; }
  int32_t FullSetCount() const;
  std::shared_ptr<clsLapData> FullSetItem(int32_t Index) const;

  const std::string& DataSetName() const { return data_set_name_; }
  void DataSetName(const std::string& value);

  void SelectItem(int32_t SerialNum);
  void SelectAll();
  void SelectNone();

 private:
  CclsSort full_set_;
  CclsSort selection_;
  std::string data_set_name_;
  bool rank_is_available_ = false;
};

}  // namespace quorvex2
