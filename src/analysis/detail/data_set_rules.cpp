#include "analysis/detail/data_set_rules.h"

#include "core/detail/component_state.h"
#include "quorvex2/core/path.h"
#include "quorvex2/core/root.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {

std::shared_ptr<clsClassData> FindDataSetClass(int32_t ClassID) {
  const clsQuorvex2* root = CurrentRoot();
  if (!root || ClassID < 1 || ClassID > root->ClassCount()) return nullptr;
  return root->ClassData(ClassID);
}

std::shared_ptr<clsClassData> FindDataSetClass(const std::string& ClassID) {
  const clsQuorvex2* root = CurrentRoot();
  if (!root || !root->IsClassExists(ClassID)) return nullptr;
  return root->ClassData(ClassID);
}

std::vector<std::string> ClassesOfCourse(int32_t CourseNum) {
  std::vector<std::string> names;
  const clsQuorvex2* root = CurrentRoot();
  if (!root) return names;
  for (int32_t i = 1; i <= root->ClassCount(); ++i) {
    const std::shared_ptr<clsClassData> cls = root->ClassData(i);
    if (cls && cls->CourseNum == CourseNum) names.push_back(cls->ClassName());
  }
  return names;
}

std::string DataSetClassInfo(int32_t Length, int32_t Climb) {
  // A class describes its course the same way; let it build the text.
  clsClassData course;
  course.Length = Length;
  course.Climb = Climb;
  return course.ClassInfo();
}

std::string DataSetFileNameOf(const std::string& name) {
  return MakeSafeFileName(ToLower(ToNarrow(name)));
}

}  // namespace quorvex2::detail
