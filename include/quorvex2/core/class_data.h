#pragma once
// One competition class: course parameters and its runners in order.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "quorvex2/core/lap_data.h"
#include "quorvex2/core/load_mode.h"
#include "quorvex2/core/types.h"

namespace quorvex2 {

class clsClassData {
 public:
  int32_t ControlCount = 0;
  int32_t CourseNum = 0;
  int32_t Length = 0;  // metres
  int32_t Climb = 0;   // metres
  int32_t CutOffRank = 0;

  const std::string& ClassName() const { return class_name_; }
  // Sets the name and recomputes FileName from it (root object only).
  void SetClassName(const std::string& value, detail::Internal);

  const std::string& FileName() const { return file_name_; }
  void FileName(const std::string& value);

  // "4200m ↑180m", "4200m", or "" when Length is 0.
  std::string ClassInfo() const;

  // Offers a loaded record: appends it (true) or merges it into a matching runner / drops it
  // (false) under the load mode.
  bool AddLapObject(std::shared_ptr<clsLapData>& LapObject, int32_t LapFileLoadMode = 0);
  std::shared_ptr<clsLapData> AddLap();
  void RemoveLap(int32_t Index);
  void ClearLap();
  // 1-based; nullptr for an invalid index.
  std::shared_ptr<clsLapData> LapData(int32_t Index) const;
  int32_t LapCount() const { return static_cast<int32_t>(laps_.size()); }
  void SortLap();

 private:
  // The name key of a runner name, remembered with the name it was made from so that a changed
  // RunnerName is noticed; kept beside laps_ by position, rebuilt where it is out of step. The
  // swapped key is that of the family and given name the other way round, when the file gave
  // them apart ("" otherwise).
  struct NameKeyCache {
    std::string name;
    std::string key;
    std::string swapped;
  };

  std::shared_ptr<clsLapData> FindMatch(const clsLapData& incoming, int32_t base_mode) const;
  std::shared_ptr<clsLapData> FindByID(int32_t id) const;
  std::shared_ptr<clsLapData> FindByName(const clsLapData& incoming) const;
  bool Append(const std::shared_ptr<clsLapData>& lap);

  std::string class_name_;
  std::string file_name_;
  std::vector<std::shared_ptr<clsLapData>> laps_;
  mutable std::vector<NameKeyCache> name_keys_;
};

}  // namespace quorvex2
