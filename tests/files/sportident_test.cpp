// SPORTident result listings, one fixture per dialect as users have them: the shared sample as
// printed and laid out by display column, two control rows and shared courses, web pages with the
// listing in <pre> or in cells, text with any title lines, localised captions, runners with or
// without a start number, controls on the runner rows, and the files that are no listing.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "files/files_test_support.h"
#include "files/si_listing_class_header.h"
#include "quorvex2/quorvex2.h"

namespace quorvex2 {
namespace {

using qxtest::DataPath;
using qxtest::LoadedEvent;

// Each listing loads to the event in tests/data/golden/files/si (or is refused, saying why); the
// listing laid out by display column (a full-width character takes two columns) reads like the
// one laid out by character.
TEST(SportIdentListings, LoadToTheirExpectedEvents) {
  struct Case {
    const char* file;
    const char* reads_as = nullptr;  // another fixture's expected event
  };
  const Case cases[] = {
      // Leg times on the club line, the finish leg under "F"; "mp" is P and the number of
      // missing punches; M50's other controls get the next course number.
      {"sportident-listing.txt"},
      {"sportident-display-columns.txt", "sportident-listing.txt"},
      {"sportident-tabs.txt", "sportident-listing.txt"},  // blanks saved as tabs (8 columns)
      // "Km" after the length, "Cm" after the climb; legs of the second control row from the
      // fourth line of a runner's block, also below a blank third line (Kei Ono, no cumulative
      // times); "mp" without the finish punched is DNF.
      {"sportident-two-rows.txt"},
      // xmlns on the first line, character references, names as printed.
      {"si-page-pre.html"},
      // Four title lines, "Stnr"/"Zeit", finish "Z", two control rows.
      {"si-german-title.txt"},
      // UTF-16, "StČí"/"Čas", finish "C".
      {"si-czech.txt"},
      // Table cells, "1-212" items, ranks in brackets.
      {"si-table.html"},
      // A table whose head row holds the captions, a club column and the controls; cumulative
      // and leg times in one cell, a line apart.
      {"si-table-head.html"},
      // The same with the head in plain cells, each control's number over its code ("1<br>(31)"),
      // the leg times set small and the class name on a line apart from its length and climb.
      {"si-table-br-head.html", "si-table-head.html"},
      // <pre> with <font> fields, no captions, no start numbers, no finish column (the finish
      // punch is the result).
      {"si-font-cells.html"},
      // The same, runners who gave up: their times are the first controls' whatever the spacing.
      {"si-font-dnf.html"},
      // One table per class, the captions only at the head of the first: each table's rows
      // under its own columns (a club line is no runner).
      {"si-table-per-class.html"},
      // Leg times alone, on the runner's line: they shrink and the finish is not the result.
      {"si-leg-times.txt", "sportident-listing.txt"},
      // Each runner's controls on its own rows.
      {"si-codes-on-runners.txt"},
      // More than 30 legs: the class is left out, or the listing refused.
      {"si-long-course.html"},
      {"si-long-course.txt"},
      // No listing: a start list, no runner, no title lines, runner rows without a class header.
      {"si-start-list.html"},
      {"si-empty.html"},
      {"si-untitled.txt"},
      {"si-runner-rows.txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string expected = c.reads_as ? c.reads_as : c.file;
    qxtest::ExpectGolden("golden/files/si/" + expected + ".txt", LoadedEvent(DataPath(c.file)));
  }
  // Listings printed otherwise that read as the fixture they are made from.
  struct Variant {
    const char* why;
    const char* file;
    std::vector<std::pair<std::string, std::string>> edits;
    const char* reads_as = nullptr;  // the fixture it reads as, when not its own
  };
  const std::string caption_row = "<tr><th>Pl</th><th>Stno</th><th>Name</th><th>Time</th></tr>\n";
  const std::string men = "<tr><td colspan=\"8\">Men Long    (5400 m, 180 m)</td></tr>\n";
  const std::string women = "<tr><td colspan=\"7\">Women    (3200 m, 95 m)</td></tr>\n";
  const Variant variants[] = {
      {"captions in every table", "si-table-per-class.html", {{women, caption_row + women}}},
      {"captions between the class and its controls",
       "si-table-per-class.html",
       {{caption_row + men, men + caption_row}, {women, women + caption_row}}},
      {"a control's number and code a blank apart",
       "si-table-head.html",
       {{"<th>1(31)</th><th>2(45)</th>", "<th>1 (31)</th><th>2 (45)</th>"}}},
      {"a footer table with a date and time",
       "si-table.html",
       {{"</table></body>",
         "</table><table><tr><td>Printed 16.05.2026 14:32:10</td><td>SPORTident 2026</td></tr>"
         "</table></body>"}}},
      {"a footer of one cell with a date and time",
       "si-table.html",
       {{"</table></body>",
         "</table><table><tr><td>Printed 16.05.2026 14:32:10</td></tr></table></body>"}}},
      {"a club printed after the time (and passed over)",
       "si-table.html",
       {{"<td></td><td></td><td></td><td></td><td>1-212</td>",
         "<td></td><td></td><td></td><td></td><td></td><td>1-212</td>"},
        {"<td>10:00</td><td>04:00</td>", "<td>10:00</td><td>XYZ</td><td>04:00</td>"},
        {"<td>11:30</td><td>04:30</td>", "<td>11:30</td><td>XYZ</td><td>04:30</td>"},
        {"<td>mp</td>", "<td>mp</td><td></td>"},
        {"<td>dnf</td>", "<td>dnf</td><td></td>"},
        {"</td><td></td><td>04:", "</td><td></td><td></td><td>04:"},
        {"<td>GHI</td><td></td>", "<td>GHI</td><td></td><td></td>"},
        {"<tr><td></td><td></td><td></td><td></td><td>05:00</td>",
         "<tr><td></td><td></td><td></td><td></td><td></td><td>05:00</td>"}}},
      {"the header wrapped before its length",
       "sportident-listing.txt",
       {{"M21E  (4)                5.100 km", "M21E  (4)\r\n                         5.100 km"}}},
      {"leg times without the finish leg under a time result: the result gives it",
       "si-leg-times.txt",
       {{"4:20     8:30     1:35", "4:20     8:30    -----"}},
       "sportident-listing.txt"},
      {"a finish without a time under a time result: the result is the finish",
       "sportident-listing.txt",
       {{"24:50    26:25", "24:50    -----"}, {"8:30     1:35", "8:30"}}},
  };
  for (const Variant& v : variants) {
    SCOPED_TRACE(v.why);
    std::string data = qxtest::ReadFile(DataPath(v.file));
    if (std::string(v.file).ends_with(".txt")) data = SjisToUtf8(data);
    for (const auto& [from, to] : v.edits) {
      ASSERT_NE(data.find(from), std::string::npos) << from;
      data = ReplaceAll(data, from, to);
    }
    qxtest::ExpectGolden(
        "golden/files/si/" + std::string(v.reads_as ? v.reads_as : v.file) + ".txt",
        LoadedEvent(v.reads_as ? v.reads_as : v.file, 0, 0, data));
  }
  // Blanks and tabs at the end of the title line are no gap before the date.
  const std::string listing = qxtest::ReadFile(DataPath("sportident-listing.txt"));
  const std::string padded = ReplaceAll(listing, "11:09\r\n", "11:09  \t\r\n");
  ASSERT_NE(padded, listing);
  qxtest::ExpectGolden("golden/files/si/sportident-listing.txt.txt",
                       LoadedEvent(qxtest::WriteFile(qxtest::MakeTempDir("si"), "t.txt", padded)));
  // The table's club column under its Swedish caption.
  const std::string head = qxtest::ReadFile(DataPath("si-table-head.html"));
  qxtest::ExpectGolden("golden/files/si/si-table-head.html.txt",
                       LoadedEvent("t.html", 0, 0, ReplaceAll(head, "<th>Club<", "<th>Klubb<")));
  // A year of birth before the club and a nation after it are neither; captions in Japanese.
  const std::string plain = LoadedEvent("t.html", 0, 0, head);
  EXPECT_EQ(LoadedEvent(
                "t.html", 0, 0,
                std::regex_replace(
                    ReplaceAll(head, "<th>Club</th>", "<th>YB</th><th>Club</th><th>Nat</th>"),
                    std::regex("<td>((OK|IFK) \\w+)</td>"), "<td>89</td><td>$1</td><td>SWE</td>")),
            plain);
  EXPECT_EQ(LoadedEvent(
                "t.html", 0, 0,
                ReplaceAll(head, "<th>Pl</th><th>Stno</th><th>Name</th><th>Club</th><th>Time</th>",
                           "<th>順位</th><th>番号</th><th>氏名</th><th>所属</th><th>タイム</th>")),
            plain);
  // The same text handed over in memory.
  const std::string text = SjisToUtf8(qxtest::ReadFile(DataPath("sportident-listing.txt")));
  qxtest::ExpectGolden("golden/files/si/sportident-listing.txt.txt",
                       LoadedEvent("listing.txt", QX_FILETYPE_SPORTIDENT, 0, text));
  // A page break inside M21E repeats the title, captions and class header: the same event.
  const size_t third = text.find("          1003");
  const std::string page = text.substr(0, text.find("\r\n\r\n     1    1001")) + "\r\n\r\n";
  qxtest::ExpectGolden("golden/files/si/sportident-listing.txt.txt",
                       LoadedEvent("listing.txt", QX_FILETYPE_SPORTIDENT, 0,
                                   text.substr(0, third) + page + text.substr(third)));
  // Also when the repeated header marks the class as continued.
  const std::string marked = ReplaceAll(page, "M21E  (4)        ", "M21E (cont.)  (4)");
  ASSERT_NE(marked, page);
  qxtest::ExpectGolden("golden/files/si/sportident-listing.txt.txt",
                       LoadedEvent("listing.txt", QX_FILETYPE_SPORTIDENT, 0,
                                   text.substr(0, third) + marked + text.substr(third)));
  // Times printed with tenths of a second count in whole seconds.
  const std::string tenths =
      std::regex_replace(text, std::regex(R"(  (\d{1,3}:\d\d)(?=[ \r]))"), "$1.9");
  ASSERT_NE(tenths.find("26:25.9"), std::string::npos);
  qxtest::ExpectGolden("golden/files/si/sportident-listing.txt.txt",
                       LoadedEvent("listing.txt", QX_FILETYPE_SPORTIDENT, 0, tenths));
  // Without any Japanese text a character takes one column, a Cyrillic letter too (Shift-JIS
  // would give it two).
  const std::vector<std::pair<std::string, std::string>> cyrillic = {{"山本 一郎", "Олег Иван"},
                                                                     {"名古屋OLC", "ОмскийOLC"},
                                                                     {"森 正", "Ян Ли"},
                                                                     {"佐々木 愛", "Анна Рыба"}};
  std::string russian = text;
  std::string expected = LoadedEvent("listing.txt", QX_FILETYPE_SPORTIDENT, 0, text);
  for (const auto& [japanese, other] : cyrillic) {
    russian = ReplaceAll(russian, japanese, other);
    expected = ReplaceAll(expected, japanese, other);
  }
  EXPECT_EQ(LoadedEvent("listing.txt", QX_FILETYPE_SPORTIDENT, 0, russian), expected);
  // Russian captions and status words.
  russian = ReplaceAll(russian, "    Pl    Stno Name                       Time",
                       " Место   Номер Фамилия                   Время");
  EXPECT_EQ(LoadedEvent("listing.txt", QX_FILETYPE_SPORTIDENT, 0,
                        ReplaceAll(russian, "      dnf", "     сход")),
            expected);
  // Two listings in one file (a day each) whose classes have the same names but other controls:
  // the second day's are classes of their own.
  const std::string days =
      LoadedEvent("listing.txt", QX_FILETYPE_SPORTIDENT, 0,
                  text + ReplaceAll(text, "1(101)   2(102)", "1(111)   2(112)"));
  EXPECT_NE(days.find("\nclass M21E|m21e|5100|210|4|1|0\n  Ito Rei"), std::string::npos) << days;
  EXPECT_NE(days.find("\nclass M21E (2)|m21e (2)|5100|210|4|"), std::string::npos);
  EXPECT_NE(days.find("\nclass W21E (2)|"), std::string::npos);
  EXPECT_EQ(days.find("M50 (2)"), std::string::npos);
  // A year of birth printed right-aligned under its caption is no part of the name.
  const std::string born = ReplaceAll(
      ReplaceAll(text, "Kato Ken                  26:25", "Kato Ken            1989  26:25"),
      "    Pl    Stno Name                       Time",
      "    Pl    Stno Name" + std::string(18, ' ') + "YB   Time");
  EXPECT_EQ(LoadedEvent("listing.txt", QX_FILETYPE_SPORTIDENT, 0, born),
            LoadedEvent("listing.txt", QX_FILETYPE_SPORTIDENT, 0, text));
  // A word in the place column marks a runner out of competition, in any language.
  EXPECT_NE(LoadedEvent("listing.txt", QX_FILETYPE_SPORTIDENT, 0,
                        ReplaceAll(text, "     1    1001", "    ej    1001"))
                .find("  Kato Ken|Tokyo OLC|ej|NC|5:00 7:00 4:20 8:30 1:35|1001|"),
            std::string::npos);

  // Each page of a web page's listing repeats the title (its table's cells on indented lines)
  // and the captions before the next class: no runner.
  const std::string title =
      "\r\n Autumn Cup 2026  Sat 28/11/2026 11:09\r\n SPORTident results  TimingApp-3.1 (c) 2026 "
      "nobody\r\n\r\n    Pl    Stno Name                       Time\r\n\r\n";
  const std::string indented =
      ReplaceAll(ReplaceAll(text, "Autumn Cup 2026          Sat", " Autumn Cup 2026  Sat"),
                 "SPORTident results\r\nTimingApp", " SPORTident results  TimingApp");
  ASSERT_NE(indented.find(title.substr(2, 60)), std::string::npos);
  EXPECT_EQ(LoadedEvent("listing.txt", QX_FILETYPE_SPORTIDENT, 0,
                        ReplaceAll(indented, "\r\nW21E  (1)", title + "W21E  (1)")),
            LoadedEvent("listing.txt", QX_FILETYPE_SPORTIDENT, 0, indented));
  // A name wider than its column pushes the rest of its line right: its last word is no result,
  // and a result pushed far right of its caption is still the result.
  for (const std::string wide :
       {"Kato Ken-Ichiro Yamanaka-Sato", "Kato Ken-Ichiro Yamanaka-Sato von Hohenberg"}) {
    EXPECT_EQ(
        LoadedEvent("listing.txt", QX_FILETYPE_SPORTIDENT, 0,
                    ReplaceAll(text, "Kato Ken                  26:25", wide + "    26:25")),
        ReplaceAll(LoadedEvent("listing.txt", QX_FILETYPE_SPORTIDENT, 0, text), "Kato Ken", wide));
  }
  // Blanks saved as no-break spaces (a browser's text of the page) read as blanks.
  EXPECT_EQ(
      LoadedEvent("listing.txt", QX_FILETYPE_AUTODETECT, 0, ReplaceAll(text, "  ", " \u00A0")),
      LoadedEvent("listing.txt", QX_FILETYPE_SPORTIDENT, 0, text));
  // Legs taken from cumulative times are whole seconds, exactly as a leg's time text reads, so
  // that equal legs rank equal.
  clsQuorvex2 root;
  ASSERT_TRUE(root.FileControl()->LoadLapFile(DataPath("sportident-two-rows.txt")));
  EXPECT_GT(qxtest::ExpectWholeSecondLegs(root), 20);
  // A result of four-digit minutes is hours and minutes.
  const std::string ultra = ReplaceAll(
      ReplaceAll(text, "Kato Ken                  26:25", "Kato Ken                1026:25"),
      "24:50    26:25", "24:50  1026:25");
  ASSERT_TRUE(root.FileControl()->LoadLapFile("listing.txt", QX_FILETYPE_SPORTIDENT, 0, ultra))
      << root.ErrorComment();
  EXPECT_EQ(qxtest::FindRunner(root, "M21E", "Kato Ken")->Result(), "17:06:25");
  EXPECT_EQ(qxtest::FindRunner(root, "M21E", "Kato Ken")->LapValue(5),
            RoundToSecond(60095 * kSecond));
  // Two controls punched in the same second: a leg of 0, no data, and no missing punch.
  const std::string same_second =
      ReplaceAll(text, "12:00    16:20    24:50", "12:00    12:00    24:50");
  ASSERT_NE(same_second, text);
  ASSERT_TRUE(
      root.FileControl()->LoadLapFile("listing.txt", QX_FILETYPE_SPORTIDENT, 0, same_second));
  const auto kato = qxtest::FindRunner(root, "M21E", "Kato Ken");
  ASSERT_NE(kato, nullptr);
  EXPECT_EQ(kato->LapValue(3), 0);
  EXPECT_EQ(kato->LapValue(4), RoundToSecond(770 * kSecond));
  EXPECT_EQ(kato->Result(), "0:26:25");
  // A line of many kilobytes is cut to a listing's width: read, it exhausts no stack.
  for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
           {"28/11/2026", "28/11/" + std::string(60000, '2')},
           {"M21E  (4)", "M21E" + std::string(60000, 'a') + " (x)"}}) {
    const std::string loaded =
        LoadedEvent("listing.txt", QX_FILETYPE_SPORTIDENT, 0, ReplaceAll(text, from, to));
    EXPECT_TRUE(loaded.starts_with("loaded") && loaded.find("Kato Ken") != std::string::npos)
        << loaded.substr(0, 300);
  }
  // Cut short after M21E's second runner of the four its header counts: loaded, with a note.
  qxtest::ExpectGolden(
      "golden/files/si/cut-short.txt",
      LoadedEvent("listing.txt", QX_FILETYPE_SPORTIDENT, 0, text.substr(0, text.find("1003"))));
  // Cut within the times of the last runner, whom the header counts: a note names him.
  const std::string cut =
      LoadedEvent("listing.txt", QX_FILETYPE_SPORTIDENT, 0, text.substr(0, text.find("11:40") + 3));
  EXPECT_NE(cut.find("クラス M50 の選手 Abe Jo のタイムが途中までしかありません"),
            std::string::npos)
      << cut;
}

TEST(SportIdentListings, ProgressAndSegments) {
  clsQuorvex2 root;
  std::vector<int32_t> progress;
  root.FileControl()->Progress = [&](int32_t p) { progress.push_back(p); };
  ASSERT_TRUE(root.FileControl()->LoadLapFile(DataPath("sportident-listing.txt")));
  // 0, then one step a line from the seventh to the second-to-last (25 of the 32 lines: the
  // ending CR LF gives a last, empty one), and 100 at the end.
  std::vector<int32_t> expected{0};
  for (int line = 1; line <= 25; ++line) expected.push_back(4 * line);
  expected.push_back(100);
  EXPECT_EQ(progress, expected);
  // The stretch 102-103-104 is run by all three classes: the segments are rebuilt.
  ASSERT_TRUE(root.FileControl()->LoadLapFile(DataPath("sportident-two-rows.txt")));
  ASSERT_EQ(root.SegmentCount(), 1);
  EXPECT_EQ(root.SegmentData(1)->SegmentName(), "102-103-104");
}

// Whatever stands in a runner's time column decides his result, and his times stay his legs: a
// time in digits alone is read as one, a missing mark or nothing there is "DISQ".
TEST(SportIdentListings, ResultColumnAsTheRunnerHasIt) {
  const std::string listing = SjisToUtf8(qxtest::ReadFile(DataPath("sportident-listing.txt")));
  const std::string field = "1003 Ito Rei                      mp";
  // A status of two words fills the field; its first word is no part of the name. Under a time
  // caption of no known language a word set apart from the name and followed by a field for
  // every control column is the result.
  const struct {
    std::string text, result, time_caption = "Time";
  } cases[] = {{"   mp", "P1"},         {" 1500", "0:15:00"},     {"-----", "DISQ"},
               {"     ", "DISQ"},       {"Ej start", "DISQ"},     {"nicht ang", "DISQ"},
               {"   mp", "P1", "時間"}, {"Hibás", "DISQ", "Aeg?"}};
  for (const auto& [text, result, time_caption] : cases) {
    SCOPED_TRACE(text + " " + time_caption);
    clsQuorvex2 root;
    const std::string changed =
        ReplaceAll(listing, field, field.substr(0, field.size() - text.size()) + text);
    ASSERT_TRUE(
        root.FileControl()->LoadLapFile("listing.txt", QX_FILETYPE_SPORTIDENT, 0,
                                        ReplaceAll(changed, "Name                       Time",
                                                   "Name                       " + time_caption)));
    const auto cls = root.ClassData("M21E");
    ASSERT_EQ(cls->LapCount(), 4);
    std::shared_ptr<clsLapData> ito;
    for (int32_t i = 1; i <= 4; ++i) {
      if (cls->LapData(i)->RunnerName == "Ito Rei") ito = cls->LapData(i);
    }
    if (ito == nullptr) {
      ADD_FAILURE() << "no runner Ito Rei";
      continue;
    }
    EXPECT_EQ(ito->Result(), result);
    EXPECT_EQ(TimeToSeconds(ito->Lap(1)->Value()), 310);
  }
}

// Captions in Greek: the word under the time caption is the result, however it is spelt.
TEST(SportIdentListings, GreekCaptions) {
  const std::string listing =
      "Πανελλήνιο Πρωτάθλημα 2009\nΑποτελέσματα SPORTident\n\n"
      "  Θέση     Αρ. Όνομα                      Χρόνος\n\n"
      "Α21  (3)               4.500 km  120 m   2 P\n"
      "                                                    1(71)    2(72)        Τ\n\n"
      "     1     101 Οικονόμου Δημήτρης          14:30    03:30    07:50    14:30\n"
      "               ΣΠΟ Θεσ/νίκης                        03:30    04:20    06:40\n"
      "           102 Ζαχαρίου Νίκος               Εγκ.    03:50    -----    -----\n"
      "               ΟΠΑ Αθηνών                           03:50\n";
  clsQuorvex2 root;
  ASSERT_TRUE(root.FileControl()->LoadLapFile("listing.txt", QX_FILETYPE_SPORTIDENT, 0, listing));
  const auto cls = root.ClassData("Α21");
  ASSERT_EQ(cls->LapCount(), 2);
  EXPECT_EQ(cls->LapData(2)->RunnerName, "Ζαχαρίου Νίκος");
  EXPECT_EQ(cls->LapData(2)->Result(), "DISQ");
  EXPECT_EQ(cls->LapData(1)->Result(), "0:14:30");
}

// An East Asian listing whose captions are lined up one column per character, or hangul two
// columns wide, reads as one lined up by Shift-JIS bytes.
TEST(SportIdentListings, EastAsianCaptionsLinedUpEitherWay) {
  const std::string runners =
      "H21  (3)                4.000 km  150 m   3 C\n"
      "                                                 1(101)   2(102)   3(103)        F\n\n"
      "     1    1001 Kato Ken                  20:00     5:00    12:00    16:20    20:00\n"
      "               Tokyo OLC                           5:00     7:00     4:20     3:40\n"
      "     2    1002 Anna Berg                 21:10     5:30    12:30    17:00    21:10\n"
      "               Oslo OK                             5:30     7:00     4:30     4:10\n"
      "          1003 Nikos Ek                    dnf     5:10    12:40    -----    -----\n"
      "               OK Ravinen                          5:10     7:30\n";
  for (const std::string captions : {"    名次    号码   姓名                         成绩",
                                     "    名次  号码 姓名                       成绩",
                                     "    순위    번호   이름                         기록",
                                     "    순위  번호 이름                       기록"}) {
    for (const std::string header : {"H21  (3)", "H21     "}) {  // with its count and without
      SCOPED_TRACE(captions + header);
      clsQuorvex2 root;
      ASSERT_TRUE(root.FileControl()->LoadLapFile("listing.txt", QX_FILETYPE_SPORTIDENT, 0,
                                                  "Test Cup 2026\nSPORTident\n\n" + captions +
                                                      "\n\n" +
                                                      ReplaceAll(runners, "H21  (3)", header)));
      const auto cls = root.ClassData("H21");
      EXPECT_EQ(cls->LapCount(), 3);
      if (cls->LapCount() != 3) continue;
      EXPECT_EQ(cls->LapData(3)->RunnerName + "|" + cls->LapData(3)->ClubName + "|" +
                    cls->LapData(3)->Result(),
                "Nikos Ek|OK Ravinen|DNF");
      EXPECT_EQ(cls->LapData(1)->ClubName, "Tokyo OLC");
    }
  }
}

// Class names as printed, never cut at a blank; lengths and climbs however the header gives them.
TEST(SportIdentListings, ClassHeaderNamesLengthsAndClimbs) {
  struct Row {
    std::string line, name;
    int32_t length, climb, runners;
    std::string above = "";  // the line above the header
  };
  const Row rows[] = {
      {"M21E  (4)                5.100 km  210 m   4 C", "M21E", 5100, 210, 4},
      {"Circuit  A  (19)       6.600 km  250 m   15 P", "Circuit A", 6600, 250, 19},
      {"Men (long)  (74)       5.600 km   21 C", "Men (long)", 5600, 0, 74},
      {"Open (2)  (14)   5.400 km  180 m", "Open (2)", 5400, 180, 14},
      {"   Test course 1 (2)   4.1 km     35 m", "Test course 1", 4100, 35, 2},
      {"Class 1    (4100m, 35m)", "Class 1", 4100, 35, 0},
      {"M21A  (3)              12.500 Km  450 Cm  12 C", "M21A", 12500, 450, 3},
      {"Junior Men   3,2 km", "Junior Men", 3200, 0, 0},
      {"H21E", "H21E", 0, 0, 0},
      // The name on a line of its own above the length; with no line above, the line names itself.
      {"5.400 km, 180 m, 5 Posten", "H21", 5400, 180, 0, " H21  "},
      // A header too wide for its line, wrapped before the length.
      {"5.400 km  180 m   6 C", "M21 Elite", 5400, 180, 5, "M21 Elite  (5)"},
      {"5.400 km  180 m   6 C", "Course 3 (12)", 5400, 180, 7, "Course 3 (12)  (7)"},
      {"10km  12 C", "10km", 0, 0, 0},
      {"10km  (12)   10.0 km  300 m", "10km", 10000, 300, 12, "Cup 2026"},
      {"5km   4.9 km  120 m", "5km", 4900, 120, 0, "     Tokyo OLC      5:00     7:00"},
  };
  for (const Row& row : rows) {
    const detail::sportident::ClassHeader header =
        detail::sportident::ParseClassHeader(row.line, row.above);
    EXPECT_EQ(header.name, row.name) << row.line;
    EXPECT_EQ(header.length, row.length) << row.line;
    EXPECT_EQ(header.climb, row.climb) << row.line;
    EXPECT_EQ(header.runners, row.runners) << row.line;
  }
  // A short name alone on its line opens a class; it is no row of nothing but the finish.
  for (const std::string name : {"A", "HA", "F"}) {
    const std::string text =
        ReplaceAll(SjisToUtf8(qxtest::ReadFile(DataPath("sportident-listing.txt"))),
                   "M21E  (4)                5.100 km  210 m   4 C", name);
    clsQuorvex2 root;
    ASSERT_TRUE(root.FileControl()->LoadLapFile("listing.txt", QX_FILETYPE_SPORTIDENT, 0, text));
    EXPECT_EQ(root.ClassData(1)->ClassName(), name);
    EXPECT_EQ(root.ClassData(1)->LapCount(), 4);
  }
}

}  // namespace
}  // namespace quorvex2
