#pragma once
// How a data set (an analyzer or a results holder) is named and filled from the classes and
// courses of the current root object. Both kinds of data set follow the same rules, written once
// here; a DataSet has the public fields DataSetFileName, DataSetIsMix, ControlCount, Length,
// Climb, CutOffRank and an AddLap(std::shared_ptr<clsLapData>) member.
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "quorvex2/core/class_data.h"

namespace quorvex2::detail {

// The class of the current root by 1-based position or by name; nullptr when there is no root,
// no such class, or the position is outside 1..ClassCount.
std::shared_ptr<clsClassData> FindDataSetClass(int32_t ClassID);
std::shared_ptr<clsClassData> FindDataSetClass(const std::string& ClassID);

// The names of the current root's classes, in class order, that run course CourseNum.
std::vector<std::string> ClassesOfCourse(int32_t CourseNum);

// "4200m ↑180m", "4200m" or "" when Length is 0, exactly as a class describes its course.
std::string DataSetClassInfo(int32_t Length, int32_t Climb);

// The half-width lower-case file-name-safe form of a data set name.
std::string DataSetFileNameOf(const std::string& name);

// The first class names the data set; every further class joins its name and file name and makes
// the set a mix without a cut-off rank.
template <class DataSet>
void NameAfterClass(DataSet& set, std::string& name, const clsClassData& cls) {
  if (name.empty()) {
    name = cls.ClassName();
    set.DataSetFileName = cls.FileName();
    set.CutOffRank = cls.CutOffRank;
    return;
  }
  name += "/" + cls.ClassName();
  set.DataSetFileName += "_" + cls.FileName();
  set.DataSetIsMix = true;
  set.CutOffRank = 0;
}

// The last class with a nonzero figure wins.
template <class DataSet>
void TakeCourseFigures(DataSet& set, const clsClassData& cls) {
  if (cls.ControlCount != 0) set.ControlCount = cls.ControlCount;
  if (cls.Length != 0) set.Length = cls.Length;
  if (cls.Climb != 0) set.Climb = cls.Climb;
}

// Adds every runner of the class; a runner that fails to enter is skipped, never reported.
template <class DataSet>
void AddClassTo(DataSet& set, std::string& name, const std::shared_ptr<clsClassData>& cls) {
  if (!cls) return;
  NameAfterClass(set, name, *cls);
  for (int32_t i = 1; i <= cls->LapCount(); ++i) {
    try {
      set.AddLap(cls->LapData(i));
    } catch (const std::exception&) {
    }
  }
  TakeCourseFigures(set, *cls);
}

template <class DataSet>
void AddCourseTo(DataSet& set, int32_t CourseNum) {
  if (CourseNum <= 0) return;
  for (const std::string& class_name : ClassesOfCourse(CourseNum)) set.AddClass(class_name);
}

// A name given by the host: the file name follows it and the set counts as a mix.
template <class DataSet>
void NameDataSet(DataSet& set, std::string& name, const std::string& value) {
  name = value;
  set.DataSetFileName = DataSetFileNameOf(value);
  set.DataSetIsMix = true;
}

// The empty data set: no name, no course figures, not a mix. The cut-off rank stays.
template <class DataSet>
void ClearDataSet(DataSet& set, std::string& name) {
  set.ControlCount = 0;
  set.Length = 0;
  set.Climb = 0;
  name.clear();
  set.DataSetFileName.clear();
  set.DataSetIsMix = false;
}

}  // namespace quorvex2::detail
