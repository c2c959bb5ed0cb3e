#pragma once
// `quorvex2 report KIND FILE...`: one command, many kinds of report. Each kind lives in its own
// file and registers itself, so adding a kind never touches the command:
//
//   static const bool registered = qxcli::RegisterReportKind(
//       {"json", "every stored figure of the analysis", WriteJson});
//
// A kind returns its text in UTF-8; the command converts it to the --encoding and writes it to
// -o FILE or standard output. A kind with options of its own adds them to the report command in
// `add_options` (they are accepted for every kind, and only that kind reads them).
#include <CLI/CLI.hpp>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <quorvex2/analysis/analyzer.h>
#include <quorvex2/analysis/results_holder.h>
#include <quorvex2/core/root.h>

#include "data_set_options.h"

namespace qxcli {

// What a report is made from: the loaded event and the data set the options chose.
struct ReportInput {
  const quorvex2::clsQuorvex2& root;
  const DataSetOptions& data_set;

  // The executed analyzer of the data set (ExtraAnalyze and Tovarine as the options ask).
  std::shared_ptr<quorvex2::clsAnalyzer> Analyzer() const { return BuildAnalyzer(root, data_set); }
  // The results holder of the data set with its ranks.
  std::shared_ptr<quorvex2::clsResultsHolder> ResultsHolder() const {
    return BuildResultsHolder(root, data_set);
  }
};

struct ReportKind {
  std::string name;
  std::string description;
  std::function<std::string(const ReportInput& input)> write;
  std::function<void(CLI::App& report)> add_options = nullptr;
};

bool RegisterReportKind(ReportKind kind);
// In name order.
const std::vector<ReportKind>& RegisteredReportKinds();

}  // namespace qxcli
