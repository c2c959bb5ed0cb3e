#include "web/detail/web_site.h"

#include <filesystem>
#include <optional>
#include <set>
#include <stdexcept>
#include <vector>

#include "core/detail/catalogue.h"
#include "core/detail/file_head.h"
#include "core/detail/fill_in.h"
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/core/path.h"
#include "quorvex2/core/root.h"
#include "web/detail/data_set_json.h"
#include "web/detail/index_json.h"
#include "web/detail/web_assets.h"
#include "web/detail/web_entries.h"
#include "web/detail/web_pages.h"

namespace quorvex2::detail {

namespace {

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  if (!WriteFileAtomically(path.string(), bytes)) {
    throw std::runtime_error(FillIn(Tr("{path} を書けません"), {{"path", path.string()}}));
  }
}

void MakeFolder(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    throw std::runtime_error(
        FillIn(Tr("フォルダー {folder} を作れません"), {{"folder", folder.string()}}));
  }
}

std::string PageTitle(const std::string& name, const std::string& event) {
  return event.empty() ? name : name + " - " + event;
}

// Writes the entry's page and returns what the index shows of it.
WebSummary WriteEntryPage(const clsQuorvex2& root, const WebEntry& entry,
                          const std::filesystem::path& folder, const std::string& language) {
  const auto analyzer = AnalyseEntry(root, entry);
  const auto without_legs = RunnersWithoutLegs(root, entry);
  JsonText json;
  json.Reserve(static_cast<size_t>(analyzer->Count()) * 800 + 4096);
  json.BeginObject();
  AppendEvent(json, root);
  AppendDataSet(json, entry, *analyzer, without_legs);
  json.EndObject();
  WriteFile(folder / entry.page,
            WebPageHtml(PageTitle(entry.name, root.EventData()->EventName), "set", language,
                        json.Take(), {"tables.js", "charts.js", "set.js"}));
  return SummariseEntry(entry, *analyzer, without_legs);
}

void WriteAssets(const std::filesystem::path& folder, const std::string& language) {
  const std::filesystem::path assets = folder / kAssetFolder;
  MakeFolder(assets);
  for (const WebAsset& asset : WebAssets()) {
    WriteFile(assets / std::string(asset.name), std::string(asset.bytes));
  }
  WriteFile(assets / "labels.js", LabelsScript(language));
}

// A page of the viewer: its generator and its data block stand at its head.
bool IsViewerPage(const std::filesystem::path& file) {
  const std::optional<std::string> head = ReadFileHead(file.string(), 16384);
  return head && head->find("<meta name=\"generator\" content=\"Quorvex2 ") != std::string::npos &&
         head->find("<script type=\"application/json\" id=\"qx-data\">") != std::string::npos;
}

// The viewer's pages an earlier run left in the folder for data sets this event does not have;
// every other file stays.
void RemoveStalePages(const std::filesystem::path& folder, const std::set<std::string>& written) {
  std::error_code error;
  for (const auto& item : std::filesystem::directory_iterator(folder, error)) {
    const std::filesystem::path& file = item.path();
    if (written.count(file.filename().string()) > 0 || file.extension() != ".html") continue;
    if (item.is_regular_file(error) && IsViewerPage(file)) std::filesystem::remove(file, error);
  }
}

}  // namespace

void WriteWebSite(const clsQuorvex2& root, const std::string& folder, const std::string& language,
                  const std::function<void(int32_t)>& progress) {
  const std::filesystem::path out(folder);
  MakeFolder(out);
  WriteAssets(out, language);
  const std::vector<WebEntry> entries = WebEntries(root);
  std::vector<WebSummary> summaries;
  std::set<std::string> written{"index.html"};
  for (const WebEntry& entry : entries) {
    summaries.push_back(WriteEntryPage(root, entry, out, language));
    written.insert(entry.page);
    if (progress) progress(static_cast<int32_t>(summaries.size() * 100 / (entries.size() + 1)));
  }
  const std::string event = root.EventData()->EventName;
  WriteFile(out / "index.html", WebPageHtml(event.empty() ? "Quorvex2" : event, "index", language,
                                            IndexJson(root, entries, summaries), {"index.js"}));
  RemoveStalePages(out, written);
  if (progress) progress(100);
}

}  // namespace quorvex2::detail
