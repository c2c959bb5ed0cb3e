#pragma once
// HTML pages of one data set: result list, split analysis, leg statistics, charts and the
// viewer page. Every page is returned as one string with CR LF line ends; texts that come from
// lap files are HTML-escaped.
#include <memory>
#include <string>

namespace quorvex2 {

class clsAnalyzer;
class clsResultsHolder;

class clsHtmlControl {
 public:
  std::string OutputActiveXPage(const std::string& LapFileURL) const;
  std::string OutputResult(const std::shared_ptr<clsResultsHolder>& ResultsHolder,
                           const std::string& TopValue = "", const std::string& LinkStyleFile = "",
                           const std::string& Encoding = "x-sjis") const;
  std::string OutputAnalysis(const std::shared_ptr<clsAnalyzer>& Analyzer,
                             const std::string& LinkStyleFile = "",
                             const std::string& Encoding = "x-sjis") const;
  std::string OutputLegData(const std::shared_ptr<clsAnalyzer>& Analyzer,
                            const std::string& LinkStyleFile = "",
                            const std::string& Encoding = "x-sjis") const;
  // ChartName: the image address with "?" standing for the chart number; ChartOption: the
  // comma-separated chart numbers. Encoding is the character set the page declares, as for the
  // other pages.
  std::string OutputChart(const std::shared_ptr<clsAnalyzer>& Analyzer,
                          const std::string& ChartName, const std::string& ChartOption,
                          const std::string& Encoding = "x-sjis") const;
};

}  // namespace quorvex2
