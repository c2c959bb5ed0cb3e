// The IOF XML ResultLists we write, 2.0.3 and 3.0: the exact documents, what reads back from
// them, and the verdicts of the published DTD and schema.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "files/files_test_support.h"
#include "quorvex2/quorvex2.h"

namespace quorvex2 {
namespace {

// Loads the event to write, a native file of tests/data/iof that says what it holds.
void FillEvent(clsQuorvex2& root, const std::string& version) {
  ASSERT_TRUE(root.FileControl()->LoadLapFile(qxtest::IofTestFile("to-write-" + version + ".lxm")));
  if (version == "3.0") root.EventData()->TimeZone = "+09:00";
}

std::string Save(clsQuorvex2& root, const std::string& name, int32_t type) {
  const std::string path = qxtest::TempPath(name);
  EXPECT_TRUE(root.FileControl()->SaveLapFile(path, type));
  return path;
}

std::string Validate(const std::string& path, const std::string& against) {
  return qxtest::RunCommand("xmllint --noout " + against + " '" + path + "' 2>&1");
}

std::string Schema() {
  return "--schema '" + qxtest::IofTestFile("IOF.xsd") + "'";
}

// Both documents as written, an element a line.
TEST(IofWriters, WriteTheExpectedDocuments) {
  ::setenv("SOURCE_DATE_EPOCH", "1779091200", 1);  // 2026-05-18, the 3.0 list's createTime
  for (const int32_t type : {QX_FILETYPE_IOF_XML_20_RESULT, QX_FILETYPE_IOF_XML_30_RESULT}) {
    const bool v2 = type == QX_FILETYPE_IOF_XML_20_RESULT;
    const std::string name = v2 ? "written-2.0.3.xml" : "written-3.0.xml";
    SCOPED_TRACE(name);
    clsQuorvex2 root;
    FillEvent(root, v2 ? "2.0.3" : "3.0");
    const std::string written = qxtest::ReadBytes(Save(root, name, type));
    qxtest::ExpectGolden("expected/iof/" + name, ReplaceAll(written, "><", ">\n<"));
  }
  ::unsetenv("SOURCE_DATE_EPOCH");
}

// ".xml" saves as 2.0.3.
TEST(IofWriters, Only203ClubCountryDeviatesFromTheDtd) {
  clsQuorvex2 root;
  FillEvent(root, "2.0.3");
  root.EventData()->OfficialSite = "http://example.org/";
  const std::string path = Save(root, "results.xml", QX_FILETYPE_AUTODETECT);
  std::istringstream lines(
      Validate(path, "--dtdvalid '" + qxtest::IofTestFile("IOFdata.dtd") + "'"));
  int club_errors = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line.find("error") == std::string::npos) continue;
    EXPECT_NE(line.find("Element Club content does not follow the DTD"), std::string::npos) << line;
    ++club_errors;
  }
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_file(path.c_str()));
  EXPECT_EQ(club_errors, static_cast<int>(doc.select_nodes("//PersonResult").size()));
}

int32_t LegsWithData(const clsLapData& lap) {
  int32_t legs = lap.LegCount();
  while (legs > 0 && lap.LapValue(legs) == kTimeNoData) --legs;
  return legs;
}

// Every runner of every class of `was` is in `now` with the same figures; `now` holds no more.
void ExpectSameEvent(clsQuorvex2& was, clsQuorvex2& now) {
  ASSERT_EQ(now.ClassCount(), was.ClassCount());
  for (int32_t i = 1; i <= was.ClassCount(); ++i) {
    auto a_class = was.ClassData(i);
    auto b_class = now.ClassData(a_class->ClassName());
    ASSERT_TRUE(b_class) << a_class->ClassName();
    EXPECT_EQ(b_class->CourseNum, a_class->CourseNum) << a_class->ClassName();
    EXPECT_EQ(b_class->ControlCount, a_class->ControlCount) << a_class->ClassName();
    EXPECT_EQ(b_class->Length, a_class->Length);
    EXPECT_EQ(b_class->Climb, a_class->Climb);
    ASSERT_EQ(b_class->LapCount(), a_class->LapCount());
    for (int32_t k = 1; k <= a_class->LapCount(); ++k) {
      auto a = a_class->LapData(k);
      auto b = b_class->LapData(k);
      EXPECT_EQ(b->RunnerName, a->RunnerName);
      EXPECT_EQ(b->ClubName, a->ClubName);
      EXPECT_EQ(b->Result(), a->Result()) << a->RunnerName;
      EXPECT_EQ(b->ID, a->ID);
      EXPECT_EQ(b->Ecard, a->Ecard);
      EXPECT_EQ(b->Rank, a->Rank);
      EXPECT_NEAR(b->StartTime.Value(), a->StartTime.Value(), 1e-9) << a->RunnerName;
      // Legs without data at the end are as good as none.
      ASSERT_EQ(LegsWithData(*b), LegsWithData(*a)) << a->RunnerName;
      for (int32_t leg = 1; leg <= LegsWithData(*a); ++leg) {
        EXPECT_NEAR(b->LapValue(leg), a->LapValue(leg), 1e-9) << a->RunnerName << " leg " << leg;
      }
    }
  }
}

