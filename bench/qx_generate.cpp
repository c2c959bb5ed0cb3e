// qx-generate: writes a synthetic event (bench/support/event_generator.h) in any format that
// SaveLapFile writes, chosen by the output's extension or --type.
#include <CLI/CLI.hpp>

#include <iostream>

#include "support/event_generator.h"

int main(int argc, char** argv) {
  CLI::App app{"Writes a synthetic orienteering event, deterministic from the seed."};
  qxbench::EventSpec spec;
  std::string output;
  int32_t type = 0;
  bool full = false;
  bool large = false;
  app.add_option("-o,--output", output, "The lap file to write (.lxm, .lap, .xml, .lzh)")
      ->required();
  app.add_option("--seed", spec.seed)->capture_default_str();
  app.add_option("--classes", spec.class_count)->capture_default_str();
  app.add_option("--runners", spec.runners, "Runners of the first classes, in order");
  app.add_option("--runners-min", spec.runners_min)->capture_default_str();
  app.add_option("--runners-max", spec.runners_max)->capture_default_str();
  app.add_option("--legs-min", spec.legs_min)->check(CLI::Range(2, 30))->capture_default_str();
  app.add_option("--legs-max", spec.legs_max)->check(CLI::Range(2, 30))->capture_default_str();
  app.add_option("--classes-per-course", spec.classes_per_course)->capture_default_str();
  app.add_option("--latin-share", spec.latin_share)->capture_default_str();
  app.add_option("--event-name", spec.event_name);
  app.add_option("--type", type, "File type (0: from the extension)")->capture_default_str();
  app.add_flag("--full", full, "Save mode full (rank markers, ages)");
  app.add_flag("--large", large, "The benchmark event: 20,000 runners in 150 classes");
  CLI11_PARSE(app, argc, argv);
  if (large) {
    const uint64_t seed = spec.seed;
    spec = qxbench::LargeEventSpec(seed);
  }
  if (spec.legs_min > spec.legs_max) {
    std::cerr << "qx-generate: --legs-min is above --legs-max\n";
    return 2;
  }
  if (!qxbench::WriteEvent(spec, output, type, full ? 1 : 0)) {
    std::cerr << "qx-generate: cannot write " << output << "\n";
    return 1;
  }
  return 0;
}
