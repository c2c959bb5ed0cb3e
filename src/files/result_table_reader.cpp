#include "files/result_table_reader.h"

#include <exception>
#include <optional>

#include "core/detail/component_state.h"
#include "core/detail/fill_in.h"
#include "files/csv_table_lines.h"
#include "files/detail/file_error.h"
#include "files/detail/load_error.h"
#include "files/detail/omission_report.h"
#include "files/detail/progress.h"
#include "files/table_fields.h"
#include "quorvex2/core/load_mode.h"
#include "quorvex2/core/root.h"

namespace quorvex2::detail {
namespace {

std::string JoinedNotes(const std::vector<std::string>& notes) {
  std::string text;
  for (const std::string& note : notes) text += "\r\n" + note;
  return text;
}

bool Load(const ReadRequest& request, const TableFormat& format, clsQuorvex2& root) {
  const std::optional<std::vector<std::string>> lines = TableLines(request);
  if (!lines)
    return FailRead(request, format.location, FileReadErrorDescription(request.file_name));
  request.progress->Start();
  ResultTable table = format.gather(NonEmptyLines(*lines));
  request.progress->Step(1, 2);
  if (table.RunnerCount() == 0) {
    return FailRead(request, format.location,
                    FillIn(Tr("選手が見つかりません: {expected}が必要です"),
                           {{"expected", Tr(format.expected)}}));
  }
  // A list of runners merges into those held; any other load needs someone who ran.
  if ((request.load_mode & 4095) < QX_LOADMODE_MERGE_ID && !table.AnyRunnerRan()) {
    return FailRead(request, format.location,
                    FillIn(Tr("タイムかパンチのある選手がいません (スタートリストでしょうか): "
                              "{expected}が必要です"),
                           {{"expected", Tr(format.expected)}}));
  }
  if (PlaceResultTable(root, table, request.load_mode) == 0) {
    return FailRead(request, format.location,
                    Tr("何も読み込めませんでした:") + JoinedNotes(table.notes));
  }
  if (root.CourseCount() > 0) root.MakeSegmentSet();
  if (root.EventData()->EventName.empty()) root.EventData()->EventName = kUnnamed;
  ReportOmissions(format.location, table.notes, table.remarks);
  request.progress->Finish();
  return true;
}

}  // namespace

bool LoadResultTable(const ReadRequest& request, const TableFormat& format) {
  clsQuorvex2* root = CurrentRoot();
  if (root == nullptr) return false;
  try {
    return Load(request, format, *root);
  } catch (const std::exception& error) {
    return FailRead(request, format.location, error.what());
  }
}

std::vector<std::string> HeadLines(std::string_view head_text, size_t count) {
  std::vector<std::string> lines = NonEmptyLines(SplitText(std::string(head_text), "\r\n"));
  if (lines.size() > count) lines.resize(count);
  return lines;
}

}  // namespace quorvex2::detail