// The 3.0 list gives back every figure. The 2.0.3 list has no status of its own for a runner
// without a time, no place for a split without one and a single given name, so its runners come
// back otherwise, as the expected event says.
TEST(IofWriters, OurEventsReadBack) {
  clsQuorvex2 v2;
  FillEvent(v2, "2.0.3");
  qxtest::ExpectGolden("expected/iof/written-2.0.3.xml.txt",
                       qxtest::LoadedEvent(Save(v2, "back.xml", QX_FILETYPE_IOF_XML_20_RESULT)));

  clsQuorvex2 root;
  FillEvent(root, "3.0");
  const std::string path = Save(root, "round.xml", QX_FILETYPE_IOF_XML_30_RESULT);
  root.SortLap();  // the loaded classes come sorted by result
  clsQuorvex2 back;
  ASSERT_TRUE(back.FileControl()->LoadLapFile(path)) << back.ErrorComment();
  EXPECT_EQ(back.ErrorComment(), "");
  ExpectSameEvent(root, back);
}

TEST(IofWriters, Our3ListValidatesAgainstThePublishedSchema) {
  clsQuorvex2 root;
  FillEvent(root, "3.0");
  root.ClassData("M21")->LapData(1)->RunnerName = "Solo";  // an empty Given name
  root.AddClass("Empty");
  const std::string path = Save(root, "valid.xml", QX_FILETYPE_IOF_XML_30_RESULT);
  EXPECT_EQ(Validate(path, Schema()), path + " validates\n");

  // An event without a date: start times on the day the list is written, never on day 0.
  clsQuorvex2 undated;
  auto early = undated.AddClass("M21")->AddLap();
  early->RunnerName = "Early Eve";
  early->Result("0:30:00");
  early->StartTime.Value(0.25);
  const std::string undated_path = Save(undated, "undated.xml", QX_FILETYPE_IOF_XML_30_RESULT);
  EXPECT_EQ(Validate(undated_path, Schema()), undated_path + " validates\n");
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_file(undated_path.c_str()));
  const std::string created = doc.child("ResultList").attribute("createTime").value();
  EXPECT_EQ(doc.select_node("//Result/StartTime").node().text().as_string(),
            created.substr(0, 10) + "T06:00:00");
  EXPECT_FALSE(doc.child("ResultList").child("Event").child("StartTime"));
}

// What a user gets from convert --to iof3: every runner of our IOF lists comes back as read,
// in a file the schema accepts, with a time only for those who have one.
TEST(IofWriters, OurListsComeBackThrough3) {
  const struct {
    const char* file;
    std::vector<std::string> untimed;  // runners without a Time element
  } cases[] = {
      {"individual-3.0.xml", {"Falk", "Gran", "Eklund"}},
      {"relay-2.0.3.xml", {"Fox"}},
      {"list-2.0.3.xml", {"114", "132"}},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.file);
    clsQuorvex2 read;
    ASSERT_TRUE(read.FileControl()->LoadLapFile(qxtest::IofTestFile(row.file)));
    const std::string path =
        Save(read, std::string("round-") + row.file, QX_FILETYPE_IOF_XML_30_RESULT);
    EXPECT_EQ(Validate(path, Schema()), path + " validates\n");
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_file(path.c_str()));
    std::vector<std::string> untimed;
    for (const auto& node : doc.select_nodes("//PersonResult[not(Result/Time)]")) {
      untimed.push_back(node.node().child("Person").child("Name").child_value("Family"));
    }
    EXPECT_EQ(untimed, row.untimed);
    clsQuorvex2 back;
    ASSERT_TRUE(back.FileControl()->LoadLapFile(path)) << back.ErrorComment();
    EXPECT_EQ(back.EventData()->TimeZone, read.EventData()->TimeZone);
    ExpectSameEvent(read, back);
  }
}

}  // namespace
}  // namespace quorvex2
