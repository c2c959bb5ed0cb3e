// quorvex2 print: the printed analysis table or result list of the data set the options select
// (several --class options make one data set of those classes, as for report), written as a PDF
// and/or one sheet previewed as PNG.
#include <algorithm>
#include <cctype>
#include <map>
#include <stdexcept>

#include <quorvex2/analysis/analyzer.h>
#include <quorvex2/analysis/results_holder.h>
#include <quorvex2/chart/graphic_control.h>
#include <quorvex2/print/print_book.h>

#include "command_registry.h"
#include "data_set_options.h"
#include "load_options.h"
#include "messages.h"
#include "write_refusal.h"

namespace qxcli {
namespace {

constexpr float kMargin = 10;  // millimetres on every side
constexpr float kNupGap = 5;   // millimetres between tiled pages

struct PrintOptions {
  LoadOptions load;
  DataSetOptions data_set;
  std::string analysis;  // the mode when --analysis is given
  bool results = false;
  std::string output;
  std::string paper = "A4";
  bool landscape = false;
  std::string nup;
  std::string preview;
  int32_t page = 1;
  float line_interval = 1.5f;
  float auto_reduction = 1.0f;
  bool id = false;
  bool age = false;
};

const std::map<std::string, quorvex2::QxPrintAnalysisModeConst>& AnalysisModes() {
  static const std::map<std::string, quorvex2::QxPrintAnalysisModeConst> modes{
      {"standard", quorvex2::QX_PRINT_ANALYSIS_STANDARD},
      {"laptime", quorvex2::QX_PRINT_ANALYSIS_LAPTIME},
      {"splittime", quorvex2::QX_PRINT_ANALYSIS_SPLITTIME}};
  return modes;
}

int32_t PaperCode(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  static const std::map<std::string, int32_t> codes{
      {"LETTER", quorvex2::kPaperLetter}, {"A3", quorvex2::kPaperA3}, {"A4", quorvex2::kPaperA4},
      {"A5", quorvex2::kPaperA5},         {"B4", quorvex2::kPaperB4}, {"B5", quorvex2::kPaperB5}};
  const auto it = codes.find(name);
  if (it == codes.end()) throw ExitError(2, text::BadPaper());
  return it->second;
}

// "RxC": rows and columns of pages on a sheet.
std::pair<int32_t, int32_t> NupShape(const std::string& text) {
  int rows = 0, cols = 0;
  char x = 0, rest = 0;
  if (std::sscanf(text.c_str(), "%d%c%d%c", &rows, &x, &cols, &rest) != 3 ||
      (x != 'x' && x != 'X') || rows < 1 || cols < 1 || rows > 10 || cols > 10) {
    throw ExitError(2, text::BadNup());
  }
  return {rows, cols};
}

// --analysis takes an optional mode, so it may have swallowed the lap file that followed it.
void TakeBackFile(PrintOptions& o) {
  if (o.analysis.empty() || AnalysisModes().count(o.analysis) != 0) return;
  if (!o.load.files.empty()) {
    throw ExitError(2, text::BadAnalysisMode(o.analysis));
  }
  o.load.files.push_back(o.analysis);
  o.analysis = "standard";
}

std::shared_ptr<quorvex2::clsPrintBook> NewBook(const PrintOptions& o) {
  auto book = std::make_shared<quorvex2::clsPrintBook>();
  book->PrinterObject()->OutputFile(o.output);
  book->Init(quorvex2::Printer::kPdfPrinterName, PaperCode(o.paper),
             o.landscape ? quorvex2::kOrientationLandscape : quorvex2::kOrientationPortrait,
             kMargin, kMargin, kMargin, kMargin, 1);
  if (!o.nup.empty()) {
    const auto [rows, cols] = NupShape(o.nup);
    book->SetSeparation(rows, cols, kNupGap, kNupGap);
  }
  return book;
}

void PrintDataSet(const PrintOptions& o, const quorvex2::clsQuorvex2& root,
                  const std::shared_ptr<quorvex2::clsPrintBook>& book) {
  quorvex2::clsGraphicControl& graphics = *root.GraphicControl();
  if (o.results) {
    graphics.PrintResult(BuildResultsHolder(root, o.data_set), book, o.line_interval, false, o.id,
                         o.age);
  } else {
    graphics.PrintAnalysis(BuildAnalyzer(root, o.data_set), book, AnalysisModes().at(o.analysis),
                           false, o.auto_reduction);
  }
}

void WritePreview(const PrintOptions& o, quorvex2::clsPrintBook& book) {
  const int32_t per_sheet = book.RowCount() * book.ColCount();
  const int32_t sheets = (book.PageCount() + per_sheet - 1) / per_sheet;
  if (o.page < 1 || o.page > sheets) {
    throw ExitError(2, text::PageOutOfRange(o.page, sheets));
  }
  auto picture = std::make_shared<quorvex2::PictureBox>();
  book.ShowPreview(picture, o.page);
  if (!picture->SavePng(o.preview))
    throw ExitError(1, text::CannotWrite("print", o.preview, WriteRefusal(o.preview)));
}

// The printer says why it cannot write the PDF; that goes below the host's own line.
void WritePdf(const PrintOptions& o, quorvex2::clsPrintBook& book) {
  try {
    book.Execute();
  } catch (const std::runtime_error& error) {
    throw ExitError(1, text::WithRecord(text::CannotWrite("print", o.output), error.what()));
  }
}

void RunPrint(PrintOptions o) {
  TakeBackFile(o);
  if (o.load.files.empty()) throw ExitError(2, text::PrintNeedsFile());
  // Without --results or --analysis the standard analysis is printed.
  if (!o.analysis.empty() && o.results) throw ExitError(2, text::PrintAnalysisOrResults());
  if (!o.results && o.analysis.empty()) o.analysis = "standard";
  if (o.output.empty() && o.preview.empty()) {
    throw ExitError(2, text::PrintNeedsOutput());
  }
  const auto root = LoadEvent(o.load);
  const auto book = NewBook(o);
  PrintDataSet(o, *root, book);
  if (book->PageCount() == 0) throw ExitError(1, text::NothingToPrint());
  if (!o.preview.empty()) WritePreview(o, *book);
  if (!o.output.empty()) WritePdf(o, *book);
}

void SetupPrint(CLI::App& sub) {
  auto options = std::make_shared<PrintOptions>();
  AddLoadOptions(sub, options->load);
  // --analysis may swallow the only FILE; it is taken back and checked after parsing.
  sub.get_option("FILE")->required(false);
  AddDataSetOptions(sub, options->data_set);
  sub.add_option("--analysis", options->analysis,
                 "Print the split analysis: standard (default), laptime or splittime")
      ->expected(0, 1)
      ->default_str("standard");
  sub.add_flag("--results", options->results, "Print the result list");
  sub.add_option("-o,--output", options->output, "The PDF file to write");
  sub.add_option("--paper", options->paper, "Paper size: A3, A4, A5, B4, B5 or Letter");
  sub.add_flag("--landscape", options->landscape, "Landscape sheets");
  sub.add_option("--nup", options->nup, "ROWSxCOLUMNS pages on one sheet, e.g. 2x2");
  auto* preview = sub.add_option("--preview", options->preview, "Draw one sheet as a PNG picture");
  sub.add_option("--page", options->page, "The sheet to preview (from 1)")->needs(preview);
  sub.add_option("--line-interval", options->line_interval,
                 "Row height of result lists in lines (at least 1)");
  sub.add_option("--auto-reduction", options->auto_reduction,
                 "Analysis tables shrink down to this ratio to stack one more band on a page");
  sub.add_flag("--id", options->id, "Result lists show the runner ID");
  sub.add_flag("--age", options->age, "Result lists show the age");
  sub.callback([options] { RunPrint(*options); });
}

const bool registered = RegisterCommand(
    {"print", "Print analysis tables or result lists to PDF, with a PNG preview", SetupPrint});

}  // namespace
}  // namespace qxcli
