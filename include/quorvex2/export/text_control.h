#pragma once
// Text and CSV exports: the mail text report, the result list, the SplitsBrowser split file and
// the spreadsheet-macro table. Every output is one string with CR LF line ends.
#include <memory>
#include <string>

namespace quorvex2 {

class clsAnalyzer;
class clsResultsHolder;

class clsTextControl {
 public:
  // Cumulative modified times of every runner with a result time, for a spreadsheet macro.
  std::string OutputCsvOstrandMacro(const std::shared_ptr<clsAnalyzer>& wAnalyzer) const;
  // Modified leg times of every runner with a result time, for the SplitsBrowser viewer.
  std::string OutputCsvSplitsBrowser(const std::shared_ptr<clsAnalyzer>& wAnalyzer) const;
  // The fixed-width report of an executed analysis: runners as columns, in blocks of twelve.
  std::string OutputTextMail(const std::shared_ptr<clsAnalyzer>& wAnalyzer) const;
  // The fixed-width result list of a ranked results holder.
  std::string OutputTextResult(const std::shared_ptr<clsResultsHolder>& wResults) const;
};

}  // namespace quorvex2
