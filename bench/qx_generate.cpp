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
bool WriteExport(const qxbench::EventSpec& spec, const std::string& path,
                 const std::string& format) {
  quorvex2::clsQuorvex2 root;
  qxbench::GenerateEvent(root, spec);
  const std::string text = format == "sportident" ? qxbench::SportIdentListing(root)
                           : format == "oevent"   ? qxbench::OEventExport(root)
                                                  : qxbench::CsvTable(root);
  return quorvex2::WriteFileAtomically(path, quorvex2::Utf8ToSjis(text));
}

}  // namespace

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
  app.add_option("--type", type, "File type (0: from the extension, 7: IOF 2.0.3, 8: IOF 3.0)")
      ->capture_default_str();
  std::string format;
  app.add_option("--format", format, "Write another program's export instead of a lap file")
      ->check(CLI::IsMember({"sportident", "oevent", "csv"}));
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
  const bool written = format.empty() ? qxbench::WriteEvent(spec, output, type, full ? 1 : 0)
                                      : WriteExport(spec, output, format);
  if (!written) {
    std::cerr << "qx-generate: cannot write " << output << "\n";
    return 1;
  }
  return 0;
}
