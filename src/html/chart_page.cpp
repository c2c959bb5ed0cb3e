// The page of chart images, one heading and image per chart number.
#include <string>

#include "core/detail/catalogue.h"
#include "html/detail/page_parts.h"
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/core/sort.h"
#include "quorvex2/core/text.h"
#include "quorvex2/html/html_control.h"

namespace quorvex2 {

namespace {

using detail::kCrLf;

constexpr const char* kTovarineOmitted =
    detail::TrNoop("走者が多すぎるため、X/Y 分析は行いませんでした。");

// The heading of a chart number; empty for a number without a page heading.
std::string ChartHeading(int32_t chart) {
  using detail::TrNoop;
  static const char* const kTitles[] = {TrNoop("◎ 標準"),
                                        TrNoop("◎ リアルタイム"),
                                        TrNoop("◎ 上位平均相対"),
                                        TrNoop("◎ 上位平均110％相対"),
                                        TrNoop("◎ 上位平均130％相対"),
                                        TrNoop("◎ 巡航速度－ミス率"),
                                        TrNoop("◎ 巡航速度－前後半比")};
  if (chart < 0 || chart > 6) return "";
  return "<h3>" + detail::Tr(kTitles[chart]) + "</h3><img src=";
}

bool AnyStartTime(const clsAnalyzer& analyzer) {
  for (int32_t i = 1; i <= analyzer.Count(); ++i) {
    if (analyzer.Item(i)->StartTime() != 0) return true;
  }
  return false;
}

std::string ImageName(const std::string& name, int32_t chart) {
  return ReplaceAll(name, "?", std::to_string(chart));
}

}  // namespace

std::string clsHtmlControl::OutputChart(const std::shared_ptr<clsAnalyzer>& Analyzer,
                                        const std::string& ChartName,
                                        const std::string& ChartOption,
                                        const std::string& Encoding) const {
  const clsAnalyzer& a = *Analyzer;
  std::string page =
      std::string("<html>") + kCrLf + detail::HeadBlock(Encoding, true, "") + "<body>" + kCrLf;
  const std::string no_data = detail::NoDataMessage(a);
  if (!no_data.empty()) {
    page += no_data;
  } else {
    CclsSplit charts;
    charts.Expression(",", ChartOption);
    for (int32_t i = 0; i <= charts.Bound(); ++i) {
      const std::string field = charts.Value(i);
      if (field.empty() || field.find_first_not_of("0123456789") != std::string::npos) continue;
      const int32_t chart = std::stoi(field.substr(0, 9));
      const std::string heading = ChartHeading(chart);
      if (heading.empty() || (chart == 1 && !AnyStartTime(a))) continue;
      page += heading + "\"" + ImageName(ChartName, chart) + "\"><br><hr>" + kCrLf;
    }
    if (a.IsTovarineOmitted()) page += "<br>" + detail::Tr(kTovarineOmitted) + kCrLf;
  }
  return page + detail::Footer() + "</body>" + kCrLf + "</html>" + kCrLf;
}

}  // namespace quorvex2
