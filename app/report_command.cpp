// quorvex2 report KIND: text exports, HTML pages, JSON and the grid of one data set.
#include "report_command.h"

#include <algorithm>
#include <iostream>

#include <quorvex2/core/encoding.h>
#include <quorvex2/core/path.h>

#include "command_registry.h"
#include "load_options.h"
#include "messages.h"
#include "write_refusal.h"

namespace qxcli {
namespace {

std::vector<ReportKind>& Kinds() {
  static std::vector<ReportKind> kinds;
  return kinds;
}

struct ReportOptions {
  std::string kind;
  std::string output;  // empty: standard output
  std::string encoding = "utf-8";
  LoadOptions load;
  DataSetOptions data_set;
};

std::vector<std::string> KindNames() {
  std::vector<std::string> names;
  for (const auto& kind : RegisteredReportKinds()) names.push_back(kind.name);
  return names;
}

std::string KindList() {
  std::string list;
  for (const auto& kind : RegisteredReportKinds()) {
    list += "\n  " + kind.name +
            std::string(kind.name.size() < 16 ? 16 - kind.name.size() : 1, ' ') + kind.description;
  }
  return list;
}

const ReportKind& FindKind(const std::string& name) {
  const auto& kinds = RegisteredReportKinds();
  auto it = std::find_if(kinds.begin(), kinds.end(),
                         [&](const ReportKind& kind) { return kind.name == name; });
  if (it == kinds.end()) throw ExitError(2, text::UnknownReportKind(name));
  return *it;
}

void Emit(const std::string& text, const ReportOptions& options) {
  // HTML pages keep characters Shift-JIS cannot hold as character references.
  const bool html = options.kind.ends_with("-html");
  const std::string bytes = options.encoding != "shift_jis" ? text
                            : html                          ? quorvex2::Utf8ToSjisHtml(text)
                                                            : quorvex2::Utf8ToSjis(text);
  if (options.output.empty()) {
    std::cout << bytes << std::flush;
    return;
  }
  if (!quorvex2::WriteFileAtomically(options.output, bytes)) {
    throw ExitError(1, text::CannotWrite("report", options.output, WriteRefusal(options.output)));
  }
}

void RunReport(const ReportOptions& options) {
  const ReportKind& kind = FindKind(options.kind);
  const auto root = LoadEvent(options.load);
  Emit(kind.write(ReportInput{*root, options.data_set}), options);
}

void SetupReport(CLI::App& sub) {
  auto options = std::make_shared<ReportOptions>();
  sub.footer("Kinds:" + KindList());
  sub.add_option("KIND", options->kind, "What to write (see the list below)")
      ->required()
      ->check(CLI::IsMember(KindNames()));
  AddLoadOptions(sub, options->load);
  sub.add_option("-o,--output", options->output, "Write to FILE instead of standard output");
  sub.add_option("--encoding", options->encoding, "Encoding of the output")
      ->check(CLI::IsMember({"utf-8", "shift_jis"}));
  AddDataSetOptions(sub, options->data_set);
  for (const auto& kind : RegisteredReportKinds()) {
    if (kind.add_options) kind.add_options(sub);
  }
  sub.callback([options] { RunReport(*options); });
}

const bool registered = RegisterCommand(
    {"report", "Write a report of one data set: text exports, HTML pages, JSON, grid",
     SetupReport});

}  // namespace

bool RegisterReportKind(ReportKind kind) {
  Kinds().push_back(std::move(kind));
  return true;
}

const std::vector<ReportKind>& RegisteredReportKinds() {
  auto& kinds = Kinds();
  std::sort(kinds.begin(), kinds.end(),
            [](const ReportKind& a, const ReportKind& b) { return a.name < b.name; });
  return kinds;
}

}  // namespace qxcli
