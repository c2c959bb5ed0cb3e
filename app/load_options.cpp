#include "load_options.h"

#include <iostream>
#include <map>

#include <quorvex2/files/file_control.h>
#include <quorvex2/files/file_types.h>

#include "command_registry.h"
#include "language_option.h"
#include "load_failure.h"
#include "messages.h"
#include "piped_input.h"
#include "progress_bar.h"

namespace qxcli {
namespace {

const std::map<std::string, int32_t>& TypeNames() {
  static const std::map<std::string, int32_t> names{
      {"auto", quorvex2::QX_FILETYPE_AUTODETECT},
      {"lxm", quorvex2::QX_FILETYPE_QUORVEX2},
      {"lap", quorvex2::QX_FILETYPE_QUORVEX1},
      {"sportident", quorvex2::QX_FILETYPE_SPORTIDENT},
      {"oevent", quorvex2::QX_FILETYPE_OEVENT},
      {"import-only", quorvex2::QX_FILETYPE_IMPORT_ONLY},
      {"iof", quorvex2::QX_FILETYPE_IOF_XML_30_RESULT},
      {"oe-csv", quorvex2::QX_FILETYPE_OE_CSV},
      {"si-csv", quorvex2::QX_FILETYPE_SI_CSV},
      {"splitsbrowser", quorvex2::QX_FILETYPE_SPLITSBROWSER_CSV},
      {"emit", quorvex2::QX_FILETYPE_EMIT_CSV}};
  return names;
}

void PrintMessage(const std::string& message) {
  std::cerr << text::TerminalText(message) << "\n";
}

// The component's messages and the lap files of an archive go to the witness. The chooser is
// asked only without --member (the component then takes the member named): it takes the
// likeliest file where there is one.
void Witness(quorvex2::clsQuorvex2& root, LoadWitness& witness) {
  root.ShowMessage = [&witness](const std::string& message) { witness.shown.push_back(message); };
  root.ChooseArchiveMember = [&witness](const std::vector<std::string>& members) {
    witness.offered = members;
    return std::string();
  };
}

// Loads the file (a pipe's bytes through a memory file); a load that succeeds shows the component's
// messages, one that fails says why.
void LoadOne(quorvex2::clsQuorvex2& root, const std::string& file, int32_t type, int32_t mode,
             LoadWitness& witness) {
  const PipedInput input(file);
  SetProgressCaption(root, text::Loading(file));
  witness.shown.clear();
  witness.offered.clear();
  if (!root.FileControl()->LoadLapFile(input.Path(), type, mode)) {
    throw ExitError(1, input.AsGiven(LoadFailure(input.Path(), root.ErrorComment(), witness)));
  }
  for (const std::string& message : witness.shown) PrintMessage(input.AsGiven(message));
  root.FileName = input.AsGiven(root.FileName());
}

}  // namespace

int32_t FileTypeFromName(const std::string& name) {
  auto it = TypeNames().find(name);
  return it == TypeNames().end() ? quorvex2::QX_FILETYPE_AUTODETECT : it->second;
}

void AddLoadOptions(CLI::App& sub, LoadOptions& options) {
  sub.add_option("FILE", options.files, "Lap files: the first is loaded, the others added")
      ->required();
  sub.add_option("--load-mode", options.load_mode,
                 "Load mode of the files after the first (1 append, 16 merge by ID, 17 merge by "
                 "name, plus 4096/8192/16384 flags)")
      ->capture_default_str();
  std::vector<std::string> type_names;
  for (const auto& [name, type] : TypeNames()) type_names.push_back(name);
  sub.add_option("--type", options.type, "File type of every FILE")
      ->check(CLI::IsMember(type_names))
      ->capture_default_str();
  sub.add_option("--member", options.member, "The lap file to take from an archive");
  sub.add_flag("--progress,!--no-progress", options.progress,
               "Show a progress bar on stderr during long jobs (when it is a terminal)");
}

std::shared_ptr<quorvex2::clsQuorvex2> LoadEvent(const LoadOptions& options) {
  auto root = std::make_shared<quorvex2::clsQuorvex2>();
  root->Language(Language());
  LoadWitness witness;
  witness.member = options.member;
  root->ArchiveMember = options.member;
  Witness(*root, witness);
  AttachProgressBar(*root, options.progress);
  const int32_t type = FileTypeFromName(options.type);
  for (size_t i = 0; i < options.files.size(); ++i) {
    LoadOne(*root, options.files[i], type, i == 0 ? 0 : options.load_mode, witness);
  }
  root->ShowMessage = PrintMessage;
  root->ChooseArchiveMember = nullptr;
  return root;
}

}  // namespace qxcli
