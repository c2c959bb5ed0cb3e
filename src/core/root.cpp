#include "quorvex2/core/root.h"

#include <algorithm>
#include <stdexcept>

#include "core/detail/component_state.h"
#include "core/detail/internal.h"
#include "quorvex2/chart/graphic_control.h"
#include "quorvex2/core/language.h"
#include "quorvex2/core/version.h"
#include "quorvex2/export/text_control.h"
#include "quorvex2/files/file_control.h"
#include "quorvex2/html/html_control.h"
#include "quorvex2/platform/config_control.h"

namespace quorvex2 {
namespace {

std::string CourseKey(int32_t CourseIndex) {
  return std::to_string(CourseIndex);
}

template <class T>
int32_t PositionOf(const std::vector<std::shared_ptr<T>>& items, const std::shared_ptr<T>& item) {
  const auto at = std::find(items.begin(), items.end(), item);
  return at == items.end() ? -1 : static_cast<int32_t>(at - items.begin());
}

template <class T>
std::shared_ptr<T> AtPosition(const std::vector<std::shared_ptr<T>>& items, int32_t position) {
  if (position < 1 || position > static_cast<int32_t>(items.size())) return nullptr;
  return items[static_cast<size_t>(position - 1)];
}

template <class T>
std::shared_ptr<T> ByKey(const std::unordered_map<std::string, std::shared_ptr<T>>& index,
                         const std::string& key) {
  const auto found = index.find(key);
  return found == index.end() ? nullptr : found->second;
}

}  // namespace

clsQuorvex2::clsQuorvex2() {
  auto& state = detail::State();
  older_root_ = state.newest_root;
  if (older_root_ != nullptr) older_root_->newer_root_ = this;
  state.newest_root = this;
  state.current_root = this;
  file_control_ = std::make_shared<clsFileControl>();
  graphic_control_ = std::make_shared<clsGraphicControl>();
  html_control_ = std::make_shared<clsHtmlControl>();
  text_control_ = std::make_shared<clsTextControl>();
  config_control_ = std::make_shared<clsConfigControl>();
  Clear();
}

// The root made before it becomes current again, so that a host may make and drop a root of
// its own beside the one it works with.
clsQuorvex2::~clsQuorvex2() {
  auto& state = detail::State();
  if (older_root_ != nullptr) older_root_->newer_root_ = newer_root_;
  if (newer_root_ != nullptr) newer_root_->older_root_ = older_root_;
  if (state.newest_root == this) state.newest_root = older_root_;
  if (state.current_root == this) state.current_root = state.newest_root;
}

void clsQuorvex2::Language(const std::string& Value) {
  if (!IsLanguageAvailable(Value)) {
    throw std::invalid_argument("no message catalogue for the language \"" + Value + "\"");
  }
  language_ = Value;
}

std::string clsQuorvex2::ErrorComment() const {
  return detail::State().error_comment;
}

// ---- classes

int32_t clsQuorvex2::ClassPosition(const std::string& name) const {
  return PositionOf(classes_, ByKey(class_index_, name));
}

std::shared_ptr<clsClassData> clsQuorvex2::AddClass(const std::string& ClassName) {
  if (auto existing = ByKey(class_index_, ClassName)) return existing;
  auto added = std::make_shared<clsClassData>();
  added->SetClassName(ClassName, detail::MakeInternal());
  classes_.push_back(added);
  class_index_.emplace(ClassName, added);
  return added;
}

bool clsQuorvex2::AddExistingClass(std::shared_ptr<clsClassData> ClassObject, detail::Internal) {
  if (!ClassObject || class_index_.count(ClassObject->ClassName()) != 0) return false;
  class_index_.emplace(ClassObject->ClassName(), ClassObject);
  classes_.push_back(std::move(ClassObject));
  return true;
}

void clsQuorvex2::RemoveClass(const std::string& ClassName) {
  const int32_t position = ClassPosition(ClassName);
  if (position < 0) return;
  classes_.erase(classes_.begin() + position);
  class_index_.erase(ClassName);
}

bool clsQuorvex2::RenameClass(const std::string& OldName, const std::string& NewName) {
  const std::shared_ptr<clsClassData> renamed = ByKey(class_index_, OldName);
  if (!renamed) return false;
  const std::shared_ptr<clsClassData> holder = ByKey(class_index_, NewName);
  if (holder && holder != renamed) return false;
  class_index_.erase(OldName);
  renamed->SetClassName(NewName, detail::MakeInternal());
  class_index_.emplace(NewName, renamed);
  for (int32_t i = 1; i <= renamed->LapCount(); ++i) {
    renamed->LapData(i)->SetClassName(NewName, detail::MakeInternal());
  }
  return true;
}

std::shared_ptr<clsClassData> clsQuorvex2::ClassData(const std::string& ClassID) const {
  return ByKey(class_index_, ClassID);
}

std::shared_ptr<clsClassData> clsQuorvex2::ClassData(int32_t ClassID) const {
  return AtPosition(classes_, ClassID);
}

int32_t clsQuorvex2::ClassCount() const {
  return static_cast<int32_t>(classes_.size());
}

bool clsQuorvex2::IsClassExists(const std::string& ClassName) const {
  return class_index_.count(ClassName) != 0;
}

void clsQuorvex2::SortLap() {
  for (const auto& cls : classes_) cls->SortLap();
}

// ---- courses

int32_t clsQuorvex2::CoursePosition(const std::string& key) const {
  return PositionOf(courses_, ByKey(course_index_, key));
}

std::shared_ptr<clsCourseData> clsQuorvex2::AddCourse(int32_t CourseIndex) {
  if (auto existing = ByKey(course_index_, CourseKey(CourseIndex))) return existing;
  auto added = std::make_shared<clsCourseData>();
  added->CourseIndex = CourseIndex;
  courses_.push_back(added);
  course_index_.emplace(CourseKey(CourseIndex), added);
  return added;
}

bool clsQuorvex2::AddExistingCourse(std::shared_ptr<clsCourseData> CourseObject, detail::Internal) {
  if (!CourseObject) return false;
  const std::string key = CourseKey(CourseObject->CourseIndex);
  if (course_index_.count(key) != 0) return false;
  course_index_.emplace(key, CourseObject);
  courses_.push_back(std::move(CourseObject));
  return true;
}

void clsQuorvex2::RemoveCourse(int32_t CourseIndex) {
  const std::string key = CourseKey(CourseIndex);
  const int32_t position = CoursePosition(key);
  if (position < 0) return;
  courses_.erase(courses_.begin() + position);
  course_index_.erase(key);
}

std::shared_ptr<clsCourseData> clsQuorvex2::CourseData(const std::string& CourseID) const {
  return ByKey(course_index_, CourseID);
}

std::shared_ptr<clsCourseData> clsQuorvex2::CourseData(int32_t CourseID) const {
  return AtPosition(courses_, CourseID);
}

int32_t clsQuorvex2::CourseCount() const {
  return static_cast<int32_t>(courses_.size());
}

void clsQuorvex2::ClearCourse() {
  courses_.clear();
  course_index_.clear();
  segments_.clear();
}

bool clsQuorvex2::IsCourseExists(int32_t CourseIndex) const {
  return course_index_.count(CourseKey(CourseIndex)) != 0;
}

// ---- segments

std::shared_ptr<clsSegmentData> clsQuorvex2::SegmentData(int32_t Index) const {
  if (Index < 1 || Index > SegmentCount()) {
    throw std::out_of_range("clsQuorvex2.SegmentData: index " + std::to_string(Index) +
                            " outside 1.." + std::to_string(SegmentCount()));
  }
  return segments_[static_cast<size_t>(Index - 1)];
}

int32_t clsQuorvex2::SegmentCount() const {
  return static_cast<int32_t>(segments_.size());
}

// ---- the whole event

void clsQuorvex2::Clear() {
  detail::State().serial_counter = 0;
  classes_.clear();
  class_index_.clear();
  ClearCourse();
  lettered_codes_.clear();
  event_data_ = std::make_shared<clsEventData>();
  meta_data_ = std::make_shared<clsMetaData>();
  FileName.clear();
  FileDate = 0;
}

std::string clsQuorvex2::Version(bool WithTestBuild) const {
  return VersionText(WithTestBuild);
}

}  // namespace quorvex2
