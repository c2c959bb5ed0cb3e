#pragma once
// The drawing surface of charts: one set of pen, font and drawing operations over a picture
// box (chart units are pixels) or a print book (three chart units make one book unit, pen
// widths are doubled, and texts are measured with the book's printer font).
#include <cstdint>
#include <memory>
#include <string>

#include "quorvex2/platform/picture_box.h"
#include "quorvex2/platform/std_font.h"
#include "quorvex2/print/print_book.h"

namespace quorvex2 {

class clsChartWrapper {
 public:
  enum KindConst : int32_t { kPrintBook = 0, kPictureBox = 1 };

  // Attaches a print book; its printer font becomes "ＭＳ ゴシック" 9.
  void PrintBookObject(std::shared_ptr<clsPrintBook> Book);
  // Attaches a picture box and clears it; its font becomes "ＭＳ ゴシック" 9.
  void PictureBoxObject(std::shared_ptr<PictureBox> Picture);

  void FontSize(int32_t Size);
  void DrawWidth(float Width);
  void ForeColor(int32_t Color);
  void FillColor(int32_t Color);
  void FillStyle(int32_t Style);
  void CurrentX(float X);
  void CurrentY(float Y);

  void DrawLine(float X1, float Y1, float X2, float Y2);
  void DrawBox(float X1, float Y1, float X2, float Y2);
  void PrintText(const std::string& Text);
  void DrawCircle(float X, float Y, float Radius);
  float TextWidth(const std::string& Text) const;
  float TextHeight(const std::string& Text) const;
  // Closes the book's current page; nothing on a picture box.
  void EndDraw();

  int32_t Kind() const { return kind_; }

 private:
  bool OnPicture() const { return kind_ == kPictureBox && picture_ != nullptr; }
  bool OnBook() const { return kind_ == kPrintBook && book_ != nullptr; }

  int32_t kind_ = kPrintBook;
  std::shared_ptr<clsPrintBook> book_;
  std::shared_ptr<PictureBox> picture_;
  StdFont font_;
  float draw_width_ = 0;
  int32_t fore_color_ = 0;
  int32_t fill_color_ = 0;
  float current_x_ = 0;
  float current_y_ = 0;
  int32_t fill_style_ = 0;
};

}  // namespace quorvex2
