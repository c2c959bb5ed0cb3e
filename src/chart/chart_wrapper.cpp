#include "quorvex2/chart/chart_wrapper.h"

#include <cmath>

namespace quorvex2 {

namespace {

constexpr const char* kChartFont = "ＭＳ ゴシック";
constexpr int32_t kChartFontSize = 9;
// Chart units per book unit, and the factors that turn the printer's text metrics into chart
// units (not 3: printed text needs a little more room than the book unit suggests).
constexpr float kBookUnit = 3;
constexpr float kBookTextWidth = 3.17f;
constexpr float kBookTextHeight = 3.35f;

}  // namespace

void clsChartWrapper::PrintBookObject(std::shared_ptr<clsPrintBook> Book) {
  kind_ = kPrintBook;
  book_ = std::move(Book);
  font_ = StdFont{};
  font_.Size = kChartFontSize;
  font_.Name = kChartFont;
  if (book_) {
    StdFont& printer_font = book_->PrinterObject()->Font();
    printer_font.Name = kChartFont;
    printer_font.Size = kChartFontSize;
  }
}

void clsChartWrapper::PictureBoxObject(std::shared_ptr<PictureBox> Picture) {
  kind_ = kPictureBox;
  picture_ = std::move(Picture);
  if (!picture_) return;
  picture_->Cls();
  picture_->Font().Size = kChartFontSize;
  picture_->Font().Name = kChartFont;
}

void clsChartWrapper::FontSize(int32_t Size) {
  if (OnPicture()) {
    picture_->Font().Size = static_cast<float>(Size);
    picture_->Font().Name = kChartFont;
  } else {
    font_.Size = static_cast<float>(Size);
    font_.Name = kChartFont;
  }
}

void clsChartWrapper::DrawWidth(float Width) {
  draw_width_ = Width;
  if (OnPicture()) picture_->DrawWidth(static_cast<int32_t>(std::nearbyint(Width)));
}

void clsChartWrapper::ForeColor(int32_t Color) {
  fore_color_ = Color;
  if (OnPicture()) picture_->ForeColor(Color);
}

void clsChartWrapper::FillColor(int32_t Color) {
  fill_color_ = Color;
  if (OnPicture()) picture_->FillColor(Color);
}

void clsChartWrapper::FillStyle(int32_t Style) {
  fill_style_ = Style;
  if (OnPicture()) picture_->FillStyle(Style);
}

void clsChartWrapper::CurrentX(float X) {
  current_x_ = X;
  if (OnPicture()) picture_->CurrentX(X);
}

void clsChartWrapper::CurrentY(float Y) {
  current_y_ = Y;
  if (OnPicture()) picture_->CurrentY(Y);
}

void clsChartWrapper::DrawLine(float X1, float Y1, float X2, float Y2) {
  if (OnPicture()) {
    picture_->Line(X1, Y1, X2, Y2);
  } else if (OnBook()) {
    const float x1 = X1 / kBookUnit, y1 = Y1 / kBookUnit;
    book_->DrawLine(x1, y1, X2 / kBookUnit - x1, Y2 / kBookUnit - y1, fore_color_, 2 * draw_width_);
  }
}

void clsChartWrapper::DrawBox(float X1, float Y1, float X2, float Y2) {
  if (OnPicture()) {
    picture_->Box(X1, Y1, X2, Y2);
  } else if (OnBook()) {
    const float x1 = X1 / kBookUnit, y1 = Y1 / kBookUnit;
    book_->DrawBox(x1, y1, X2 / kBookUnit - x1, Y2 / kBookUnit - y1, fore_color_, 2 * draw_width_,
                   false);
  }
}

// On a book the text box is the text's measured size in chart units, as the chart code sees it.
void clsChartWrapper::PrintText(const std::string& Text) {
  if (OnPicture()) {
    picture_->Print(Text);
  } else if (OnBook()) {
    book_->PrintText(Text, font_, current_x_ / kBookUnit, current_y_ / kBookUnit, TextWidth(Text),
                     TextHeight(Text), PRINTBOOK_ALIGN_LEFT, PRINTBOOK_VALIGN_TOP, false, 1.0f,
                     fore_color_, false);
  }
}

void clsChartWrapper::DrawCircle(float X, float Y, float Radius) {
  if (OnPicture()) {
    picture_->Circle(X, Y, Radius);
  } else if (OnBook()) {
    book_->DrawCircle(X / kBookUnit, Y / kBookUnit, Radius / kBookUnit, fill_color_,
                      fill_style_ == kFillSolid);
  }
}

float clsChartWrapper::TextWidth(const std::string& Text) const {
  if (OnPicture()) return picture_->TextWidth(Text);
  if (OnBook()) return book_->PrinterObject()->TextWidth(Text) * kBookTextWidth;
  return 0;
}

float clsChartWrapper::TextHeight(const std::string& Text) const {
  if (OnPicture()) return picture_->TextHeight(Text);
  if (OnBook()) return book_->PrinterObject()->TextHeight(Text) * kBookTextHeight;
  return 0;
}

void clsChartWrapper::EndDraw() {
  if (OnBook()) book_->NewPage();
}

}  // namespace quorvex2
