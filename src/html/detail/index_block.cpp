#include "html/detail/index_block.h"
#include "core/detail/catalogue.h"

#include "core/detail/ascii_case.h"
#include "core/detail/component_state.h"
#include "html/detail/page_parts.h"
#include "platform/clock.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/root.h"

namespace quorvex2::detail {

namespace {

std::string EventRows(const SiteRequest& request, const clsEventData& event) {
  std::string rows =
      "<tr><td nowrap colspan=\"4\" bgcolor=\"#c04040\" class=\"t-event-name\"><font size=\"+1\" "
      "color=\"white\"><b>&nbsp;" +
      EscapeHtml(event.EventName) + "&nbsp;</b></font></td></tr>" + kCrLf;
  rows += "<tr><td nowrap colspan=\"4\" bgcolor=\"#ffdddd\" class=\"t-event-info\">";
  if (event.EventDate.Value() != 0) rows += event.EventDate.ToString(Tr("date", "yyyy年mm月dd日"));
  if (!event.Terrain.empty()) rows += "&nbsp;[" + EscapeHtml(event.Terrain) + "]";
  if (request.OfficialSite && !event.OfficialSite.empty()) {
    rows += "&nbsp;<a href=\"" + EscapeHtml(event.OfficialSite) + "\" target=\"_blank\">" +
            Tr("公式サイト") + "</a>";
  }
  return rows + "</td></tr>" + kCrLf;
}

std::string DataLinksRow(const SiteRequest& request) {
  std::string row =
      "<tr><td nowrap colspan=\"4\" bgcolor=\"#f0f0f0\" align=\"right\" class=\"t-link\">";
  if (!request.ActiveXFile.empty()) {
    row += "&nbsp;[<a href=\"" + request.ActiveXFile + "\" target = \"_blank\">" +
           Tr("ActiveX使用ページ") + "</a>]";
  }
  if (!request.Lap1File.empty()) {
    row += "&nbsp;[<a href=\"" + request.Lap1File + "\">" + Tr("クオルベクス用データ") + "</a>]";
  }
  if (!request.Lap2File.empty()) {
    row += "&nbsp;[<a href=\"" + request.Lap2File + "\">" + Tr("クオルベクス２用データ") + "</a>]";
  }
  return row + "</td></tr>" + kCrLf;
}

// The first page written for the entry: results, then analysis, leg statistics, charts.
const std::string& MainPage(const SiteEntry& entry) {
  if (!entry.result_page.empty()) return entry.result_page;
  if (!entry.analysis_page.empty()) return entry.analysis_page;
  if (!entry.leg_data_page.empty()) return entry.leg_data_page;
  return entry.chart_page;
}

std::string LinkLine(const std::vector<SiteEntry>& entries) {
  std::string line;
  for (const auto& entry : entries) {
    if (!entry.HasPages()) continue;
    if (!line.empty()) line += "&nbsp;&nbsp;";
    line += "<a href=\"" + EscapeHtml(MainPage(entry)) + "\">" + EscapeHtml(entry.name) + "</a> ";
  }
  return line + "<hr>" + kCrLf;
}

std::string PageLink(const std::string& page, const char* label) {
  if (page.empty()) return "";
  return "&nbsp;<a href=\"" + EscapeHtml(page) + "\" target=\"_blank\">" + Tr(label) + "</a>";
}

std::string EntryRow(const SiteEntry& entry) {
  return "<tr><td nowrap bgcolor=\"#405080\" width=\"125\" class=\"t-class-head\"><font "
         "color=\"white\"><B>&nbsp;" +
         EscapeHtml(entry.name) + "&nbsp;</B></font></td>" +
         "<td nowrap bgcolor=\"#ffffff\" width=\"300\" class=\"t-class-body\">" +
         PageLink(entry.result_page, TrNoop("成績")) +
         PageLink(entry.analysis_page, TrNoop("ラップ解析")) +
         PageLink(entry.leg_data_page, TrNoop("レッグ分析")) +
         PageLink(entry.chart_page, TrNoop("チャート")) + "</td>" +
         "<td nowrap bgcolor=\"#ddffdd\" align=\"center\" width=\"100\" class=\"t-class-length\">" +
         EscapeHtml(entry.class_info) + "</td>" +
         "<td nowrap align=\"center\" bgcolor=\"#ffffcc\" width=\"100\" class=\"t-class-winner\">" +
         entry.winner + "</td></tr>" + kCrLf;
}

}  // namespace

std::string BuildIndexBlock(const SiteRequest& request, const std::vector<SiteEntry>& entries) {
  const clsQuorvex2* root = CurrentRoot();
  std::string block = std::string(kIndexStart) + kCrLf +
                      "<table cellpadding=\"2\" cellspacing=\"0\" border=\"1\" width=\"650\" "
                      "class=\"top\">" +
                      kCrLf;
  if (root) block += EventRows(request, *root->EventData());
  block += DataLinksRow(request);
  block += LinkLine(entries);
  for (const auto& entry : entries) {
    if (entry.HasPages()) block += EntryRow(entry);
  }
  block +=
      "<tr><td nowrap colspan=\"4\" bgcolor=\"#f0f0f0\" align=\"right\" "
      "class=\"t-output\">" +
      Tr("出力日時 : ") + FormatDate(Now(), Tr("date-time", "yyyy/mm/dd hh:nn")) + "</td></tr>" +
      kCrLf;
  return block + "</table>" + kCrLf + "<br>" + kCrLf + kIndexFinish;
}

std::string NewIndexPage(const std::string& block) {
  return std::string("<html>") + kCrLf + "<body bgcolor=\"#ffffff\">" + kCrLf + block + kCrLf +
         "</body>" + kCrLf + "</html>" + kCrLf;
}

std::string ReplaceIndexBlock(const std::string& page, const std::string& block) {
  const size_t start = page.find(kIndexStart);
  const size_t finish = start == std::string::npos ? start : page.find(kIndexFinish, start);
  if (start != std::string::npos && finish != std::string::npos) {
    return page.substr(0, start) + block + page.substr(finish + std::string(kIndexFinish).size());
  }
  const size_t body_end = ToLowerAscii(page).rfind("</body>");
  if (body_end == std::string::npos) return page + block + kCrLf;
  return page.substr(0, body_end) + block + kCrLf + page.substr(body_end);
}

}  // namespace quorvex2::detail
