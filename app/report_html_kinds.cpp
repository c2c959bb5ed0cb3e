// quorvex2 report results-html|analysis-html|legs-html|charts-html|viewer-html: the HTML pages
// of one data set. --charset names the character set the page declares; by default the one of
// --encoding ("x-sjis" for shift_jis, "utf-8" for utf-8).
#include <quorvex2/core/path.h>
#include <quorvex2/html/html_control.h>

#include "report_command.h"

namespace qxcli {
namespace {

struct HtmlOptions {
  std::string style;
  std::string top;
  std::string charset;
  std::string encoding = "utf-8";
  std::string chart_name = "chart?.png";
  std::string chart_list = "0,2,5,6,7";
  std::string lap_url;
};

HtmlOptions& Options() {
  static HtmlOptions options;
  return options;
}

std::string Charset() {
  const HtmlOptions& options = Options();
  if (!options.charset.empty()) return options.charset;
  return options.encoding == "shift_jis" ? "x-sjis" : "utf-8";
}

// The page options are added once, with the first HTML kind; the report command's own
// --encoding is read back from the parsed command.
void AddHtmlOptions(CLI::App& report) {
  HtmlOptions& options = Options();
  report.add_option("--style", options.style, "HTML: address of a style sheet to link");
  report.add_option("--top", options.top, "results-html: text put at the top of the page");
  report.add_option("--charset", options.charset,
                    "HTML: character set the page declares (default: from --encoding)");
  report
      .add_option("--chart-name", options.chart_name,
                  "charts-html: image address, \"?\" standing for the chart number")
      ->capture_default_str();
  report.add_option("--chart-list", options.chart_list, "charts-html: chart numbers")
      ->capture_default_str();
  report.add_option("--lap-url", options.lap_url,
                    "viewer-html: address of the lap file (default: the name of the loaded file)");
  report.parse_complete_callback([&report] {
    if (auto* encoding = report.get_option_no_throw("--encoding")) {
      if (encoding->count() > 0) Options().encoding = encoding->as<std::string>();
    }
  });
}

const quorvex2::clsHtmlControl& Html(const ReportInput& input) {
  return *input.root.HtmlControl();
}

const bool registered_results =
    RegisterReportKind({"results-html", "the result list as an HTML page",
                        [](const ReportInput& input) {
                          return Html(input).OutputResult(input.ResultsHolder(), Options().top,
                                                          Options().style, Charset());
                        },
                        AddHtmlOptions});

const bool registered_analysis = RegisterReportKind(
    {"analysis-html", "the split analysis as an HTML page", [](const ReportInput& input) {
       return Html(input).OutputAnalysis(input.Analyzer(), Options().style, Charset());
     }});

const bool registered_legs = RegisterReportKind(
    {"legs-html", "the leg statistics as an HTML page", [](const ReportInput& input) {
       return Html(input).OutputLegData(input.Analyzer(), Options().style, Charset());
     }});

const bool registered_charts = RegisterReportKind(
    {"charts-html", "an HTML page of chart images", [](const ReportInput& input) {
       return Html(input).OutputChart(input.Analyzer(), Options().chart_name, Options().chart_list,
                                      Charset());
     }});

const bool registered_viewer =
    RegisterReportKind({"viewer-html", "an HTML page that shows a lap file in the browser viewer",
                        [](const ReportInput& input) {
                          const std::string& given = Options().lap_url;
                          const std::string url =
                              given.empty() ? quorvex2::GetFileName(input.root.FileName) : given;
                          return Html(input).OutputActiveXPage(url);
                        }});

}  // namespace
}  // namespace qxcli
