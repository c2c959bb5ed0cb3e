// quorvex2 report grid: the analysis grid of one data set as a text table. Colours and the
// screen width follow the terminal when the grid goes to one (--color, --width say otherwise).
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include <quorvex2/chart/graphic_control.h>

#include "language_option.h"
#include "messages.h"
#include "report_command.h"
#include "terminal_grid.h"
#include "usage_error.h"

namespace qxcli {
namespace {

struct GridOptions {
  std::string color = "auto";
  int32_t width = -1;  // -1: the terminal's width, or no limit off a terminal
  // 0: two columns in Japanese, where terminals draw them so, else one
  int32_t ambiguous_width = 0;
  const CLI::Option* output = nullptr;  // report's --output: given, the grid goes to a file
};

GridOptions& Options() {
  static GridOptions options;
  return options;
}

bool ToTerminal() {
  const CLI::Option* output = Options().output;
  return (output == nullptr || output->count() == 0) && ::isatty(STDOUT_FILENO);
}

bool UseColor() {
  const std::string& color = Options().color;
  if (color != "auto") return color == "always";
  const char* term = std::getenv("TERM");
  const bool dumb = term != nullptr && std::string(term) == "dumb";
  return ToTerminal() && std::getenv("NO_COLOR") == nullptr && !dumb;
}

int32_t ScreenWidth() {
  if (Options().width >= 0) return Options().width;
  if (!ToTerminal()) return 0;
  winsize size{};
  if (::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  const char* columns = std::getenv("COLUMNS");
  return columns != nullptr ? std::atoi(columns) : 0;
}

void AddGridOptions(CLI::App& report) {
  GridOptions& options = Options();
  report.add_option("--color", options.color, "grid: colour the cells (auto: on a terminal)")
      ->check(CLI::IsMember({"auto", "always", "never"}))
      ->capture_default_str();
  report
      .add_option("--width", options.width,
                  "grid: screen columns to fit the table into, 0 for no limit "
                  "(default: the terminal's width)")
      ->check(AtLeast(0));
  report
      .add_option("--ambiguous-width", options.ambiguous_width,
                  "grid: columns of symbols such as → and ↓ (default: 2 in Japanese, as East "
                  "Asian terminals draw them, 1 otherwise)")
      ->check(CLI::IsMember({1, 2}));
  options.output = report.get_option_no_throw("--output");
}

std::string WriteGrid(const ReportInput& input) {
  auto grid = std::make_shared<TerminalGrid>();
  const auto analyzer = input.Analyzer();
  input.root.GraphicControl()->DrawGrid(analyzer, grid);
  if (analyzer->Count() == 0) {
    std::cerr << text::NoRunnersInDataSet("report grid", analyzer->DataSetName()) << "\n";
  }
  const int32_t ambiguous = Options().ambiguous_width;
  const bool narrow = ambiguous == 0 ? Language() != "ja" : ambiguous == 1;
  return grid->Text({UseColor(), ScreenWidth(), narrow});
}

const bool registered =
    RegisterReportKind({"grid", "the analysis grid as a text table", WriteGrid, AddGridOptions});

}  // namespace
}  // namespace qxcli
