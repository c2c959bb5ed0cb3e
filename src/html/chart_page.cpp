// The page of chart images, one heading and image per chart number.
#include <string>

#include "html/detail/page_parts.h"
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/core/sort.h"
#include "quorvex2/core/text.h"
#include "quorvex2/html/html_control.h"

namespace quorvex2 {

namespace {

using detail::kCrLf;

constexpr const char* kTovarineOmitted = "<br>走者が多すぎるため、X/Y 分析は行いませんでした。";

const char* ChartHeading(int32_t chart) {
  static const char* const kHeadings[] = {"<h3>◎ 標準</h3><img src=",
                                          "<h3>◎ リアルタイム</h3><img src=",
                                          "<h3>◎ 上位平均相対</h3><img src=",
                                          "<h3>◎ 上位平均110％相対</h3><img src=",
                                          "<h3>◎ 上位平均130％相対</h3><img src=",
                                          "<h3>◎ 巡航速度－ミス率</h3><img src=",
                                          "<h3>◎ 巡航速度－前後半比</h3><img src="};
  return chart >= 0 && chart <= 6 ? kHeadings[chart] : nullptr;
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
      const char* heading = ChartHeading(chart);
      if (heading == nullptr || (chart == 1 && !AnyStartTime(a))) continue;
      page += std::string(heading) + "\"" + ImageName(ChartName, chart) + "\"><br><hr>" + kCrLf;
    }
    if (a.IsTovarineOmitted()) page += std::string(kTovarineOmitted) + kCrLf;
  }
  return page + detail::Footer() + "</body>" + kCrLf + "</html>" + kCrLf;
}

}  // namespace quorvex2
