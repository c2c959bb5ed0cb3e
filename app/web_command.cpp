// quorvex2 web: the interactive web viewer of the loaded event; prints the index page's path.
#include <filesystem>
#include <iostream>

#include <quorvex2/core/root.h>
#include <quorvex2/files/file_control.h>
#include <quorvex2/web/web_control.h>

#include "command_registry.h"
#include "load_options.h"
#include "messages.h"
#include "progress_bar.h"

namespace qxcli {
namespace {

struct WebOptions {
  LoadOptions load;
  std::string output;
};

void WriteWeb(const WebOptions& o) {
  auto root = LoadEvent(o.load);
  SetProgressCaption(*root, text::WritingWeb());
  quorvex2::clsWebControl web;
  web.Progress = root->FileControl()->Progress;
  if (!web.OutputWeb(o.output)) {
    throw ExitError(1, text::WithRecord(text::CannotWriteWeb(o.output), root->ErrorComment()));
  }
  std::cout << (std::filesystem::path(o.output) / "index.html").string() << "\n";
}

void SetupWeb(CLI::App& sub) {
  auto o = std::make_shared<WebOptions>();
  AddLoadOptions(sub, o->load);
  sub.add_option("-o,--output", o->output, "Folder to write the viewer into")->required();
  sub.callback([o] { WriteWeb(*o); });
}

const bool registered = RegisterCommand(
    {"web", "Write the interactive web viewer of the event (works offline, in a browser)",
     SetupWeb});

}  // namespace
}  // namespace qxcli
