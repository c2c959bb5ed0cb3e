// quorvex2 report mail|results|splitsbrowser|macro-csv: the text exports of one data set.
#include <quorvex2/export/text_control.h>

#include "report_command.h"

namespace qxcli {
namespace {

const quorvex2::clsTextControl& Text(const ReportInput& input) {
  return *input.root.TextControl();
}

const bool registered_mail = RegisterReportKind(
    {"mail", "the analysis as plain text for a mail or a notice board",
     [](const ReportInput& input) { return Text(input).OutputTextMail(input.Analyzer()); }});

const bool registered_results =
    RegisterReportKind({"results", "the result list as text", [](const ReportInput& input) {
                          return Text(input).OutputTextResult(input.ResultsHolder());
                        }});

const bool registered_splitsbrowser = RegisterReportKind(
    {"splitsbrowser", "split times as CSV for split viewers", [](const ReportInput& input) {
       return Text(input).OutputCsvSplitsBrowser(input.Analyzer());
     }});

const bool registered_macro = RegisterReportKind(
    {"macro-csv", "split times as CSV for spreadsheet macros",
     [](const ReportInput& input) { return Text(input).OutputCsvOstrandMacro(input.Analyzer()); }});

}  // namespace
}  // namespace qxcli
