#pragma once
// The data set that report, chart and print work on: --class NAME|INDEX (repeatable),
// --course N or --segment NAME [--sex S]; the first class by default. --extra and --tovarine add
// the optional analysis steps.
#include <CLI/CLI.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <quorvex2/analysis/analyzer.h>
#include <quorvex2/analysis/results_holder.h>
#include <quorvex2/core/root.h>

namespace qxcli {

struct DataSetOptions {
  std::vector<std::string> classes;  // names; a number is a 1-based class position
  int32_t course = 0;
  std::string segment;
  std::string sex;
  bool extra = false;
  bool tovarine = false;
};

// Adds the data-set options to a command.
void AddDataSetOptions(CLI::App& sub, DataSetOptions& options);

// The analyzer of the chosen data set after Execute (then ExtraAnalyze and Tovarine when asked).
// Throws ExitError(2) when the options name a class, course or segment the event lacks.
std::shared_ptr<quorvex2::clsAnalyzer> BuildAnalyzer(const quorvex2::clsQuorvex2& root,
                                                     const DataSetOptions& options);

// The results holder of the chosen data set with its ranks computed; same errors.
std::shared_ptr<quorvex2::clsResultsHolder> BuildResultsHolder(const quorvex2::clsQuorvex2& root,
                                                               const DataSetOptions& options);

}  // namespace qxcli
