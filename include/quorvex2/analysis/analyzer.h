#pragma once
// The unit of split analysis: a data set of runners (classes, a course, single records) and
// the analysis run on it.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "quorvex2/analysis/analyzed_general_data.h"
#include "quorvex2/analysis/analyzed_runner_data.h"
#include "quorvex2/core/lap_data.h"

namespace quorvex2 {

class clsAnalyzer {
 public:
  clsAnalyzer() { Clear(); }

  std::string DataSetFileName;
  bool DataSetIsMix = false;
  int32_t ControlCount = 0;
  int32_t Length = 0;
  int32_t Climb = 0;
  int32_t CutOffRank = 0;

  bool IsExecuted() const { return is_executed_; }
  std::string ClassInfo() const;
  // std::out_of_range (nothing added) for a record with more legs than the arrays hold.
  void AddLap(std::shared_ptr<clsLapData> LapObject);
  // A class by name or 1-based position; every failure is ignored.
  void AddClass(const std::string& ClassID);
  void AddClass(int32_t ClassID);
  void AddCourse(int32_t CourseNum);
  void Clear();

  int32_t Count() const { return static_cast<int32_t>(selection_.size()); }
  // 1-based; nullptr for a bad index.
  std::shared_ptr<clsAnalyzedRunnerData> Item(int32_t Index) const;
  int32_t FullSetCount() const { return static_cast<int32_t>(full_set_.size()); }
  std::shared_ptr<clsAnalyzedRunnerData> FullSetItem(int32_t Index) const;
  std::shared_ptr<clsAnalyzedGeneralData> GeneralData() const { return general_data_; }

  const std::string& DataSetName() const { return data_set_name_; }
  void DataSetName(const std::string& value);

  void Execute();
  void ExtraAnalyze();
  void Tovarine();
  // The X/Y map holds an n x n matrix of the runners with a time: a data set with more of them
  // gets no map (every runner at (0, 0)) and IsTovarineOmitted() is true until the next
  // Tovarine().
  static constexpr int32_t kMaxTovarineRunners = 6000;
  bool IsTovarineOmitted() const { return tovarine_omitted_; }

  void SelectItem(int32_t SerialNum);
  void SelectSort();
  void SelectAll();
  void SelectNone();

 private:
  std::vector<std::shared_ptr<clsAnalyzedRunnerData>> full_set_;
  std::vector<std::shared_ptr<clsAnalyzedRunnerData>> selection_;
  std::shared_ptr<clsAnalyzedGeneralData> general_data_;
  std::string data_set_name_;
  bool is_executed_ = false;
  bool tovarine_omitted_ = false;
};

}  // namespace quorvex2
