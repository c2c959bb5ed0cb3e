// qx-generate: writes a synthetic event (bench/support/event_generator.h) in any format that
// SaveLapFile writes, chosen by the output's extension or --type.
#include <CLI/CLI.hpp>

#include <iostream>

#include <quorvex2/core/encoding.h>
#include <quorvex2/core/path.h>

#include "support/event_generator.h"
#include "support/listing_writers.h"

namespace {

// The event as another program's export (Shift-JIS text); false when it could not be written.
bool WriteExport(const qxbench::EventPlan& plan, const std::string& path,
                 const std::string& format) {
  quorvex2::clsQuorvex2 root;
  qxbench::GenerateEvent(root, plan);
  const std::string text = format == "sportident" ? qxbench::SportIdentListing(root)
                           : format == "oevent"   ? qxbench::OEventExport(root)
                                                  : qxbench::CsvTable(root);
  return quorvex2::WriteFileAtomically(path, quorvex2::Utf8ToSjis(text));
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Writes a synthetic orienteering event, deterministic from the seed."};
  qxbench::EventPlan plan;
  std::string output;
  int32_t type = 0;
  bool full = false;
  bool large = false;
  app.add_option("-o,--output", output, "The lap file to write (.lxm, .lap, .xml, .lzh)")
      ->required();
  app.add_option("--seed", plan.seed)->capture_default_str();
  app.add_option("--classes", plan.class_count)->capture_default_str();
  app.add_option("--runners", plan.runners, "Runners of the first classes, in order");
  app.add_option("--runners-min", plan.runners_min)->capture_default_str();
  app.add_option("--runners-max", plan.runners_max)->capture_default_str();
  app.add_option("--legs-min", plan.legs_min)->check(CLI::Range(2, 30))->capture_default_str();
  app.add_option("--legs-max", plan.legs_max)->check(CLI::Range(2, 30))->capture_default_str();
  app.add_option("--classes-per-course", plan.classes_per_course)->capture_default_str();
  app.add_option("--latin-share", plan.latin_share)->capture_default_str();
  app.add_option("--event-name", plan.event_name);
  app.add_option("--type", type, "File type (0: from the extension, 7: IOF 2.0.3, 8: IOF 3.0)")
      ->capture_default_str();
  std::string format;
  app.add_option("--format", format, "Write another program's export instead of a lap file")
      ->check(CLI::IsMember({"sportident", "oevent", "csv"}));
  app.add_flag("--full", full, "Save mode full (rank markers, ages)");
  app.add_flag("--large", large, "The benchmark event: 20,000 runners in 150 classes");
  CLI11_PARSE(app, argc, argv);
  if (large) {
    const uint64_t seed = plan.seed;
    plan = qxbench::LargeEventPlan(seed);
  }
  if (plan.legs_min > plan.legs_max) {
    std::cerr << "qx-generate: --legs-min is above --legs-max\n";
    return 2;
  }
  const bool written = format.empty() ? qxbench::WriteEvent(plan, output, type, full ? 1 : 0)
                                      : WriteExport(plan, output, format);
  if (!written) {
    std::cerr << "qx-generate: cannot write " << output << "\n";
    return 1;
  }
  return 0;
}
