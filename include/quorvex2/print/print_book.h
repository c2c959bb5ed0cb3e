#pragma once
// The print book: callers draw texts, lines, boxes and circles in a virtual page of their own
// size; the book records them page by page and replays them on the printer, scaled to fit the
// printable area and optionally tiled several pages to a sheet, or one sheet on a picture box
// as a preview. Lengths on paper are millimetres.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "quorvex2/platform/picture_box.h"
#include "quorvex2/platform/printer.h"
#include "quorvex2/platform/std_font.h"

namespace quorvex2 {

enum PrintBookAlignConst : int32_t {
  PRINTBOOK_ALIGN_LEFT = 0,
  PRINTBOOK_ALIGN_CENTER = 1,
  PRINTBOOK_ALIGN_RIGHT = 2,
};

enum PrintBookValignConst : int32_t {
  PRINTBOOK_VALIGN_TOP = 0,
  PRINTBOOK_VALIGN_MIDDLE = 1,
  PRINTBOOK_VALIGN_BOTTOM = 2,
};

// One recorded drawing command; lengths are virtual units × VirtualZoomRatio.
class clsPrintBookLine {
 public:
  enum KindConst : int32_t { kText = 0, kBox = 1, kLine = 2, kCircle = 3 };

  int32_t Kind = kText;
  float Left = 0;
  float Top = 0;
  float Width = 0;
  float Height = 0;
  int32_t Color = 0;
  float Radius = 0;
  float DrawWidth = 0;
  bool Fill = false;
  std::string Text;
  PrintBookAlignConst TextAlign = PRINTBOOK_ALIGN_LEFT;
  PrintBookValignConst TextValign = PRINTBOOK_VALIGN_TOP;
  bool IsLandscape = false;
  float ChrHeight = 1;
  bool AutoStringCut = false;
  std::string FontName;
  float FontSize = 0;
  bool FontItalic = false;
  bool FontBold = false;
  bool FontUnderline = false;
};

// The page geometry the book computed, in printer millimetres.
struct PrintBookGeometry {
  float OriginX = 0, OriginY = 0;
  float AlignX = 0, AlignY = 0;
  float PrintableWidth = 0, PrintableHeight = 0;
  float TileWidth = 0, TileHeight = 0;
  float VirtualWidth = 0, VirtualHeight = 0;
};

class clsPrintBook {
 public:
  using Page = std::vector<clsPrintBookLine>;

  clsPrintBook();

  // Selects the printer by device name (an unknown name keeps the current one), sets paper
  // (Windows paper code), orientation (1 portrait, 2 landscape) and millimetre scale, raises
  // the margins to the unprintable edges and starts an empty book. ZoomRatio 0 means 1.
  // std::runtime_error from the printer (invalid paper size, no printable area).
  void Init(const std::string& PrinterName, int32_t PaperSize, int32_t Orientation,
            float MarginLeft, float MarginTop, float MarginBottom, float MarginRight,
            float ZoomRatio);
  // Opens a new page unless the current one is still empty.
  void NewPage();
  // Fits a virtual page of X × Y units into a tile (a zero side follows the tile's aspect);
  // shrinks always, enlarges only with AutoEnlarge. std::runtime_error for negative sizes.
  void SetVirtualSize(float VirtualPrintAreaX, float VirtualPrintAreaY, bool AutoEnlarge = true,
                      PrintBookAlignConst PageAlign = PRINTBOOK_ALIGN_CENTER,
                      PrintBookValignConst PageValign = PRINTBOOK_VALIGN_MIDDLE);
  // RowCount × ColCount pages per sheet with the given gaps.
  void SetSeparation(int32_t RowCount, int32_t ColCount, float RowInterval, float ColInterval);

  void PrintText(const std::string& Expression, const StdFont& TextFont, float Left, float Top,
                 float Width, float Height, PrintBookAlignConst TextAlign,
                 PrintBookValignConst TextValign, bool IsLandscape = false, float ChrHeight = 1.0f,
                 int32_t TextColor = 0, bool AutoStringCut = false);
  void DrawBox(float Left, float Top, float Width, float Height, int32_t Color, float DrawWidth,
               bool Fill);
  void DrawLine(float Left, float Top, float Width, float Height, int32_t Color, float DrawWidth);
  void DrawCircle(float X, float Y, float Radius, int32_t Color, bool Fill);

  // Prints the pages StartPage .. EndPage (0: to the last) and ends the document.
  void Execute(int32_t StartPage = 1, int32_t EndPage = 0);
  // Draws sheet PageNum on the picture at PreviewZoomRatio.
  void ShowPreview(const std::shared_ptr<PictureBox>& PreviewPicture, int32_t PageNum);

  float PreviewZoomRatio() const { return preview_zoom_ratio_; }
  void PreviewZoomRatio(float Ratio) { preview_zoom_ratio_ = Ratio; }
  float MarginTop() const { return margin_top_; }
  int16_t MarginBottom() const { return margin_bottom_; }
  float MarginLeft() const { return margin_left_; }
  float MarginRight() const { return margin_right_; }
  int32_t RowCount() const { return row_count_; }
  int32_t ColCount() const { return col_count_; }
  float ZoomRatio() const { return zoom_ratio_; }
  int32_t PageCount() const { return page_count_; }
  float Width() const { return geometry_.VirtualWidth / virtual_zoom_ratio_; }
  float Height() const { return geometry_.VirtualHeight / virtual_zoom_ratio_; }
  std::shared_ptr<Printer> PrinterObject() const { return printer_; }
  float VirtualZoomRatio() const { return virtual_zoom_ratio_; }
  void VirtualZoomRatio(float Ratio) { virtual_zoom_ratio_ = Ratio == 0 ? 1 : Ratio; }
  float PrintedAreaWidth() const { return printed_area_width_ / virtual_zoom_ratio_; }
  void PrintedAreaWidth(float Value) { printed_area_width_ = Value * virtual_zoom_ratio_; }
  float PrintedAreaHeight() const { return printed_area_height_ / virtual_zoom_ratio_; }
  void PrintedAreaHeight(float Value) { printed_area_height_ = Value * virtual_zoom_ratio_; }

  // What the book holds: its geometry and its pages (the last one may still be empty).
  const PrintBookGeometry& Geometry() const { return geometry_; }
  const std::vector<Page>& Pages() const { return pages_; }

 private:
  void Record(clsPrintBookLine Line);
  void FitTile(float TileWidth, float TileHeight);
  void PrintPages(int32_t StartPage, int32_t EndPage);
  void ReplayPage(DrawingTarget& Target, const Page& Records, int32_t Cell) const;

  std::shared_ptr<Printer> printer_;
  float preview_zoom_ratio_ = 1;
  float margin_top_ = 0, margin_left_ = 0, margin_right_ = 0;
  int16_t margin_bottom_ = 0;
  float row_interval_ = 0, col_interval_ = 0;
  float zoom_ratio_ = 1;
  float virtual_zoom_ratio_ = 1;
  PrintBookGeometry geometry_;
  int32_t row_count_ = 1, col_count_ = 1;
  std::vector<Page> pages_;
  int32_t page_count_ = 0;
  bool page_used_ = false;
  float printed_area_width_ = 0, printed_area_height_ = 0;
};

}  // namespace quorvex2
