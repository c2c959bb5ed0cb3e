// quorvex2 site: the web site of the loaded event. Without page options it writes the whole
// site: the index, the result, analysis, leg and chart pages of every class and shared course,
// and both lap file copies.
#include <filesystem>
#include <iostream>
#include <system_error>

#include <quorvex2/core/path.h>
#include <quorvex2/core/root.h>
#include <quorvex2/files/file_control.h>

#include "command_registry.h"
#include "folder_files.h"
#include "lap_file_loss.h"
#include "load_options.h"
#include "messages.h"
#include "progress_bar.h"

namespace qxcli {
namespace {

struct SiteOptions {
  LoadOptions load;
  std::string output;
  std::string index;
  std::string results, analysis, legs, charts;
  std::string chart_list = "0,2,5,6,7";
  std::string lap1, lap2;
  std::string viewer, viewer_address;
  bool courses = false;
  bool official_site = false;
  bool append_index = false;
  std::string style;
  std::string encoding = "shift_jis";
};

bool HasPageOptions(const SiteOptions& o) {
  return !(o.index.empty() && o.results.empty() && o.analysis.empty() && o.legs.empty() &&
           o.charts.empty() && o.lap1.empty() && o.lap2.empty() && o.viewer.empty());
}

// The complete site: every page kind for classes and courses, both lap file copies named after
// the first input file.
void CompleteSite(SiteOptions& o) {
  const std::string base = quorvex2::RemoveExtension(quorvex2::GetFileName(o.load.files.front()));
  o.index = "index.html";
  o.results = "*_results.html";
  o.analysis = "*_analysis.html";
  o.legs = "*_legs.html";
  o.charts = "*_charts.html";
  o.lap1 = base + ".lap";
  o.lap2 = base + ".lxm";
  o.courses = true;
}

void MakeFolder(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) throw ExitError(1, text::CannotMakeFolder(folder, text::SystemReason(error.value())));
}

void WriteSite(SiteOptions o) {
  if (!o.viewer.empty() && o.viewer_address.empty()) {
    throw ExitError(2, text::ViewerNeedsAddress());
  }
  if (!HasPageOptions(o)) CompleteSite(o);
  auto root = LoadEvent(o.load);
  MakeFolder(o.output);
  const FolderFiles before = ListFiles(o.output);
  SetProgressCaption(*root, text::WritingSite());
  const std::string encoding = o.encoding == "utf-8" ? "utf-8" : "x-sjis";
  const bool written = root->FileControl()->OutputHtml(
      o.output, o.index, o.analysis, o.results, o.lap2, o.lap1, o.official_site, o.append_index,
      o.viewer, o.viewer_address, o.courses, o.courses, o.legs, o.courses, o.charts, o.courses,
      o.chart_list, o.style, encoding);
  if (!written)
    throw ExitError(1, text::WithRecord(text::CannotWriteSite(o.output), root->ErrorComment()));
  const WrittenFiles news = Compare(before, ListFiles(o.output));
  std::cerr << text::SiteWritten(news.files, news.bytes, o.output) << "\n";
  if (!o.lap1.empty()) WarnLapFileLoss(*root, "site", o.lap1);
  if (!o.index.empty()) std::cout << (std::filesystem::path(o.output) / o.index).string() << "\n";
}

void SetupSite(CLI::App& sub) {
  auto o = std::make_shared<SiteOptions>();
  AddLoadOptions(sub, o->load);
  sub.add_option("-o,--output", o->output, "Folder to write the site into")->required();
  sub.add_option("--index", o->index, "Index page (its block of links)");
  sub.add_option("--results", o->results, "Result pages, \"*\" standing for the class file name");
  sub.add_option("--analysis", o->analysis, "Split analysis pages (pattern)");
  sub.add_option("--legs", o->legs, "Leg statistics pages (pattern)");
  sub.add_option("--charts", o->charts, "Chart pages with their PNG images (pattern)");
  sub.add_option("--chart-list", o->chart_list, "Chart numbers of the chart pages")
      ->capture_default_str();
  sub.add_option("--lap1", o->lap1, "Copy of the event as a version-1 lap file");
  sub.add_option("--lap2", o->lap2, "Copy of the event as a native lap file");
  sub.add_option("--viewer", o->viewer, "Viewer page for the lap file at --viewer-address");
  sub.add_option("--viewer-address", o->viewer_address, "Address of the lap file to view");
  sub.add_flag("--courses", o->courses, "Also write pages for courses shared by several classes");
  sub.add_flag("--official-site", o->official_site, "Link the event's official site");
  sub.add_flag("--append-index", o->append_index,
               "Replace the block inside an existing index page instead of a new page");
  sub.add_option("--style", o->style, "Address of a style sheet every page links");
  sub.add_option("--encoding", o->encoding, "Encoding of the pages")
      ->check(CLI::IsMember({"shift_jis", "utf-8"}))
      ->capture_default_str();
  sub.callback([o] { WriteSite(*o); });
}

const bool registered = RegisterCommand(
    {"site", "Write the web site of the event: index, pages, charts, lap file copies", SetupSite});

}  // namespace
}  // namespace qxcli
