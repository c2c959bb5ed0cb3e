// Replaying the recorded pages: printing them, and previewing one sheet on a picture.
#include <cmath>
#include <stdexcept>

#include "print/detail/text_box.h"
#include "quorvex2/print/print_book.h"

namespace quorvex2 {

namespace {

int32_t PenWidth(float Width, float Zoom) {
  return std::max(static_cast<int32_t>(std::nearbyint(Width * Zoom)), 1);
}

StdFont RecordFont(const clsPrintBookLine& Line, float Zoom) {
  return StdFont{Line.FontName, Line.FontSize * Zoom, Line.FontBold, Line.FontItalic,
                 Line.FontUnderline};
}

}  // namespace

void clsPrintBook::ReplayPage(DrawingTarget& Target, const Page& Records, int32_t Cell) const {
  const float z = zoom_ratio_;
  const int32_t column = Cell % col_count_, row = Cell / col_count_;
  const float x0 =
      column * (geometry_.TileWidth + col_interval_) + geometry_.AlignX + geometry_.OriginX;
  const float y0 =
      row * (geometry_.TileHeight + row_interval_) + geometry_.AlignY + geometry_.OriginY;
  for (const auto& r : Records) {
    const float x = x0 + r.Left * z, y = y0 + r.Top * z;
    switch (r.Kind) {
      case clsPrintBookLine::kLine:
        Target.DrawWidth(PenWidth(r.DrawWidth, z));
        Target.Line(x, y, x + r.Width * z, y + r.Height * z, r.Color);
        break;
      case clsPrintBookLine::kBox:
        Target.DrawWidth(PenWidth(r.DrawWidth, z));
        Target.Box(x, y, x + r.Width * z, y + r.Height * z, r.Color, r.Fill);
        break;
      case clsPrintBookLine::kCircle:
        Target.FillStyle(r.Fill ? kFillSolid : kFillTransparent);
        Target.FillColor(r.Color);
        Target.Circle(x, y, r.Radius * z, r.Color);
        Target.FillStyle(kFillTransparent);
        break;
      default:
        detail::DrawTextBox(Target, r.Text, RecordFont(r, z),
                            {x, y, r.Width * z, r.Height * z, r.TextAlign, r.TextValign,
                             r.IsLandscape, r.ChrHeight, r.Color, r.AutoStringCut});
        break;
    }
  }
}

void clsPrintBook::Execute(int32_t StartPage, int32_t EndPage) {
  try {
    PrintPages(StartPage, EndPage);
  } catch (...) {
    // A failed print leaves no half document behind for the next one.
    printer_->KillDoc();
    throw;
  }
  printer_->EndDoc();
}

void clsPrintBook::PrintPages(int32_t StartPage, int32_t EndPage) {
  const int32_t per_sheet = row_count_ * col_count_;
  const auto last = static_cast<int32_t>(pages_.size());
  int32_t placed = 0;
  for (int32_t i = std::max(StartPage, 1); i <= last; ++i) {
    const Page& page = pages_[i - 1];
    if (!page.empty()) {
      // Printing an empty text at the corner opens the sheet.
      printer_->CurrentX(0);
      printer_->CurrentY(0);
      printer_->Print("");
      ReplayPage(*printer_, page, placed % per_sheet);
    }
    if (i == EndPage) break;
    if (!page.empty()) ++placed;
    if (i < last && !pages_[i].empty() && placed % per_sheet == 0) printer_->NewPage();
  }
}

void clsPrintBook::ShowPreview(const std::shared_ptr<PictureBox>& PreviewPicture, int32_t PageNum) {
  if (!PreviewPicture) throw std::runtime_error("no picture to show the preview on");
  PictureBox& picture = *PreviewPicture;
  picture.ScaleMode(kScaleMillimetre);
  picture.Zoom(preview_zoom_ratio_);
  picture.Appearance(0);
  picture.BackColor(0xFFFFFF);
  const double pixels_per_mm = 96.0 / 25.4 * preview_zoom_ratio_;
  const float paper_width = geometry_.PrintableWidth + margin_left_ + margin_right_;
  const float paper_height = geometry_.PrintableHeight + margin_top_ + margin_bottom_;
  picture.Width(static_cast<int32_t>(std::lround(paper_width * pixels_per_mm)));
  picture.Height(static_cast<int32_t>(std::lround(paper_height * pixels_per_mm)));
  picture.Cls();
  const int32_t per_sheet = row_count_ * col_count_;
  for (int32_t k = (PageNum - 1) * per_sheet + 1; k <= PageNum * per_sheet; ++k) {
    if (k < 1 || k > static_cast<int32_t>(pages_.size())) continue;
    if (!pages_[k - 1].empty()) ReplayPage(picture, pages_[k - 1], (k - 1) % per_sheet);
  }
}

}  // namespace quorvex2
