// The web site generator: every page of every class entry, then the index.
#include "html/detail/site_generator.h"

#include <algorithm>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "core/detail/atomic_file.h"
#include "core/detail/class_and_course_entries.h"
#include "core/detail/component_state.h"
#include "core/detail/declared_encoding.h"
#include "core/detail/localized_text.h"
#include "core/detail/run_in_order.h"
#include "html/detail/chart_images.h"
#include "html/detail/index_block.h"
#include "html/detail/page_parts.h"
#include "html/detail/shown_charts.h"
#include "html/detail/site_entry.h"
#include "html/detail/site_file_names.h"
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/analysis/results_holder.h"
#include "quorvex2/chart/chart_object.h"
#include "quorvex2/core/encoding.h"
#include "quorvex2/core/path.h"
#include "quorvex2/core/root.h"
#include "quorvex2/core/text.h"
#include "quorvex2/files/file_control.h"
#include "quorvex2/html/html_control.h"

namespace quorvex2::detail {

namespace {

std::string Folder(const std::string& folder) {
  if (folder.empty() || folder.back() == '/' || folder.back() == '\\') return folder;
  return folder + "/";
}

uint64_t Seed(const std::string& text) {
  uint64_t hash = 1469598103934665603ull;  // FNV-1a
  for (unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
  return hash;
}

class SiteWriter {
 public:
  SiteWriter(const SiteRequest& request, clsQuorvex2& root)
      : r_(request), root_(root), folder_(Folder(request.OutputFolder)) {
    charts_ = !r_.ChartFile.empty() && PngOutputAvailable();
  }

  // The pages of the entries are made side by side (ThreadCount threads) and written in entry
  // order, so that a file that cannot be written stops the run with nothing after it written; the
  // lap file copies and the index follow. The files are renamed into place without a sync each,
  // and synced together at the end. They are the same whatever the number of threads.
  bool Write(const EntryProgress& progress) {
    std::vector<SiteEntry> entries = Entries();
    SettleTrailingSkips();
    const DeferredSync deferred;
    const bool written = RunInOrder(
        entries.size(), ThreadCount(), [&](size_t i) { return MakeEntry(entries[i]); },
        [&](size_t i) {
          if (!WriteFiles(entries[i].files)) return false;
          if (entries[i].HasPages()) entries_.push_back(entries[i]);
          if (progress) progress(i + 1, entries.size());
          return true;
        });
    return written && WriteLapFiles() && WriteViewerPage() && WriteIndex() &&
           SyncFileSystem(folder_.empty() ? "." : folder_);
  }

 private:
  std::string Encoded(const std::string& text) const {
    return NamesShiftJis(ToUpper(r_.Encoding)) ? Utf8ToSjisHtml(text) : text;
  }

  bool WriteText(const std::string& name, const std::string& text) {
    return WriteFileAtomically(folder_ + name, Encoded(text));
  }

  // Writes the files in order, each let go once written; false at the first page that cannot be.
  static bool WriteFiles(std::vector<SiteFile>& files) {
    for (SiteFile& file : files) {
      if (!WriteFileAtomically(file.path, file.bytes) && file.checked) return false;
      file = {};
    }
    files.clear();
    return true;
  }

  // The page name for the entry, or "" when that kind of page is not written for it.
  std::string PageName(const SiteEntry& entry, const std::string& pattern,
                       bool include_course) const {
    if (pattern.empty() || (entry.class_index == 0 && !include_course)) return "";
    return ReplaceAll(pattern, "*", entry.file_name);
  }

  // Every class entry with the names of its pages.
  std::vector<SiteEntry> Entries() const {
    const auto list = detail::ClassAndCourseEntries(root_);
    std::vector<std::string> list_file_names;
    for (const auto& item : list) list_file_names.push_back(item.file_name);
    const std::vector<std::string> file_names = SiteFileNames(list_file_names, r_);
    std::vector<SiteEntry> entries(list.size());
    for (size_t i = 0; i < list.size(); ++i) {
      SiteEntry& entry = entries[i];
      static_cast<ClassAndCourseEntry&>(entry) = list[i];
      entry.file_name = file_names[i];
      entry.result_page = PageName(entry, r_.ResultFile, r_.ResultIncludeCourse);
      entry.analysis_page = PageName(entry, r_.AnalysisFile, r_.AnalysisIncludeCourse);
      entry.leg_data_page = PageName(entry, r_.LegDataFile, r_.LegDataIncludeCourse);
      entry.chart_page = charts_ ? PageName(entry, r_.ChartFile, r_.ChartIncludeCourse) : "";
    }
    return entries;
  }

  // Taking a runner into an analysis turns his trailing skipped legs into no data in his own
  // record, the one write of an analysis into the event. Done for every class here, so that the
  // entries analysed side by side only read the event.
  void SettleTrailingSkips() const {
    for (int32_t i = 1; i <= root_.ClassCount(); ++i) root_.NewAnalyzer()->AddClass(i);
  }

  unsigned ThreadCount() const {
    return r_.Threads > 0 ? static_cast<unsigned>(r_.Threads) : std::thread::hardware_concurrency();
  }

  // The pages of one entry, made on a thread of the pool that works for this root; they are
  // written later, in entry order.
  bool MakeEntry(SiteEntry& entry) {
    State().current_root = &root_;
    if (!entry.HasPages()) return true;
    auto results = Results(entry);
    entry.class_info = results->ClassInfo();
    entry.winner = Winner(*results);
    auto analyzer = Analyzer(entry);
    auto html = root_.HtmlControl();
    const auto add = [&](const std::string& page, const std::function<std::string()>& text) {
      if (!page.empty()) entry.files.push_back({folder_ + page, Encoded(text())});
    };
    add(entry.result_page,
        [&] { return html->OutputResult(results, "", r_.LinkStyleFile, r_.Encoding); });
    add(entry.analysis_page,
        [&] { return html->OutputAnalysis(analyzer, r_.LinkStyleFile, r_.Encoding); });
    add(entry.leg_data_page,
        [&] { return html->OutputLegData(analyzer, r_.LinkStyleFile, r_.Encoding); });
    return entry.chart_page.empty() || MakeChartPage(entry, analyzer);
  }

  bool MakeChartPage(SiteEntry& entry, const std::shared_ptr<clsAnalyzer>& analyzer) {
    // The X/Y map's picture shows the map: it is worked out when the picture is drawn.
    if (std::ranges::count(DrawnCharts(*analyzer, r_.ChartOption), QX_CHART_TOVARINE) > 0) {
      analyzer->Tovarine();
    }
    const std::string images = GetFileName(RemoveExtension(entry.chart_page)) + "_?.png";
    const std::string page =
        root_.HtmlControl()->OutputChart(analyzer, images, r_.ChartOption, r_.Encoding);
    const size_t separator = entry.chart_page.find_last_of("/\\");
    const std::string subfolder =
        separator == std::string::npos ? "" : entry.chart_page.substr(0, separator + 1);
    entry.files.push_back({folder_ + entry.chart_page, Encoded(page)});
    return DrawChartImages(*analyzer, folder_ + subfolder, images, r_.ChartOption,
                           Seed(entry.name + "," + std::to_string(analyzer->Count())), entry.files);
  }

  std::shared_ptr<clsResultsHolder> Results(const SiteEntry& entry) const {
    auto results = root_.NewResultsHolder();
    if (entry.class_index > 0) {
      results->AddClass(entry.class_index);
    } else {
      results->AddCourse(entry.course_num);
    }
    results->CalcRank();
    return results;
  }

  std::shared_ptr<clsAnalyzer> Analyzer(const SiteEntry& entry) const {
    auto analyzer = root_.NewAnalyzer();
    if (entry.class_index > 0) {
      analyzer->AddClass(entry.class_index);
    } else {
      analyzer->AddCourse(entry.course_num);
    }
    analyzer->Execute();
    analyzer->ExtraAnalyze();
    return analyzer;
  }

  // The winner's name key in six columns and the result in eight, spaces as "&nbsp;".
  static std::string Winner(const clsResultsHolder& results) {
    if (results.Count() == 0 || results.RankInDataSet(1) != "1") return "&nbsp;";
    auto winner = results.Item(1);
    const std::string text = FitString(detail::CompactName(winner->RunnerName), 6) +
                             FitString(winner->Result(), 8, true);
    std::string out;
    for (char c : EscapeHtml(text)) out += c == ' ' ? std::string("&nbsp;") : std::string(1, c);
    return out;
  }

  bool WriteLapFiles() {
    auto files = root_.FileControl();
    if (!r_.Lap1File.empty() && !files->SaveLapFile(folder_ + r_.Lap1File, 3)) return false;
    if (!r_.Lap2File.empty() && !files->SaveLapFile(folder_ + r_.Lap2File, 2)) return false;
    return true;
  }

  bool WriteViewerPage() {
    if (r_.ActiveXFile.empty()) return true;
    return WriteText(r_.ActiveXFile, root_.HtmlControl()->OutputActiveXPage(r_.ActiveXAddress));
  }

  bool WriteIndex() {
    if (r_.IndexFile.empty()) return true;
    const std::string block = BuildIndexBlock(r_, entries_);
    const std::string path = folder_ + r_.IndexFile;
    std::string page = NewIndexPage(block);
    if (r_.IndexFileAddMode) {
      if (auto existing = ReadFileBytes(path)) {
        page = ReplaceIndexBlock(
            NamesShiftJis(ToUpper(r_.Encoding)) ? SjisToUtf8(*existing) : *existing, block);
      }
    }
    return WriteText(r_.IndexFile, page);
  }

  const SiteRequest& r_;
  clsQuorvex2& root_;
  std::string folder_;
  bool charts_ = false;
  std::vector<SiteEntry> entries_;
};

}  // namespace

bool GenerateSite(const SiteRequest& request, const EntryProgress& progress) {
  clsQuorvex2* root = CurrentRoot();
  if (root == nullptr) return false;
  return SiteWriter(request, *root).Write(progress);
}

}  // namespace quorvex2::detail
