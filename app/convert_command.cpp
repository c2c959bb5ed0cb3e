// quorvex2 convert: save the loaded event in another lap file format.
#include <map>

#include <quorvex2/core/load_mode.h>
#include <quorvex2/core/path.h>
#include <quorvex2/core/root.h>
#include <quorvex2/files/file_control.h>
#include <quorvex2/files/file_types.h>

#include "command_registry.h"
#include "lap_file_loss.h"
#include "load_options.h"
#include "messages.h"
#include "write_refusal.h"

namespace qxcli {
namespace {

struct ConvertOptions {
  LoadOptions load;
  std::string output;
  std::string to;  // empty: the type follows the output's extension
  bool full = false;
};

// The file type of a --to name. "lzh" is the native file packed in an archive: the output's
// ".lzh" extension does that, so it saves as the native type.
int32_t SaveType(const std::string& to) {
  static const std::map<std::string, int32_t> types{
      {"lxm", quorvex2::QX_FILETYPE_QUORVEX2},
      {"xml", quorvex2::QX_FILETYPE_QUORVEX2},
      {"lap", quorvex2::QX_FILETYPE_QUORVEX1},
      {"iof", quorvex2::QX_FILETYPE_IOF_XML_20_RESULT},
      {"iof3", quorvex2::QX_FILETYPE_IOF_XML_30_RESULT},
      {"lzh", quorvex2::QX_FILETYPE_QUORVEX2}};
  return types.at(to);
}

// The file type to write: --to, or else the output's extension as the component chooses it: an
// ".xml" output is an IOF 2.0.3 result list, a ".lap" one a version-1 lap file, any other name a
// native lap file.
int32_t OutputType(const ConvertOptions& options) {
  if (!options.to.empty()) return SaveType(options.to);
  static const std::map<std::string, int32_t> types{
      {"lxm", quorvex2::QX_FILETYPE_QUORVEX2},
      {"lzh", quorvex2::QX_FILETYPE_QUORVEX2},
      {"lap", quorvex2::QX_FILETYPE_QUORVEX1},
      {"xml", quorvex2::QX_FILETYPE_IOF_XML_20_RESULT}};
  const auto it = types.find(quorvex2::GetExtension(options.output));
  return it == types.end() ? quorvex2::QX_FILETYPE_QUORVEX2 : it->second;
}

void Convert(const ConvertOptions& options) {
  if (options.to == "lzh" && quorvex2::GetExtension(options.output) != "lzh") {
    throw ExitError(2, text::LzhNeedsLzhName());
  }
  const int32_t type = OutputType(options);
  auto root = LoadEvent(options.load);
  const int32_t mode = options.full ? quorvex2::QX_SAVEMODE_FULL : quorvex2::QX_SAVEMODE_NORMAL;
  if (!root->FileControl()->SaveLapFile(options.output, type, mode)) {
    throw ExitError(1, text::CannotSave(options.output, WriteRefusal(options.output)));
  }
  if (type == quorvex2::QX_FILETYPE_QUORVEX1) WarnLapFileLoss(*root, "convert", options.output);
}

void SetupConvert(CLI::App& sub) {
  auto options = std::make_shared<ConvertOptions>();
  AddLoadOptions(sub, options->load);
  sub.add_option("-o,--output", options->output, "The file to write")->required();
  sub.add_option("--to", options->to, "Output type (default: from the output's extension)")
      ->check(CLI::IsMember({"lxm", "xml", "lap", "iof", "iof3", "lzh"}));
  sub.add_flag("--full", options->full, "Write every runner field (rank markers, ages)");
  sub.callback([options] { Convert(*options); });
}

const bool registered = RegisterCommand(
    {"convert", "Save the loaded event as a lap file (.lxm, .lap, IOF 2.0.3/3.0 .xml, .lzh)",
     SetupConvert});

}  // namespace
}  // namespace qxcli
