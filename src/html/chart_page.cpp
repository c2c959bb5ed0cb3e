// The page of chart images, one heading and image per chart number.
#include <string>

#include "core/detail/catalogue.h"
#include "html/detail/page_parts.h"
#include "html/detail/shown_charts.h"
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/core/text.h"
#include "quorvex2/html/html_control.h"

namespace quorvex2 {

namespace {

using detail::kCrLf;

constexpr const char* kTovarineOmitted =
    detail::TrNoop("走者が多すぎるため、X/Y 分析は行いませんでした。");

// The heading of a chart number the page shows (0 to 6).
std::string ChartHeading(int32_t chart) {
  using detail::TrNoop;
  static const char* const kTitles[] = {TrNoop("◎ 標準"),
                                        TrNoop("◎ リアルタイム"),
                                        TrNoop("◎ 上位平均相対"),
                                        TrNoop("◎ 上位平均110％相対"),
                                        TrNoop("◎ 上位平均130％相対"),
                                        TrNoop("◎ 巡航速度－ミス率"),
                                        TrNoop("◎ 巡航速度－前後半比")};
  return "<h3>" + detail::Tr(kTitles[chart]) + "</h3><img src=";
}

// The image's name as the page's attribute holds it.
std::string ImageName(const std::string& name, int32_t chart) {
  return detail::EscapeHtml(ReplaceAll(name, "?", std::to_string(chart)));
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
    for (const int32_t chart : detail::ShownCharts(a, ChartOption)) {
      page += ChartHeading(chart) + "\"" + ImageName(ChartName, chart) + "\"><br><hr>" + kCrLf;
    }
    if (a.IsTovarineOmitted()) page += "<br>" + detail::Tr(kTovarineOmitted) + kCrLf;
  }
  return page + detail::Footer() + "</body>" + kCrLf + "</html>" + kCrLf;
}

}  // namespace quorvex2
