// The leg-statistics page: per leg its share of the course, reference time, difficulty and
// fastest six runners.
#include <string>

#include "core/detail/catalogue.h"
#include "core/detail/localized_text.h"
#include "html/detail/page_parts.h"
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/text.h"
#include "quorvex2/core/time_text.h"
#include "quorvex2/html/html_control.h"

namespace quorvex2 {

namespace {

using detail::kCrLf;
using detail::TrNoop;

std::string Nbsp(const std::string& text) {
  std::string out;
  for (char c : text) out += c == ' ' ? std::string("&nbsp;") : std::string(1, c);
  return out;
}

// A fastest-runner cell: name key in six columns, two spaces, the time right-aligned; the
// first three ranks in their colours.
std::string RunnerCell(int32_t rank, const std::string& name, const std::string& time,
                       int32_t time_width, const std::string& nowrap) {
  // Escaped before the spaces become "&nbsp;", whose "&" must stay as it is.
  const std::string text = Nbsp(detail::EscapeHtml(FitString(detail::CompactName(name), 6) + "  " +
                                                   FitString(time, time_width, true)));
  switch (rank) {
    case 1:
      return "<td bgcolor=\"#ffdddd\"" + nowrap + "><font color=\"#800000\">" + text +
             "</font></td>";
    case 2:
      return "<td bgcolor=\"#ddddff\"" + nowrap + "><font color=\"#000080\">" + text +
             "</font></td>";
    case 3:
      return "<td bgcolor=\"#ddffdd\"" + nowrap + "><font color=\"#008000\">" + text +
             "</font></td>";
    default:
      return "<td nowrap>" + text + "</td>";
  }
}

std::string HeadingRow() {
  using detail::Tr;
  std::string row = "<tr align=\"rignt\" nowrap bgcolor=\"#ccccff\"><td>&nbsp;</td><td nowrap>" +
                    Tr("レッグ長") + "</td><td nowrap>" + Tr("上位平均") + "</td><td nowrap>" +
                    Tr("難易度") + "</td>";
  for (const char* place : {TrNoop("１位"), TrNoop("２位"), TrNoop("３位"), TrNoop("４位"),
                            TrNoop("５位"), TrNoop("６位")}) {
    row += "<td>" + Tr(place) + "</td>";
  }
  return row + "</tr>" + kCrLf;
}

std::string LegRow(clsAnalyzer& a, int32_t k) {
  auto general = a.GeneralData();
  std::string row = std::string("<tr align=\"right\" nowrap>") + "<td bgcolor=\"#ccccff\" nowrap>" +
                    detail::LegCaption(a.ControlCount, true, k) + "</td>";
  row += "<td nowrap>" + FormatSingle(general->LegLength(k) * 100.0f, "0.0") + "%</td>";
  row += "<td nowrap>" + FormatCompactTime(general->UpperLapAverage(k)) + "</td>";
  row += "<td bgcolor=\"#ffffcc\" nowrap>" +
         general->LegDifficulty(k)->ToString("0", detail::NoDataMark()) + "</td>";
  for (int32_t p = 1; p <= 6; ++p) {
    auto runner = general->UpperLapObject(k, p);
    if (!runner) {
      row += "<td>&nbsp;</td>";
      continue;
    }
    row += RunnerCell(runner->LapRank(k)->Value(), runner->RunnerName(),
                      runner->LapTime(k)->ToString("hh:nn:ss", true, detail::NoDataMark()), 5, "");
  }
  return row + "</tr>" + kCrLf;
}

// The total row: the fastest six over the whole course, in result order.
std::string TotalRow(clsAnalyzer& a) {
  std::string row = std::string("<tr align=\"right\" bgcolor=\"#eeeeee\" nowrap>") +
                    "<td bgcolor=\"#ccccff\" nowrap>" + detail::Tr("合計") +
                    "</td><td nowrap>100.0%</td><td nowrap>" +
                    FormatDate(a.GeneralData()->UpperLapTotal(), "h:nn:ss") +
                    "</td><td nowrap>100</td>";
  int32_t written = 0;
  for (int32_t i = 1; i <= a.FullSetCount() && written < 6; ++i) {
    auto runner = a.FullSetItem(i);
    if (!IsValidTime(runner->Result())) continue;
    ++written;
    const Date total = *ParseTimeText(runner->Result());
    row += RunnerCell(std::atoi(runner->RankInDataSet().c_str()), runner->RunnerName(),
                      FormatCompactTime(total), 7, " nowrap");
  }
  for (; written < 6; ++written) row += "<td>&nbsp;</td>";
  return row + "</tr>" + kCrLf;
}

}  // namespace

std::string clsHtmlControl::OutputLegData(const std::shared_ptr<clsAnalyzer>& Analyzer,
                                          const std::string& LinkStyleFile,
                                          const std::string& Encoding) const {
  clsAnalyzer& a = *Analyzer;
  std::string page = std::string("<html>") + kCrLf +
                     detail::HeadBlock(Encoding, true, LinkStyleFile) + "<body>" + kCrLf;
  const std::string no_data = detail::NoDataMessage(a);
  if (!no_data.empty()) {
    page += no_data;
  } else {
    page += std::string(
                "<table border=\"1\" cellspacing=\"0\" cellpadding=\"1\" bgcolor=\"white\" "
                "class=\"leg\">") +
            kCrLf;
    page += detail::SectionTitleRow("000080", 10, " class=\"lap-title\"", detail::DataSetTitle(a));
    page += HeadingRow();
    for (int32_t k = 1; k <= a.ControlCount + 1; ++k) page += LegRow(a, k);
    page += TotalRow(a) + "</table>" + kCrLf;
  }
  return page + detail::Footer() + "</body>" + kCrLf + "</html>" + kCrLf;
}

}  // namespace quorvex2
