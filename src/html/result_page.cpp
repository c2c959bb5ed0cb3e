// The results page of a results holder, with the cut-off separator.
#include <string>

#include "html/detail/page_parts.h"
#include "quorvex2/analysis/results_holder.h"
#include "quorvex2/core/text.h"
#include "quorvex2/html/html_control.h"

namespace quorvex2 {

namespace {

using detail::EscapeHtml;
using detail::kCrLf;

std::string Cell(const std::string& attributes, const std::string& rank, const std::string& text) {
  return "<td" + attributes + " class=\"r-rank" + EscapeHtml(rank) + "\">" +
         (text.empty() ? "&nbsp;" : text) + "</td>";
}

std::string TitleRow(const clsResultsHolder& results) {
  std::string out = std::string("<tr align=\"left\" width=\"500\" bgcolor=\"#000080#\">") + kCrLf +
                    "<td colspan=\"6\" class=\"result-title\">" + kCrLf +
                    "<font color=\"#ffffff\" size=\"+1\"><b>&nbsp;" +
                    EscapeHtml(results.DataSetName()) + "</b></font>" + kCrLf;
  if (results.Length != 0) {
    std::string info = " - " + std::to_string(results.Length) + "m";
    if (results.Climb != 0) info += " ↑" + std::to_string(results.Climb) + "m";
    out += "<font color=\"#ffffff\">" + info + "</font>" + kCrLf;
  }
  return out + "</td>" + kCrLf + "</tr>" + kCrLf;
}

std::string RunnerRow(const clsResultsHolder& results, int32_t i, const std::string& rank,
                      const std::string& second) {
  auto runner = results.Item(i);
  const bool mix = results.DataSetIsMix;
  std::string row = i % 2 == 0 ? "<tr bgcolor=\"#eeeeee\" width=\"500\" class=\"r-even\">"
                               : "<tr width=\"500\" class=\"r-odd\">";
  row += kCrLf;
  row += Cell(" align=\"right\" width=\"30\"", rank, EscapeHtml(rank));
  row += Cell(mix ? " align=\"center\" width=\"80\"" : " align=\"center\" width=\"40\"", rank,
              EscapeHtml(second));
  row += Cell(mix ? " width=\"100\"" : " width=\"140\"", rank, EscapeHtml(runner->RunnerName));
  row += Cell(" align=\"right\" width=\"80\"", rank, EscapeHtml(runner->Result()));
  row += Cell(" width=\"30\"", rank, "&nbsp;");
  row += Cell(" width=\"180\"", rank, EscapeHtml(runner->ClubName));
  return row + "</tr>" + kCrLf;
}

}  // namespace

std::string clsHtmlControl::OutputResult(const std::shared_ptr<clsResultsHolder>& ResultsHolder,
                                         const std::string& TopValue,
                                         const std::string& LinkStyleFile,
                                         const std::string& Encoding) const {
  const clsResultsHolder& results = *ResultsHolder;
  std::string page = std::string("<html>") + kCrLf +
                     detail::HeadBlock(Encoding, false, LinkStyleFile) + "<body>" + kCrLf +
                     TopValue + kCrLf;
  page += std::string(
              "<table border=\"0\" cellspacing=\"0\" cellpadding=\"1\" bgcolor=\"white\" "
              "class=\"result\">") +
          kCrLf;
  page += TitleRow(results);
  bool separator_written = false;
  for (int32_t i = 1; i <= results.Count(); ++i) {
    auto runner = results.Item(i);
    const std::string rank = results.DataSetIsMix ? results.RankInDataSet(i) : runner->Rank;
    const std::string second =
        results.DataSetIsMix ? "(" + runner->ClassName() + ")" : runner->Seed;
    if (results.CutOffRank > 0 && !separator_written && IsNumeric(rank) &&
        LeadingNumber(rank) > results.CutOffRank) {
      page += std::string("<tr width=\"500\" class=\"r-border\">") + kCrLf +
              "<td colspan=\"6\"><hr></td>" + kCrLf + "</tr>" + kCrLf;
      separator_written = true;
    }
    page += RunnerRow(results, i, rank, second);
  }
  return page + "</table>" + kCrLf + "</body>" + kCrLf + "</html>" + kCrLf;
}

}  // namespace quorvex2
