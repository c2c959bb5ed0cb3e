#pragma once
// The root object: one loaded event (header, metadata, classes, courses, segments) and the
// service objects through which the host reaches every other function of the component.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "quorvex2/core/class_data.h"
#include "quorvex2/core/course_data.h"
#include "quorvex2/core/event_data.h"
#include "quorvex2/core/field.h"
#include "quorvex2/core/segment_data.h"
#include "quorvex2/core/types.h"

namespace quorvex2 {

class clsAnalyzer;
class clsResultsHolder;
class clsFileControl;
class clsGraphicControl;
class clsHtmlControl;
class clsTextControl;
class clsConfigControl;

class clsQuorvex2 {
 public:
  // Becomes the current root of this thread, creates the service objects, then clears itself.
  clsQuorvex2();
  ~clsQuorvex2();
  clsQuorvex2(const clsQuorvex2&) = delete;
  clsQuorvex2& operator=(const clsQuorvex2&) = delete;

  // The lap file held and its date: "" and 0 after Clear.
  Field<std::string> FileName;
  Field<Date> FileDate;

  // The component-wide error comment left by the last failing file operation.
  std::string ErrorComment() const;
  std::shared_ptr<clsAnalyzer> NewAnalyzer() const;
  std::shared_ptr<clsResultsHolder> NewResultsHolder() const;

  std::shared_ptr<clsEventData> EventData() const { return event_data_; }
  std::shared_ptr<clsMetaData> MetaData() const { return meta_data_; }
  std::shared_ptr<clsFileControl> FileControl() const { return file_control_; }
  std::shared_ptr<clsGraphicControl> GraphicControl() const { return graphic_control_; }
  std::shared_ptr<clsHtmlControl> HtmlControl() const { return html_control_; }
  std::shared_ptr<clsTextControl> TextControl() const { return text_control_; }
  std::shared_ptr<clsConfigControl> ConfigControl() const { return config_control_; }

  std::shared_ptr<clsClassData> AddClass(const std::string& ClassName);
  void RemoveClass(const std::string& ClassName);
  // Refused (false, nothing changed) when NewName is taken by another class; true when renamed.
  bool RenameClass(const std::string& OldName, const std::string& NewName);
  // By name, or by 1-based position; nullptr when unknown.
  std::shared_ptr<clsClassData> ClassData(const std::string& ClassID) const;
  std::shared_ptr<clsClassData> ClassData(int32_t ClassID) const;
  int32_t ClassCount() const;
  bool IsClassExists(const std::string& ClassName) const;

  std::shared_ptr<clsCourseData> AddCourse(int32_t CourseIndex);
  void RemoveCourse(int32_t CourseIndex);
  // By the decimal text of the course number, or by 1-based position; nullptr when unknown.
  std::shared_ptr<clsCourseData> CourseData(const std::string& CourseID) const;
  std::shared_ptr<clsCourseData> CourseData(int32_t CourseID) const;
  int32_t CourseCount() const;
  void ClearCourse();
  bool IsCourseExists(int32_t CourseIndex) const;

  // Entries "i,,Name,file,count" per class, then ",course,A/B,a_b,count" per shared course.
  std::vector<std::string> ClassAndCourseList() const;
  void SeparateClassAndCourseValue(const std::string& Expression, std::string* ValueName = nullptr,
                                   int32_t* ClassIndex = nullptr, int32_t* CourseNum = nullptr,
                                   std::string* FileName = nullptr,
                                   int32_t* RunnerCount = nullptr) const;

  void SortLap();
  // std::out_of_range (registry unchanged) for a position above ClassCount.
  void SortClass(const std::string& OrderExpression);

  // 1-based; std::out_of_range outside 1..SegmentCount.
  std::shared_ptr<clsSegmentData> SegmentData(int32_t Index) const;
  int32_t SegmentCount() const;
  void MakeSegmentSet();

  void Clear();
  std::string Version(bool WithTestBuild = true) const;

  // The language of the texts the outputs write (reports, pages, charts, grid, printed pages)
  // and of the error comments: "ja" (the default) or another of AvailableLanguages()
  // (<quorvex2/core/language.h>). Any other value throws std::invalid_argument. The outputs and
  // loads reach the event through the current root (the newest on the thread), and so write in
  // its language: with two roots alive, set the same language on both.
  const std::string& Language() const { return language_; }
  void Language(const std::string& Value);

  // Host callbacks standing in for the platform's dialogs. ShowMessage receives messages the
  // component would show in a message box (without it they go to the error comment);
  // ChooseArchiveMember picks one of several lap files in an archive and returns its name, or
  // "" to cancel (without it the choice is cancelled). Of an archive of other result files
  // (XML, CSV, web pages, texts) it is offered every one, the likeliest kind first, and "" takes
  // the likeliest when that is a single file.
  std::function<void(const std::string& message)> ShowMessage;
  std::function<std::string(const std::vector<std::string>& members)> ChooseArchiveMember;
  // The member of an archive the host wants loaded, by its path in the archive or its file name,
  // of any kind the component reads ("" lets the component take the lap file as above). An
  // archive without a member of that name fails to load, with the location
  // clsFileControl.ArchiveMember in the error comment.
  std::string ArchiveMember;

  // Component-internal: loaders add objects they built; false when the key is taken.
  bool AddExistingClass(std::shared_ptr<clsClassData> ClassObject, detail::Internal);
  bool AddExistingCourse(std::shared_ptr<clsCourseData> CourseObject, detail::Internal);
  // Component-internal: the numbers the loads into this event gave control codes with letters
  // ("M31" = 9000), so that a file loaded onto the event gives the same code the same number.
  std::unordered_map<std::string, int32_t>& LetteredCodes(detail::Internal) {
    return lettered_codes_;
  }

 private:
  // 0-based place of the registered class of that name / course of that key; -1 when unknown.
  int32_t ClassPosition(const std::string& name) const;
  int32_t CoursePosition(const std::string& key) const;

  std::shared_ptr<clsEventData> event_data_;
  std::shared_ptr<clsMetaData> meta_data_;
  // The registries in order, each with an index by key (class name; decimal course number).
  std::vector<std::shared_ptr<clsClassData>> classes_;
  std::unordered_map<std::string, std::shared_ptr<clsClassData>> class_index_;
  std::vector<std::shared_ptr<clsCourseData>> courses_;
  std::unordered_map<std::string, std::shared_ptr<clsCourseData>> course_index_;
  std::vector<std::shared_ptr<clsSegmentData>> segments_;
  std::unordered_map<std::string, int32_t> lettered_codes_;
  std::shared_ptr<clsFileControl> file_control_;
  std::shared_ptr<clsGraphicControl> graphic_control_;
  std::shared_ptr<clsHtmlControl> html_control_;
  std::shared_ptr<clsTextControl> text_control_;
  std::shared_ptr<clsConfigControl> config_control_;
  std::string language_ = "ja";
  // This thread's live roots, linked from the newest to the oldest (the current root falls back
  // to the one made before it).
  clsQuorvex2* older_root_ = nullptr;
  clsQuorvex2* newer_root_ = nullptr;
};

}  // namespace quorvex2
