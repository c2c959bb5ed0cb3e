#include <gtest/gtest.h>

#include "export_fixture.h"

namespace quorvex2 {
namespace {

using qxtest::AddRunner;

using qxtest::Count;

class MailText : public ::testing::Test {
 protected:
  std::shared_ptr<clsQuorvex2> root = std::make_shared<clsQuorvex2>();
};

// Two selected runners of a class of four; the two others make the reference times 1:02, 2:00
// and 0:55.
TEST_F(MailText, FirstSectionMatchesTheWorkedExample) {
  root->EventData()->EventName = "Spring Cup";
  auto cls = root->AddClass("M21");
  cls->ControlCount = 2;
  cls->Length = 4200;
  cls->Climb = 180;
  auto a = AddRunner(*cls, "A", {65, 130, 58}, "0:04:13");
  auto b = AddRunner(*cls, "B", {70, 150, 60}, "0:04:40");
  AddRunner(*cls, "C", {60, 115, 53}, "0:03:48");
  AddRunner(*cls, "D", {61, 115, 54}, "0:03:50");
  auto analyzer = root->NewAnalyzer();
  analyzer->AddClass("M21");
  analyzer->Execute();
  analyzer->SelectNone();
  analyzer->SelectItem(a->SerialNum());
  analyzer->SelectItem(b->SerialNum());

  const std::string text = root->TextControl()->OutputTextMail(analyzer);
  const std::string head =
      "◎ M21 4200m ↑180m\r\n"
      "    - Spring Cup\r\n"
      "\r\n"
      "■ ラップタイム (mmmss)\r\n"
      "\r\n"
      "       A     B  Ave3\r\n"
      " 1   105   110   102\r\n"
      " 2   210   230   200\r\n"
      " F    58   100    55\r\n"
      "TT   413   440   357\r\n"
      "\r\n"
      "■積算タイム (mmmss)\r\n"
      "\r\n"
      "       A     B  Ave3\r\n"
      " 1   105   110   102\r\n"
      " 2   315   340   302\r\n"
      " F   413   440   357\r\n"
      "\r\n"
      "■相対値 (%)\r\n";
  EXPECT_EQ(text.substr(0, head.size()), head);

  // Cruise speed, miss rate and miss time sections follow without a blank line after the title.
  EXPECT_NE(text.find("■巡航速度 (%)\r\n       A     B\r\n"), std::string::npos);
  EXPECT_NE(text.find("■ミス率 (%)\r\n       A     B\r\n"), std::string::npos);
  EXPECT_NE(text.find("■ミスタイム (mmmss)\r\n       A     B\r\n"), std::string::npos);
  const std::string footer = "Made with Quorvex Ver.2.19\r\n";
  const size_t at = text.find(footer);
  ASSERT_NE(at, std::string::npos);
  // One thanks line closes the report.
  const std::string rest = text.substr(at + footer.size());
  EXPECT_EQ(Count(rest, "\r\n"), 1u);
  EXPECT_EQ(rest.substr(rest.size() - 2), "\r\n");
}

// Twelve columns make a block; the "  Ave3" column counts as one.
TEST_F(MailText, BlocksOfTwelveColumns) {
  auto cls = root->AddClass("W21");
  cls->ControlCount = 1;
  for (int i = 0; i < 13; ++i) {
    AddRunner(*cls, "Runner" + std::to_string(i + 10), {100.0 + i, 50}, "");
  }
  auto analyzer = root->NewAnalyzer();
  analyzer->AddClass("W21");
  analyzer->Execute();
  std::string text = root->TextControl()->OutputTextMail(analyzer);
  // Names are cut to six columns.
  EXPECT_NE(text.find("Runner"), std::string::npos);
  EXPECT_EQ(text.find("Runner1"), std::string::npos);

  const std::string title = "■ ラップタイム (mmmss)\r\n\r\n";
  const size_t first = text.find(title) + title.size();
  const std::string section = text.substr(first, text.find("■積算タイム") - first);
  // Two blocks: 12 runners, then the 13th runner and the averages.
  EXPECT_EQ(Count(section, "  Ave3"), 1u);
  EXPECT_EQ(Count(section, "\r\n\r\n"), 2u);
  const size_t second_block = section.find("\r\n\r\n") + 4;
  EXPECT_EQ(section.substr(second_block, 14), "  Runner  Ave3");

  // With twelve runners the averages stand alone in a second block.
  cls->RemoveLap(13);
  analyzer = root->NewAnalyzer();
  analyzer->AddClass("W21");
  analyzer->Execute();
  text = root->TextControl()->OutputTextMail(analyzer);
  EXPECT_NE(text.find("\r\n\r\n    Ave3\r\n 1"), std::string::npos);
}

TEST_F(MailText, StatusResultsAndCodesInCells) {
  auto cls = root->AddClass("M40");
  cls->ControlCount = 3;
  AddRunner(*cls, "Fast", {60, 60, 60, 60}, "0:04:00");
  AddRunner(*cls, "Skip", {60, -1, 130, 60}, "0:04:10");
  AddRunner(*cls, "Dsq", {60, -2, 60, 60}, "DNF");
  AddRunner(*cls, "Gap", {60, 0, 60, 60}, "MP");
  auto analyzer = root->NewAnalyzer();
  analyzer->AddClass("M40");
  analyzer->Execute();
  const std::string text = root->TextControl()->OutputTextMail(analyzer);
  const size_t lap = text.find("■ ラップタイム");
  const std::string section = text.substr(lap, text.find("■積算タイム") - lap);
  // Runners in result order: the times, then MP before DNF. Placeholders are two columns wide.
  EXPECT_NE(section.find("  Fast  Skip   Gap   Dsq  Ave3"), std::string::npos);
  EXPECT_NE(section.find(" 2   100    ↓    －    ×"), std::string::npos);
  EXPECT_NE(section.find("TT   400   410    MP   DNF"), std::string::npos);
  // Miss times of a runner that never had one computed print the placeholder.
  const std::string miss = text.substr(text.find("■ミスタイム"));
  EXPECT_NE(miss.find("    －"), std::string::npos);
}

}  // namespace
}  // namespace quorvex2
