// Recording drawing commands into the current page of a print book.
#include "quorvex2/print/print_book.h"

namespace quorvex2 {

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
  const float v = virtual_zoom_ratio_;
  clsPrintBookLine line;
  line.Kind = clsPrintBookLine::kText;
  line.Left = Left * v;
  line.Top = Top * v;
  line.Width = Width * v;
  line.Height = Height * v;
  line.Color = TextColor;
  line.Text = Expression;
  line.TextAlign = TextAlign;
  line.TextValign = TextValign;
  line.IsLandscape = IsLandscape;
  line.ChrHeight = ChrHeight;
  line.AutoStringCut = AutoStringCut;
  line.FontName = TextFont.Name;
  line.FontSize = TextFont.Size * v;
  line.FontItalic = TextFont.Italic;
  line.FontBold = TextFont.Bold;
  line.FontUnderline = TextFont.Underline;
  Record(std::move(line));
}

void clsPrintBook::DrawBox(float Left, float Top, float Width, float Height, int32_t Color,
                           float DrawWidth, bool Fill) {
  const float v = virtual_zoom_ratio_;
  clsPrintBookLine line;
  line.Kind = clsPrintBookLine::kBox;
  line.Left = Left * v;
  line.Top = Top * v;
  line.Width = Width * v;
  line.Height = Height * v;
  line.Color = Color;
  line.DrawWidth = DrawWidth * v;
  line.Fill = Fill;
  Record(std::move(line));
}

void clsPrintBook::DrawLine(float Left, float Top, float Width, float Height, int32_t Color,
                            float DrawWidth) {
  const float v = virtual_zoom_ratio_;
  clsPrintBookLine line;
  line.Kind = clsPrintBookLine::kLine;
  line.Left = Left * v;
  line.Top = Top * v;
  line.Width = Width * v;
  line.Height = Height * v;
  line.Color = Color;
  line.DrawWidth = DrawWidth * v;
  Record(std::move(line));
}

void clsPrintBook::DrawCircle(float X, float Y, float Radius, int32_t Color, bool Fill) {
  const float v = virtual_zoom_ratio_;
  clsPrintBookLine line;
  line.Kind = clsPrintBookLine::kCircle;
  line.Left = X * v;
  line.Top = Y * v;
  line.Radius = Radius * v;
  line.Color = Color;
  line.Fill = Fill;
  Record(std::move(line));
}

}  // namespace quorvex2
