#pragma once
// The printer: a PDF writer with the page set-up of a Windows printer (paper sizes by their
// Windows paper codes, orientation, printable area inside unprintable edges). One PDF page per
// sheet; the document starts with the first drawing and is written by EndDoc. A CUPS queue
// selected by name receives the PDF through `lp` when the document ends.
#include <cstdint>
#include <string>
#include <vector>

#include "quorvex2/platform/drawing_target.h"

struct _cairo_surface;

namespace quorvex2 {

enum PrinterPaperConst : int32_t {
  kPaperLetter = 1,
  kPaperA3 = 8,
  kPaperA4 = 9,
  kPaperA5 = 11,
  kPaperB4 = 12,
  kPaperB5 = 13,
};
enum PrinterOrientationConst : int32_t { kOrientationPortrait = 1, kOrientationLandscape = 2 };

class Printer : public DrawingTarget {
 public:
  // The device name of the PDF printer, always installed.
  static constexpr const char* kPdfPrinterName = "Quorvex2 PDF";
  // Device pixels per inch: pen widths are counted in these pixels.
  static constexpr double kDotsPerInch = 600;

  // The PDF printer, A4 portrait, millimetre scale, no unprintable edge.
  Printer();
  // Ends a started document (errors are dropped here; call EndDoc to see them).
  ~Printer() override;

  // The PDF printer first, then the CUPS queues that `lpstat -e` lists.
  static std::vector<std::string> InstalledPrinters();

  std::string DeviceName() const { return device_name_; }
  // Selects an installed printer; std::runtime_error for a name that is not installed.
  void DeviceName(const std::string& Name);
  // Where the PDF printer writes its document (for a CUPS queue: a temporary file).
  std::string OutputFile() const { return output_file_; }
  void OutputFile(const std::string& FileName) { output_file_ = FileName; }

  int32_t PaperSize() const { return paper_size_; }
  // std::runtime_error for a paper code other than 1, 8, 9, 11, 12, 13.
  void PaperSize(int32_t Code);
  int32_t Orientation() const { return orientation_; }
  // 1 portrait or 2 landscape; std::runtime_error otherwise.
  void Orientation(int32_t Value);
  int32_t ScaleMode() const { return scale_mode_; }
  // 6 millimetres or 3 device pixels; std::runtime_error otherwise.
  void ScaleMode(int32_t Mode);

  // The unprintable edges of the paper in millimetres (as oriented); std::runtime_error for
  // negative edges or edges that leave no printable area.
  void SetUnprintableEdges(float Left, float Top, float Right, float Bottom);
  // The sheet and the printable area's corner on it, in millimetres.
  float PhysicalWidth() const;
  float PhysicalHeight() const;
  float PhysicalOffsetX() const { return edge_left_; }
  float PhysicalOffsetY() const { return edge_top_; }
  float TwipsPerPixelX() const { return static_cast<float>(1440 / kDotsPerInch); }
  float TwipsPerPixelY() const { return TwipsPerPixelX(); }
  // The printable area in scale units; scale coordinates start at its corner.
  float ScaleWidth() const override;
  float ScaleHeight() const override;

  // Sheets of the document so far (0 before the first drawing).
  int32_t Page() const { return page_; }
  // Starts a new sheet.
  void NewPage();
  // Writes the document; std::runtime_error when it cannot be written or sent.
  void EndDoc();
  // Drops the document without writing it.
  void KillDoc();

 protected:
  double DeviceResolution() const override { return 72.0; }
  bool WholeUnitText() const override { return false; }
  double PenUnit() const override { return 72.0 / kDotsPerInch; }
  double UnitX() const override;
  double UnitY() const override { return UnitX(); }
  double OriginX() const override;
  double OriginY() const override;
  _cairo* Canvas() override;

 private:
  void StartDoc();
  void CheckPrintableArea() const;
  void ApplyPageSize();
  std::string FinishDocument();
  void Deliver(const std::string& Pdf);

  std::string device_name_ = kPdfPrinterName;
  std::string output_file_;
  int32_t paper_size_ = kPaperA4;
  int32_t orientation_ = kOrientationPortrait;
  int32_t scale_mode_ = 6;
  float edge_left_ = 0, edge_top_ = 0, edge_right_ = 0, edge_bottom_ = 0;
  int32_t page_ = 0;
  std::string pdf_;
  _cairo_surface* surface_ = nullptr;
  _cairo* cr_ = nullptr;
};

}  // namespace quorvex2
