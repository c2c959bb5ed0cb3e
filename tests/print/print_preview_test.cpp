// Previews of a book on a picture: the sheet at the zoom ratio, a sheet of tiled pages, and the
// text boxes (alignment, cutting, vertical writing) as drawn.
#include <gtest/gtest.h>
#include <quorvex2/print/print_book.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "print_table_fixture.h"

namespace quorvex2 {
namespace {

using qxtest::A4Book;

constexpr float kStep = 0.25f;  // about one pixel in millimetres

// Ink (anything but white) in the rectangle of millimetres.
bool InkIn(PictureBox& picture, float x1, float y1, float x2, float y2) {
  for (float y = y1; y <= y2; y += kStep) {
    for (float x = x1; x <= x2; x += kStep) {
      int32_t color = picture.Point(x, y);
      if (color != 0xFFFFFF && color != -1) return true;
    }
  }
  return false;
}

// The whole sheet in millimetres, at 96 dpi × the zoom ratio; the margins are on it.
TEST(PrintPreview, SheetFillsThePictureAtTheZoomRatio) {
  auto book = A4Book();
  book->DrawLine(0, 50, 100, 0, 0xFF0000, 10);
  book->PreviewZoomRatio(0.5f);
  auto picture = std::make_shared<PictureBox>(100, 100);
  book->ShowPreview(picture, 1);
  EXPECT_EQ(picture->ScaleMode(), 6);
  EXPECT_EQ(qxtest::Printf("%dx%d", picture->Width(), picture->Height()), "397x561");
  EXPECT_NEAR(picture->ScaleWidth(), 210, 0.5);
  EXPECT_EQ(picture->Point(50, 60), 0xFF0000);  // margin 10 + 50
  EXPECT_FALSE(InkIn(*picture, 5, 0, 200, 55));
  EXPECT_FALSE(InkIn(*picture, 115, 55, 200, 65));

  book->PreviewZoomRatio(0);
  EXPECT_THROW(book->ShowPreview(picture, 1), std::runtime_error);
  EXPECT_THROW(book->ShowPreview(nullptr, 1), std::runtime_error);
}

TEST(PrintPreview, OneSheetOfTiledPages) {
  auto book = std::make_shared<clsPrintBook>();
  book->Init(Printer::kPdfPrinterName, 9, 1, 0, 0, 0, 0, 1);
  book->SetSeparation(2, 2, 5, 5);
  for (int i = 0; i < 5; ++i) {
    book->DrawBox(20, 20, 100, 100, 0, 1, true);
    book->NewPage();
  }
  auto picture = std::make_shared<PictureBox>();
  book->ShowPreview(picture, 2);
  EXPECT_TRUE(InkIn(*picture, 30, 30, 31, 31));     // page 5 in the first tile
  EXPECT_FALSE(InkIn(*picture, 137, 30, 138, 31));  // nothing in the second
  book->ShowPreview(picture, 1);
  EXPECT_TRUE(InkIn(*picture, 137, 30, 138, 31));
  EXPECT_TRUE(InkIn(*picture, 137, 181, 138, 182));
  book->ShowPreview(picture, 3);  // past the end: an empty sheet
  EXPECT_FALSE(InkIn(*picture, 0, 0, 210, 297));
}

// A text far too long for its box (a damaged name of megabytes) is cut where a short text with
// the same start is, not one character at a time.
TEST(PrintPreview, LongTextIsCutWhereItsStartIs) {
  for (const std::string unit : {"ABCDEFGHIJ", "日本語のなまえ"}) {
    std::string start, long_text;
    for (int i = 0; i < 6; ++i) start += unit;
    for (int i = 0; i < 30000; ++i) long_text += unit;
    std::vector<std::shared_ptr<PictureBox>> pictures;
    for (const std::string& text : {start, long_text}) {
      auto book = A4Book();
      book->PrintText(text, StdFont{"ＭＳ ゴシック", 12}, 0, 0, 100, 10, PRINTBOOK_ALIGN_RIGHT,
                      PRINTBOOK_VALIGN_TOP, false, 1, 0, true);
      pictures.push_back(std::make_shared<PictureBox>());
      book->ShowPreview(pictures.back(), 1);
    }
    EXPECT_TRUE(InkIn(*pictures[1], 10, 10, 20, 20)) << unit;  // reaches the box's left end
    int differences = 0;
    for (float y = 10; y <= 20; y += kStep) {
      for (float x = 10; x <= 115; x += kStep) {
        differences += pictures[0]->Point(x, y) != pictures[1]->Point(x, y);
      }
    }
    EXPECT_EQ(differences, 0) << unit;
  }
}

TEST(PrintPreview, TextBoxAlignsCutsAndWritesVertically) {
  auto book = A4Book();
  StdFont font{"ＭＳ ゴシック", 20};
  book->PrintText("右", font, 0, 0, 100, 20, PRINTBOOK_ALIGN_RIGHT, PRINTBOOK_VALIGN_BOTTOM);
  book->PrintText("ABCDEFGHIJKLMNOPQRSTUVWXYZ", font, 0, 30, 30, 10, PRINTBOOK_ALIGN_LEFT,
                  PRINTBOOK_VALIGN_TOP, false, 1, 0, true);
  book->PrintText("ABCDEFGHIJKLMNOPQRSTUVWXYZ", font, 0, 45, 30, 10, PRINTBOOK_ALIGN_LEFT,
                  PRINTBOOK_VALIGN_TOP);
  book->PrintText("日本語", font, 150, 0, 20, 100, PRINTBOOK_ALIGN_LEFT, PRINTBOOK_VALIGN_TOP,
                  true);
  book->PrintText("縦書き", StdFont{"@ＭＳ 明朝", 20}, 115, 0, 20, 100, PRINTBOOK_ALIGN_LEFT,
                  PRINTBOOK_VALIGN_MIDDLE);  // an @ font writes vertically too
  auto picture = std::make_shared<PictureBox>();
  book->ShowPreview(picture, 1);
  const float x0 = 10, y0 = 10;  // margins

  EXPECT_TRUE(InkIn(*picture, x0 + 90, y0 + 10, x0 + 100, y0 + 20));
  EXPECT_FALSE(InkIn(*picture, x0, y0, x0 + 85, y0 + 20));
  EXPECT_FALSE(InkIn(*picture, x0 + 90, y0, x0 + 100, y0 + 9));  // bottom-aligned

  EXPECT_TRUE(InkIn(*picture, x0, y0 + 30, x0 + 30, y0 + 40));
  EXPECT_FALSE(InkIn(*picture, x0 + 30.5f, y0 + 30, x0 + 60, y0 + 40));
  EXPECT_TRUE(InkIn(*picture, x0 + 31, y0 + 45, x0 + 60, y0 + 55));  // not cut

  // Vertical: three characters of about 7 mm one below the other, centred in the 20 mm column.
  EXPECT_TRUE(InkIn(*picture, x0 + 155, y0 + 15, x0 + 165, y0 + 20));
  EXPECT_FALSE(InkIn(*picture, x0 + 150, y0 + 24, x0 + 170, y0 + 100));
  EXPECT_FALSE(InkIn(*picture, x0 + 140, y0, x0 + 152, y0 + 22));
  EXPECT_TRUE(InkIn(*picture, x0 + 115, y0 + 41, x0 + 135, y0 + 44));  // 21 mm high, centred
  EXPECT_FALSE(InkIn(*picture, x0 + 115, y0, x0 + 135, y0 + 38));
  EXPECT_FALSE(InkIn(*picture, x0 + 115, y0 + 62, x0 + 135, y0 + 100));
}

}  // namespace
}  // namespace quorvex2
