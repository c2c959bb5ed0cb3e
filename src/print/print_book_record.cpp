// Recording drawing commands into the current page of a print book.
#include "quorvex2/print/print_book.h"

namespace quorvex2 {

namespace {

// A record of the kind with its position, size and colour; lengths scaled by Zoom.
clsPrintBookLine ScaledRecord(int32_t Kind, float Left, float Top, float Width, float Height,
                              int32_t Color, float Zoom) {
  clsPrintBookLine line;
  line.Kind = Kind;
  line.Left = Left * Zoom;
  line.Top = Top * Zoom;
  line.Width = Width * Zoom;
  line.Height = Height * Zoom;
  line.Color = Color;
  return line;
}

}  // namespace

void clsPrintBook::Record(clsPrintBookLine Line) {
  if (!page_used_) {
    page_used_ = true;
    ++page_count_;
  }
  pages_.back().push_back(std::move(Line));
}

void clsPrintBook::PrintText(const std::string& Expression, const StdFont& TextFont, float Left,
                             float Top, float Width, float Height, PrintBookAlignConst TextAlign,
                             PrintBookValignConst TextValign, bool IsLandscape, float ChrHeight,
                             int32_t TextColor, bool AutoStringCut) {
  clsPrintBookLine line = ScaledRecord(clsPrintBookLine::kText, Left, Top, Width, Height, TextColor,
                                       virtual_zoom_ratio_);
  line.Text = Expression;
  line.TextAlign = TextAlign;
  line.TextValign = TextValign;
  line.IsLandscape = IsLandscape;
  line.ChrHeight = ChrHeight;
  line.AutoStringCut = AutoStringCut;
  line.FontName = TextFont.Name;
  line.FontSize = TextFont.Size * virtual_zoom_ratio_;
  line.FontItalic = TextFont.Italic;
  line.FontBold = TextFont.Bold;
  line.FontUnderline = TextFont.Underline;
  Record(std::move(line));
}

void clsPrintBook::DrawBox(float Left, float Top, float Width, float Height, int32_t Color,
                           float DrawWidth, bool Fill) {
  clsPrintBookLine line =
      ScaledRecord(clsPrintBookLine::kBox, Left, Top, Width, Height, Color, virtual_zoom_ratio_);
  line.DrawWidth = DrawWidth * virtual_zoom_ratio_;
  line.Fill = Fill;
  Record(std::move(line));
}

void clsPrintBook::DrawLine(float Left, float Top, float Width, float Height, int32_t Color,
                            float DrawWidth) {
  clsPrintBookLine line =
      ScaledRecord(clsPrintBookLine::kLine, Left, Top, Width, Height, Color, virtual_zoom_ratio_);
  line.DrawWidth = DrawWidth * virtual_zoom_ratio_;
  Record(std::move(line));
}

void clsPrintBook::DrawCircle(float X, float Y, float Radius, int32_t Color, bool Fill) {
  clsPrintBookLine line =
      ScaledRecord(clsPrintBookLine::kCircle, X, Y, 0, 0, Color, virtual_zoom_ratio_);
  line.Radius = Radius * virtual_zoom_ratio_;
  line.Fill = Fill;
  Record(std::move(line));
}

}  // namespace quorvex2
