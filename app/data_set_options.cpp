#include "data_set_options.h"

#include <algorithm>
#include <charconv>
#include <iostream>
#include <optional>

#include <quorvex2/core/segment_data.h>

#include "command_registry.h"
#include "messages.h"
#include "usage_error.h"

namespace qxcli {
namespace {

// A --class value made of digits only is a 1-based position.
std::optional<int32_t> ClassPosition(const std::string& id) {
  if (id.empty() || !std::all_of(id.begin(), id.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  int32_t position = 0;
  const auto [end, error] = std::from_chars(id.data(), id.data() + id.size(), position);
  return error == std::errc() ? position : 0;  // too large: no such position
}

void CheckClass(const quorvex2::clsQuorvex2& root, const std::string& id) {
  if (const auto position = ClassPosition(id)) {
    if (*position >= 1 && *position <= root.ClassCount()) return;
    throw ExitError(2, text::ClassPositionOutOfRange(id, root.ClassCount()));
  }
  if (root.IsClassExists(id)) return;
  constexpr int32_t kNamesShown = 20;
  std::string names;
  for (int32_t i = 1; i <= std::min(root.ClassCount(), kNamesShown); ++i) {
    names += (i > 1 ? ", " : "") + root.ClassData(i)->ClassName();
  }
  if (root.ClassCount() > kNamesShown) names += ", ...";
  throw ExitError(2, text::NoSuchClass(id, names));
}

void CheckCourse(const quorvex2::clsQuorvex2& root, int32_t course) {
  for (int32_t i = 1; i <= root.ClassCount(); ++i) {
    if (root.ClassData(i)->CourseNum == course) return;
  }
  throw ExitError(2, text::NoClassOnCourse(course));
}

std::shared_ptr<quorvex2::clsSegmentData> FindSegment(const quorvex2::clsQuorvex2& root,
                                                      const std::string& name) {
  for (int32_t i = 1; i <= root.SegmentCount(); ++i) {
    if (root.SegmentData(i)->SegmentName() == name) return root.SegmentData(i);
  }
  throw ExitError(2, text::NoSuchSegment(name));
}

// Classes or a course into an analyzer or a results holder (both take them the same way).
template <class DataSet>
void AddRunners(DataSet& data_set, const quorvex2::clsQuorvex2& root,
                const DataSetOptions& options) {
  if (options.course != 0) {
    CheckCourse(root, options.course);
    data_set.AddCourse(options.course);
    return;
  }
  for (const std::string& id : options.classes) {
    CheckClass(root, id);
    if (const auto position = ClassPosition(id)) {
      data_set.AddClass(*position);
    } else {
      data_set.AddClass(id);
    }
  }
  if (options.classes.empty() && root.ClassCount() > 0) data_set.AddClass(1);
}

}  // namespace

void AddDataSetOptions(CLI::App& sub, DataSetOptions& options) {
  auto* classes = sub.add_option("--class", options.classes,
                                 "Class by name or 1-based position (repeatable); default: the "
                                 "first class");
  auto* course = sub.add_option("--course", options.course, "Every class that runs course N")
                     ->check(AtLeast(1));
  auto* segment = sub.add_option("--segment", options.segment, "The runners of a segment");
  sub.add_option("--sex", options.sex, "Only the runners of that sex (with --segment)")
      ->needs(segment);
  classes->excludes(course)->excludes(segment);
  course->excludes(segment);
  sub.add_flag("--extra", options.extra, "Also run the half cruise speeds and leg difficulty");
  sub.add_flag("--tovarine", options.tovarine, "Also compute the X/Y map");
}

std::shared_ptr<quorvex2::clsAnalyzer> BuildAnalyzer(const quorvex2::clsQuorvex2& root,
                                                     const DataSetOptions& options) {
  std::shared_ptr<quorvex2::clsAnalyzer> analyzer;
  if (!options.segment.empty()) {
    analyzer = FindSegment(root, options.segment)->Analyzer(options.sex);
  } else {
    analyzer = root.NewAnalyzer();
    AddRunners(*analyzer, root, options);
  }
  analyzer->Execute();
  if (options.extra) analyzer->ExtraAnalyze();
  if (options.tovarine) analyzer->Tovarine();
  if (analyzer->IsTovarineOmitted()) {
    std::cerr << text::NoXyMap(analyzer->DataSetName(), quorvex2::clsAnalyzer::kMaxTovarineRunners)
              << "\n";
  }
  return analyzer;
}

std::shared_ptr<quorvex2::clsResultsHolder> BuildResultsHolder(const quorvex2::clsQuorvex2& root,
                                                               const DataSetOptions& options) {
  std::shared_ptr<quorvex2::clsResultsHolder> holder;
  if (!options.segment.empty()) {
    holder = FindSegment(root, options.segment)->ResultsHolder(options.sex);
  } else {
    holder = root.NewResultsHolder();
    AddRunners(*holder, root, options);
  }
  holder->CalcRank();
  return holder;
}

}  // namespace qxcli
