#include "quorvex2/platform/printer.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <stdexcept>
#include <string_view>

#include "core/detail/catalogue.h"
#include "core/detail/fill_in.h"
#include "platform/clock.h"
#include "platform/detail/paper_size.h"
#include "platform/detail/spooler.h"
#include "quorvex2/core/path.h"

namespace quorvex2 {

namespace {

constexpr double kPointsPerMillimetre = 72.0 / 25.4;

// A reproducible document is dated at the reproducible time, as every other output: the digits of
// the date the PDF writer gave it ("/CreationDate (D:YYYYMMDDHHmmSS") are replaced by as many
// (the cross-reference offsets stay right).
void DateAtReproducibleTime(std::string& pdf) {
  const auto epoch = detail::ReproducibleTime();
  if (!epoch) return;
  std::tm parts{};
  char digits[32] = "";
  if (gmtime_r(&*epoch, &parts) == nullptr ||
      std::strftime(digits, sizeof digits, "%Y%m%d%H%M%S", &parts) != 14) {
    return;
  }
  constexpr std::string_view kKey = "/CreationDate (D:";
  const size_t at = pdf.find(kKey);
  if (at == std::string::npos || at + kKey.size() + 14 > pdf.size()) return;
  pdf.replace(at + kKey.size(), 14, digits);
}

cairo_status_t AppendToString(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

// The folder the file goes to must exist and be writable before anything is drawn.
void CheckWritable(const std::string& FileName) {
  if (FileName.empty()) throw std::runtime_error("no output file set for the PDF printer");
  std::filesystem::path folder = std::filesystem::path(FileName).parent_path();
  if (folder.empty()) folder = ".";
  if (access(folder.c_str(), W_OK) != 0) {
    throw std::runtime_error(detail::FillIn(
        detail::Tr("PDF ファイル {file} を書けません: フォルダー {folder} に書き込めません"),
        {{"file", FileName}, {"folder", folder.string()}}));
  }
}

}  // namespace

Printer::Printer() = default;

Printer::~Printer() {
  try {
    EndDoc();
  } catch (const std::exception&) {
    // A destructor cannot report; EndDoc is where callers see the error.
  }
}

std::vector<std::string> Printer::InstalledPrinters() {
  std::vector<std::string> names{kPdfPrinterName};
  for (auto& queue : detail::CupsQueues()) names.push_back(queue);
  return names;
}

void Printer::DeviceName(const std::string& Name) {
  auto names = InstalledPrinters();
  if (std::find(names.begin(), names.end(), Name) == names.end()) {
    throw std::runtime_error("no printer named \"" + Name + "\" is installed");
  }
  device_name_ = Name;
}

void Printer::PaperSize(int32_t Code) {
  if (!detail::PaperSizeOf(Code)) {
    throw std::runtime_error("invalid paper size " + std::to_string(Code));
  }
  int32_t previous = paper_size_;
  paper_size_ = Code;
  try {
    CheckPrintableArea();
  } catch (...) {
    paper_size_ = previous;
    throw;
  }
  ApplyPageSize();
}

void Printer::Orientation(int32_t Value) {
  if (Value != kOrientationPortrait && Value != kOrientationLandscape) {
    throw std::runtime_error("invalid orientation " + std::to_string(Value));
  }
  int32_t previous = orientation_;
  orientation_ = Value;
  try {
    CheckPrintableArea();
  } catch (...) {
    orientation_ = previous;
    throw;
  }
  ApplyPageSize();
}

void Printer::ScaleMode(int32_t Mode) {
  if (Mode != 3 && Mode != 6) {
    throw std::runtime_error("unsupported printer scale mode " + std::to_string(Mode));
  }
  scale_mode_ = Mode;
}

void Printer::SetUnprintableEdges(float Left, float Top, float Right, float Bottom) {
  if (Left < 0 || Top < 0 || Right < 0 || Bottom < 0) {
    throw std::runtime_error("unprintable edges cannot be negative");
  }
  if (Left + Right >= PhysicalWidth() || Top + Bottom >= PhysicalHeight()) {
    throw std::runtime_error("unprintable edges leave no printable area");
  }
  edge_left_ = Left;
  edge_top_ = Top;
  edge_right_ = Right;
  edge_bottom_ = Bottom;
}

void Printer::CheckPrintableArea() const {
  if (edge_left_ + edge_right_ >= PhysicalWidth() || edge_top_ + edge_bottom_ >= PhysicalHeight()) {
    throw std::runtime_error("unprintable edges leave no printable area on this paper");
  }
}

float Printer::PhysicalWidth() const {
  auto paper = *detail::PaperSizeOf(paper_size_);
  return static_cast<float>(orientation_ == kOrientationLandscape ? paper.height : paper.width);
}

float Printer::PhysicalHeight() const {
  auto paper = *detail::PaperSizeOf(paper_size_);
  return static_cast<float>(orientation_ == kOrientationLandscape ? paper.width : paper.height);
}

double Printer::UnitX() const {
  return scale_mode_ == 6 ? kPointsPerMillimetre : 72.0 / kDotsPerInch;
}

float Printer::ScaleWidth() const {
  return static_cast<float>((PhysicalWidth() - edge_left_ - edge_right_) * kPointsPerMillimetre /
                            UnitX());
}

float Printer::ScaleHeight() const {
  return static_cast<float>((PhysicalHeight() - edge_top_ - edge_bottom_) * kPointsPerMillimetre /
                            UnitY());
}

double Printer::OriginX() const {
  return edge_left_ * kPointsPerMillimetre;
}
double Printer::OriginY() const {
  return edge_top_ * kPointsPerMillimetre;
}

cairo_t* Printer::Canvas() {
  if (cr_ == nullptr) StartDoc();
  return cr_;
}

void Printer::StartDoc() {
  if (device_name_ == kPdfPrinterName) CheckWritable(output_file_);
  pdf_.clear();
  surface_ = cairo_pdf_surface_create_for_stream(AppendToString, &pdf_,
                                                 PhysicalWidth() * kPointsPerMillimetre,
                                                 PhysicalHeight() * kPointsPerMillimetre);
  cr_ = cairo_create(surface_);
  page_ = 1;
}

void Printer::ApplyPageSize() {
  // Takes effect on the next sheet when a sheet is already being drawn.
  if (surface_ != nullptr) {
    cairo_pdf_surface_set_size(surface_, PhysicalWidth() * kPointsPerMillimetre,
                               PhysicalHeight() * kPointsPerMillimetre);
  }
}

void Printer::NewPage() {
  cairo_t* cr = Canvas();
  cairo_show_page(cr);
  ApplyPageSize();
  ++page_;
}

std::string Printer::FinishDocument() {
  cairo_show_page(cr_);
  cairo_destroy(cr_);
  cairo_surface_finish(surface_);
  cairo_status_t status = cairo_surface_status(surface_);
  cairo_surface_destroy(surface_);
  cr_ = nullptr;
  surface_ = nullptr;
  page_ = 0;
  if (status != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error(std::string("the PDF document failed: ") +
                             cairo_status_to_string(status));
  }
  DateAtReproducibleTime(pdf_);
  return std::move(pdf_);
}

void Printer::EndDoc() {
  if (cr_ == nullptr) return;
  Deliver(FinishDocument());
}

void Printer::KillDoc() {
  if (cr_ == nullptr) return;
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
  cr_ = nullptr;
  surface_ = nullptr;
  page_ = 0;
  pdf_.clear();
}

void Printer::Deliver(const std::string& Pdf) {
  if (device_name_ == kPdfPrinterName) {
    if (!WriteFileAtomically(output_file_, Pdf)) {
      throw std::runtime_error(
          detail::FillIn(detail::Tr("PDF ファイル {file} を書けません"), {{"file", output_file_}}));
    }
    return;
  }
  auto folder = std::filesystem::temp_directory_path() / "Quorvex2";
  std::filesystem::create_directories(folder);
  std::string spool = (folder / ("print-" + std::to_string(getpid()) + ".pdf")).string();
  if (!WriteFileAtomically(spool, Pdf)) {
    throw std::runtime_error(
        detail::FillIn(detail::Tr("印刷用のファイル {file} を書けません"), {{"file", spool}}));
  }
  detail::SendToQueue(device_name_, spool);
  std::filesystem::remove(spool);
}

}  // namespace quorvex2
